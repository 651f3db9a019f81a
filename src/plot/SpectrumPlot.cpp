// The drawing every graph window shares.
#include "SpectrumPlot.h"

#include "textio/NumberText.h"

namespace plot {

Scales scalesFor(const PlotFrame& frame, const PlotLimits& limits) {
    Scales scales;
    scales.x = scaleFor(frame.frameWidth, limits.xMax, limits.xMin);
    scales.y = scaleFor(frame.frameHeight, limits.yMax, limits.yMin);
    return scales;
}

void plotSpectrumPoint(PlotFrame& frame, SeriesView spectrum, const PlotLimits& limits,
                       const Scales& scales, int i) {
    auto at = static_cast<std::size_t>(i - 1);
    frame.PlotPoint(static_cast<int>(PointKind::Polyline), i,
                    pixelOffset(spectrum.x[at], limits.xMin, scales.x),
                    pixelOffset(spectrum.y[at], limits.yMin, scales.y), QString());
}

Scales drawSpectrum(PlotFrame& frame, SeriesView spectrum, const PlotLimits& limits) {
    Scales scales = scalesFor(frame, limits);
    frame.canvas().setPenColor(spectrumColour);
    for (int i = 1; i <= spectrum.count(); ++i)
        plotSpectrumPoint(frame, spectrum, limits, scales, i);
    return scales;
}

void drawSticks(PlotFrame& frame, SeriesView lines, const StickPlacement& at,
                const std::function<QString(int i)>& label) {
    forEachStick(lines, at, [&](int i, double x, double y) {
        frame.PlotPoint(static_cast<int>(PointKind::Stick), i, x, y, label(i));
    });
}

std::string cursorValues(double x, double y) {
    return textio::fixedField(x, 8, 2) + ", " + textio::fixedField(y, 8, 0);
}

std::string cursorText(double x, double y) {
    return std::string("(").append(cursorValues(x, y)).append(")");
}

} // namespace plot
