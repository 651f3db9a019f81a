// The camera's ASCII image file and the extraction of one trace from one of its frames.
#include "AndorImage.h"
#include "Beside.h"
#include "PlainLine.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/LineBreaks.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"
#include "textio/TextScan.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace andor {

namespace {

using textio::untilCtrlZ;

// The token's syntax without converting it. Tokens that may lie outside the range of a double
// (an exponent, or very many digits) go through the full conversion, which knows the limits.
void checkToken(std::string_view token) {
    const char* q = token.data();
    const char* e = q + token.size();
    if (*q == '+' || *q == '-')
        ++q;
    const char* digits = q;
    while (q < e && isDigit(*q))
        ++q;
    std::size_t count = static_cast<std::size_t>(q - digits);
    bool longInteger = count > 300;
    if (q < e && *q == '.') {
        ++q;
        const char* fraction = q;
        while (q < e && isDigit(*q))
            ++q;
        count += static_cast<std::size_t>(q - fraction);
    }
    if (q == e && count > 0 && !longInteger)
        return;
    textio::parseRealToken(token); // raises for anything that is not a valid number
}

// The next number, checked but only converted when `convert` is set.
double number(ImageStream& in, bool convert) {
    std::string_view t = in.token();
    if (t.empty())
        return 0.0;
    if (convert)
        return textio::parseRealToken(t);
    checkToken(t);
    return 0.0;
}

// The positions a column trace takes its value from: one position, or 2n + 1 around it.
struct Window {
    int first = 0;
    int last = 0;
    bool fits = false; // on the values of a line (positions 2 to V + 1)
};

Window windowOf(const TraceSettings& s) {
    long long n = s.halfWidth == 1 ? 0 : s.halfWidth;
    long long first = static_cast<long long>(s.traceIndex) - n;
    long long last = static_cast<long long>(s.traceIndex) + n;
    if (s.halfWidth < 1 || first < 2 || last > s.geometry.values + 1LL)
        return {};
    return {static_cast<int>(first), static_cast<int>(last), true};
}

// A summing window's value from the sum of its 2n + 1 values: the sum over 2n, rounded to the
// nearest whole number.
double windowMean(double sum, const TraceSettings& s) {
    return static_cast<double>(textio::nearest(textio::divide(sum, 2.0 * s.halfWidth)));
}

void extractColumn(ImageStream& in, const TraceSettings& s,
                   const std::function<void(const TracePoint&)>& emit) {
    const int lastPosition = s.geometry.values + 1;
    const bool single = s.halfWidth == 1;
    const Window window = windowOf(s);
    const int first = window.first;
    const int last = window.last;
    // The abscissa at position 1 is no value: a trace or window touching it gives no points.
    const bool fits = window.fits;
    for (int line = 1; line <= s.geometry.lines; ++line) {
        double x = number(in, fits);
        double sum = 0;
        for (int i = 2; i <= lastPosition; ++i) {
            bool inWindow = fits && i >= first && i <= last;
            double y = number(in, inWindow);
            if (!inWindow)
                continue;
            sum += y;
            if (i == last) {
                double value = single ? y : windowMean(sum, s);
                emit({line, x, value, 0});
            }
        }
        in.skipLines(1);
    }
}

void extractLine(ImageStream& in, const TraceSettings& s,
                 const std::function<void(const TracePoint&)>& emit) {
    const int lastPosition = s.geometry.values + 1;
    for (int line = 1; line <= s.geometry.lines; ++line) {
        bool wanted = line == s.traceIndex;
        double x = number(in, wanted);
        for (int i = 2; i <= lastPosition; ++i) {
            double y = number(in, wanted);
            if (wanted)
                emit({i - 1, x, y, i});
        }
        in.skipLines(1);
    }
}

} // namespace

ImageStream::Descriptor& ImageStream::Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void ImageStream::Descriptor::reset() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

ImageStream ImageStream::open(const std::filesystem::path& path, ReadLimits limits) {
    textio::checkInputFile(path);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw textio::AppError(errno == ENOENT ? textio::msg::fileNotFound
                                               : textio::msg::accessDenied);
    return fromDescriptor(fd, limits);
}

