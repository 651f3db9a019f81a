// One frame of a camera image held as whole numbers, and the sixteen-shade painting of it.
//
// Frame reading, from a camera image file (plain text, frames of L lines one after another):
// - Frames before frame N are skipped as (N - 1) * L whole lines without looking at their numbers;
//   N <= 1 reads the first frame. Skipping stops quietly at the end of the file.
// - A line of the frame is V + 1 numbers read with the text-file number reader (blanks and line
//   ends between numbers are skipped, so a short line goes on into the next one; at the end of
//   the file every further number is 0), then the rest of that line is skipped. The first number
//   (the abscissa) is dropped; number p + 1 is value p of the line (p = 1 .. V).
// - Each value is kept rounded to the nearest integer, halves to even. A token that is not a
//   number raises "Invalid numeric input"; a value outside the 32-bit range is refused too
//   ("Valor fuera del intervalo de enteros"), however large. The cells and bounds written before
//   such an error stay written.
// - The matrix holds the lines the file gives; the lines of the frame past the end of the file
//   read as 0 without being held.
#pragma once

#include "andor/AndorImage.h"
#include "textio/TextReader.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace andor {

// A matrix of whole numbers indexed (line s, position p) from 1, that reads as 0 everywhere it
// has never been written. It grows to hold whatever frame is read into it, so a smaller frame
// overwrites only the cells it covers; `fit` gives back the room a smaller frame does not need.
class ImageMatrix {
public:
    int lines() const { return lines_; }
    int columns() const { return columns_; }

    // Makes room for lines x columns cells, keeping every value held; a size that memory cannot
    // hold raises an error with the operator's text, and the matrix stays as it was.
    void cover(int lines, int columns);
    // Holds exactly lines x columns cells, keeping the values of the cells both sizes share and
    // releasing the rest; on an error the matrix stays as it was.
    void fit(int lines, int columns);

    // Cell (s, p), 1 <= s <= lines(), 1 <= p <= columns(); checked in debug builds.
    int& operator()(int s, int p);
    int operator()(int s, int p) const;
    // The value at (s, p), 0 outside the cells held.
    int valueAt(int s, int p) const;
    // Positions 1 .. columns() of line s, from index 0.
    std::span<int> line(int s);
    std::span<const int> line(int s) const;

private:
    std::size_t offset(int s, int p) const;
    void resize(int lines, int columns);
    std::vector<int> cells_;
    int lines_ = 0;
    int columns_ = 0;
};

// Refuses a frame size that is not positive in both directions, with the operator's text.
void checkImageSize(int lines, int columns);

// The most cells an image matrix holds (128 MB); a larger one is refused as beyond memory.
inline constexpr std::int64_t maxImageCells = std::int64_t{1} << 25;

// Which frame to read and its size.
struct FrameRequest {
    int lines = 1024;    // L
    int columns = 256;   // V, values after the abscissa
    int frameNumber = 1; // N
};

// The values at which the bounds of a frame start before its first value.
inline constexpr int initialMax = -900000000;
inline constexpr int initialMin = 900000000;

// The lines of the frame a file of `fileBytes` bytes can fill (each value takes at least a
// character and a blank), at most the frame's lines; the others read as 0. "El cuadro de L x V
// valores es demasiado grande" when those lines would hold more than maxImageCells cells.
int linesHeld(const FrameRequest& request, std::uint64_t fileBytes);

// Reads the requested frame into `values` (which grows to cover its columns and the lines read).
// `imageMax` and `imageMin` start at initialMax and initialMin after the skipping and follow every
// value read: a value below imageMin (compared unrounded) sets it to the value rounded, one above
// imageMax likewise.
void readFrame(ImageStream& in, const FrameRequest& request, ImageMatrix& values, int& imageMax,
               int& imageMin);
void readFrame(textio::TextReader& in, const FrameRequest& request, ImageMatrix& values,
               int& imageMax, int& imageMin);

// Skips `count` whole lines, stopping at the end of the file.
void skipLines(textio::TextReader& in, std::int64_t count);
void skipLines(ImageStream& in, std::int64_t count);

// The sixteen shades, 0xRRGGBB: a grey ramp from black, 16 lighter a step, and a pale red last.
inline constexpr std::array<std::uint32_t, 16> imageColours{
    0x000000, 0x101010, 0x202020, 0x303030, 0x404040, 0x505050, 0x606060, 0x707070,
    0x808080, 0x909090, 0xA0A0A0, 0xB0B0B0, 0xC0C0C0, 0xD0D0D0, 0xE0E0E0, 0xFFF0F0};

// Stands for a pixel that painting leaves as it is (any value above 0xFFFFFF).
inline constexpr std::uint32_t unpainted = 0xFF000000u;

// 4096 / (imageMax - imageMin): "Floating point division by zero" for a flat frame.
double levelScale(int imageMax, int imageMin);
// (value - imageMin) * scale to the nearest integer, halves to even.
std::int64_t levelOf(int value, int imageMin, double scale);
// The colour-table index of a level: k when 256 - 16 (k + 1) < level <= 256 - 16 k, so 241..256
// is 0 (black) and 1..16 is 15; -1 for a level of 0 or below or above 256 (not painted).
int bandOf(std::int64_t level);
// The colour of a level, or `unpainted`.
std::uint32_t colourOf(std::int64_t level);

// Where a frame is painted: line s of the frame at column x = s, value p of a line at row
// y = frameBottom - p; only pixels with 0 <= x < clipWidth and 0 <= y < clipHeight are wanted.
struct PaintArea {
    int lines = 0;   // frame lines painted (imageLines)
    int columns = 0; // values of a line painted (imageColumns)
    int frameBottom = 0;
    int clipWidth = 0;
    int clipHeight = 0;
};

// A rectangle of pixel colours, row by row from its top-left corner (x, y); `unpainted` where a
// pixel is left as it is.
struct PixelBlock {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colours;
};

// The colours of every wanted pixel of the painting of `values` (cells outside the matrix count
// as 0) with the given minimum and level scale.
PixelBlock paintBlock(const ImageMatrix& values, const PaintArea& area, int imageMin, double scale);

} // namespace andor
