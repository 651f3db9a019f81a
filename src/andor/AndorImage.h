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

#include "textio/LineBreaks.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// How an image is read: in blocks of `block` bytes, so that memory stays bounded whatever the
// file holds. Lines are never held whole (their unread rest is skipped block by block), but a
// token must fit in memory: one longer than `maxToken` characters is refused.
struct ReadLimits {
    std::size_t block = std::size_t{256} << 10;
    std::size_t maxToken = std::size_t{16} << 20;
};

// An image read from its start in bounded blocks, ending at the first Ctrl-Z or at the end of
// the file. A file that shrinks while it is read ends where its data ends; a failing read raises
// "No se pudo leer el archivo de imagen". The stream owns its descriptor and closes it when it
// goes away.
class ImageStream {
public:
    // Refuses what textio::checkInputFile refuses, then "File not found" or "File access denied"
    // when the file cannot be opened.
    static ImageStream open(const std::filesystem::path& path, ReadLimits limits = {});
    // Reads a descriptor already open for reading, which the stream owns from now on.
    static ImageStream fromDescriptor(int fd, ReadLimits limits = {});
    // Reads a text held elsewhere, which must outlive the stream, through the same blocks.
    static ImageStream overText(std::string_view text, ReadLimits limits = {});

    ImageStream(ImageStream&&) noexcept = default;
    ImageStream& operator=(ImageStream&&) noexcept = default;
    ImageStream(const ImageStream&) = delete;
    ImageStream& operator=(const ImageStream&) = delete;
    ~ImageStream() = default;

    // Bytes of the file when it was opened (of the text for a text): what a frame can come from.
    std::uint64_t size() const { return size_; }

    // The next run of characters above code 32 after skipping those of code 32 or less; empty
    // at the end. Valid until the next call. "Número de más de N caracteres en la imagen" past
    // maxToken.
    std::string_view token();
    // The next token as a number by the text reader's rule (0 at the end); "Invalid numeric
    // input" for anything else.
    double readReal();
    // Skips `count` whole lines (LF, CR LF or a lone CR end a line), stopping at the end.
    void skipLines(long long count);
    void skipLine() { skipLines(1); }
    // Appends the bytes of the next `count` whole lines (their line ends included) to `into`,
    // stopping at the end; false, with the stream somewhere inside those lines, as soon as
    // `into` would pass `maxBytes`.
    bool copyLines(long long count, std::string& into, std::size_t maxBytes);
    // Puts back the bytes just read (by copyLines), to be read again before the rest.
    void unread(std::string_view bytes);
    // True when nothing is left to read.
    bool eof();
    // The line (from 1) of the last character read, for a message; nothing when the file
    // cannot be read again.
    std::optional<std::uint64_t> lineNumber() const;

private:
    explicit ImageStream(ReadLimits limits) : limits_(limits) {}
    void allocate();
    void grow();
    // Moves the bytes from `keep` on to the front of the buffer and reads more after them;
    // false when nothing more comes.
    bool refill(std::size_t keep);
    bool passLines(long long count, std::string* into, std::size_t maxBytes);
    // Counts the line ends of a long rest of the file on two cores and moves to the block where
    // the `count`-th one lies; returns how many of them remain to be passed from there.
    long long skipInParallel(long long count);
    // Moves to the start of the block of `head`, or of `tail` after it, where the `count`-th
    // line end lies (or to the end of the text); returns the line ends left before it.
    long long moveToLineEnd(long long count, const textio::BlockLineEnds& head,
                            const textio::BlockLineEnds* tail);
    std::size_t readSource(char* into, std::size_t room);

    // An open file descriptor, closed when the stream ends or goes away.
    class Descriptor {
    public:
        Descriptor() = default;
        explicit Descriptor(int fd) : fd_(fd) {}
        Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
        Descriptor& operator=(Descriptor&& other) noexcept;
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        ~Descriptor() { reset(); }
        int get() const { return fd_; }
        void reset();

    private:
        int fd_ = -1;
    };

    ReadLimits limits_;
    Descriptor fd_;
    std::string_view text_; // the source when reading a text
    std::size_t textPos_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false; // the source gave its last byte (or a Ctrl-Z)
    std::uint64_t size_ = 0;
    std::uint64_t offset_ = 0; // where the next read of the file starts
};

// An image text held in memory, ending at its first Ctrl-Z (images made by tests and fuzzing).
class ImageText {
public:
    static ImageText fromString(std::string text);
    std::string_view text() const { return std::string_view(owned_).substr(0, length_); }

private:
    std::string owned_;
    std::size_t length_ = 0;
};