ImageStream ImageStream::fromDescriptor(int fd, ReadLimits limits) {
    ImageStream stream(limits);
    stream.fd_ = Descriptor(fd);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        stream.size_ = static_cast<std::uint64_t>(info.st_size);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    stream.allocate();
    return stream;
}

ImageStream ImageStream::overText(std::string_view text, ReadLimits limits) {
    ImageStream stream(limits);
    stream.text_ = text;
    stream.size_ = text.size();
    stream.allocate();
    return stream;
}

// A block, or for a text held in memory no more than the text; a token longer than that grows it.
void ImageStream::allocate() {
    limits_.block = std::max<std::size_t>(limits_.block, 1);
    limits_.maxToken = std::max<std::size_t>(limits_.maxToken, 1);
    capacity_ = limits_.block;
    if (fd_.get() < 0)
        capacity_ = std::min(capacity_, std::max<std::size_t>(text_.size(), 1));
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
}

void ImageStream::grow() {
    std::size_t larger = std::min(std::max(capacity_ * 2, limits_.block), limits_.maxToken + 1);
    auto grown = std::make_unique_for_overwrite<char[]>(larger);
    std::memcpy(grown.get(), buffer_.get(), end_);
    buffer_ = std::move(grown);
    capacity_ = larger;
}

std::size_t ImageStream::readSource(char* into, std::size_t room) {
    if (fd_.get() < 0) {
        std::size_t n = std::min(room, text_.size() - textPos_);
        std::memcpy(into, text_.data() + textPos_, n);
        textPos_ += n;
        return n;
    }
    for (;;) {
        ssize_t n = ::read(fd_.get(), into, room);
        if (n >= 0) {
            offset_ += static_cast<std::uint64_t>(n);
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR)
            throw textio::AppError("No se pudo leer el archivo de imagen");
    }
}

bool ImageStream::refill(std::size_t keep) {
    if (ended_)
        return false;
    std::size_t kept = end_ - keep;
    if (keep > 0 && kept > 0)
        std::memmove(buffer_.get(), buffer_.get() + keep, kept);
    pos_ -= keep;
    end_ = kept;
    if (end_ == capacity_)
        grow();
    char* fresh = buffer_.get() + end_;
    const std::size_t read = readSource(fresh, capacity_ - end_);
    const std::size_t n = untilCtrlZ({fresh, read}).size();
    if (n < read || n == 0) // a Ctrl-Z, or the source's end
        ended_ = true;
    end_ += n;
    return n > 0;
}

std::optional<std::uint64_t> ImageStream::lineNumber() const {
    const std::uint64_t read = (fd_.get() < 0 ? textPos_ : offset_) - (end_ - pos_);
    if (read == 0)
        return 1;
    if (fd_.get() < 0)
        return textio::lineAt(text_, read - 1);
    return textio::lineAt(fd_.get(), read - 1);
}

bool ImageStream::eof() {
    return pos_ == end_ && !refill(end_);
}

std::string_view ImageStream::token() {
    for (;;) {
        const char* data = buffer_.get();
        pos_ = static_cast<std::size_t>(textio::skipBlanks(data + pos_, data + end_) - data);
        if (pos_ < end_)
            break;
        if (!refill(end_))
            return {};
    }
    std::size_t start = pos_;
    for (;;) {
        const char* data = buffer_.get();
        pos_ = static_cast<std::size_t>(textio::numberEnd(data + pos_, data + end_) - data);
        if (pos_ - start > limits_.maxToken)
            throw textio::AppError("Número de más de " + std::to_string(limits_.maxToken) +
                                   " caracteres en la imagen");
        if (pos_ < end_ || ended_)
            break;
        bool more = refill(start);
        start = 0; // the token so far now starts the buffer
        if (!more)
            break;
    }
    return {buffer_.get() + start, pos_ - start};
}

double ImageStream::readReal() {
    std::string_view t = token();
    return t.empty() ? 0.0 : textio::parseRealToken(t);
}

void ImageStream::skipLines(long long count) {
    passLines(skipInParallel(count), nullptr, 0);
}

