// TLinea, the line identification view: window, line-set slots and the combined graph.
#include "Lineas.h"

#include "AxisCorrection.h"
#include "PeakList.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "plot/SpectrumPlot.h"
#include "plot/ZoomEdt.h"
#include "store/Archivos.h"
#include "textio/Convert.h"
#include "textio/Files.h"

#include <QFont>

TLinea* Linea = nullptr;

using platform::generalText;
using platform::realOf;

namespace {

using platform::button;
using platform::edit;
using platform::label;
using platform::named;

const QString empty = QStringLiteral("vacio");

// Colours of the slot names; 0 stands for the window's text colour.
constexpr std::array<platform::Rgb, TLinea::slotCount> nameColors{0xFF0000, 0x00FF00, 0,
                                                                  0xFF00FF, 0x0000FF, 0x808000};

void setPixelFont(QWidget* widget, int pixels) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

// A slider end: the nearest integer, kept within what a slider holds.
int sliderValue(double v) {
    constexpr double limit = 2000000000.0;
    return static_cast<int>(textio::nearest(std::clamp(v, -limit, limit)));
}

} // namespace

TLinea::TLinea()
    : Form(QStringLiteral("Linea"), QStringLiteral("Grafica Lineas experimentales y del Nist"),
           1022, 693),
      frame(*this, &TLinea::plotRange) {
    setPlacement(platform::Placement::Centred);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    createControls();
    connectHandlers();
    FormCreate();
}

void TLinea::createControls() {
    QWidget* area = clientArea();
    Label1 = label(area, "Label1", QStringLiteral("Archivo Experimental"), {4, 2, 176, 22});
    setPixelFont(Label1, 16);
    lbExp = label(area, "lbExp", empty, {6, 24, 170, 22});
    setPixelFont(lbExp, 16);
    platform::setTextColor(lbExp, 0x000000);
    btLeeExp = button(area, "btLeeExp", QStringLiteral("Lee Experimento"), {4, 50, 172, 25});
    btGrafNist = button(area, "btGrafNist", QStringLiteral("&Grafica"), {4, 78, 84, 25});
    btZoom = button(area, "btZoom", QStringLiteral("&Zoom graf"), {92, 78, 84, 25});
    btZoom->setVisible(false);
    btGrafExp = button(area, "btGrafExp", QStringLiteral("Grafica Experimento"), {4, 106, 172, 25});
    btGuardaDatosExp = button(area, "btGuardaDatosExp",
                              QStringLiteral("Guarda Datos Exp Corregidos"), {4, 134, 172, 25});
    Label22 = label(area, "Label22", QStringLiteral("Corrimiento"), {6, 168, 80, 22});
    edShiftNist = edit(area, "edShiftNist", QStringLiteral("0"), {90, 166, 86, 24});
    createSlotTable();
    createCorrectionGroup();
    createPeakGroups();
}

