// The drawing every graph window shares: the spectrum as a polyline with its two scales, a set of
// reference lines as labelled sticks, and the cursor read-out text.
#pragma once

#include "platform/Canvas.h"
#include "plot/PlotFrame.h"
#include "plot/PlotScale.h"

#include <QString>

#include <functional>
#include <string>

namespace plot {

// Pixels per data unit of a drawing.
struct Scales {
    double x = 0;
    double y = 0;
};

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
