// The arithmetic of the graphs apart from any drawing: plot limits, data-to-pixel scales, the
// colours of the line view, and where the sticks of a set of reference lines stand.
#pragma once

#include "store/SpectrumStore.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>

namespace plot {

// The range the tick labels and scales are taken from.
struct PlotLimits {
    double xMax = 0;
    double xMin = 0;
    double yMax = 0;
    double yMin = 0;
};

// The bounds of the store's experimental spectrum.
PlotLimits experimentalBounds(const store::SpectrumStore& s);

// Pairs of values held side by side: point i (from 1) is (x[i - 1], y[i - 1]).
struct SeriesView {
    std::span<const double> x;
    std::span<const double> y;
    int count() const { return static_cast<int>(std::min(x.size(), y.size())); }
};

// The store's experimental spectrum, its nExp points.
SeriesView experimentalSpectrum(const store::SpectrumStore& s);

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t spectrumColour = 0x0000FF;
inline constexpr int lineSetCount = 6;
// The sticks of line set k (1..6) in the line view.
std::uint32_t lineSetColour(int k);

// Pixels per data unit for `pixels` spread over max - min.
double scaleFor(double pixels, double max, double min);
// (value - min) * scale, the offset in pixels of a data value from the frame's edge; a result
// beyond a double is reported as an overflow, like every product and sum of the drawing.
double pixelOffset(double value, double min, double scale);

// Whether a reference line at wavelength x stands in the drawing: xMin..xMax, both ends included.
inline bool isVisible(double x, double xMin, double xMax) {
    return xMin <= x && x <= xMax;
}

// A set's scale when its visible lines all have one intensity (their spread is zero).
enum class FlatSet {
    DivideBySpread, // divided like any other spread: "Floating point division by zero"
    OverIntensity,  // the frame height over that intensity
    FrameHeight,    // the frame height itself
};

// The line view's rule for a flat set: set 1 over its intensity, sets 2 to 6 the frame height.
FlatSet lineViewFlatSet(int k);

// Pixels per intensity unit of a set of reference sticks: `height` over the spread of the
// intensities of its visible lines. The largest starts from -9e10 and the smallest from 9e10, so a
// set without visible lines gets height / -1.8e11.
double stickScale(double height, SeriesView lines, double xMin, double xMax, FlatSet flat);

// Where a set's sticks stand: line i at (x + shift - xMin) * xScale, (y - yMin) * mult * scale,
// both products checked for overflow at every stick.
struct StickPlacement {
    double xMin = 0;
    double xMax = 0;
    double xScale = 0;
    double shift = 0;
    double yMin = 0;
    double mult = 1;
    double scale = 0;
};

// Every visible line of the set (by its unshifted wavelength), in order, handed to `stick` with
// its index (from 1) and its offsets in pixels from the frame origin, x to the right and y upwards.
void forEachStick(SeriesView lines, const StickPlacement& at,
                  const std::function<void(int i, double x, double y)>& stick);

} // namespace plot