long long ImageStream::skipInParallel(long long count) {
    // Below a few megabytes a second thread costs more than it saves.
    constexpr std::uint64_t worthIt = std::uint64_t{4} << 20;
    constexpr long long manyLines = 1000;
    struct stat info {};
    if (count < manyLines || fd_.get() < 0 || ended_ || ::fstat(fd_.get(), &info) != 0)
        return count;
    const std::uint64_t from = offset_ - (end_ - pos_); // the stream's place in the file
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size <= from || size - from < worthIt)
        return count;
    constexpr std::size_t scanBlock = textio::lineScanBlock;
    const std::uint64_t middle = from + (size - from) / 2 / scanBlock * scanBlock;
    const auto wanted = static_cast<std::uint64_t>(count);
    std::atomic<bool> stop{false};
    textio::BlockLineEnds head;
    textio::BlockLineEnds tail;
    std::exception_ptr tailError;
    runBeside(
        [&] {
            try {
                tail = textio::countFileLineEnds(fd_.get(), middle, size, scanBlock, wanted, &stop);
            } catch (...) {
                tailError = std::current_exception();
            }
        },
        [&] {
            try {
                head =
                    textio::countFileLineEnds(fd_.get(), from, middle, scanBlock, wanted, nullptr);
            } catch (...) {
                stop = true;
                throw;
            }
            std::uint64_t inHead = 0;
            for (std::uint64_t ends : head.ends)
                inHead += ends;
            stop = inHead >= wanted || head.textEnded;
        });
    if (!stop && tailError)
        std::rethrow_exception(tailError);
    return moveToLineEnd(count, head, stop ? nullptr : &tail);
}

long long ImageStream::moveToLineEnd(long long count, const textio::BlockLineEnds& head,
                                     const textio::BlockLineEnds* tail) {
    auto remaining = static_cast<std::uint64_t>(count);
    std::uint64_t position = head.from;
    auto findIn = [&](const textio::BlockLineEnds& part) {
        position = part.from;
        for (std::uint64_t ends : part.ends) {
            if (ends >= remaining)
                return true;
            remaining -= ends;
            position += part.block;
        }
        position = part.from + part.scanned;
        return false;
    };
    bool found = findIn(head) || (!head.textEnded && tail != nullptr && findIn(*tail));
    pos_ = 0;
    end_ = 0;
    if (!found && (head.textEnded || (tail != nullptr && tail->textEnded))) {
        ended_ = true;
        offset_ = position;
        return 0;
    }
    if (::lseek(fd_.get(), static_cast<off_t>(position), SEEK_SET) < 0)
        throw textio::AppError("No se pudo leer el archivo de imagen");
    offset_ = position;
    return static_cast<long long>(remaining);
}

bool ImageStream::copyLines(long long count, std::string& into, std::size_t maxBytes) {
    return passLines(count, &into, maxBytes);
}

void ImageStream::unread(std::string_view bytes) {
    if (bytes.size() <= pos_) {
        pos_ -= bytes.size();
        std::memcpy(buffer_.get() + pos_, bytes.data(), bytes.size());
        return;
    }
    std::size_t rest = end_ - pos_;
    std::size_t size = bytes.size() + rest;
    std::size_t capacity = std::max(capacity_, size);
    auto joined = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(joined.get(), bytes.data(), bytes.size());
    std::memcpy(joined.get() + bytes.size(), buffer_.get() + pos_, rest);
    buffer_ = std::move(joined);
    capacity_ = capacity;
    pos_ = 0;
    end_ = size;
}

bool ImageStream::passLines(long long count, std::string* into, std::size_t maxBytes) {
    while (count > 0) {
        if (pos_ == end_ && !refill(end_))
            return true;
        const char* data = buffer_.get();
        const char* p = data + pos_;
        const char* end = data + end_;
        bool crLast = false; // the block ends with a CR: a LF may follow in the next one
        while (count > 0 && p < end) {
            const char* brk = textio::findLineBreak(p, end);
            if (brk == nullptr) {
                p = end; // the line goes on in the next block
                continue;
            }
            --count;
            if (*brk == '\n' || brk + 1 == end) {
                crLast = *brk == '\r';
                p = brk + 1;
                continue;
            }
            p = brk + (brk[1] == '\n' ? 2 : 1);
        }
        auto passed = static_cast<std::size_t>(p - data) - pos_;
        if (into != nullptr) {
            if (into->size() + passed > maxBytes)
                return false;
            into->append(data + pos_, passed);
        }
        pos_ += passed;
        if (crLast && pos_ == end_ && refill(end_) && buffer_[pos_] == '\n') {
            if (into != nullptr)
                into->push_back('\n');
            ++pos_;
        }
    }
    return true;
}

