// Buffered reader for the program's plain-text data files.
#include "TextReader.h"

#include "LineBreaks.h"
#include "TextScan.h"

#include "AppError.h"
#include "Files.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <system_error>

#include <unistd.h>

namespace textio {

namespace {

constexpr std::size_t bufferSize = 1 << 20;
// The place of the first line break in data[from, end), or `end`.
std::size_t lineBreakAt(const char* data, std::size_t from, std::size_t end) {
    const char* found = findLineBreak(data + from, data + end);
    return found != nullptr ? static_cast<std::size_t>(found - data) : end;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the token against the number grammar; returns the decimal magnitude of its first
// significant digit so that an out-of-range conversion can be told apart as underflow.
bool matchesRealGrammar(std::string_view s, int& magnitude) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    int intDigits = 0;
    int leadingFractionZeros = 0;
    bool seenSignificant = false;
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++digits) {
        if (s[i] != '0')
            seenSignificant = true;
        if (seenSignificant)
            ++intDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (; i < s.size() && isDigit(s[i]); ++i, ++digits) {
            if (!seenSignificant && s[i] == '0')
                ++leadingFractionZeros;
            else
                seenSignificant = true;
        }
    }
    if (digits == 0)
        return false;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negative = s[i++] == '-';
        std::size_t expDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits)
            if (exponent < 100000)
                exponent = exponent * 10 + (s[i] - '0');
        if (expDigits == 0)
            return false;
        if (negative)
            exponent = -exponent;
    }
    if (i != s.size())
        return false;
    long mag = intDigits > 0 ? intDigits - 1 : -(leadingFractionZeros + 1);
    magnitude = static_cast<int>(mag + exponent);
    return true;
}

} // namespace

std::string visibleText(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    static constexpr std::string_view named = "\a\b\t\n\v\f\r";
    static constexpr std::string_view letters = "abtnvfr";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // U+0080 .. U+009F are control characters too; in UTF-8 they are C2 80 .. C2 9F.
        if (c == 0xC2 && i + 1 < text.size() &&
            (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
            const auto code = static_cast<unsigned char>(text[++i]);
            shown.append("\\u00").push_back(hex[code >> 4]);
            shown.push_back(hex[code & 15]);
            continue;
        }
        if (c >= 32 && c != 127) {
            shown.push_back(static_cast<char>(c));
            continue;
        }
        if (auto k = named.find(static_cast<char>(c)); c != 0 && k != std::string_view::npos) {
            shown.push_back('\\');
            shown.push_back(letters[k]);
            continue;
        }
        shown.append("\\x").push_back(hex[c >> 4]);
        shown.push_back(hex[c & 15]);
    }
    return shown;
}

double parseRealToken(std::string_view token) {
    int magnitude = 0;
    if (!matchesRealGrammar(token, magnitude))
        throw AppError(msg::invalidNumericInput);
    std::string_view body = token;
    if (body.front() == '+')
        body.remove_prefix(1);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range && magnitude < 0)
        return body.front() == '-' ? -0.0 : 0.0;
    if (ec != std::errc() || ptr != body.data() + body.size())
        throw AppError(msg::invalidNumericInput);
    return value;
}

TextReader TextReader::openFile(const std::filesystem::path& path) {
    checkInputFile(path);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        throw AppError(errno == ENOENT ? msg::fileNotFound : msg::accessDenied);
    TextReader reader;
    reader.file_.reset(f);
    reader.buffer_.resize(bufferSize);
    return reader;
}

TextReader TextReader::fromString(std::string text) {
    TextReader reader;
    std::string_view kept = untilCtrlZ(text);
    reader.buffer_.assign(kept.begin(), kept.end());
    reader.end_ = reader.buffer_.size();
    return reader;
}

bool TextReader::refill() {
    if (!file_ || fileEnded_)
        return false;
    bufferStart_ += end_;
    std::size_t read = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    // The text ends at a Ctrl-Z: nothing after one is ever read.
    std::size_t n = untilCtrlZ({buffer_.data(), read}).size();
    pos_ = 0;
    end_ = n;
    fileEnded_ = n < read || n == 0;
    return n > 0;
}

