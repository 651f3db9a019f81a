// The camera's ASCII image file and the extraction of one trace from one of its frames.
#include "AndorImage.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace andor {

namespace {

constexpr char ctrlZ = 26;

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

// Streams numbers and lines over the text with the reader's rules.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // The next token, or an empty view at the end of the text.
    std::string_view token() {
        const char* p = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        while (p < end && static_cast<unsigned char>(*p) <= 32)
            ++p;
        const char* start = p;
        while (p<end&& static_cast<unsigned char>(*p)> 32)
            ++p;
        pos_ = static_cast<std::size_t>(p - text_.data());
        return {start, static_cast<std::size_t>(p - start)};
    }
    // The next number, checked but only converted when `convert` is set.
    double number(bool convert) {
        std::string_view t = token();
        if (t.empty())
            return 0.0;
        if (convert)
            return textio::parseRealToken(t);
        checkToken(t);
        return 0.0;
    }
    void skipLines(long long count) { pos_ = andor::skipLines(text_, pos_, count); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

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

void extractColumn(Scanner& in, const TraceSettings& s,
                   const std::function<void(const TracePoint&)>& emit) {
    const int lastPosition = s.geometry.values + 1;
    const bool single = s.halfWidth == 1;
    const Window window = windowOf(s);
    const int first = window.first;
    const int last = window.last;
    // The abscissa at position 1 is no value: a trace or window touching it gives no points.
    const bool fits = window.fits;
    for (int line = 1; line <= s.geometry.lines; ++line) {
        double x = in.number(fits);
        double sum = 0;
        for (int i = 2; i <= lastPosition; ++i) {
            bool inWindow = fits && i >= first && i <= last;
            double y = in.number(inWindow);
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

void extractLine(Scanner& in, const TraceSettings& s,
                 const std::function<void(const TracePoint&)>& emit) {
    const int lastPosition = s.geometry.values + 1;
    for (int line = 1; line <= s.geometry.lines; ++line) {
        bool wanted = line == s.traceIndex;
        double x = in.number(wanted);
        for (int i = 2; i <= lastPosition; ++i) {
            double y = in.number(wanted);
            if (wanted)
                emit({i - 1, x, y, i});
        }
        in.skipLines(1);
    }
}

} // namespace

ImageText ImageText::open(const std::filesystem::path& path) {
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        throw textio::AppError(textio::msg::fileNotFound);
    if (std::filesystem::is_directory(status))
        throw textio::AppError(textio::msg::accessDenied);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw textio::AppError(errno == ENOENT ? textio::msg::fileNotFound
                                               : textio::msg::accessDenied);
    ImageText image;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        auto length = static_cast<std::size_t>(info.st_size);
        void* map = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            ::madvise(map, length, MADV_SEQUENTIAL);
            image.map_ = map;
            image.mapLength_ = length;
            image.text_ = untilCtrlZ({static_cast<const char*>(map), length});
        }
    }
    if (image.map_ == nullptr) {
        // Not mappable (empty, or not a regular file): read it whole.
        char buffer[1 << 16];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            image.owned_.append(buffer, static_cast<std::size_t>(n));
        image.text_ = untilCtrlZ(image.owned_);
    }
    ::close(fd);
    return image;
}

ImageText ImageText::fromString(std::string text) {
    ImageText image;
    image.owned_ = std::move(text);
    image.text_ = untilCtrlZ(image.owned_);
    return image;
}

ImageText::ImageText(ImageText&& other) noexcept {
    *this = std::move(other);
}

ImageText& ImageText::operator=(ImageText&& other) noexcept {
    if (this != &other) {
        release();
        map_ = std::exchange(other.map_, nullptr);
        mapLength_ = std::exchange(other.mapLength_, 0);
        bool ownsText = map_ == nullptr;
        std::size_t length = other.text_.size();
        owned_ = std::move(other.owned_);
        text_ = ownsText ? std::string_view(owned_).substr(0, length) : other.text_;
        other.text_ = {};
    }
    return *this;
}

ImageText::~ImageText() {
    release();
}

void ImageText::release() {
    if (map_ != nullptr)
        ::munmap(map_, mapLength_);
    map_ = nullptr;
    mapLength_ = 0;
}

std::size_t skipLines(std::string_view text, std::size_t from, long long count) {
    const char* p = text.data() + std::min(from, text.size());
    const char* end = text.data() + text.size();
    for (; count > 0 && p < end; --count) {
        const char* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* limit = lf != nullptr ? lf : end;
        // A lone CR before the LF ends the line earlier.
        const char* cr =
            static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(limit - p)));
        if (cr != nullptr && cr + 1 != lf) {
            p = cr + 1;
            continue;
        }
        p = lf != nullptr ? lf + 1 : end;
    }
    return static_cast<std::size_t>(p - text.data());
}

void extractTrace(std::string_view text, const TraceSettings& settings,
                  const std::function<void(const TracePoint&)>& emit) {
    Scanner in(text);
    if (settings.frame > 1)
        in.skipLines(static_cast<long long>(settings.frame - 1) * settings.geometry.lines);
    if (settings.mode == TraceMode::Column)
        extractColumn(in, settings, emit);
    else
        extractLine(in, settings, emit);
}

std::string traceFileLine(TraceMode mode, const TracePoint& point) {
    if (mode == TraceMode::Column)
        return textio::fixedField(point.abscissa, 10, 3) + textio::fixedField(point.value, 10, 0);
    return textio::integerField(point.position, 10) + textio::fixedField(point.value, 10, 0);
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
    std::string name(std::filesystem::path(fileName).filename().string());
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return name.append(mode == TraceMode::Column ? "_c" : "_r")
        .append(frameText)
        .append("_y")
        .append(indexText);
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

} // namespace andor

void andor::ensureDistinct(const std::filesystem::path& input,
                           const std::filesystem::path& output) {
    if (sameFile(input, output))
        throw textio::AppError("El archivo de salida " + output.filename().string() +
                               " es el mismo archivo de entrada; no se sobrescribe.");
}

andor::ParsedFrame andor::ParsedFrame::read(std::string_view text, FrameGeometry geometry,
                                            int frame) {
    ParsedFrame parsed;
    parsed.geometry_ = geometry;
    parsed.frame_ = frame < 1 ? 1 : frame;
    Scanner in(text);
    if (frame > 1)
        in.skipLines(static_cast<long long>(frame - 1) * geometry.lines);
    parsed.abscissa_.resize(static_cast<std::size_t>(std::max(0, geometry.lines)));
    parsed.values_.resize(parsed.abscissa_.size() *
                          static_cast<std::size_t>(std::max(0, geometry.values)));
    double* value = parsed.values_.data();
    for (double& x : parsed.abscissa_) {
        x = in.number(true);
        for (int i = 0; i < geometry.values; ++i)
            *value++ = in.number(true);
        in.skipLines(1);
    }
    return parsed;
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
