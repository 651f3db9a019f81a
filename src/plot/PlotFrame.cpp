// The plot frame every graph window draws with.
#include "PlotFrame.h"

#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <algorithm>
#include <stdexcept>

namespace plot {

int toPixel(double v) {
    constexpr std::int64_t limit = 1 << 30;
    return static_cast<int>(std::clamp<std::int64_t>(textio::nearest(v), -limit, limit));
}

PlotFrame::PlotFrame(platform::Form& form, LimitsSource labelLimits, const FrameStyle& style)
    : style(style), form_(form), labelLimits_(labelLimits) {
    if (labelLimits_ == nullptr)
        throw std::invalid_argument("a plot frame needs the source of its label limits");
}

platform::Canvas& PlotFrame::canvas() const {
    return form_.canvas();
}

PlotLimits PlotFrame::labelLimits() const {
    return labelLimits_();
}

DataPoint PlotFrame::valueAt(int x, int y, double xScale, double yScale,
                             const PlotLimits& limits) const {
    DataPoint p;
    p.x = textio::divide(x - frameLeft, xScale) + limits.xMin;
    p.y = textio::divide(frameBottom - y, yScale) + limits.yMin;
    return p;
}

void PlotFrame::SetupFrame() {
    QSize size = form_.clientArea()->size();
    clientWidth = size.width();
    clientHeight = size.height();
    frameWidth = toPixel(style.widthFraction * clientWidth);
    frameHeight = toPixel(style.heightFraction * clientHeight);
    frameLeft = toPixel(style.leftFraction * clientWidth);
    frameBottom = toPixel(style.bottomFraction * clientHeight);
    frameReady = true;
}

void PlotFrame::ClearPlot() {
    platform::Canvas& c = canvas();
    c.setPenStyle(platform::PenStyle::Solid);
    c.setBrushColor(0xFFFFFF);
    c.setPenColor(0x000000);
    c.rectangle(frameLeft - style.clearSide, frameBottom - frameHeight - style.clearVertical,
                frameLeft + frameWidth + style.clearSide, frameBottom + style.clearVertical);
}

void PlotFrame::DrawAxes() {
    platform::Canvas& c = canvas();
    c.moveTo(frameLeft, frameBottom);
    c.lineTo(frameLeft + frameWidth, frameBottom);
    c.moveTo(frameLeft, frameBottom);
    c.lineTo(frameLeft, frameBottom - frameHeight);
}

// The product is taken in integers and the division in reals.
int PlotFrame::tickOffset(int i, int length, int divisions) const {
    return toPixel(static_cast<double>(static_cast<std::int64_t>(i) * length) / divisions);
}

void PlotFrame::DrawTicks() {
    nDivX = style.divisionsX;
    nDivY = style.divisionsY;
    platform::Canvas& c = canvas();
    for (int i = 0; i <= nDivX; ++i) {
        int p = tickOffset(i, frameWidth, nDivX);
        c.moveTo(frameLeft + p, frameBottom);
        c.lineTo(frameLeft + p, frameBottom + style.tickLength);
    }
    for (int j = 0; j <= nDivY; ++j) {
        int q = tickOffset(j, frameHeight, nDivY);
        c.moveTo(frameLeft, frameBottom - q);
        c.lineTo(frameLeft - style.tickLength, frameBottom - q);
    }
}

void PlotFrame::DrawTickLabels() {
    if (nDivX <= 0 || nDivY <= 0)
        return;
    PlotLimits limits = labelLimits();
    double dx = (limits.xMax - limits.xMin) / nDivX;
    double dy = (limits.yMax - limits.yMin) / nDivY;
    platform::Canvas& c = canvas();
    for (int i = 0; i <= nDivX; ++i) {
        int p = tickOffset(i, frameWidth, nDivX);
        auto label = textio::integerText(textio::nearest(i * dx + limits.xMin));
        c.textOut(frameLeft + p, frameBottom + style.xLabelDrop, QString::fromStdString(label));
    }
    for (int j = 0; j <= nDivY; ++j) {
        int q = tickOffset(j, frameHeight, nDivY);
        auto label = textio::integerText(textio::nearest(j * dy + limits.yMin));
        c.textOut(frameLeft - style.yLabelOffset, frameBottom - q, QString::fromStdString(label));
    }
}

void PlotFrame::PlotPoint(int kind, int index, double x, double y, const QString& label) {
    if (kind != static_cast<int>(PointKind::Polyline) && kind != static_cast<int>(PointKind::Stick))
        return;
    int xs = toPixel(x);
    int ys = toPixel(y);
    platform::Canvas& c = canvas();
    if (kind == static_cast<int>(PointKind::Polyline)) {
        if (style.skipOutsideX && (xs < 0 || xs > frameWidth))
            return;
        if (index != 1) {
            c.lineTo(frameLeft + xs, frameBottom - ys);
            return;
        }
        if (style.clampFirstPoint)
            ys = std::clamp(ys, 0, std::max(0, frameHeight));
        c.moveTo(frameLeft + xs, frameBottom - ys);
        return;
    }
    int top = frameBottom - ys;
    c.moveTo(frameLeft + xs, frameBottom);
    c.lineTo(frameLeft + xs, top);
    if (!label.isEmpty() && (!style.labelsBelowRow || top > *style.labelsBelowRow))
        c.textOut(frameLeft + xs, top, label);
}

void PlotFrame::drawEmptyFrame() {
    // A full redraw starts from a clean client area, as after any repaint of the window: marks
    // an earlier picture left outside the cleared rectangle go.
    canvas().eraseAll();
    SetupFrame();
    ClearPlot();
    DrawAxes();
    DrawTicks();
    DrawTickLabels();
}

} // namespace plot