void TLinea::createSlotTable() {
    GroupBox1 = named(new QGroupBox(QStringLiteral("Datos Nist"), clientArea()), "GroupBox1",
                      {180, 0, 448, 201});
    QWidget* g = GroupBox1;
    Label3 = label(g, "Label3", QStringLiteral("Archivo"), {8, 18, 90, 16});
    Label21 = label(g, "Label21", QStringLiteral("Ión"), {102, 18, 30, 16});
    Label5 = label(g, "Label5", QStringLiteral("Mult"), {136, 18, 40, 16});
    Label7 = label(g, "Label7", QStringLiteral("Min"), {180, 18, 56, 16});
    Label4 = label(g, "Label4", QStringLiteral("0"), {240, 18, 70, 16});
    Label4->setAlignment(Qt::AlignCenter);
    Label14 = label(g, "Label14", QStringLiteral("Max"), {314, 18, 56, 16});
    Label2 = label(g, "Label2", QStringLiteral("Graf"), {372, 18, 36, 16});
    Label11 = label(g, "Label11", QStringLiteral("Leyenda"), {402, 18, 44, 16});

    std::array<platform::ClickLabel**, slotCount> names{&lbNist1, &lbNist2, &lbNist3,
                                                        &lbNist4, &lbNist5, &lbNist6};
    std::array<QLineEdit**, slotCount> ions{&edIonNist1, &edIonNist2, &edIonNist3,
                                            &edIonNist4, &edIonNist5, &edIonNist6};
    std::array<QLineEdit**, slotCount> mults{&edMultNist1, &edMultNist2, &edMultNist3,
                                             &edMultNist4, &edMultNist5, &edMultNist6};
    std::array<QLabel**, slotCount> mins{&lbYmn1, &lbYmn2, &lbYmn3, &lbYmn4, &lbYmn5, &lbYmn6};
    std::array<QScrollBar**, slotCount> bars{&ScrollBar1, &ScrollBar2, &ScrollBar3,
                                             &ScrollBar4, &ScrollBar5, &ScrollBar6};
    std::array<QLabel**, slotCount> maxs{&lbYmx1, &lbYmx2, &lbYmx3, &lbYmx4, &lbYmx5, &lbYmx6};
    std::array<QCheckBox**, slotCount> draws{&ChBNist1, &ChBNist2, &ChBNist3,
                                             &ChBNist4, &ChBNist5, &ChBNist6};
    std::array<QCheckBox**, slotCount> legends{&chBLey1, &chBLey2, &chBLey3,
                                               &chBLey4, &chBLey5, &chBLey6};
    for (int k = 1; k <= slotCount; ++k) {
        auto n = static_cast<std::size_t>(k - 1);
        QString sk = QString::number(k);
        int y = 36 + 27 * (k - 1);
        SlotControls& s = slots_[n];
        s.name = *names[n] =
            named(new platform::ClickLabel(empty, g), "lbNist" + sk, {8, y + 2, 92, 20});
        if (nameColors[n] != 0)
            platform::setTextColor(s.name, nameColors[n]);
        s.ion = *ions[n] = edit(g, "edIonNist" + sk, QStringLiteral("I"), {102, y, 30, 24});
        s.mult = *mults[n] = edit(g, "edMultNist" + sk, QStringLiteral("1"), {136, y, 40, 24});
        s.yMin = *mins[n] = label(g, "lbYmn" + sk, QStringLiteral("......."), {180, y + 2, 58, 20});
        s.slider = *bars[n] =
            named(new QScrollBar(Qt::Horizontal, g), "ScrollBar" + sk, {240, y + 3, 70, 18});
        s.slider->setRange(0, 100);
        s.slider->setValue(0);
        s.yMax = *maxs[n] = label(g, "lbYmx" + sk, QStringLiteral("......."), {314, y + 2, 58, 20});
        s.draw = *draws[n] = named(new QCheckBox(sk, g), "ChBNist" + sk, {374, y + 2, 32, 20});
        s.legend = *legends[n] = named(new QCheckBox(g), "chBLey" + sk, {414, y + 2, 20, 20});
        s.legend->setChecked(true);
    }
}

void TLinea::createCorrectionGroup() {
    GroupBox5 = named(new QGroupBox(QStringLiteral("Corrección en color"), clientArea()),
                      "GroupBox5", {632, 0, 180, 170});
    QWidget* g = GroupBox5;
    GroupBox3 =
        named(new QGroupBox(QStringLiteral("Espectrómetro"), g), "GroupBox3", {4, 16, 172, 40});
    rbChromex =
        named(new QRadioButton(QStringLiteral("Chromex"), GroupBox3), "rbChromex", {4, 16, 76, 20});
    rbChromex->setChecked(true);
    rbEVA = named(new QRadioButton(QStringLiteral("EVA"), GroupBox3), "rbEVA", {82, 16, 44, 20});
    rbOtro =
        named(new QRadioButton(QStringLiteral("Otro"), GroupBox3), "rbOtro", {126, 16, 44, 20});
    Label10 = label(g, "Label10", QStringLiteral("Color Central"), {6, 64, 72, 20});
    edColorCentral = edit(g, "edColorCentral", QStringLiteral("0"), {84, 62, 60, 24});
    Label8 = label(g, "Label8", QStringLiteral("nm"), {148, 64, 24, 20});
    Label6 = label(g, "Label6", QStringLiteral("Pendiente"), {6, 92, 58, 20});
    lbPendCorr = label(g, "lbPendCorr", QStringLiteral("0"), {64, 92, 68, 20});
    edOtroPend = edit(g, "edOtroPend", QStringLiteral("0"), {134, 90, 42, 24});
    edOtroPend->setVisible(false);
    Label9 = label(g, "Label9", QStringLiteral("Ord Orig"), {6, 118, 58, 20});
    lbOrdOri = label(g, "lbOrdOri", QStringLiteral("0"), {64, 118, 68, 20});
    edOtraOrd = edit(g, "edOtraOrd", QStringLiteral("0"), {134, 116, 42, 24});
    btCorrigeError = button(g, "btCorrigeError", QStringLiteral("Corrige"), {6, 142, 80, 24});
    Button2 = button(clientArea(), "Button2", QStringLiteral("&Regresa"), {632, 174, 180, 26});
}

