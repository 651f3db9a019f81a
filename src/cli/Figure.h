// A figure of a spectrum and its line sets, drawn for print.
//
// The figure is the line view's combined graph: the spectrum in blue, each line set as sticks in
// its colour with its own vertical scale. It is laid out as if printed at the width of a paper's
// column (8.5 cm): fonts of 6.5 to 8.5 points and lines of 0.6 points there. A larger figure is
// that column figure enlarged, so that it reads the same once shrunk to the column; the resolution
// only sets its size on paper. Everything in the plot area is clipped to it; the legend stands
// above it.
#pragma once

#include "plot/PlotScale.h"

#include <QLineF>
#include <QRectF>
#include <QString>

#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class QIODevice;
class QPaintDevice;

namespace figure {

// One set of reference lines as the line view holds it.
struct LineSet {
    std::filesystem::path file; // named by the legend and by any failure of the set
    std::vector<double> x;
    std::vector<double> y;
    std::vector<std::string> labels; // as read from the file
    // The smallest intensity of the whole file: the sticks rise from it.
    double fileMinimum = 0;
    double mult = 1;
    // 1..6: the set's colour and its rule for lines of one intensity.
    int slot = 1;
};

struct Content {
    std::filesystem::path spectrumFile;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<LineSet> sets;
    double shift = 0;
    bool withLabels = true;
    plot::PlotLimits limits;
};

struct Page {
    int width = 1600; // pixels
    int height = 1000;
    int dpi = 150;
};

enum class Format { Png, Svg, Pdf };

// The format named by a file's extension (.png, .svg or .pdf, in any case).
std::optional<Format> formatOf(const std::filesystem::path& file);

// A figure that could not be drawn or written, in the user's words; `file` names the input it
// comes from, or is empty when it is the output's.
class FigureError : public std::runtime_error {
public:
    explicit FigureError(const std::string& text, std::filesystem::path file = {})
        : std::runtime_error(text), file(std::move(file)) {}
    std::filesystem::path file;
};

// Draws the figure into `out` (a QGuiApplication must exist, for the fonts).
void writeFigure(QIODevice& out, Format format, const Page& page, const Content& content);

// Draws the figure on a device of the page's resolution, filling the whole device.
void paintFigure(QPaintDevice& device, int dpi, const Content& content);

// Ticks of an axis at a round step (1, 2 or 5 times a power of ten), the finest that puts at
// most maxCount + 1 of them in min..max, with their texts: as many decimals as the step needs,
// and, for values of 100000 or more or below 0.001, divided by 10^exponent (shown beside the
// axis title). No ticks when the range is empty or not finite.
struct Ticks {
    std::vector<double> values;
    std::vector<QString> texts;
    int exponent = 0;
};
Ticks roundTicks(double min, double max, int maxCount);

// "×10⁵" for an exponent of 5; empty for 0.
QString exponentText(int exponent);

// A label to set at the top of a stick: the stick's column, the row of its top (device units,
// y downwards) and the label's size.
struct LabelRequest {
    double x = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Where a label stands: its box, whether it is turned upright (read from below), and the dotted
// leader that ties it to its stick when it stands higher than just above it (null otherwise).
struct LabelPlace {
    QRectF rect;
    bool vertical = false;
    QLineF leader;
};

// Where each label goes, tried in this order: level and centred above its stick, level beside
// the stick's top (right, then left), the same three turned upright, then level and upright
// higher and higher above the stick, half a label at a time, with a leader. A place must lie
// inside `area` and overlap neither a label or leader already placed nor an obstacle (the drawn
// data); a leader may cross the data but no label. A label that finds no place is left out
// (empty). Labels are placed in the order given, so the ones that matter most come first.
std::vector<std::optional<LabelPlace>> placeLabels(std::span<const LabelRequest> requests,
                                                   const QRectF& area,
                                                   std::span<const QRectF> obstacles, double gap);

} // namespace figure
