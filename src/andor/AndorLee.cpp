// TAndor, the trace extraction window.
#include "AndorLee.h"

#include "andor/ImagenAndor.h"
#include "lines/Lineas.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "plot/SpectrumPlot.h"
#include "store/Archivos.h"
#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/TextWriter.h"

TAndor* Andor = nullptr;

namespace {

using platform::button;
using platform::edit;
using platform::label;
using platform::named;

const QString traceFilter = QStringLiteral(
    "Archivos originales (*.asc)|*.asc|Archivos procesados (*.dat)|*.dat|Cualquiera (*.*)|*.*");

} // namespace

// The tick labels always show the store's bounds: the zoom belongs to the line view.
TAndor::TAndor()
    : Form(QStringLiteral("Andor"), QStringLiteral("Andor, captura traza de imagen "), 894, 668),
      frame(*this, [] { return plot::experimentalBounds(Lee->store); }) {
    setPlacement(platform::Placement::Centred);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    createControls();
    connectHandlers();
    FormCreate();
}

void TAndor::createControls() {
    GroupBox1 = named(new QGroupBox(QStringLiteral("&Andor a (x,y)"), clientArea()), "GroupBox1",
                      {4, 0, 636, 192});
    QWidget* g = GroupBox1;
    Label1 =
        label(g, "Label1", QStringLiteral("Lee matriz Andor y escribe vector"), {8, 18, 240, 18});
    Label2 = label(g, "Label2", QStringLiteral("(n,m) -> (2,m)"), {8, 36, 240, 18});
    Label8 = label(g, "Label8", QStringLiteral("Archivo:"), {8, 58, 56, 20});
    lbAndorArch = label(g, "lbAndorArch", QStringLiteral("......."), {66, 58, 262, 20});
    Label5 = label(g, "Label5", QStringLiteral("Posición"), {8, 82, 56, 22});
    lbCurPosic = label(g, "lbCurPosic", QStringLiteral("............."), {66, 80, 262, 24});
    QFont big = lbCurPosic->font();
    big.setPixelSize(16);
    lbCurPosic->setFont(big);
    platform::setTextColor(lbCurPosic, 0xFF0000);

    GroupBox2 =
        named(new QGroupBox(QStringLiteral("Tamaño imagen"), g), "GroupBox2", {8, 108, 140, 76});
    rb1024x256 = named(new QRadioButton(QStringLiteral("1024x256"), GroupBox2), "rb1024x256",
                       {8, 20, 124, 22});
    rb1024x256->setChecked(true);
    rb2048x2048 = named(new QRadioButton(QStringLiteral("2048x2048"), GroupBox2), "rb2048x2048",
                        {8, 46, 124, 22});
    GroupBox3 = named(new QGroupBox(QStringLiteral("Lee en"), g), "GroupBox3", {156, 108, 172, 76});
    rbCol = named(new QRadioButton(QStringLiteral("Columnas (color)"), GroupBox3), "rbCol",
                  {8, 20, 158, 22});
    rbCol->setChecked(true);
    rbRen = named(new QRadioButton(QStringLiteral("Renglones (abertura)"), GroupBox3), "rbRen",
                  {8, 46, 158, 22});

    Label3 = label(g, "Label3", QStringLiteral("Columna"), {344, 20, 130, 22});
    edCol = edit(g, "edCol", QStringLiteral("47"), {480, 18, 70, 24});
    Label4 = label(g, "Label4", QStringLiteral("Cuadro"), {344, 48, 130, 22});
    edCuadroN = edit(g, "edCuadroN", QStringLiteral("1"), {480, 46, 70, 24});
    Label6 = label(g, "Label6", QStringLiteral("Suma pixeles vertical"), {344, 76, 130, 22});
    ednsum = edit(g, "ednsum", QStringLiteral("5"), {480, 74, 70, 24});
    btGraf = button(g, "btGraf", QStringLiteral("&Grafica datos"), {344, 110, 136, 30});
    btAndor = button(g, "btAndor", QStringLiteral("&Lee y convierte"), {488, 110, 136, 30});
    Button2 = button(g, "Button2", QStringLiteral("Lee &Anterior"), {344, 148, 136, 30});

    QWidget* area = clientArea();
    ListBox1 = named(new platform::ListBox(area), "ListBox1", {646, 4, 244, 118});
    Button3 = button(area, "Button3", QStringLiteral("&Ver Imagen"), {646, 128, 118, 28});
    Button4 = button(area, "Button4", QStringLiteral("&Grafica y compara"), {770, 128, 120, 28});
    Button1 = button(area, "Button1", QStringLiteral("&Regresar"), {646, 162, 118, 28});
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"), traceFilter, this);
}