ImageText ImageText::fromString(std::string text) {
    ImageText image;
    image.length_ = untilCtrlZ(text).size();
    image.owned_ = std::move(text);
    return image;
}

void extractTrace(ImageStream& in, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit) {
    // Reading the frame skips the frames before it, and leaves the stream at its start when it
    // is not of the common shape.
    if (auto frame = FrameText::read(in, settings.geometry, settings.frame)) {
        frame->trace(settings, emit);
        return;
    }
    if (settings.mode == TraceMode::Column)
        extractColumn(in, settings, emit);
    else
        extractLine(in, settings, emit);
}

void extractTrace(std::string_view text, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit) {
    ImageStream in = ImageStream::overText(text);
    extractTrace(in, settings, emit);
}

bool windowFits(const TraceSettings& settings) {
    return windowOf(settings).fits;
}

void checkHalfWidth(const TraceSettings& settings) {
    if (settings.mode == TraceMode::Column && settings.halfWidth <= 0)
        throw textio::AppError("La suma de pixeles vertical debe ser 1 o mayor.");
}

std::string traceFileLine(TraceMode mode, const TracePoint& point) {
    using textio::FieldPlace;
    std::string value = textio::dataField(point.value, 10, 0, FieldPlace::Following);
    if (mode == TraceMode::Column)
        return textio::dataField(point.abscissa, 10, 3, FieldPlace::First) + value;
    return textio::integerField(point.position, 10) + value;
}

std::string traceListLine(const TracePoint& point) {
    return std::to_string(point.k)
        .append("  ")
        .append(textio::generalFormat(point.abscissa))
        .append(" ")
        .append(textio::generalFormat(point.value));
}

std::string traceName(std::string_view fileName, TraceMode mode, std::string_view frameText,
                      std::string_view indexText) {
    std::string name = textio::withoutLastFour(std::filesystem::path(fileName).filename().string());
    return name.append(mode == TraceMode::Column ? "_c" : "_r")
        .append(frameText)
        .append("_y")
        .append(indexText);
}

} // namespace andor

andor::ParsedFrame andor::ParsedFrame::read(ImageStream& in, FrameGeometry geometry, int frame) {
    ParsedFrame parsed;
    parsed.geometry_ = geometry;
    parsed.frame_ = frame < 1 ? 1 : frame;
    if (frame > 1)
        in.skipLines(static_cast<long long>(frame - 1) * geometry.lines);
    parsed.abscissa_.resize(static_cast<std::size_t>(std::max(0, geometry.lines)));
    parsed.values_.resize(parsed.abscissa_.size() *
                          static_cast<std::size_t>(std::max(0, geometry.values)));
    double* value = parsed.values_.data();
    for (double& x : parsed.abscissa_) {
        x = in.readReal();
        for (int i = 0; i < geometry.values; ++i)
            *value++ = in.readReal();
        in.skipLines(1);
    }
    return parsed;
}

andor::ParsedFrame andor::ParsedFrame::read(std::string_view text, FrameGeometry geometry,
                                            int frame) {
    ImageStream in = ImageStream::overText(text);
    return read(in, geometry, frame);
}

void andor::ParsedFrame::trace(const TraceSettings& s,
                               const std::function<void(const TracePoint&)>& emit) const {
    if (s.geometry.lines != geometry_.lines || s.geometry.values != geometry_.values ||
        std::max(1, s.frame) != frame_)
        throw std::invalid_argument("trace settings differ from the frame read");
    const int lastPosition = geometry_.values + 1;
    auto at = [this](int line, int position) {
        return values_[static_cast<std::size_t>(line - 1) *
                           static_cast<std::size_t>(geometry_.values) +
                       static_cast<std::size_t>(position - 2)];
    };
    if (s.mode == TraceMode::Line) {
        if (s.traceIndex < 1 || s.traceIndex > geometry_.lines)
            return;
        double x = abscissa_[static_cast<std::size_t>(s.traceIndex - 1)];
        for (int i = 2; i <= lastPosition; ++i)
            emit({i - 1, x, at(s.traceIndex, i), i});
        return;
    }
    const bool single = s.halfWidth == 1;
    const Window window = windowOf(s);
    const int first = window.first;
    const int last = window.last;
    if (!window.fits)
        return;
    for (int line = 1; line <= geometry_.lines; ++line) {
        double x = abscissa_[static_cast<std::size_t>(line - 1)];
        if (single) {
            emit({line, x, at(line, first), 0});
            continue;
        }
        double sum = 0;
        for (int i = first; i <= last; ++i)
            sum += at(line, i);
        emit({line, x, windowMean(sum, s), 0});
    }
}

