// A figure of a spectrum and its line sets, drawn for print.
#include "Figure.h"

#include "textio/AppError.h"
#include "textio/Files.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace figure {

namespace {

// The column the figure is drawn for, and its height at the usual aspect of a graph.
constexpr double columnWidthInches = 8.5 / 2.54;
constexpr double columnHeightInches = columnWidthInches / 1.6;

// Sizes in points at the column width.
constexpr double tickFontPoints = 7.5;
constexpr double titleFontPoints = 8.5;
constexpr double legendFontPoints = 7.5;
constexpr double labelFontPoints = 6.5;
constexpr double lineWidthPoints = 0.6;
constexpr double tickLengthPoints = 3;
constexpr double padPoints = 4;       // around the figure
constexpr double gapPoints = 2.5;     // between a text and what it names
constexpr double swatchPoints = 10;   // the legend's sample of a line
constexpr double entryGapPoints = 10; // between legend entries

// m * 10^k: exact for whole m while the result is, and the nearest double otherwise.
double timesPowerOfTen(double m, int k) {
    return k >= 0 ? m * std::pow(10.0, k) : m / std::pow(10.0, -k);
}

// The exponent of the power of ten at or below v > 0.
int decade(double v) {
    int e = static_cast<int>(std::floor(std::log10(v)));
    if (timesPowerOfTen(1, e) > v)
        --e;
    else if (timesPowerOfTen(1, e + 1) <= v)
        ++e;
    return e;
}

QString numberText(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    // The typographic minus, as a printed figure writes it.
    return text.replace(QLatin1Char('-'), QChar(0x2212));
}

// The exponent the texts of these ticks are divided by: only for large or small values, and only
// when the texts keep at most three decimals.
int tickExponent(const std::vector<double>& values, int stepPower) {
    double largest = std::max(std::abs(values.front()), std::abs(values.back()));
    if (largest == 0 || (largest < 1e5 && largest >= 1e-3))
        return 0;
    int e = decade(largest);
    return e - stepPower <= 3 ? e : 0;
}

} // namespace

namespace {

// The ticks n * mantissa * 10^power for n = first..last, with their texts.
Ticks ticksAt(double first, double last, double mantissa, int power) {
    Ticks ticks;
    for (double n = first; n <= last; ++n)
        ticks.values.push_back(timesPowerOfTen(n * mantissa, power));
    if (ticks.values.empty())
        return ticks;
    ticks.exponent = tickExponent(ticks.values, power);
    const int decimals = std::max(0, ticks.exponent - power);
    for (double n = first; n <= last; ++n)
        ticks.texts.push_back(
            numberText(timesPowerOfTen(n * mantissa, power - ticks.exponent), decimals));
    return ticks;
}

} // namespace

Ticks roundTicks(double min, double max, int maxCount) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(max > min) || maxCount < 1)
        return {};
    const double raw = (max - min) / maxCount;
    if (!std::isfinite(raw) || raw <= 0)
        return {};
    const int k = decade(raw);
    for (int m : {1, 2, 5, 10}) {
        const double mantissa = m == 10 ? 1 : m;
        const int power = m == 10 ? k + 1 : k;
        const double step = timesPowerOfTen(mantissa, power);
        // A tick a millionth of a step outside the range still counts as at its end.
        const double first = std::ceil(min / step - 1e-6);
        const double last = std::floor(max / step + 1e-6);
        if (!std::isfinite(step) || step <= 0 || last - first + 1 > maxCount + 1)
            continue;
        // Beyond this the tick numbers are no longer whole: the range is too narrow for its
        // magnitude to be marked.
        if (std::abs(first) > 1e15 || std::abs(last) > 1e15)
            return {};
        return ticksAt(first, last, mantissa, power);
    }
    return {};
}

