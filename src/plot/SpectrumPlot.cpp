// The drawing every graph window shares.
#include "SpectrumPlot.h"

#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <algorithm>

namespace plot {

SeriesView experimentalSpectrum(const store::SpectrumStore& s) {
    auto n = static_cast<std::size_t>(std::clamp(s.nExp, 0, store::experimentalCapacity));
    return {std::span(s.xExp.data(), n), std::span(s.yExp.data(), n)};
}

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

double stickScale(int height, SeriesView lines, double xMin, double xMax, FlatSet flat) {
    double largest = -9e10;
    double smallest = 9e10;
    for (int i = 1; i <= lines.count(); ++i) {
        auto at = static_cast<std::size_t>(i - 1);
        if (!isVisible(lines.x[at], xMin, xMax))
            continue;
        if (lines.y[at] >= largest)
            largest = lines.y[at];
        if (lines.y[at] <= smallest)
            smallest = lines.y[at];
    }
    if (largest - smallest != 0 || flat == FlatSet::DivideBySpread)
        return scaleFor(height, largest, smallest);
    return flat == FlatSet::OverIntensity ? textio::divide(height, largest) : height;
}

void drawSticks(PlotFrame& frame, SeriesView lines, const StickPlacement& at,
                const std::function<QString(int i)>& label) {
    for (int i = 1; i <= lines.count(); ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        if (!isVisible(lines.x[k], at.xMin, at.xMax))
            continue;
        double x = pixelOffset(textio::checkedSum(lines.x[k], at.shift), at.xMin, at.xScale);
        double y = pixelOffset(lines.y[k], at.yMin, textio::checkedProduct(at.mult, at.scale));
        frame.PlotPoint(2, i, x, y, label(i));
    }
}

std::string cursorValues(double x, double y) {
    return textio::fixedField(x, 8, 2) + ", " + textio::fixedField(y, 8, 0);
}

std::string cursorText(double x, double y) {
    return std::string("(").append(cursorValues(x, y)).append(")");
}

} // namespace plot