namespace andor {

namespace {

// Larger frames are read the general way, in blocks.
constexpr std::size_t maxFrameText = std::size_t{64} << 20;

// A plain number: whole numbers of up to 15 digits directly, anything else by the text rule.
double plainNumber(std::string_view token) {
    const char* p = token.data();
    const char* end = p + token.size();
    bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    if (end - p > 15)
        return textio::parseRealToken(token);
    std::int64_t whole = 0;
    for (; p < end; ++p) {
        if (!isDigit(*p))
            return textio::parseRealToken(token);
        whole = whole * 10 + (*p - '0');
    }
    auto value = static_cast<double>(whole);
    return negative ? -value : value;
}

} // namespace

std::optional<FrameText> FrameText::read(ImageStream& in, FrameGeometry geometry, int frame,
                                         Cores cores) {
    if (geometry.lines < 1 || geometry.values < 1)
        return std::nullopt;
    const auto lines = static_cast<std::size_t>(geometry.lines);
    const auto perLine = static_cast<std::size_t>(geometry.values) + 1;
    if (lines * perLine > (std::size_t{1} << 28))
        return std::nullopt;
    if (frame > 1)
        in.skipLines(static_cast<long long>(frame - 1) * geometry.lines);
    FrameText f;
    f.geometry_ = geometry;
    f.buffer_ = TextBuffer(TextBuffer::take());
    const std::size_t maxBytes = std::min(lines * perLine * (plainTokenLength + 2), maxFrameText);
    if (!in.copyLines(geometry.lines, f.buffer_.text, maxBytes) || !f.split(cores)) {
        in.unread(f.buffer_.text);
        return std::nullopt;
    }
    return f;
}

bool FrameText::split(Cores cores) {
    const auto lines = static_cast<std::size_t>(geometry_.lines);
    lineStart_.resize(lines + 1);
    const char* data = buffer_.text.data();
    const char* end = data + buffer_.text.size();
    const char* p = data;
    for (std::size_t line = 0; line < lines; ++line) {
        if (p == end)
            return false; // the file ends inside the frame
        lineStart_[line] = static_cast<std::uint32_t>(p - data);
        const char* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        // Only the file's last line may go without a line end.
        p = lf != nullptr ? lf + 1 : end;
    }
    if (p != end)
        return false;
    lineStart_[lines] = static_cast<std::uint32_t>(buffer_.text.size());
    if (!linesArePlain(cores))
        return false;
    slot_.assign(lines, 0);
    return true;
}

bool FrameText::linesArePlain(std::size_t first, std::size_t last) const {
    const auto perLine = static_cast<std::size_t>(geometry_.values) + 1;
    const char* data = buffer_.text.data();
    for (std::size_t line = first; line < last; ++line) {
        const char* p = data + lineStart_[line];
        const char* content = data + lineStart_[line + 1];
        if (content > p && content[-1] == '\n')
            --content;
        if (content > p && content[-1] == '\r')
            --content;
        if (!isPlainLine({p, static_cast<std::size_t>(content - p)}, perLine))
            return false;
    }
    return true;
}

bool FrameText::linesArePlain(Cores cores) const {
    const auto lines = static_cast<std::size_t>(geometry_.lines);
    // Checking a quarter of a million numbers is the larger part of cutting a trace: a frame of
    // some size is checked in two halves at once.
    constexpr std::size_t worthIt = std::size_t{256} << 10;
    if (cores == Cores::One || buffer_.text.size() < worthIt || lines < 2)
        return linesArePlain(0, lines);
    bool firstHalf = false;
    bool secondHalf = false;
    runBeside([&] { secondHalf = linesArePlain(lines / 2, lines); },
              [&] { firstHalf = linesArePlain(0, lines / 2); });
    return firstHalf && secondHalf;
}

std::optional<FrameText> FrameText::read(std::string_view text, FrameGeometry geometry, int frame) {
    ImageStream in = ImageStream::overText(text);
    return read(in, geometry, frame);
}

const double* FrameText::values(int line, int count) const {
    const auto perLine = static_cast<std::size_t>(geometry_.values) + 1;
    const auto row = static_cast<std::size_t>(line - 1);
    if (slot_[row] == 0) {
        values_.resize(values_.size() + perLine);
        split_.push_back(0);
        resume_.push_back(lineStart_[row]);
        slot_[row] = static_cast<std::uint32_t>(split_.size());
    }
    const std::size_t slot = slot_[row] - 1;
    double* values = values_.data() + slot * perLine;
    std::uint32_t& split = split_[slot];
    const auto wanted = static_cast<std::uint32_t>(count);
    if (wanted > split) {
        // Every line holds V + 1 numbers, each followed by a blank, a line end or the text's end.
        const char* data = buffer_.text.data();
        const char* p = data + resume_[slot];
        for (; split < wanted; ++split)
            values[split] = plainNumber(nextPlainToken(p));
        resume_[slot] = static_cast<std::uint32_t>(p - data);
    }
    return values;
}

double FrameText::number(int line, int position) const {
    return values(line, position)[position - 1];
}

double FrameText::columnValue(const TraceSettings& s, int line) const {
    const Window window = windowOf(s);
    if (s.halfWidth == 1)
        return number(line, window.first);
    const double* row = values(line, window.last);
    double sum = 0;
    for (int i = window.first; i <= window.last; ++i)
        sum += row[i - 1];
    return windowMean(sum, s);
}

void FrameText::trace(const TraceSettings& s,
                      const std::function<void(const TracePoint&)>& emit) const {
    if (s.mode == TraceMode::Line) {
        if (s.traceIndex < 1 || s.traceIndex > geometry_.lines)
            return;
        double x = number(s.traceIndex, 1);
        for (int i = 2; i <= geometry_.values + 1; ++i)
            emit({i - 1, x, number(s.traceIndex, i), i});
        return;
    }
    const Window window = windowOf(s);
    if (!window.fits)
        return;
    // Each line once from its start: the abscissa, then the numbers of the window.
    const char* data = buffer_.text.data();
    const char* textEnd = data + buffer_.text.size();
    for (int line = 1; line <= geometry_.lines; ++line) {
        const char* p = data + lineStart_[static_cast<std::size_t>(line - 1)];
        double x = plainNumber(nextPlainToken(p));
        p = startOfNumber(p, textEnd, static_cast<std::size_t>(window.first - 1));
        double value = 0;
        if (s.halfWidth == 1) {
            value = plainNumber(nextPlainToken(p));
        } else {
            double sum = 0;
            for (int i = window.first; i <= window.last; ++i)
                sum += plainNumber(nextPlainToken(p));
            value = windowMean(sum, s);
        }
        emit({line, x, value, 0});
    }
}

FrameText::TextBuffer::~TextBuffer() {
    give(std::move(text));
}

FrameText::TextBuffer& FrameText::TextBuffer::operator=(TextBuffer&& other) noexcept {
    if (this != &other) {
        give(std::move(text));
        text = std::move(other.text);
        other.text = std::string();
    }
    return *this;
}

namespace {
// The text of the frame read last, kept for the next one so that its pages are not fetched
// from the system again; never more than a few frames' worth.
thread_local std::string spareText;
constexpr std::size_t maxSpareText = std::size_t{16} << 20;
} // namespace

std::string FrameText::TextBuffer::take() {
    std::string taken = std::move(spareText);
    spareText = std::string();
    taken.clear();
    return taken;
}

void FrameText::TextBuffer::give(std::string&& text) noexcept {
    if (text.capacity() > spareText.capacity() && text.capacity() <= maxSpareText)
        spareText.swap(text);
}

} // namespace andor