QString exponentText(int exponent) {
    if (exponent == 0)
        return {};
    static const char16_t superscripts[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text = QStringLiteral("×10");
    if (exponent < 0)
        text += QChar(0x207B);
    for (QChar digit : QString::number(std::abs(exponent)))
        text += QChar(superscripts[digit.digitValue()]);
    return text;
}

namespace {

// Rectangles sorted into vertical strips of the area, so that a test looks only at the few that
// share its strips.
class RectIndex {
public:
    RectIndex(const QRectF& area, std::span<const QRectF> rects)
        : left_(area.left()), strip_(std::max(area.width(), 1.0) / strips), members_(strips) {
        for (const QRectF& r : rects)
            add(r);
    }
    void add(const QRectF& r) {
        auto [first, last] = stripsOf(r);
        for (std::size_t i = first; i <= last; ++i)
            members_[i].push_back(r);
    }
    bool hits(const QRectF& r) const {
        auto [first, last] = stripsOf(r);
        for (std::size_t i = first; i <= last; ++i)
            for (const QRectF& m : members_[i])
                if (m.intersects(r))
                    return true;
        return false;
    }

private:
    static constexpr std::size_t strips = 256;
    std::pair<std::size_t, std::size_t> stripsOf(const QRectF& r) const {
        auto strip = [&](double x) {
            return static_cast<std::size_t>(std::clamp((x - left_) / strip_, 0.0, strips - 1.0));
        };
        return {strip(r.left()), strip(r.right())};
    }
    double left_;
    double strip_;
    std::vector<std::vector<QRectF>> members_;
};

// The places a label may take, best first: level and centred above its stick, level beside the
// stick's top (right, then left), the same three turned upright, then level and upright higher
// and higher above the stick, half a label at a time, tied to it by a leader.
std::vector<LabelPlace> candidatePlaces(const LabelRequest& r, const QRectF& area, double gap) {
    std::vector<LabelPlace> places;
    for (bool vertical : {false, true}) {
        const double w = vertical ? r.height : r.width;
        const double h = vertical ? r.width : r.height;
        const double besideTop = std::max(r.top, area.top());
        places.push_back({{r.x - w / 2, r.top - gap - h, w, h}, vertical, {}});
        places.push_back({{r.x + gap, besideTop, w, h}, vertical, {}});
        places.push_back({{r.x - gap - w, besideTop, w, h}, vertical, {}});
    }
    for (bool vertical : {false, true}) {
        const double w = vertical ? r.height : r.width;
        const double h = vertical ? r.width : r.height;
        for (double y = r.top - gap - 1.5 * h; y >= area.top(); y -= h / 2)
            places.push_back({{r.x - w / 2, y, w, h}, vertical, QLineF(r.x, r.top, r.x, y + h)});
    }
    return places;
}

QRectF leaderBox(const QLineF& leader) {
    return QRectF(leader.p2(), leader.p1()).normalized().adjusted(-0.5, 0, 0.5, 0);
}

} // namespace

std::vector<std::optional<LabelPlace>> placeLabels(std::span<const LabelRequest> requests,
                                                   const QRectF& area,
                                                   std::span<const QRectF> obstacles, double gap) {
    const RectIndex data(area, obstacles);
    RectIndex labels(area, {});
    std::vector<std::optional<LabelPlace>> placed;
    placed.reserve(requests.size());
    for (const LabelRequest& r : requests) {
        std::optional<LabelPlace> chosen;
        for (const LabelPlace& place : candidatePlaces(r, area, gap)) {
            // A leader may cross the data, drawn beneath it, but no other label.
            if (!area.contains(place.rect) || data.hits(place.rect) || labels.hits(place.rect) ||
                (!place.leader.isNull() && labels.hits(leaderBox(place.leader))))
                continue;
            chosen = place;
            labels.add(place.rect);
            if (!place.leader.isNull())
                labels.add(leaderBox(place.leader));
            break;
        }
        placed.push_back(chosen);
    }
    return placed;
}

std::optional<Format> formatOf(const std::filesystem::path& file) {
    QString extension = QString::fromStdString(file.extension().string()).toLower();
    if (extension == QLatin1String(".png"))
        return Format::Png;
    if (extension == QLatin1String(".svg"))
        return Format::Svg;
    if (extension == QLatin1String(".pdf"))
        return Format::Pdf;
    return std::nullopt;
}

namespace {

// Device units of the figure: points of the column figure, and fonts of those sizes.
class Units {
public:
    Units(const QPaintDevice& device, int dpi) : device_(device) {
        const double enlargement = std::min(device.width() / double(dpi) / columnWidthInches,
                                            device.height() / double(dpi) / columnHeightInches);
        perPoint_ = enlargement * dpi / 72;
    }
    double operator()(double points) const { return points * perPoint_; }
    QFont font(double points) const {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setHintingPreference(QFont::PreferNoHinting);
        // A font's point size is drawn at the device's own resolution.
        font.setPointSizeF((*this)(points)*72 / device_.logicalDpiY());
        return font;
    }
    QFontMetricsF metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }

private:
    const QPaintDevice& device_;
    double perPoint_ = 1;
};

struct Fonts {
    QFont tick;
    QFont title;
    QFont legend;
    QFont label;
};

QColor colourOf(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QString nameOf(const std::filesystem::path& file) {
    return QString::fromStdString(file.filename().string());
}

// Bytes of a line file as the line view shows them: UTF-8 when valid, Latin-1 otherwise.
QString labelText(const std::string& bytes) {
    return QString::fromStdString(textio::asUtf8(bytes)).trimmed();
}

struct LegendEntry {
    QString text;
    std::uint32_t colour = 0;
    bool stick = false; // a stick's sample; a line's otherwise
    QRectF place;       // sample and text
};

// Sizes the entries, their texts shortened to the width if need be, and returns where each row
// starts, the end included.
std::vector<std::size_t> legendRows(std::vector<LegendEntry>& entries, double width, const Units& u,
                                    const QFontMetricsF& m) {
    const double sample = u(swatchPoints) + u(gapPoints);
    std::vector<std::size_t> rowStarts{0};
    double rowWidth = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].text =
            m.elidedText(entries[i].text, Qt::ElideMiddle, std::max(0.0, width - sample));
        const double w = sample + m.horizontalAdvance(entries[i].text);
        if (rowWidth > 0 && rowWidth + u(entryGapPoints) + w > width) {
            rowStarts.push_back(i);
            rowWidth = 0;
        }
        rowWidth += (rowWidth > 0 ? u(entryGapPoints) : 0) + w;
        entries[i].place = QRectF(0, 0, w, m.height());
    }
    rowStarts.push_back(entries.size());
    return rowStarts;
}

