// The plot frame every graph window draws with: frame layout from the client size, clearing,
// axes, ticks, integer tick labels, and polyline or labelled-stick points.
//
// Pixel coordinates are those of the client area (x to the right, y downwards). Every conversion
// from a real to a pixel or a label value rounds to the nearest integer, halves to even.
#pragma once

#include "platform/Canvas.h"
#include "platform/Form.h"
#include "plot/PlotScale.h"

#include <QSize>
#include <QString>

#include <optional>

namespace plot {

// The few values in which the graph windows' frames differ.
struct FrameStyle {
    double leftFraction = 0.08;
    double bottomFraction = 0.94;
    double widthFraction = 0.85;
    double heightFraction = 0.6;
    int clearSide = 50;     // cleared margin left and right of the frame
    int clearVertical = 30; // cleared margin above and below the frame
    int divisionsX = 6;
    int divisionsY = 4;
    int tickLength = 6;
    int xLabelDrop = 6;    // x labels start this far below the axis
    int yLabelOffset = 36; // y labels start this far left of the axis
    // The first point of a polyline is pulled vertically into the frame.
    bool clampFirstPoint = true;
    // Polyline points left or right of the frame are not drawn at all (the pen stays).
    bool skipOutsideX = false;
    // When set, a stick gets its label only when its top lies below this pixel row (a greater
    // row); when empty, every stick with a label does. The stick itself is always drawn.
    std::optional<int> labelsBelowRow;
};

// A point in data units (wavelength, intensity).
struct DataPoint {
    double x = 0;
    double y = 0;
};

enum class PointKind { Polyline = 1, Stick = 2 };

// Where a frame's tick labels take their range, asked at every drawing of the labels.
using LimitsSource = PlotLimits (*)();

// A frame draws on its form's canvas (whatever canvas is in front of the retained image at the
// time) and takes its size from the form's client area; both are given at construction.
class PlotFrame {
public:
    PlotFrame(platform::Form& form, LimitsSource labelLimits, const FrameStyle& style = {});

    // Frame values of the last layout.
    int clientWidth = 0;
    int clientHeight = 0;
    int frameLeft = 0;
    int frameBottom = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    bool frameReady = false;
    int nDivX = 0;
    int nDivY = 0;

    FrameStyle style;

    // Where the frame draws now.
    platform::Canvas& canvas() const;
    // The range the tick labels show now.
    PlotLimits labelLimits() const;

    void SetupFrame();
    void ClearPlot();
    void DrawAxes();
    void DrawTicks();
    void DrawTickLabels();
    // One step of a polyline (kind 1) or one labelled stick (kind 2); x and y are pixel offsets
    // from the frame origin, x to the right and y upwards.
    void PlotPoint(int kind, int index, double x, double y, const QString& label);

    // The client area erased, then SetupFrame, ClearPlot, DrawAxes, DrawTicks and
    // DrawTickLabels in that order.
    void drawEmptyFrame();

    // The data values under client pixel (x, y) for a plot drawn with these scales from these
    // lower limits.
    DataPoint valueAt(int x, int y, double xScale, double yScale, const PlotLimits& limits) const;

private:
    int tickOffset(int i, int length, int divisions) const;

    platform::Form& form_;
    LimitsSource labelLimits_;
};

// The pixel nearest to v, kept within what the drawing layer takes.
int toPixel(double v);

} // namespace plot
