// TEvaOpera, the window for operations on EVA spectrometer exports.
#include "EvaOp.h"

#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "plot/SpectrumPlot.h"
#include "store/Archivos.h"
#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/Files.h"

#include <QFont>

#include <algorithm>

TEvaOpera* EvaOpera = nullptr;

using platform::realOf;

namespace {

using platform::button;
using platform::edit;
using platform::label;
using platform::named;

const QString exportFilter = QStringLiteral("*.asc|*.asc|*.dat|*.dat");

} // namespace

// This window never follows the zoom of the line view: the store's bounds only.
TEvaOpera::TEvaOpera()
    : Form(QStringLiteral("EvaOpera"), QStringLiteral("EVA Operaciones con archivos"), 966, 601),
      frame(*this, [] { return plot::experimentalBounds(Lee->store); }) {
    setPlacement(platform::Placement::Centred);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    createControls();
    connectHandlers();
    FormCreate();
}

void TEvaOpera::createControls() {
    GroupBox1 = named(new QGroupBox(QStringLiteral("Lee espectro recortado de EVA"), clientArea()),
                      "GroupBox1", {4, 0, 700, 170});
    QWidget* g = GroupBox1;
    createCalibrationRows(g);
    btEva = button(g, "btEva", QStringLiteral("&Conv Espectro"), {180, 18, 150, 28});
    Button2 = button(g, "Button2", QStringLiteral("&Lee espectro"), {180, 50, 150, 28});
    btGraf = button(g, "btGraf", QStringLiteral("&Grafica Espectro"), {180, 82, 150, 28});
    btCorrige = button(g, "btCorrige", QStringLiteral("&Corrige eje X"), {180, 114, 150, 28});

    lbNist1 =
        named(new platform::ClickLabel(QStringLiteral("vacio"), g), "lbNist1", {346, 20, 340, 20});
    lbNist1->setCursor(Qt::PointingHandCursor);
    platform::setTextColor(lbNist1, 0xFF0000);
    Label6 = label(g, "Label6", QStringLiteral("Tope para leyendas"), {346, 50, 128, 22});
    edLeyen = edit(g, "edLeyen", QStringLiteral("200"), {478, 48, 60, 24});
    Label8 = label(g, "Label8", QStringLiteral("Archivo:"), {346, 82, 60, 20});
    lbArch = label(g, "lbArch", QStringLiteral("xxxxxxxx"), {410, 82, 280, 20});
    Label5 = label(g, "Label5", QStringLiteral("Posición"), {346, 116, 60, 22});
    lbCurPosic = label(g, "lbCurPosic", QStringLiteral("............."), {410, 110, 284, 32});
    QFont big = lbCurPosic->font();
    big.setPixelSize(19);
    lbCurPosic->setFont(big);
    platform::setTextColor(lbCurPosic, 0xFF0000);

    QWidget* area = clientArea();
    Label4 = label(area, "Label4", QStringLiteral("Graf"), {712, 6, 36, 20});
    ChBNist1 = named(new QCheckBox(QStringLiteral("1"), area), "ChBNist1", {750, 6, 40, 20});
    ListBox1 = named(new platform::ListBox(area), "ListBox1", {712, 30, 250, 104});
    Button1 = button(area, "Button1", QStringLiteral("&Regresar"), {712, 140, 120, 28});
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"), exportFilter, this);
}

void TEvaOpera::createCalibrationRows(QWidget* g) {
    Label1 = label(g, "Label1", QStringLiteral("Parametros de ec"), {8, 18, 160, 20});
    lbOtro = label(g, "lbOtro", QStringLiteral("Col final"), {8, 44, 84, 20});
    edColCen = edit(g, "edColCen", QStringLiteral("550"), {96, 42, 70, 24});
    Label2 = label(g, "Label2", QStringLiteral("Color inicial"), {8, 74, 84, 20});
    edColIni = edit(g, "edColIni", QStringLiteral("520"), {96, 72, 70, 24});
    Label3 = label(g, "Label3", QStringLiteral("posic central"), {8, 104, 84, 20});
    edPosCen = edit(g, "edPosCen", QStringLiteral("1024"), {96, 102, 70, 24});
    Label7 = label(g, "Label7", QStringLiteral("posic inicial"), {8, 134, 84, 20});
    edPosIni = edit(g, "edPosIni", QStringLiteral("1"), {96, 132, 70, 24});
}

void TEvaOpera::connectHandlers() {
    platform::onClick(btEva, this, &TEvaOpera::btEvaClick);
    platform::onClick(Button2, this, &TEvaOpera::Button2Click);
    platform::onClick(lbNist1, this, &TEvaOpera::lbNist1Click);
    platform::onClick(btGraf, this, &TEvaOpera::btGrafClick);
    platform::onClick(btCorrige, this, &TEvaOpera::btCorrigeClick);
    platform::onClick(Button1, this, &TEvaOpera::Button1Click);
}