// The entries flowed into centred rows across `width` from `origin`; returns the height used.
double flowLegend(std::vector<LegendEntry>& entries, const QPointF& origin, double width,
                  const Units& u, const QFontMetricsF& m) {
    const std::vector<std::size_t> rowStarts = legendRows(entries, width, u, m);
    for (std::size_t r = 0; r + 1 < rowStarts.size(); ++r) {
        const std::span row(entries.begin() + rowStarts[r], entries.begin() + rowStarts[r + 1]);
        double used = u(entryGapPoints) * (row.size() - 1);
        for (const LegendEntry& e : row)
            used += e.place.width();
        double x = origin.x() + (width - used) / 2;
        for (LegendEntry& e : row) {
            e.place.moveTo(x, origin.y() + r * m.height());
            x += e.place.width() + u(entryGapPoints);
        }
    }
    return (rowStarts.size() - 1) * m.height();
}

std::vector<LegendEntry> legendEntries(const Content& c) {
    std::vector<LegendEntry> entries{{nameOf(c.spectrumFile), plot::spectrumColour, false, {}}};
    for (const LineSet& set : c.sets) {
        QString text = nameOf(set.file);
        if (set.mult != 1)
            text += QStringLiteral(" (×%1)").arg(
                QString::number(set.mult, 'g', QLocale::FloatingPointShortest));
        entries.push_back({text, plot::lineSetColour(set.slot), true, {}});
    }
    return entries;
}

double widestText(const std::vector<QString>& texts, const QFontMetricsF& m) {
    double widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, m.horizontalAdvance(t));
    return widest;
}

// The most ticks whose texts stand apart by at least `space` along `length`.
Ticks xTicksThatFit(double min, double max, double length, const QFontMetricsF& m, double space) {
    const int most = std::clamp(static_cast<int>(length / (3.5 * space)), 2, 10);
    Ticks ticks;
    for (int count = most; count >= 1; --count) {
        ticks = roundTicks(min, max, count);
        if (ticks.values.size() < 2)
            return ticks;
        const double spacing = length * (ticks.values[1] - ticks.values[0]) / (max - min);
        if (widestText(ticks.texts, m) + space <= spacing)
            return ticks;
    }
    return ticks;
}