void TLinea::createPeakGroups() {
    GroupBox2 = named(new QGroupBox(QStringLiteral("Posicion de Cursor"), clientArea()),
                      "GroupBox2", {816, 0, 202, 52});
    lbCurPosic = label(GroupBox2, "lbCurPosic", QStringLiteral(".........."), {6, 18, 192, 28});
    setPixelFont(lbCurPosic, 19);
    platform::setTextColor(lbCurPosic, 0xFF0000);
    GroupBox4 = named(new QGroupBox(QStringLiteral("Almacena picos"), clientArea()), "GroupBox4",
                      {816, 54, 202, 147});
    CBguarda = named(new QCheckBox(QStringLiteral("Si"), GroupBox4), "CBguarda", {8, 18, 44, 22});
    btGuarda = button(GroupBox4, "btGuarda", QStringLiteral("Guarda"), {60, 16, 80, 25});
    ListBox1 = named(new platform::ListBox(GroupBox4), "ListBox1", {6, 46, 190, 96});
}

void TLinea::connectHandlers() {
    std::array handlersName{&TLinea::lbNist1Click, &TLinea::lbNist2Click, &TLinea::lbNist3Click,
                            &TLinea::lbNist4Click, &TLinea::lbNist5Click, &TLinea::lbNist6Click};
    std::array handlersDraw{&TLinea::ChBNist1Click, &TLinea::ChBNist2Click, &TLinea::ChBNist3Click,
                            &TLinea::ChBNist4Click, &TLinea::ChBNist5Click, &TLinea::ChBNist6Click};
    std::array handlersScroll{&TLinea::ScrollBar1Scroll, &TLinea::ScrollBar2Scroll,
                              &TLinea::ScrollBar3Scroll, &TLinea::ScrollBar4Scroll,
                              &TLinea::ScrollBar5Scroll, &TLinea::ScrollBar6Scroll};
    for (std::size_t n = 0; n < slots_.size(); ++n) {
        platform::onClick(slots_[n].name, this, handlersName[n]);
        platform::onClick(slots_[n].draw, this, handlersDraw[n]);
        platform::onScroll(slots_[n].slider, this, handlersScroll[n]);
    }
    platform::onClick(btLeeExp, this, &TLinea::btLeeExpClick);
    platform::onClick(btGrafNist, this, &TLinea::btGrafNistClick);
    platform::onClick(btGrafExp, this, &TLinea::btGrafExpClick);
    platform::onClick(btZoom, this, &TLinea::btZoomClick);
    platform::onClick(Button2, this, &TLinea::Button2Click);
    platform::onExit(edColorCentral, this, &TLinea::edColorCentralExit);
    platform::onClick(rbChromex, this, &TLinea::rbChromexClick);
    platform::onClick(rbOtro, this, &TLinea::rbOtroClick);
    platform::onExit(edOtroPend, this, &TLinea::edOtroPendExit);
    platform::onExit(edOtraOrd, this, &TLinea::edOtraOrdExit);
    platform::onClick(btCorrigeError, this, &TLinea::btCorrigeErrorClick);
    platform::onClick(btGuardaDatosExp, this, &TLinea::btGuardaDatosExpClick);
    platform::onClick(CBguarda, this, &TLinea::CBguardaClick);
    platform::onClick(btGuarda, this, &TLinea::btGuardaClick);
}

void TLinea::FormCreate() {
    frame.frameReady = false;
}

void TLinea::lbNistClick(int k) {
    pendingSlot = k;
    Lee->openReference();
}

