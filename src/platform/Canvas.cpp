// Drawing surface of a window's client area.
#include "Canvas.h"

#include <QFontMetrics>

#include <algorithm>

namespace platform {

namespace {

QColor toColor(Rgb rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb | 0xFF000000u));
}

Qt::PenStyle toQt(PenStyle style) {
    switch (style) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// Coordinates far outside the image are pulled in so that the rasteriser never sees values
// near the integer limits; what is visible does not change.
constexpr int coordinateLimit = 1 << 20;
int clampCoordinate(int v) {
    return std::clamp(v, -coordinateLimit, coordinateLimit);
}

} // namespace

ImageCanvas::ImageCanvas(QImage& image, std::function<void()> changed)
    : image_(image), changed_(std::move(changed)) {}

ImageCanvas::~ImageCanvas() {
    finish();
}

void ImageCanvas::finish() {
    painter_.reset();
    // The controls may have moved while nothing was drawn: the next drawing asks again.
    clip_.reset();
}

void ImageCanvas::setClip(std::function<QRegion()> region) {
    clipSource_ = std::move(region);
    clipChanged();
}

void ImageCanvas::clipChanged() {
    finish();
}

const QRegion& ImageCanvas::clip() {
    if (!clip_)
        clip_ = clipSource_ ? clipSource_() : QRegion(image_.rect());
    return *clip_;
}

QPainter& ImageCanvas::painter() {
    if (!painter_) {
        painter_.emplace(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setClipRegion(clip());
    }
    return *painter_;
}

void ImageCanvas::eraseAll() {
    QPainter& p = painter();
    p.fillRect(image_.rect(), toColor(background_));
    changed_();
}

QPen ImageCanvas::currentPen() const {
    QPen pen(toColor(pen_));
    pen.setWidth(0);
    pen.setStyle(toQt(style_));
    return pen;
}

void ImageCanvas::lineTo(int x, int y) {
    QPainter& p = painter();
    p.setPen(currentPen());
    p.drawLine(QPoint(clampCoordinate(pos_.x()), clampCoordinate(pos_.y())),
               QPoint(clampCoordinate(x), clampCoordinate(y)));
    pos_ = QPoint(x, y);
    changed_();
}

void ImageCanvas::rectangle(int x1, int y1, int x2, int y2) {
    QPainter& p = painter();
    p.setPen(currentPen());
    p.setBrush(toColor(brush_));
    x1 = clampCoordinate(x1);
    y1 = clampCoordinate(y1);
    x2 = clampCoordinate(x2);
    y2 = clampCoordinate(y2);
    if (x2 - x1 >= 1 && y2 - y1 >= 1)
        p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    changed_();
}

void ImageCanvas::textOut(int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    QPainter& p = painter();
    p.setFont(font_);
    QFontMetrics metrics(font_);
    QRect box(clampCoordinate(x), clampCoordinate(y), metrics.horizontalAdvance(text),
              metrics.height());
    p.fillRect(box, toColor(brush_));
    p.setPen(toColor(fontColor_));
    p.drawText(box.left(), box.top() + metrics.ascent(), text);
    changed_();
}

void ImageCanvas::setPixel(int x, int y, Rgb color) {
    if (painter_)
        painter_.reset();
    if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height() &&
        clip().contains(QPoint(x, y)))
        image_.setPixel(x, y, static_cast<QRgb>(color | 0xFF000000u));
    changed_();
}

namespace {
bool fitsBlock(int width, int height, std::span<const Rgb> colors) {
    return width > 0 && height > 0 &&
           colors.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}
} // namespace

void Canvas::setPixels(int x, int y, int width, int height, std::span<const Rgb> colors) {
    if (!fitsBlock(width, height, colors))
        return;
    std::size_t at = 0;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c, ++at)
            if (colors[at] <= 0xFFFFFF)
                setPixel(x + c, y + r, colors[at]);
}

void ImageCanvas::setPixels(int x, int y, int width, int height, std::span<const Rgb> colors) {
    if (painter_)
        painter_.reset();
    if (!fitsBlock(width, height, colors))
        return;
    if (image_.format() != QImage::Format_RGB32 && image_.format() != QImage::Format_ARGB32) {
        Canvas::setPixels(x, y, width, height, colors);
        return;
    }
    // Each part of the block that lies on the drawable part of the image, a few rectangles.
    const QRect block = QRect(x, y, width, height).intersected(image_.rect());
    for (const QRect& part : clip()) {
        QRect open = part.intersected(block);
        if (open.isEmpty())
            continue;
        for (int row = open.top(); row <= open.bottom(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
            const Rgb* source = colors.data() + static_cast<std::size_t>(row - y) * width;
            for (int col = open.left(); col <= open.right(); ++col)
                if (Rgb color = source[col - x]; color <= 0xFFFFFF)
                    line[col] = static_cast<QRgb>(color | 0xFF000000u);
        }
    }
    changed_();
}

std::vector<CanvasCall> RecordingCanvas::callsOf(const QString& op) const {
    std::vector<CanvasCall> out;
    for (const auto& call : calls_)
        if (call.op == op)
            out.push_back(call);
    return out;
}

void RecordingCanvas::record(const char* op, std::vector<int> args, const QString& text) {
    calls_.push_back({QString::fromLatin1(op), std::move(args), text});
}

void RecordingCanvas::setPenColor(Rgb color) {
    pen_ = color;
    record("setPenColor", {static_cast<int>(color)});
    if (forward_)
        forward_->setPenColor(color);
}

void RecordingCanvas::setPenStyle(PenStyle style) {
    style_ = style;
    record("setPenStyle", {static_cast<int>(style)});
    if (forward_)
        forward_->setPenStyle(style);
}

void RecordingCanvas::setBrushColor(Rgb color) {
    brush_ = color;
    record("setBrushColor", {static_cast<int>(color)});
    if (forward_)
        forward_->setBrushColor(color);
}

void RecordingCanvas::setFontColor(Rgb color) {
    record("setFontColor", {static_cast<int>(color)});
    if (forward_)
        forward_->setFontColor(color);
}

void RecordingCanvas::moveTo(int x, int y) {
    pos_ = QPoint(x, y);
    record("moveTo", {x, y});
    if (forward_)
        forward_->moveTo(x, y);
}

void RecordingCanvas::lineTo(int x, int y) {
    record("lineTo", {pos_.x(), pos_.y(), x, y});
    pos_ = QPoint(x, y);
    if (forward_)
        forward_->lineTo(x, y);
}

void RecordingCanvas::rectangle(int x1, int y1, int x2, int y2) {
    record("rectangle", {x1, y1, x2, y2});
    if (forward_)
        forward_->rectangle(x1, y1, x2, y2);
}

void RecordingCanvas::textOut(int x, int y, const QString& text) {
    record("textOut", {x, y}, text);
    if (forward_)
        forward_->textOut(x, y, text);
}

void RecordingCanvas::setPixel(int x, int y, Rgb color) {
    record("setPixel", {x, y, static_cast<int>(color)});
    if (forward_)
        forward_->setPixel(x, y, color);
}

void RecordingCanvas::eraseAll() {
    record("eraseAll", {});
    if (forward_)
        forward_->eraseAll();
}

} // namespace platform