struct Layout {
    QRectF plot;
    Ticks x;
    Ticks y;
    std::vector<LegendEntry> legend;
};

// The x ticks that fit between `left` and the right edge, and that edge: far enough from the
// page's edge for the last tick's text. Two passes settle it.
double settleRight(Layout& layout, const plot::PlotLimits& l, double left, double pageRight,
                   const QFontMetricsF& tick) {
    double right = pageRight - tick.horizontalAdvance(QStringLiteral("000")) / 2;
    for (int pass = 0; pass < 2; ++pass) {
        layout.x = xTicksThatFit(l.xMin, l.xMax, right - left, tick, tick.height());
        double overhang = 0;
        if (!layout.x.values.empty()) {
            const double lastAt =
                (layout.x.values.back() - l.xMin) / (l.xMax - l.xMin) * (right - left);
            overhang = lastAt + tick.horizontalAdvance(layout.x.texts.back()) / 2 - (right - left);
        }
        right = pageRight - std::max(0.0, overhang);
    }
    return right;
}

Layout layOut(const QSizeF& page, const Content& c, const Units& u, const Fonts& f) {
    const QFontMetricsF tick = u.metrics(f.tick);
    const QFontMetricsF title = u.metrics(f.title);
    const double pad = u(padPoints);
    const double gap = u(gapPoints);
    Layout layout;
    layout.legend = legendEntries(c);
    const double legendHeight =
        flowLegend(layout.legend, {pad, pad}, page.width() - 2 * pad, u, u.metrics(f.legend));
    const double top = pad + legendHeight + 2 * gap + tick.height() / 2;
    const double bottom =
        page.height() - (pad + title.height() + gap + tick.height() + gap + u(tickLengthPoints));
    const int yCount = std::clamp(static_cast<int>((bottom - top) / (1.6 * tick.height())), 2, 8);
    layout.y = roundTicks(c.limits.yMin, c.limits.yMax, yCount);
    const double left =
        pad + title.height() + gap + widestText(layout.y.texts, tick) + gap + u(tickLengthPoints);
    const double right = settleRight(layout, c.limits, left, page.width() - pad, tick);
    layout.plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    if (layout.plot.width() < u(20) || layout.plot.height() < u(20))
        throw FigureError("la figura es demasiado pequeña para sus textos");
    return layout;
}

// Data coordinates to device coordinates over the plot area, by the line view's scales.
struct Mapping {
    QRectF area;
    plot::PlotLimits limits;
    double xScale = 0;
    double yScale = 0;

    Mapping(const QRectF& plotArea, const plot::PlotLimits& l)
        : area(plotArea), limits(l), xScale(plot::scaleFor(area.width(), l.xMax, l.xMin)),
          yScale(plot::scaleFor(area.height(), l.yMax, l.yMin)) {}
    QPointF at(double x, double y) const {
        return {area.left() + plot::pixelOffset(x, limits.xMin, xScale),
                area.bottom() - plot::pixelOffset(y, limits.yMin, yScale)};
    }
};

// The part of segment a-b inside `box` (Liang-Barsky), if any.
std::optional<QLineF> clipped(QPointF a, QPointF b, const QRectF& box) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0;
    double t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                        box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return QLineF(a.x() + t0 * dx, a.y() + t0 * dy, a.x() + t1 * dx, a.y() + t1 * dy);
}