int TextReader::peek() {
    if (pos_ == end_ && !refill())
        return -1;
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool TextReader::eof() {
    return peek() < 0;
}

bool TextReader::seekEof() {
    skipBlanks();
    return eof();
}

bool TextReader::eoln() {
    int c = peek();
    return c < 0 || c == '\n' || c == '\r';
}

void TextReader::skipBlanks() {
    for (;;) {
        if (pos_ == end_ && !refill())
            return;
        const char* data = buffer_.data();
        pos_ = static_cast<std::size_t>(textio::skipBlanks(data + pos_, data + end_) - data);
        if (pos_ < end_)
            return;
    }
}

std::string_view TextReader::readToken() {
    skipBlanks();
    if (peek() < 0)
        return {};
    const char* data = buffer_.data();
    std::size_t start = pos_;
    pos_ = static_cast<std::size_t>(numberEnd(data + pos_, data + end_) - data);
    if (pos_ - start > maxTokenLength)
        throw AppError(msg::invalidNumericInput);
    if (pos_ < end_ || !file_ || fileEnded_)
        return {data + start, pos_ - start};
    // The token runs into the next block: gather it across refills.
    token_.assign(data + start, pos_ - start);
    while (refill()) {
        data = buffer_.data();
        pos_ = static_cast<std::size_t>(numberEnd(data + pos_, data + end_) - data);
        if (token_.size() + pos_ > maxTokenLength)
            throw AppError(msg::invalidNumericInput);
        token_.append(data, pos_);
        if (pos_ < end_)
            break;
    }
    return token_;
}

double TextReader::readReal() {
    std::string_view token = readToken();
    return token.empty() ? 0.0 : parseRealToken(token);
}

int TextReader::readInteger() {
    std::string_view token = readToken();
    if (token.empty())
        return 0;
    std::string_view digits = token;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    int value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || digits.front() == '+' || ec != std::errc() ||
        ptr != digits.data() + digits.size() || (token.front() == '+' && digits.front() == '-'))
        throw AppError(msg::invalidNumericInput);
    return value;
}

std::string_view TextReader::consumeLineEnd() {
    int c = peek();
    if (c == '\n') {
        ++pos_;
        return "\n";
    }
    if (c != '\r')
        return "";
    ++pos_;
    if (peek() != '\n')
        return "\r";
    ++pos_;
    return "\r\n";
}

std::string TextReader::readLine() {
    std::string lineEnd;
    return readLine(lineEnd);
}

std::string TextReader::readLine(std::string& lineEnd) {
    std::string line;
    lineEnd = streamLine([&line](std::string_view piece) { line.append(piece); });
    return line;
}

std::string_view TextReader::streamLine(const std::function<void(std::string_view)>& sink) {
    for (;;) {
        if (pos_ == end_ && !refill())
            return "";
        const char* data = buffer_.data();
        std::size_t p = lineBreakAt(data, pos_, end_);
        if (p > pos_)
            sink({data + pos_, p - pos_});
        pos_ = p;
        if (p < end_)
            return consumeLineEnd();
    }
}

std::string TextReader::readLineStart(std::size_t n) {
    std::string start;
    streamLine([&start, n](std::string_view piece) {
        if (start.size() < n)
            start.append(piece.substr(0, n - start.size()));
    });
    return start;
}

std::optional<std::string> TextReader::readLineUpTo(std::size_t limit) {
    std::string line;
    for (;;) {
        if (pos_ == end_ && !refill())
            return line;
        const char* data = buffer_.data();
        std::size_t p = lineBreakAt(data, pos_, end_);
        if (line.size() + (p - pos_) > limit) {
            pos_ += limit + 1 - line.size();
            return std::nullopt;
        }
        line.append(data + pos_, p - pos_);
        pos_ = p;
        if (p < end_) {
            consumeLineEnd();
            return line;
        }
    }
}

std::string TextReader::readChars(std::size_t n) {
    std::string text;
    while (text.size() < n) {
        int c = peek();
        if (c < 0 || c == '\n' || c == '\r')
            break;
        text.push_back(static_cast<char>(c));
        ++pos_;
    }
    return text;
}

void TextReader::skipLine() {
    streamLine([](std::string_view) {});
}

std::optional<std::uint64_t> TextReader::lineNumber() {
    const std::uint64_t consumed = bufferStart_ + pos_;
    if (consumed == 0)
        return 1;
    // The line of the last character consumed, the file read again from its start.
    if (file_)
        return lineAt(::fileno(file_.get()), consumed - 1);
    return lineAt(std::string_view(buffer_.data(), end_), consumed - 1);
}

} // namespace textio
