// One frame of a camera image held as whole numbers, and the sixteen-shade painting of it.
#include "ImageFrame.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <new>
#include <stdexcept>

namespace andor {

namespace {

std::string sizeText(std::int64_t lines, std::int64_t columns) {
    return textio::integerText(lines).append(" x ").append(textio::integerText(columns));
}

// A value as a matrix cell: the nearest integer, which must fit in 32 bits.
int toCell(double v) {
    auto outOfRange = [v] {
        return textio::AppError(
            std::string("Valor fuera del intervalo de enteros: ").append(textio::generalFormat(v)));
    };
    // Far outside, before rounding: the rounding itself fails beyond 64 bits.
    if (!(v > -4294967296.0 && v < 4294967296.0))
        throw outOfRange();
    std::int64_t n = textio::nearest(v);
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throw outOfRange();
    return static_cast<int>(n);
}

void noteBounds(double v, int& imageMax, int& imageMin) {
    if (v < imageMin)
        imageMin = toCell(v);
    if (v > imageMax)
        imageMax = toCell(v);
}

} // namespace

void ImageMatrix::cover(int lines, int columns) {
    int newLines = std::max(lines_, lines);
    int newColumns = std::max(columns_, columns);
    if (newLines == lines_ && newColumns == columns_)
        return;
    resize(newLines, newColumns);
}

void ImageMatrix::fit(int lines, int columns) {
    lines = std::max(lines, 0);
    columns = std::max(columns, 0);
    if (lines == lines_ && columns == columns_)
        return;
    resize(lines, columns);
}

void ImageMatrix::resize(int newLines, int newColumns) {
    std::vector<int> grown;
    try {
        auto count = static_cast<std::uint64_t>(newLines) * static_cast<std::uint64_t>(newColumns);
        if (count > static_cast<std::uint64_t>(maxImageCells) || count > grown.max_size())
            throw std::length_error("matrix");
        grown.resize(static_cast<std::size_t>(count));
    } catch (const std::exception&) {
        throw textio::AppError(std::string("No hay memoria para una imagen de ")
                                   .append(sizeText(newLines, newColumns)));
    }
    int keptColumns = std::min(columns_, newColumns);
    for (int s = 1; s <= std::min(lines_, newLines); ++s) {
        auto row = line(s).first(static_cast<std::size_t>(keptColumns));
        std::copy(row.begin(), row.end(),
                  grown.begin() + static_cast<std::ptrdiff_t>(s - 1) * newColumns);
    }
    cells_ = std::move(grown);
    lines_ = newLines;
    columns_ = newColumns;
}

std::size_t ImageMatrix::offset(int s, int p) const {
    assert(s >= 1 && s <= lines_ && p >= 1 && p <= columns_);
    return static_cast<std::size_t>(s - 1) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(p - 1);
}

int& ImageMatrix::operator()(int s, int p) {
    return cells_[offset(s, p)];
}

int ImageMatrix::operator()(int s, int p) const {
    return cells_[offset(s, p)];
}

int ImageMatrix::valueAt(int s, int p) const {
    if (s < 1 || s > lines_ || p < 1 || p > columns_)
        return 0;
    return cells_[offset(s, p)];
}

std::span<int> ImageMatrix::line(int s) {
    return std::span<int>(cells_).subspan(offset(s, 1), static_cast<std::size_t>(columns_));
}

std::span<const int> ImageMatrix::line(int s) const {
    return std::span<const int>(cells_).subspan(offset(s, 1), static_cast<std::size_t>(columns_));
}

void checkImageSize(int lines, int columns) {
    if (lines <= 0 || columns <= 0)
        throw textio::AppError(std::string("Tamaño de imagen no válido (")
                                   .append(sizeText(lines, columns))
                                   .append("): líneas y valores deben ser mayores que cero"));
}

int linesHeld(const FrameRequest& request, std::uint64_t fileBytes) {
    // A line of V + 1 numbers takes at least 2 V + 1 bytes; one more for a line cut short.
    std::uint64_t fillable = fileBytes / (2 * static_cast<std::uint64_t>(request.columns) + 1) + 1;
    int lines = static_cast<int>(std::min<std::uint64_t>(fillable, request.lines));
    if (static_cast<std::int64_t>(lines) * request.columns > maxImageCells)
        throw textio::AppError(std::string("El cuadro de ")
                                   .append(sizeText(request.lines, request.columns))
                                   .append(" valores es demasiado grande: se leen hasta ")
                                   .append(textio::integerText(maxImageCells))
                                   .append(" valores"));
    return lines;
}

void skipLines(textio::TextReader& in, std::int64_t count) {
    for (std::int64_t i = 0; i < count && !in.eof(); ++i)
        in.skipLine();
}

void skipLines(ImageStream& in, std::int64_t count) {
    in.skipLines(count);
}

namespace {

template <typename Reader>
void readFrameFrom(Reader& in, const FrameRequest& request, ImageMatrix& values, int& imageMax,
                   int& imageMin) {
    checkImageSize(request.lines, request.columns);
    values.cover(std::min(values.lines(), request.lines), request.columns);
    skipLines(in, (static_cast<std::int64_t>(request.frameNumber) - 1) * request.lines);
    imageMax = initialMax;
    imageMin = initialMin;
    auto columns = static_cast<std::size_t>(request.columns);
    for (int s = 1; s <= request.lines; ++s) {
        if (in.eof()) {
            // Every further number reads as 0: the rest of the frame is zeros.
            for (int rest = s; rest <= std::min(request.lines, values.lines()); ++rest)
                std::ranges::fill(values.line(rest).first(columns), 0);
            noteBounds(0, imageMax, imageMin);
            return;
        }
        if (s > values.lines()) // room for the lines to come, growing by halves
            values.cover(std::min(request.lines, std::max(s, values.lines() + values.lines() / 2)),
                         request.columns);
        std::span<int> row = values.line(s).first(columns);
        in.readReal(); // the abscissa
        for (int& cell : row) {
            double v = in.readReal();
            cell = toCell(v);
            noteBounds(v, imageMax, imageMin);
        }
        in.skipLine();
    }
}

} // namespace

void readFrame(ImageStream& in, const FrameRequest& request, ImageMatrix& values, int& imageMax,
               int& imageMin) {
    readFrameFrom(in, request, values, imageMax, imageMin);
}

void readFrame(textio::TextReader& in, const FrameRequest& request, ImageMatrix& values,
               int& imageMax, int& imageMin) {
    readFrameFrom(in, request, values, imageMax, imageMin);
}

double levelScale(int imageMax, int imageMin) {
    return textio::divide(4096.0, static_cast<double>(imageMax) - static_cast<double>(imageMin));
}

std::int64_t levelOf(int value, int imageMin, double scale) {
    return textio::nearest((static_cast<double>(value) - static_cast<double>(imageMin)) * scale);
}

int bandOf(std::int64_t level) {
    if (level <= 0 || level > 256)
        return -1;
    return static_cast<int>((256 - level) / 16);
}

std::uint32_t colourOf(std::int64_t level) {
    int k = bandOf(level);
    return k < 0 ? unpainted : imageColours[static_cast<std::size_t>(k)];
}

PixelBlock paintBlock(const ImageMatrix& values, const PaintArea& area, int imageMin,
                      double scale) {
    PixelBlock block;
    // Columns x = s for s = 1 .. lines, rows y = frameBottom - p for p = 1 .. columns.
    int xFirst = 1;
    int xLast = std::min(area.lines, area.clipWidth - 1);
    int yFirst =
        std::max<std::int64_t>(static_cast<std::int64_t>(area.frameBottom) - area.columns, 0);
    int yLast = std::min(area.frameBottom - 1, area.clipHeight - 1);
    if (xLast < xFirst || yLast < yFirst)
        return block;
    block.x = xFirst;
    block.y = yFirst;
    block.width = xLast - xFirst + 1;
    block.height = yLast - yFirst + 1;
    block.colours.assign(static_cast<std::size_t>(block.width) * block.height, unpainted);
    auto width = static_cast<std::size_t>(block.width);
    for (int s = xFirst; s <= xLast; ++s) {
        std::size_t column = static_cast<std::size_t>(s - xFirst);
        for (int y = yFirst; y <= yLast; ++y) {
            int p = area.frameBottom - y;
            std::size_t at = static_cast<std::size_t>(y - yFirst) * width + column;
            block.colours[at] = colourOf(levelOf(values.valueAt(s, p), imageMin, scale));
        }
    }
    return block;
}

} // namespace andor