QPen pen(std::uint32_t colour, double width) {
    QPen p(colourOf(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    return p;
}

// The spectrum as polylines cut to a box a little larger than the plot area, so that no
// coordinate handed to the painter is far outside it.
std::vector<QPolygonF> spectrumRuns(const Content& c, const Mapping& map, double margin) {
    const QRectF box = map.area.adjusted(-margin, -margin, margin, margin);
    std::vector<QPolygonF> runs;
    const std::size_t n = std::min(c.x.size(), c.y.size());
    for (std::size_t i = 1; i < n; ++i) {
        auto piece = clipped(map.at(c.x[i - 1], c.y[i - 1]), map.at(c.x[i], c.y[i]), box);
        if (!piece)
            continue;
        if (runs.empty() || runs.back().back() != piece->p1())
            runs.push_back(QPolygonF{piece->p1()});
        runs.back() << piece->p2();
    }
    return runs;
}

struct Stick {
    QLineF line; // from the base up, cut to the plot area
    std::uint32_t colour = 0;
};

struct Label {
    LabelRequest request;
    QString text;
    std::uint32_t colour = 0;
    double length = 0; // of the visible stick: the longer, the sooner it gets its place
};

struct DataDrawing {
    std::vector<QPolygonF> spectrum;
    std::vector<Stick> sticks;
    std::vector<Label> labels;
};

// The set's sticks, by the line view's scale, cut to the plot area, and their labels.
void addSticks(DataDrawing& d, const LineSet& set, const Content& c, const Mapping& map,
               const QFontMetricsF& m) {
    const std::size_t n = std::min(set.x.size(), set.y.size());
    plot::SeriesView lines{std::span(set.x.data(), n), std::span(set.y.data(), n)};
    const plot::PlotLimits& l = map.limits;
    const QRectF& area = map.area;
    const std::uint32_t colour = plot::lineSetColour(set.slot);
    const double scale =
        plot::stickScale(area.height(), lines, l.xMin, l.xMax, plot::lineViewFlatSet(set.slot));
    plot::StickPlacement at{l.xMin, l.xMax, map.xScale, c.shift, set.fileMinimum, set.mult, scale};
    plot::forEachStick(lines, at, [&](int i, double x, double y) {
        const double column = area.left() + x;
        if (column < area.left() || column > area.right())
            return;
        const double tip = area.bottom() - y;
        const double top = std::clamp(std::min(tip, area.bottom()), area.top(), area.bottom());
        const double base = std::clamp(std::max(tip, area.bottom()), area.top(), area.bottom());
        d.sticks.push_back({QLineF(column, base, column, top), colour});
        const auto k = static_cast<std::size_t>(i - 1);
        const QString text =
            c.withLabels && k < set.labels.size() ? labelText(set.labels[k]) : QString();
        if (!text.isEmpty())
            d.labels.push_back(
                {{column, top, m.horizontalAdvance(text), m.height()}, text, colour, base - top});
    });
}

DataDrawing dataDrawing(const Content& c, const Mapping& map, double width,
                        const QFontMetricsF& m) {
    DataDrawing d;
    try {
        d.spectrum = spectrumRuns(c, map, width);
    } catch (const textio::AppError& e) {
        throw FigureError(e.what(), c.spectrumFile);
    }
    for (const LineSet& set : c.sets) {
        try {
            addSticks(d, set, c, map, m);
        } catch (const textio::AppError& e) {
            throw FigureError(e.what(), set.file);
        }
    }
    // The longest sticks are the strongest lines: their labels are placed first.
    std::stable_sort(d.labels.begin(), d.labels.end(),
                     [](const Label& a, const Label& b) { return a.length > b.length; });
    return d;
}

// What labels keep clear of: every segment of the spectrum and every stick, as a box as wide as
// its line.
std::vector<QRectF> dataBoxes(const DataDrawing& d, double width) {
    std::vector<QRectF> boxes;
    const double half = width / 2;
    for (const QPolygonF& run : d.spectrum)
        for (qsizetype i = 1; i < run.size(); ++i)
            boxes.push_back(
                QRectF(run[i - 1], run[i]).normalized().adjusted(-half, -half, half, half));
    for (const Stick& s : d.sticks)
        boxes.push_back(QRectF(s.line.p2(), s.line.p1()).normalized().adjusted(-half, 0, half, 0));
    return boxes;
}

void drawLabel(QPainter& p, const LabelPlace& place, const QString& text) {
    if (!place.vertical) {
        p.drawText(place.rect, Qt::AlignCenter, text);
        return;
    }
    const QRectF& r = place.rect;
    p.save();
    p.translate(r.center());
    p.rotate(-90);
    p.drawText(QRectF(-r.height() / 2, -r.width() / 2, r.height(), r.width()), Qt::AlignCenter,
               text);
    p.restore();
}

Mapping mappingOf(const Layout& layout, const Content& c) {
    try {
        return Mapping(layout.plot, c.limits);
    } catch (const textio::AppError& e) {
        throw FigureError(e.what(), c.spectrumFile);
    }
}

void drawLeaders(QPainter& p, const DataDrawing& d,
                 const std::vector<std::optional<LabelPlace>>& places, double width) {
    for (std::size_t i = 0; i < d.labels.size(); ++i)
        if (places[i] && !places[i]->leader.isNull()) {
            QPen dotted = pen(d.labels[i].colour, width);
            dotted.setStyle(Qt::DotLine);
            p.setPen(dotted);
            p.drawLine(places[i]->leader);
        }
}

void drawLabels(QPainter& p, const DataDrawing& d,
                const std::vector<std::optional<LabelPlace>>& places, const QFont& font) {
    p.setFont(font);
    for (std::size_t i = 0; i < d.labels.size(); ++i)
        if (places[i]) {
            p.setPen(colourOf(d.labels[i].colour));
            drawLabel(p, *places[i], d.labels[i].text);
        }
}

// Sticks and leaders first, the spectrum over them, the labels, which keep clear of both, last;
// all of it clipped to the plot area.
void drawData(QPainter& p, const Content& c, const Layout& layout, const Units& u, const Fonts& f) {
    const double width = u(lineWidthPoints);
    const DataDrawing d = dataDrawing(c, mappingOf(layout, c), width, u.metrics(f.label));
    std::vector<LabelRequest> requests;
    for (const Label& l : d.labels)
        requests.push_back(l.request);
    const auto places = placeLabels(requests, layout.plot.adjusted(width, width, -width, -width),
                                    dataBoxes(d, width), u(1));
    p.save();
    p.setClipRect(layout.plot);
    for (const Stick& s : d.sticks) {
        p.setPen(pen(s.colour, width));
        p.drawLine(s.line);
    }
    drawLeaders(p, d, places, width * 0.6);
    p.setPen(pen(plot::spectrumColour, width));
    for (const QPolygonF& run : d.spectrum)
        p.drawPolyline(run);
    drawLabels(p, d, places, f.label);
    p.restore();
}

void drawXTicks(QPainter& p, const Layout& layout, const plot::PlotLimits& l, const Units& u,
                const QFontMetricsF& m) {
    const QRectF& plot = layout.plot;
    const double below = plot.bottom() + u(tickLengthPoints);
    for (std::size_t i = 0; i < layout.x.values.size(); ++i) {
        const double x =
            plot.left() + (layout.x.values[i] - l.xMin) / (l.xMax - l.xMin) * plot.width();
        p.drawLine(QLineF(x, plot.bottom(), x, below));
        const double w = m.horizontalAdvance(layout.x.texts[i]);
        p.drawText(QRectF(x - w / 2, below + u(gapPoints), w, m.height()), Qt::AlignCenter,
                   layout.x.texts[i]);
    }
}

void drawYTicks(QPainter& p, const Layout& layout, const plot::PlotLimits& l, const Units& u,
                const QFontMetricsF& m) {
    const QRectF& plot = layout.plot;
    const double outside = plot.left() - u(tickLengthPoints);
    for (std::size_t i = 0; i < layout.y.values.size(); ++i) {
        const double y =
            plot.bottom() - (layout.y.values[i] - l.yMin) / (l.yMax - l.yMin) * plot.height();
        p.drawLine(QLineF(outside, y, plot.left(), y));
        const double w = m.horizontalAdvance(layout.y.texts[i]);
        p.drawText(QRectF(outside - u(gapPoints) - w, y - m.height() / 2, w, m.height()),
                   Qt::AlignRight | Qt::AlignVCenter, layout.y.texts[i]);
    }
}

void drawAxes(QPainter& p, const Content& c, const Layout& layout, const Units& u, const Fonts& f) {
    p.setPen(pen(0x000000, u(lineWidthPoints)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(layout.plot);
    p.setFont(f.tick);
    drawXTicks(p, layout, c.limits, u, u.metrics(f.tick));
    drawYTicks(p, layout, c.limits, u, u.metrics(f.tick));
}

QString titleWithExponent(const QString& title, int exponent) {
    return exponent == 0 ? title : title + QStringLiteral(" (") + exponentText(exponent) + ')';
}

void drawTitles(QPainter& p, const Layout& layout, const Units& u, const Fonts& f) {
    const QFontMetricsF m = u.metrics(f.title);
    const double pad = u(padPoints);
    const QRectF& plot = layout.plot;
    p.setFont(f.title);
    p.setPen(Qt::black);
    const QString xTitle =
        titleWithExponent(QStringLiteral("Longitud de onda (nm)"), layout.x.exponent);
    const double bottom = p.device()->height() - pad;
    p.drawText(QRectF(plot.left(), bottom - m.height(), plot.width(), m.height()), Qt::AlignCenter,
               xTitle);
    const QString yTitle = titleWithExponent(QStringLiteral("Intensidad"), layout.y.exponent);
    p.save();
    p.translate(pad, plot.bottom());
    p.rotate(-90);
    p.drawText(QRectF(0, 0, plot.height(), m.height()), Qt::AlignCenter, yTitle);
    p.restore();
}

void drawLegend(QPainter& p, const Layout& layout, const Units& u, const Fonts& f) {
    const QFontMetricsF m = u.metrics(f.legend);
    const double sample = u(swatchPoints);
    p.setFont(f.legend);
    for (const LegendEntry& e : layout.legend) {
        const QRectF& r = e.place;
        p.setPen(pen(e.colour, u(lineWidthPoints) * (e.stick ? 1.5 : 2)));
        const double middle = r.center().y();
        if (e.stick)
            p.drawLine(QLineF(r.left() + sample / 2, r.top() + m.descent(), r.left() + sample / 2,
                              r.bottom() - m.descent()));
        else
            p.drawLine(QLineF(r.left(), middle, r.left() + sample, middle));
        p.setPen(Qt::black);
        const double textLeft = r.left() + sample + u(gapPoints);
        p.drawText(QRectF(textLeft, r.top(), r.right() - textLeft, r.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, e.text);
    }
}

} // namespace

void paintFigure(QPaintDevice& device, int dpi, const Content& content) {
    if (QGuiApplication::instance() == nullptr)
        throw std::logic_error("a figure needs a QGuiApplication for its fonts");
    QPainter p(&device);
    if (!p.isActive())
        throw FigureError("no se pudo empezar a dibujar");
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.fillRect(QRectF(0, 0, device.width(), device.height()), Qt::white);
    const Units u(device, dpi);
    const Fonts fonts{u.font(tickFontPoints), u.font(titleFontPoints), u.font(legendFontPoints),
                      u.font(labelFontPoints)};
    const Layout layout = layOut(QSizeF(device.width(), device.height()), content, u, fonts);
    drawData(p, content, layout, u, fonts);
    drawAxes(p, content, layout, u, fonts);
    drawTitles(p, layout, u, fonts);
    drawLegend(p, layout, u, fonts);
}

namespace {

void writePng(QIODevice& out, const Page& page, const Content& content) {
    QImage image(page.width, page.height, QImage::Format_RGB32);
    if (image.isNull())
        throw FigureError(QStringLiteral("no hay memoria para una imagen de %1x%2")
                              .arg(page.width)
                              .arg(page.height)
                              .toStdString());
    const int dotsPerMeter = static_cast<int>(std::lround(page.dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    paintFigure(image, page.dpi, content);
    if (!image.save(&out, "PNG"))
        throw FigureError("no se pudo escribir la imagen");
}

void writeSvg(QIODevice& out, const Page& page, const Content& content) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(page.width, page.height));
    svg.setViewBox(QRect(0, 0, page.width, page.height));
    svg.setResolution(page.dpi);
    svg.setTitle(nameOf(content.spectrumFile));
    svg.setDescription(QStringLiteral("lineid-cli plot"));
    paintFigure(svg, page.dpi, content);
}

void writePdf(QIODevice& out, const Page& page, const Content& content) {
    QPdfWriter pdf(&out);
    pdf.setCreator(QStringLiteral("lineid-cli"));
    pdf.setTitle(nameOf(content.spectrumFile));
    pdf.setResolution(page.dpi);
    const QSizeF size(page.width * 25.4 / page.dpi, page.height * 25.4 / page.dpi);
    pdf.setPageLayout(
        QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    paintFigure(pdf, page.dpi, content);
}

} // namespace

void writeFigure(QIODevice& out, Format format, const Page& page, const Content& content) {
    switch (format) {
    case Format::Png:
        writePng(out, page, content);
        break;
    case Format::Svg:
        writeSvg(out, page, content);
        break;
    case Format::Pdf:
        writePdf(out, page, content);
        break;
    }
}

} // namespace figure