void TLinea::FormActivate() {
    const auto& store = Lee->store;
    if (pendingSlot >= 1 && pendingSlot <= slotCount) {
        int k = pendingSlot;
        const SlotControls& s = slotControls(k);
        s.name->setText(Lee->lbArchEspec->text());
        s.yMin->setText(generalText(store.yRefMin));
        s.yMax->setText(generalText(store.yRefMax));
        nNist[k] = store.nRef;
        slotFiles_[static_cast<std::size_t>(k - 1)] = store.refPath;
        CopyReferenceToSlot(k);
    }
    if (store.hayExp)
        showExperimentalName(Lee->lbArchExp->text());
    axisCorrected = store.zExpCurrent;
}

void TLinea::showExperimentalName(const QString& name) {
    lbExp->setText(name);
    expNameShortened = false;
}

void TLinea::CopyReferenceToSlot(int k) {
    const auto& store = Lee->store;
    if (nNist[k] > slotCapacity) {
        platform::showMessage(QStringLiteral("Numero de datos mayor al tamaño de arreglo"),
                              QStringLiteral("N>2024"), true);
        return;
    }
    for (int i = 1; i <= nNist[k]; ++i) {
        xNist(i, k) = store.xRef[i];
        yNist(i, k) = store.yRef[i];
        ionNist(i, k) = store.ionRef[i].substr(0, 6);
    }
    yMinNist[k] = store.yRefMin;
    // Both ends in one step; an empty file leaves the slider as it was.
    if (store.nRef > 0)
        slotControls(k).slider->setRange(sliderValue(store.yRefMin), sliderValue(store.yRefMax));
}

void TLinea::ChBNistClick(int k) {
    const SlotControls& s = slotControls(k);
    if (s.name->text() == empty)
        s.draw->setChecked(false);
}

void TLinea::ScrollBarScroll(int k) {
    Label4->setText(QString::number(slotControls(k).slider->sliderPosition()));
}

void TLinea::btLeeExpClick() {
    Lee->openExperimental();
    axisCorrected = false;
    Lee->store.zExpCurrent = false;
    ListBox1->clear();
    nextPeak = 1;
    peakLimitReported = false;
    btZoom->setVisible(true);
    Zoom->zoomActivo = false;
}

plot::PlotLimits TLinea::plotRange() {
    if (Zoom->zoomActivo)
        return {Zoom->xMaxZoom, Zoom->xMinZoom, Zoom->yMaxZoom, Zoom->yMinZoom};
    return plot::experimentalBounds(Lee->store);
}

void TLinea::PlotExperimental() {
    const auto& store = Lee->store;
    if (!store.hayExp)
        return;
    frame.drawEmptyFrame();
    plot::Scales scales = plot::drawSpectrum(frame, plot::experimentalSpectrum(store), plotRange());
    xScale = scales.x;
    yScale = scales.y;
    spectrumYScale = yScale;
}

void TLinea::btGrafExpClick() {
    PlotExperimental();
}

void TLinea::btGrafNistClick() {
    // Without a spectrum there is no frame or scale to place the sets in: nothing is drawn.
    if (!Lee->store.hayExp)
        return;
    PlotExperimental();
    double shift = realOf(edShiftNist);
    plot::PlotLimits range = plotRange();
    for (int k = 1; k <= slotCount; ++k)
        if (slotControls(k).draw->isChecked())
            drawLineSet(k, shift, range.xMin, range.xMax);
}

void TLinea::drawLineSet(int k, double shift, double xMin, double xMax) {
    const SlotControls& controls = slotControls(k);
    canvas().setPenColor(plot::lineSetColour(k));
    double mult = realOf(controls.mult);
    // A slot whose count exceeds its capacity was never copied: it is drawn as empty.
    auto n = static_cast<std::size_t>(nNist[k] > slotCapacity ? 0 : std::max(0, nNist[k]));
    // Slot k's lines lie one after another in the table.
    plot::SeriesView set{std::span(&xNist(1, k), n), std::span(&yNist(1, k), n)};
    double s = plot::stickScale(frame.frameHeight, set, xMin, xMax, plot::lineViewFlatSet(k));
    yScale = s;
    bool withLabels = controls.legend->isChecked();
    plot::drawSticks(frame, set, {xMin, xMax, xScale, shift, yMinNist[k], mult, s}, [&](int i) {
        return withLabels ? platform::fromFileText(ionNist(i, k)) : QString();
    });
}

void TLinea::FormClick() {
    if (frame.frameReady)
        btGrafNistClick();
}

