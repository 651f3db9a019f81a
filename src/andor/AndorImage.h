// The camera's ASCII image file and the extraction of one trace from one of its frames.
//
// File format: frames follow one another with nothing between them; a frame is L lines, and each
// line holds V + 1 numbers: the line's abscissa, then V values. Positions on a line count from 1
// (the abscissa is position 1). A line is read as V + 1 numbers through the number rule of the
// text reader (blanks and line ends before a number are skipped, so a short line continues on the
// next; at the end of the file every number reads 0; a token that is not a number raises "Invalid
// numeric input"), then the rest of the line is skipped. Frames before frame N are skipped as
// whole lines without looking at their numbers; N <= 0 reads frame 1. The text ends at the first
// Ctrl-Z.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace andor {

struct FrameGeometry {
    int lines = 1024; // L
    int values = 256; // V
};

inline constexpr FrameGeometry size1024x256{1024, 256};
inline constexpr FrameGeometry size2048x2048{2048, 248};

enum class TraceMode { Column, Line };

struct TraceSettings {
    FrameGeometry geometry;
    TraceMode mode = TraceMode::Column;
    int frame = 1;
    int traceIndex = 47; // position on the line (column mode) or line of the frame (line mode)
    int halfWidth = 5;   // summing half-width n in column mode; 1 takes the single position
};

struct TracePoint {
    int k = 0;           // list index: line of the frame, or position - 1 in line mode
    double abscissa = 0; // the line's abscissa
    double value = 0;    // the value, or in column mode with summing the rounded window mean
    int position = 0;    // position on the line (line mode)
};

// The whole text of an image file, mapped into memory, ending at its first Ctrl-Z.
class ImageText {
public:
    // "File not found" when the file does not exist, "File access denied" otherwise.
    static ImageText open(const std::filesystem::path& path);
    static ImageText fromString(std::string text);

    ImageText(ImageText&& other) noexcept;
    ImageText& operator=(ImageText&& other) noexcept;
    ImageText(const ImageText&) = delete;
    ImageText& operator=(const ImageText&) = delete;
    ~ImageText();

    std::string_view text() const { return text_; }

private:
    ImageText() = default;
    void release();
    void* map_ = nullptr;
    std::size_t mapLength_ = 0;
    std::string owned_;
    std::string_view text_;
};

// Offset just past `count` whole lines from `from` (LF, CR LF or a lone CR end a line).
std::size_t skipLines(std::string_view text, std::size_t from, long long count);

// Cuts the trace out of the chosen frame, calling `emit` for every trace point in order.
// Settings outside the lines (an index or window that does not fit) give no points; a summing
// window must lie on the values (positions 2 to V + 1). Throws "Invalid numeric input".
void extractTrace(std::string_view text, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit);

// The trace file line: column mode "%10.3f%10.0f" of abscissa and value, line mode the
// position as a whole number in 10 characters and the value "%10.0f".
std::string traceFileLine(TraceMode mode, const TracePoint& point);
// The list line: k, two blanks, the abscissa and one blank, the value, in general format.
std::string traceListLine(const TracePoint& point);

// "<base>_c<frame>_y<index>" or "<base>_r<frame>_y<index>", base being the file name without its
// folder and without its last four characters.
std::string traceName(std::string_view fileName, TraceMode mode, std::string_view frameText,
                      std::string_view indexText);

// True when both paths name the same existing file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace andor

namespace andor {
// Refuses, before anything is created, an output file that would replace the input file.
void ensureDistinct(const std::filesystem::path& input, const std::filesystem::path& output);
} // namespace andor

namespace andor {

// One frame read whole, so that many traces can be cut from it for the cost of one reading.
// Reading checks the same tokens and raises the same errors as extractTrace, and every trace
// gives the points extractTrace gives for the same settings.
class ParsedFrame {
public:
    static ParsedFrame read(std::string_view text, FrameGeometry geometry, int frame);
    // Settings of another geometry or frame than the one read are refused.
    void trace(const TraceSettings& settings,
               const std::function<void(const TracePoint&)>& emit) const;

private:
    FrameGeometry geometry_;
    int frame_ = 1;
    std::vector<double> abscissa_; // per line
    std::vector<double> values_;   // line by line, V values each
};

} // namespace andor