// Cuts the trace out of the chosen frame, calling `emit` for every trace point in order; a frame
// of the common shape (see FrameText) is split and converted only as far as the trace needs.
// Settings outside the lines (an index or window that does not fit) give no points; a summing
// window must lie on the values (positions 2 to V + 1). Throws "Invalid numeric input".
void extractTrace(ImageStream& image, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit);
void extractTrace(std::string_view text, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit);

// A column trace's summing window (or single position) lies on the values of a line.
bool windowFits(const TraceSettings& settings);

// A column trace averages over a summing half-width of 1 or more; a smaller one is refused with
// the operator's text before anything is written. Line mode does not use the half-width.
void checkHalfWidth(const TraceSettings& settings);

// The trace file line: column mode "%10.3f%10.0f" of abscissa and value, line mode the
// position as a whole number in 10 characters and the value "%10.0f".
std::string traceFileLine(TraceMode mode, const TracePoint& point);
// The list line: k, two blanks, the abscissa and one blank, the value, in general format.
std::string traceListLine(const TracePoint& point);

// "<base>_c<frame>_y<index>" or "<base>_r<frame>_y<index>", base being the file name without its
// folder and without its last four characters.
std::string traceName(std::string_view fileName, TraceMode mode, std::string_view frameText,
                      std::string_view indexText);

} // namespace andor

namespace andor {

// One frame read whole, so that many traces can be cut from it for the cost of one reading.
// Reading checks the same tokens and raises the same errors as extractTrace, and every trace
// gives the points extractTrace gives for the same settings.
class ParsedFrame {
public:
    static ParsedFrame read(ImageStream& image, FrameGeometry geometry, int frame);
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

namespace andor {

// One frame held as its text, for the common shape of a camera frame: every line ends with LF or
// CR LF and holds exactly V + 1 numbers, each of at most 16 characters, written as an optional
// sign, digits, and a decimal point with digits (at least one digit in all), apart by blanks and
// tabs. Such a frame reads exactly as extractTrace reads it, raises no error, and its lines map
// one to one on the frame's lines, so that a number is only converted (and a line only split
// into its numbers) when it is asked for.
class FrameText {
public:
    // The frame, or nothing when it is not of that shape (another line end, a short or long
    // line, another kind of token, the file ending inside it, or more text than such a frame
    // can hold); the stream then stands at the frame's start. Raises what reading the stream
    // raises.
    // The frame's numbers are checked on two cores, unless the caller already keeps every core
    // busy (several images read at once) and asks for one.
    enum class Cores { Two, One };
    static std::optional<FrameText> read(ImageStream& image, FrameGeometry geometry, int frame,
                                         Cores cores = Cores::Two);
    static std::optional<FrameText> read(std::string_view text, FrameGeometry geometry, int frame);

    FrameGeometry geometry() const { return geometry_; }
    // The number at `position` (1 to V + 1) of `line` (1 to L).
    double number(int line, int position) const;
    // A column trace's value at `line`: the number at the trace index, or the rounded mean of
    // its summing window; the window must fit (positions 2 to V + 1).
    double columnValue(const TraceSettings& settings, int line) const;
    // The points extractTrace gives for these settings (of this frame's geometry).
    void trace(const TraceSettings& settings,
               const std::function<void(const TracePoint&)>& emit) const;

private:
    FrameText() = default;
    // Checks the shape and finds the lines; false when the text is not of that shape.
    bool split(Cores cores);
    // Every line (of those from `first` to before `last`) holds V + 1 plain numbers.
    bool linesArePlain(Cores cores) const;
    bool linesArePlain(std::size_t first, std::size_t last) const;
    // The first `count` numbers of `line`, read first where they have not been yet; valid until
    // another line is read.
    const double* values(int line, int count) const;

    // The frame's text, whose room goes back to the next frame read when it is done with.
    struct TextBuffer {
        std::string text;
        TextBuffer() = default;
        explicit TextBuffer(std::string taken) : text(std::move(taken)) {}
        TextBuffer(TextBuffer&& other) noexcept : text(std::exchange(other.text, {})) {}
        TextBuffer& operator=(TextBuffer&& other) noexcept;
        TextBuffer(const TextBuffer&) = delete;
        TextBuffer& operator=(const TextBuffer&) = delete;
        ~TextBuffer();
        static std::string take();
        static void give(std::string&& text) noexcept;
    };

    FrameGeometry geometry_;
    TextBuffer buffer_;
    std::vector<std::uint32_t> lineStart_; // L + 1 entries, the last one past the frame
    // The lines read so far: slot_[line - 1] is 1 + the line's slot, or 0; a slot holds the
    // line's first split_[slot] numbers, in V + 1 places, and resume_[slot] is where its text
    // goes on after them.
    mutable std::vector<std::uint32_t> slot_;
    mutable std::vector<double> values_;
    mutable std::vector<std::uint32_t> split_;
    mutable std::vector<std::uint32_t> resume_;
};

} // namespace andor
