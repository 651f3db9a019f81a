// TConv, the window for Gaussian line profiles of the reference lines.
#include "Convo.h"

#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "store/Archivos.h"
#include "textio/Convert.h"

TConv* Conv = nullptr;

namespace {

using platform::named;

// This window's frame: wider, lower, four divisions with short ticks, the zoom never consulted,
// and polyline points left or right of the frame not drawn.
plot::FrameStyle convStyle() {
    plot::FrameStyle s;
    s.leftFraction = 0.05;
    s.bottomFraction = 0.95;
    s.widthFraction = 0.9;
    s.heightFraction = 0.6;
    s.clearSide = 20;
    s.clearVertical = 20;
    s.divisionsX = 4;
    s.divisionsY = 4;
    s.tickLength = 5;
    s.xLabelDrop = 5;
    s.yLabelOffset = 10;
    s.clampFirstPoint = false;
    s.skipOutsideX = true;
    return s;
}

} // namespace

TConv::TConv()
    : Form(QStringLiteral("Conv"),
           QStringLiteral("Convolucion entre espectro experimental y del Nist"), 696, 480) {
    setPlacement(platform::Placement::Default);
    frame.style = convStyle();
    frame.drawOn(*this);
    frame.labelLimits = [] { return plot::experimentalBounds(Lee->store); };
    createControls();
    platform::onClick(btConvo, this, &TConv::btConvoClick);
    platform::onClick(btFin, this, &TConv::btFinClick);
}

void TConv::createControls() {
    QWidget* area = clientArea();
    Label4 = named(new QLabel(QStringLiteral("Delta Color"), area), "Label4", {8, 10, 80, 20});
    Edit1 = named(new QLineEdit(QStringLiteral("3"), area), "Edit1", {90, 8, 60, 24});
    GroupBox2 =
        named(new QGroupBox(QStringLiteral("Gaussiana"), area), "GroupBox2", {160, 2, 220, 84});
    Label1 =
        named(new QLabel(QStringLiteral("Ancho de l inea"), GroupBox2), "Label1", {8, 22, 100, 20});
    edAncho = named(new QLineEdit(QStringLiteral("2"), GroupBox2), "edAncho", {110, 20, 60, 24});
    Label2 = named(new QLabel(QStringLiteral("nm"), GroupBox2), "Label2", {176, 22, 30, 20});
    Label3 = named(new QLabel(QStringLiteral("Resolucion"), GroupBox2), "Label3", {8, 52, 100, 20});
    edResol = named(new QLineEdit(QStringLiteral("0.2"), GroupBox2), "edResol", {110, 50, 60, 24});
    Label5 = named(new QLabel(QStringLiteral("nm"), GroupBox2), "Label5", {176, 52, 30, 20});
    btConvo =
        named(new QPushButton(QStringLiteral("&Convolucion"), area), "btConvo", {8, 42, 142, 28});
    btFin = named(new QPushButton(QStringLiteral("&Fin"), area), "btFin", {8, 76, 142, 28});
    ListBox1 = named(new platform::ListBox(area), "ListBox1", {390, 4, 300, 118});
}

void TConv::btConvoClick() {
    const auto& s = Lee->store;
    if (!s.hayExp)
        return;
    frame.drawEmptyFrame();
    const double sx = textio::divide(frame.frameWidth, s.xExpMax - s.xExpMin);
    const double sy = textio::divide(frame.frameHeight, s.yExpMax - s.yExpMin);
    auto plotPoint = [&](int i) {
        frame.PlotPoint(1, i, (s.xExp[i] - s.xExpMin) * sx, (s.yExp[i] - s.yExpMin) * sy,
                        QString());
    };
    canvas().setPenColor(0x0000FF);
    for (int i = 1; i <= s.nExp; ++i)
        plotPoint(i);
    canvas().setPenColor(0xFF0000);
    // Profiles only for loaded reference lines; the red polyline still covers every point.
    for (int j = 1; j <= s.nExp; ++j) {
        if (j <= s.nRef)
            ComputeProfile(j);
        plotPoint(j);
    }
}

void TConv::ComputeProfile(int index) {
    reference::computeProfile(platform::realOf(edAncho), Lee->store.xRef.at(index), gauss);
    reference::listProfile(gauss, [this](const std::string& line) {
        ListBox1->add(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    });
}

void TConv::btFinClick() {
    hide();
}
