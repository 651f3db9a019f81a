// Drawing surface of a window's client area: the few primitives every graph window draws with.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void setPenColor(Rgb color) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setBrushColor(Rgb color) = 0;
    virtual void setFontColor(Rgb color) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the pen position to (x, y), which becomes the pen position.
    virtual void lineTo(int x, int y) = 0;
    // Filled with the brush and outlined with the pen; covers x1..x2-1 and y1..y2-1.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    // Text with its top-left corner at (x, y), on a background of the brush colour.
    virtual void textOut(int x, int y, const QString& text) = 0;
    virtual void setPixel(int x, int y, Rgb color) = 0;
    // A block of pixels set as setPixel would set them one by one: `colors` holds width x height
    // entries row by row from (x, y); an entry above 0xFFFFFF leaves its pixel as it is.
    virtual void setPixels(int x, int y, int width, int height, std::span<const Rgb> colors);
    // Paints the whole surface in the window's background colour, as a repaint of the window
    // would; pen, brush and pen position stay.
    virtual void eraseAll() = 0;

    virtual Rgb penColor() const = 0;
    virtual PenStyle penStyle() const = 0;
    virtual Rgb brushColor() const = 0;
    virtual QPoint penPos() const = 0;
};

// Draws on a retained image; `changed` is told after every drawing call.
class ImageCanvas : public Canvas {
public:
    ImageCanvas(QImage& image, std::function<void()> changed);
    ~ImageCanvas() override;

    void setFont(const QFont& font) { font_ = font; }
    void setBackground(Rgb color) { background_ = color; }
    // Where drawing may land: the controls lying on the surface are left out, the way a window
    // never draws over its child windows. Asked again after `clipChanged`.
    void setClip(std::function<QRegion()> region);
    void clipChanged();
    // Ends the open painter so that the image can be read or replaced.
    void finish();

    void setPenColor(Rgb color) override { pen_ = color; }
    void setPenStyle(PenStyle style) override { style_ = style; }
    void setBrushColor(Rgb color) override { brush_ = color; }
    void setFontColor(Rgb color) override { fontColor_ = color; }
    void moveTo(int x, int y) override { pos_ = QPoint(x, y); }
    void lineTo(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, const QString& text) override;
    void setPixel(int x, int y, Rgb color) override;
    // Writes the image's scan lines directly.
    void setPixels(int x, int y, int width, int height, std::span<const Rgb> colors) override;
    void eraseAll() override;

    Rgb penColor() const override { return pen_; }
    PenStyle penStyle() const override { return style_; }
    Rgb brushColor() const override { return brush_; }
    QPoint penPos() const override { return pos_; }

private:
    QPainter& painter();
    QPen currentPen() const;
    const QRegion& clip();

    QImage& image_;
    std::function<void()> changed_;
    std::optional<QPainter> painter_;
    std::function<QRegion()> clipSource_;
    std::optional<QRegion> clip_;
    Rgb background_ = 0xFFFFFF;
    QFont font_;
    Rgb pen_ = 0x000000;
    Rgb brush_ = 0xFFFFFF;
    Rgb fontColor_ = 0x000000;
    PenStyle style_ = PenStyle::Solid;
    QPoint pos_;
};

// One recorded drawing call: its name and integer arguments, with the text of textOut and the
// colour of the colour setters.
struct CanvasCall {
    QString op;
    std::vector<int> args;
    QString text;
    bool operator==(const CanvasCall&) const = default;
};

// Records every call and passes it on to another canvas when one is given.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(Canvas* forward = nullptr) : forward_(forward) {}

    const std::vector<CanvasCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }
    // The recorded calls of one kind, in order.
    std::vector<CanvasCall> callsOf(const QString& op) const;

    void setPenColor(Rgb color) override;
    void setPenStyle(PenStyle style) override;
    void setBrushColor(Rgb color) override;
    void setFontColor(Rgb color) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, const QString& text) override;
    void setPixel(int x, int y, Rgb color) override;
    void eraseAll() override;

    Rgb penColor() const override { return pen_; }
    PenStyle penStyle() const override { return style_; }
    Rgb brushColor() const override { return brush_; }
    QPoint penPos() const override { return pos_; }

private:
    void record(const char* op, std::vector<int> args, const QString& text = {});
    Canvas* forward_;
    std::vector<CanvasCall> calls_;
    Rgb pen_ = 0x000000;
    Rgb brush_ = 0xFFFFFF;
    PenStyle style_ = PenStyle::Solid;
    QPoint pos_;
};

} // namespace platform
