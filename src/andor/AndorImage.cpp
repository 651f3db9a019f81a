// The camera's ASCII image file and the extraction of one trace from one of its frames.
#include "AndorImage.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace andor {

namespace {

constexpr char ctrlZ = 26;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view untilCtrlZ(std::string_view text) {
    const void* stop = std::memchr(text.data(), ctrlZ, text.size());
    if (stop == nullptr)
        return text;
    return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(stop) - text.data()));
}

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') <= 9;
}

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
                double value = single ? y
                                      : static_cast<double>(textio::nearest(
                                            textio::divide(sum, 2.0 * s.halfWidth)));
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
        if (n >= 0)
            return static_cast<std::size_t>(n);
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
    std::size_t n = readSource(fresh, capacity_ - end_);
    if (const void* stop = std::memchr(fresh, ctrlZ, n)) {
        n = static_cast<std::size_t>(static_cast<const char*>(stop) - fresh);
        ended_ = true;
    }
    if (n == 0)
        ended_ = true;
    if (ended_)
        fd_.reset();
    end_ += n;
    return n > 0;
}

bool ImageStream::eof() {
    return pos_ == end_ && !refill(end_);
}

std::string_view ImageStream::token() {
    for (;;) {
        const char* data = buffer_.get();
        while (pos_ < end_ && isBlank(data[pos_]))
            ++pos_;
        if (pos_ < end_)
            break;
        if (!refill(end_))
            return {};
    }
    std::size_t start = pos_;
    for (;;) {
        const char* data = buffer_.get();
        while (pos_ < end_ && !isBlank(data[pos_]))
            ++pos_;
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
    while (count > 0) {
        if (pos_ == end_ && !refill(end_))
            return;
        const char* data = buffer_.get();
        const char* p = data + pos_;
        const char* end = data + end_;
        bool crLast = false; // the block ends with a CR: a LF may follow in the next one
        while (count > 0 && p < end) {
            const char* lf =
                static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            const char* limit = lf != nullptr ? lf : end;
            // A lone CR before the LF ends the line earlier.
            const char* cr =
                static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(limit - p)));
            if (cr != nullptr && cr + 1 != lf) {
                p = cr + 1;
                --count;
                crLast = p == end;
                continue;
            }
            if (lf == nullptr) {
                p = end; // the line goes on in the next block
                continue;
            }
            p = lf + 1;
            --count;
        }
        pos_ = static_cast<std::size_t>(p - data);
        if (crLast && pos_ == end_ && refill(end_) && buffer_[pos_] == '\n')
            ++pos_;
    }
}

ImageText ImageText::fromString(std::string text) {
    ImageText image;
    image.length_ = untilCtrlZ(text).size();
    image.owned_ = std::move(text);
    return image;
}

void extractTrace(ImageStream& in, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit) {
    if (settings.frame > 1)
        in.skipLines(static_cast<long long>(settings.frame - 1) * settings.geometry.lines);
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
        emit({line, x, static_cast<double>(textio::nearest(textio::divide(sum, 2.0 * s.halfWidth))),
              0});
    }
}