void TAndor::connectHandlers() {
    platform::onClick(btAndor, this, &TAndor::btAndorClick);
    platform::onClick(Button2, this, &TAndor::Button2Click);
    platform::onClick(btGraf, this, &TAndor::btGrafClick);
    platform::onClick(rbCol, this, &TAndor::rbColClick);
    platform::onClick(rbRen, this, &TAndor::rbRenClick);
    platform::onClick(Button3, this, &TAndor::Button3Click);
    platform::onClick(Button4, this, &TAndor::Button4Click);
    platform::onClick(Button1, this, &TAndor::Button1Click);
}

void TAndor::FormCreate() {
    nSum = platform::integerOf(ednsum);
    frameNumber = platform::integerOf(edCuadroN);
    traceIndex = platform::integerOf(edCol);
}

void TAndor::btAndorClick() {
    if (!OpenDialog1->execute())
        return;
    extract(OpenDialog1->fileName(), QString(), std::nullopt);
}

void TAndor::ExtractTraceToTemp(const QString& fileName, int index) {
    extract(fileName, QStringLiteral("temp.dat"), index);
}

andor::TraceSettings TAndor::settingsFromControls() const {
    andor::TraceSettings settings;
    settings.geometry = rb1024x256->isChecked() ? andor::size1024x256 : andor::size2048x2048;
    settings.halfWidth = platform::integerOf(ednsum);
    settings.frame = platform::integerOf(edCuadroN);
    settings.mode = rbCol->isChecked() ? andor::TraceMode::Column : andor::TraceMode::Line;
    settings.traceIndex = 0;
    andor::checkHalfWidth(settings);
    return settings;
}

void TAndor::extract(const QString& imagePath, const QString& outputName,
                     std::optional<int> index) {
    andor::TraceSettings settings = settingsFromControls();
    linesPerFrame = settings.geometry.lines;
    valuesPerLine = settings.geometry.values;
    nSum = settings.halfWidth;
    frameNumber = settings.frame;
    lbAndorArch->setText(QString::fromStdString(andor::traceName(
        platform::toFileText(platform::fileNameOnly(imagePath)), settings.mode,
        platform::toFileText(edCuadroN->text()), platform::toFileText(edCol->text()))));
    ListBox1->clear();
    QString output =
        outputName.isEmpty() ? lbAndorArch->text() + QStringLiteral(".dat") : outputName;
    // The typed index becomes part of the name: it is checked before anything is created.
    if (!index)
        traceIndex = platform::integerOf(edCol);
    settings.traceIndex = index.value_or(traceIndex);
    textio::checkDerivedName(platform::toFileText(output));
    textio::ensureDistinct(platform::toPath(imagePath), platform::toPath(output));
    auto out = textio::TextWriter::create(platform::toPath(output));
    auto image = andor::ImageStream::open(platform::toPath(imagePath));
    andor::extractTrace(image, settings, [&](const andor::TracePoint& point) {
        ListBox1->add(QString::fromStdString(andor::traceListLine(point)));
        out.writeLine(andor::traceFileLine(settings.mode, point));
    });
    out.close();
}

void TAndor::Button2Click() {
    if (!OpenDialog1->execute())
        return;
    QString name = platform::fileNameOnly(OpenDialog1->fileName());
    lbAndorArch->setText(platform::withoutLastFour(name));
}

void TAndor::btGrafClick() {
    Lee->LoadExperimentalFile(lbAndorArch->text() + QStringLiteral(".dat"));
    const auto& s = Lee->store;
    frame.drawEmptyFrame();
    plot::Scales scales =
        plot::drawSpectrum(frame, plot::experimentalSpectrum(s), plot::experimentalBounds(s));
    xScale = scales.x;
    yScale = scales.y;
}

void TAndor::rbRenClick() {
    Label3->setText(QStringLiteral("renglon"));
    edCol->setText(QStringLiteral("512"));
    ednsum->setText(QStringLiteral("1"));
    edCuadroN->setText(QStringLiteral("1"));
}

void TAndor::rbColClick() {
    Label3->setText(QStringLiteral("columna"));
    edCol->setText(QString::number(traceIndex));
    ednsum->setText(QString::number(nSum));
    edCuadroN->setText(QString::number(frameNumber));
}

void TAndor::FormMouseDown(const platform::MouseState& state) {
    if (!state.isPlainLeft() || !frame.frameReady)
        return;
    auto at = frame.valueAt(state.x, state.y, xScale, yScale, plot::experimentalBounds(Lee->store));
    lbCurPosic->setText(QString::fromStdString(plot::cursorText(at.x, at.y)));
}

void TAndor::Button3Click() {
    AndorImagen->showWindow();
}
void TAndor::Button4Click() {
    Linea->showWindow();
}
void TAndor::Button1Click() {
    hide();
}