void TLinea::FormMouseDown(const platform::MouseState& state) {
    if (!state.isPlainLeft() || !frame.frameReady)
        return;
    auto at = frame.valueAt(state.x, state.y, xScale, spectrumYScale, plotRange());
    lbCurPosic->setText(QString::fromStdString(plot::cursorText(at.x, at.y)));
    if (CBguarda->isChecked())
        capturePeak(at.x, at.y);
}

void TLinea::capturePeak(double x, double y) {
    if (nextPeak > peakCapacity) {
        if (!peakLimitReported) {
            peakLimitReported = true;
            platform::showMessage(
                QStringLiteral("La lista ya tiene %1 picos; no se guardan más.").arg(peakCapacity),
                QStringLiteral("Almacena picos"));
        }
        return;
    }
    ListBox1->add(QString::fromStdString(plot::cursorValues(x, y)));
    xPico[nextPeak] = x;
    yPico[nextPeak] = y;
    ++nextPeak;
}

void TLinea::CBguardaClick() {
    if (CBguarda->isChecked()) {
        ListBox1->add(QStringLiteral("has click en cada pico"));
        ListBox1->add(QStringLiteral("al terminar"));
        ListBox1->add(QStringLiteral("presiona boton Guarda"));
    } else {
        ListBox1->clear();
    }
}

void TLinea::btGuardaClick() {
    if (!CBguarda->isChecked())
        return;
    auto count = static_cast<std::size_t>(nextPeak - 1);
    auto path = platform::toPath(lbExp->text() + QStringLiteral("_picos.dat"));
    textio::checkDerivedName(path.string());
    ensureNotAnInput(path);
    lines::writePeaks(path, std::span(xPico.data(), count), std::span(yPico.data(), count));
}

void TLinea::edColorCentralExit() {
    double cw = realOf(edColorCentral);
    if (cw == 0)
        return;
    lines::LinearError error;
    if (rbChromex->isChecked()) {
        edOtroPend->setVisible(false);
        edOtraOrd->setVisible(false);
        error = lines::chromexError(cw);
    } else if (rbOtro->isChecked()) {
        error = {realOf(edOtroPend), realOf(edOtraOrd)};
    } else {
        return; // no model for the EVA spectrometer here
    }
    lbPendCorr->setText(generalText(error.slope));
    lbOrdOri->setText(generalText(error.intercept));
}

void TLinea::rbChromexClick() {
    edOtroPend->setVisible(false);
    edOtraOrd->setVisible(false);
    edColorCentralExit();
}

void TLinea::rbOtroClick() {
    edOtroPend->setVisible(true);
    edOtraOrd->setVisible(true);
}

void TLinea::edOtroPendExit() {
    lbPendCorr->setText(edOtroPend->text());
}

void TLinea::edOtraOrdExit() {
    lbOrdOri->setText(edOtraOrd->text());
}

void TLinea::btCorrigeErrorClick() {
    realOf(edColorCentral); // a bad central wavelength stops the correction before anything
    lines::LinearError error{realOf(lbPendCorr->text()), realOf(lbOrdOri->text())};
    lbOrdOri->setText(generalText(error.intercept));
    lines::correctAxis(Lee->store, error);
    axisCorrected = Lee->store.zExpCurrent;
    btGrafNistClick();
}

void TLinea::btGuardaDatosExpClick() {
    // A second save without a new name writes the same file instead of shortening it again.
    if (!expNameShortened) {
        lbExp->setText(platform::withoutLastFour(lbExp->text()));
        expNameShortened = true;
    }
    auto path = platform::toPath(lbExp->text() + QStringLiteral("_cor.dat"));
    textio::checkDerivedName(path.string());
    ensureNotAnInput(path);
    lines::writeCorrectedSpectrum(path, Lee->store);
}

void TLinea::ensureNotAnInput(const std::filesystem::path& output) const {
    textio::ensureDistinct(Lee->store.expPath, output);
    textio::ensureDistinct(slotFiles_, output);
}

void TLinea::btZoomClick() {
    const auto& s = Lee->store;
    Zoom->edXmax->setText(generalText(s.xExpMax));
    Zoom->edXmin->setText(generalText(s.xExpMin));
    Zoom->edYmax->setText(generalText(s.yExpMax));
    Zoom->edYmin->setText(generalText(s.yExpMin));
    Zoom->showWindow();
}

void TLinea::Button2Click() {
    hide();
}
