// TConv, the window for Gaussian line profiles of the reference lines.
#include "Convo.h"

#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "plot/SpectrumPlot.h"
#include "store/Archivos.h"
#include "textio/Convert.h"

TConv* Conv = nullptr;

namespace {

using platform::button;
using platform::edit;
using platform::label;
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

// The store's bounds, which the tick labels show.
plot::PlotLimits storeBounds() {
    return plot::experimentalBounds(Lee->store);
}

} // namespace

TConv::TConv()
    : Form(QStringLiteral("Conv"),
           QStringLiteral("Convolucion entre espectro experimental y del Nist"), 696, 480),
      frame(*this, storeBounds, convStyle()) {
    setPlacement(platform::Placement::Default);
    createControls();
    platform::onClick(btConvo, this, &TConv::btConvoClick);
    platform::onClick(btFin, this, &TConv::btFinClick);
}

void TConv::createControls() {
    QWidget* area = clientArea();
    // The settings sit compactly on the left, so that the longest listing line (52 characters)
    // fits the list without scrolling sideways.
    GroupBox2 =
        named(new QGroupBox(QStringLiteral("Gaussiana"), area), "GroupBox2", {8, 2, 176, 84});
    Label1 = label(GroupBox2, "Label1", QStringLiteral("Ancho de l inea"), {8, 22, 96, 20});
    edAncho = edit(GroupBox2, "edAncho", QStringLiteral("2"), {104, 20, 42, 24});
    Label2 = label(GroupBox2, "Label2", QStringLiteral("nm"), {150, 22, 22, 20});
    Label3 = label(GroupBox2, "Label3", QStringLiteral("Resolucion"), {8, 52, 96, 20});
    edResol = edit(GroupBox2, "edResol", QStringLiteral("0.2"), {104, 50, 42, 24});
    Label5 = label(GroupBox2, "Label5", QStringLiteral("nm"), {150, 52, 22, 20});
    Label4 = label(area, "Label4", QStringLiteral("Delta Color"), {16, 96, 72, 20});
    Edit1 = edit(area, "Edit1", QStringLiteral("3"), {112, 94, 42, 24});
    btConvo = button(area, "btConvo", QStringLiteral("&Convolucion"), {188, 8, 96, 28});
    btFin = button(area, "btFin", QStringLiteral("&Fin"), {188, 42, 96, 28});
    ListBox1 = named(new platform::ListBox(area), "ListBox1", {290, 4, 402, 134});
}

void TConv::btConvoClick() {
    const auto& s = Lee->store;
    if (!s.hayExp)
        return;
    frame.drawEmptyFrame();
    const plot::SeriesView spectrum = plot::experimentalSpectrum(s);
    const plot::PlotLimits bounds = plot::experimentalBounds(s);
    // The scales are this drawing's own: the window keeps none.
    const plot::Scales scales = plot::drawSpectrum(frame, spectrum, bounds);
    canvas().setPenColor(0xFF0000);
    // Profiles only for loaded reference lines; the red polyline still covers every point.
    for (int j = 1; j <= spectrum.count(); ++j) {
        if (j <= s.nRef)
            ComputeProfile(j);
        plot::plotSpectrumPoint(frame, spectrum, bounds, scales, j);
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