void TEvaOpera::FormCreate() {
    ChBNist1->setChecked(false);
    frame.frameReady = false;
}

eva::Calibration TEvaOpera::readCalibration() {
    colCen = realOf(edColCen);
    colIni = realOf(edColIni);
    posCen = realOf(edPosCen);
    posIni = realOf(edPosIni);
    return {colCen, colIni, posCen, posIni};
}

void TEvaOpera::btEvaClick() {
    if (!OpenDialog1->execute())
        return;
    eva::Calibration c = readCalibration();
    double a = eva::dispersion(c);
    QString path = OpenDialog1->fileName();
    auto in = textio::TextReader::openFile(platform::toPath(path));
    textio::ensureDistinct(platform::toPath(path), eva::convertedFileName);
    auto out = textio::TextWriter::create(eva::convertedFileName);
    lbArch->setText(platform::fileNameOnly(path));
    ListBox1->clear();
    // An export without records gives an empty spectrum and an empty list, silently.
    eva::convertExport(in, out, a, c.colCen, [this](const eva::Run& run) {
        ListBox1->add(QString::fromStdString(eva::runListLine(run)));
    });
    out.close();
}

void TEvaOpera::Button2Click() {
    Lee->openExperimental();
    lbArch->setText(Lee->lbArchExp->text());
}

void TEvaOpera::lbNist1Click() {
    Lee->openReference();
}

void TEvaOpera::PlotExperimental() {
    const auto& s = Lee->store;
    if (!s.hayExp)
        return;
    frame.drawEmptyFrame();
    plot::Scales scales =
        plot::drawSpectrum(frame, plot::experimentalSpectrum(s), plot::experimentalBounds(s));
    xScale = scales.x;
    yScale = scales.y;
    spectrumYScale = yScale;
}

void TEvaOpera::btGrafClick() {
    PlotExperimental();
    if (!ChBNist1->isChecked())
        return;
    plotReferenceLines();
}

void TEvaOpera::plotReferenceLines() {
    canvas().setPenColor(0xFF0000);
    legendLimit = platform::integerOf(edLeyen);
    // Only the sticks whose top lies below the row typed get their labels.
    frame.style.labelsBelowRow = legendLimit;
    const auto& s = Lee->store;
    auto n = static_cast<std::size_t>(std::clamp(nNist[1], 0, lineCapacity));
    plot::SeriesView set{std::span(xNist.data(), n), std::span(yNist.data(), n)};
    // Unlike the line view, one intensity for every visible line is a division by zero.
    yScale = plot::stickScale(frame.frameHeight, set, s.xExpMin, s.xExpMax,
                              plot::FlatSet::DivideBySpread);
    plot::drawSticks(frame, set, {s.xExpMin, s.xExpMax, xScale, 0, yMinNist, 1, yScale},
                     [this](int k) { return platform::fromFileText(ionNist[k]); });
}

void TEvaOpera::btCorrigeClick() {
    eva::calibrateAxis(Lee->store, readCalibration());
    axisCorrected = Lee->store.zExpCurrent;
    btGrafClick();
}

void TEvaOpera::FormClick() {
    if (frame.frameReady)
        btGrafClick();
}

void TEvaOpera::FormMouseDown(const platform::MouseState& state) {
    if (!state.isPlainLeft() || !frame.frameReady)
        return;
    // The intensity is read on the spectrum's scale: the lines' scale has another base.
    auto at = frame.valueAt(state.x, state.y, xScale, spectrumYScale,
                            plot::experimentalBounds(Lee->store));
    lbCurPosic->setText(QString::fromStdString(plot::cursorText(at.x, at.y)));
}

void TEvaOpera::FormActivate() {
    const auto& s = Lee->store;
    nNist[1] = s.nRef;
    CopyReferenceToSlot(1);
    lbNist1->setText(Lee->lbArchEspec->text());
    lbArch->setText(Lee->lbArchExp->text());
    axisCorrected = s.zExpCurrent;
}

void TEvaOpera::CopyReferenceToSlot(int set) {
    const auto& s = Lee->store;
    int n = std::min(nNist[set], lineCapacity);
    for (int k = 1; k <= n; ++k) {
        xNist[k] = s.xRef[k];
        yNist[k] = s.yRef[k];
        ionNist[k] = s.ionRef[k];
    }
    yMinNist = s.yRefMin;
}

void TEvaOpera::Button1Click() {
    hide();
}
