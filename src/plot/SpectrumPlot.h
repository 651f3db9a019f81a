// The drawing every graph window shares: the spectrum as a polyline with its two scales, the
// scale of a set of reference sticks, and the cursor read-out text.
#pragma once

#include "platform/Canvas.h"
#include "plot/PlotFrame.h"
#include "store/SpectrumStore.h"

#include <QString>

#include <algorithm>
#include <functional>
#include <span>
#include <string>

namespace plot {

// Pairs of values held side by side: point i (from 1) is (x[i - 1], y[i - 1]).
struct SeriesView {
    std::span<const double> x;
    std::span<const double> y;
    int count() const { return static_cast<int>(std::min(x.size(), y.size())); }
};

// The store's experimental spectrum, its nExp points.
SeriesView experimentalSpectrum(const store::SpectrumStore& s);

// Pixels per data unit of a drawing.
struct Scales {
    double x = 0;
    double y = 0;
};

inline constexpr platform::Rgb spectrumColour = 0x0000FF;

// The scales that spread the limits over the laid-out frame: frameWidth over xMax - xMin, then
// frameHeight over yMax - yMin.
Scales scalesFor(const PlotFrame& frame, const PlotLimits& limits);

// Point i of the spectrum as step i of a polyline, placed with these scales from the lower
// limits.
void plotSpectrumPoint(PlotFrame& frame, SeriesView spectrum, const PlotLimits& limits,
                       const Scales& scales, int i);

// The spectrum as one polyline in the spectrum's colour over the laid-out frame, scaled so that
// the limits fill the frame: the scales, the pen, then every point. Returns the scales.
Scales drawSpectrum(PlotFrame& frame, SeriesView spectrum, const PlotLimits& limits);

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

// Pixels per intensity unit of a set of reference sticks: `height` over the spread of the
// intensities of its visible lines. The largest starts from -9e10 and the smallest from 9e10, so a
// set without visible lines gets height / -1.8e11.
double stickScale(int height, SeriesView lines, double xMin, double xMax, FlatSet flat);

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

// Every visible line of the set (by its unshifted wavelength) as a stick, labelled with
// `label(i)` (an empty text draws none).
void drawSticks(PlotFrame& frame, SeriesView lines, const StickPlacement& at,
                const std::function<QString(int i)>& label);

// The cursor's values as the read-out and the line view's peak list show them: x as "%8.2f",
// ", ", y as "%8.0f".
std::string cursorValues(double x, double y);
// The cursor read-out: the values in parentheses.
std::string cursorText(double x, double y);

} // namespace plot
