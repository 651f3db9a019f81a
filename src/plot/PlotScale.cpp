// The arithmetic of the graphs apart from any drawing.
#include "PlotScale.h"

#include "textio/Convert.h"

#include <array>

namespace plot {

PlotLimits experimentalBounds(const store::SpectrumStore& s) {
    return {s.xExpMax, s.xExpMin, s.yExpMax, s.yExpMin};
}

SeriesView experimentalSpectrum(const store::SpectrumStore& s) {
    auto n = static_cast<std::size_t>(std::clamp(s.nExp, 0, store::experimentalCapacity));
    return {std::span(s.xExp.data(), n), std::span(s.yExp.data(), n)};
}

std::uint32_t lineSetColour(int k) {
    // red, green, black, magenta, grey, olive
    constexpr std::array<std::uint32_t, lineSetCount> colours{0xFF0000, 0x008000, 0x000000,
                                                              0xFF00FF, 0x808080, 0x808000};
    return colours.at(static_cast<std::size_t>(k - 1));
}

double scaleFor(double pixels, double max, double min) {
    return textio::divide(pixels, textio::checkedDifference(max, min));
}

double pixelOffset(double value, double min, double scale) {
    return textio::checkedProduct(textio::checkedDifference(value, min), scale);
}

FlatSet lineViewFlatSet(int k) {
    return k == 1 ? FlatSet::OverIntensity : FlatSet::FrameHeight;
}

double stickScale(double height, SeriesView lines, double xMin, double xMax, FlatSet flat) {
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

void forEachStick(SeriesView lines, const StickPlacement& at,
                  const std::function<void(int i, double x, double y)>& stick) {
    for (int i = 1; i <= lines.count(); ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        if (!isVisible(lines.x[k], at.xMin, at.xMax))
            continue;
        double x = pixelOffset(textio::checkedSum(lines.x[k], at.shift), at.xMin, at.xScale);
        double y = pixelOffset(lines.y[k], at.yMin, textio::checkedProduct(at.mult, at.scale));
        stick(i, x, y);
    }
}

} // namespace plot
