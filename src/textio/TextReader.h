// Buffered reader for the program's plain-text data files.
//
// Format rules it implements:
// - The file ends at its physical end or at the first Ctrl-Z (code 26); nothing after a Ctrl-Z is
//   ever read.
// - A number: characters with code 32 or less (blanks, tabs, line ends, other control codes) are
//   skipped first; reaching the end while skipping gives 0 without error. The number is then the
//   run of characters up to, not including, the next one with code 32 or less; that character
//   stays unread. The run must be an optional sign, digits with an optional "." and fraction (at
//   least one digit in all) and an optional exponent ("e" or "E", optional sign, digits). Anything
//   else ("inf", "nan", "0x1A", "1,5", "12abc", a value too large for a double) raises
//   "Invalid numeric input". A value too small for a double reads as 0. A run longer than
//   maxTokenLength characters is no number of any data file: it raises "Invalid numeric input"
//   as soon as it passes that length, without being gathered further.
// - A line ends at LF, at CR LF or at a lone CR. Lines have no length limit: readers that only
//   copy a line stream it (streamLine), readers that keep one take only what they need
//   (readLineStart) or refuse one past a bound (readLineUpTo), so that a line of gigabytes is
//   never held whole.
// - Lines are numbered from 1 for messages (lineNumber); the count is made only when asked.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace textio {

inline constexpr std::size_t maxTokenLength = std::size_t{1} << 16;

// Converts one complete token by the number rule above; throws "Invalid numeric input".
double parseRealToken(std::string_view token);

// Text from a file or a control as quoted in a message: control characters are written visibly
// (\t, \n, \r, \v, \f, \a, \b, and \xNN for the others, DEL included, and \u0080 .. \u009f
// for the UTF-8 control characters); everything else, UTF-8 accents included, is kept as it is.
std::string visibleText(std::string_view text);

class TextReader {
public:
    // Opens a file; "File not found" when it does not exist, "File access denied" otherwise.
    static TextReader openFile(const std::filesystem::path& path);
    static TextReader fromString(std::string text);

    TextReader(TextReader&&) noexcept = default;
    TextReader& operator=(TextReader&&) noexcept = default;
    ~TextReader() = default;

    // True at the physical end or at a Ctrl-Z.
    bool eof();
    // Skips characters with code 32 or less, then tells whether the file is at its end; for
    // streams of numbers whose trailing blanks and line ends must not form a record.
    bool seekEof();
    // True at a line end or at the end of the file.
    bool eoln();
    double readReal();
    // A whole number (optional sign and digits, 32 bits) by the same rule; anything else raises
    // "Invalid numeric input".
    int readInteger();
    // The rest of the current line; the line end is consumed. Holds the whole line: for input
    // whose lines are known to be short.
    std::string readLine();
    // Like readLine, but also tells which line end closed the line ("", "\n", "\r\n" or "\r").
    std::string readLine(std::string& lineEnd);
    // Hands the rest of the current line to `sink` in pieces, as they pass through the buffer,
    // without gathering them; consumes the line end and returns it ("", "\n", "\r\n" or "\r").
    std::string_view streamLine(const std::function<void(std::string_view)>& sink);
    // The first n characters of the current line; the rest of it is skipped and its line end
    // consumed.
    std::string readLineStart(std::size_t n);
    // The rest of the current line when it holds at most `limit` characters, its line end
    // consumed; nothing when it is longer, and then only limit + 1 characters of it are read.
    std::optional<std::string> readLineUpTo(std::size_t limit);
    // Up to n characters of the current line, stopping before its line end (left unread).
    std::string readChars(std::size_t n);
    // Skips past the next line end (or to the end of the file).
    void skipLine();

    // The number, from 1, of the line being read: the line of the last character consumed, a
    // line end belonging to the line it ends (1 before anything is consumed). After an error of
    // a reader this names the line of the text at fault: a number raises its error once its
    // token is consumed, a line is handed over with its line end consumed. The line ends are
    // counted only when asked, over the text consumed since the last call (for a file, text of
    // blocks already passed is read again from the file), so reading costs nothing more; meant
    // for messages. Nothing when that text can no longer be read back.
    std::optional<std::uint64_t> lineNumber();

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    TextReader() = default;
    bool refill();
    // Next character, or -1 at the logical end.
    int peek();
    void skipBlanks();
    // The next token by the number rule (empty at the end of the file).
    std::string_view readToken();
    // Consumes one line end at the current position and returns it ("" when there is none).
    std::string_view consumeLineEnd();

    std::unique_ptr<std::FILE, FileCloser> file_;
    // The file has been read to its end (it stays open so that lineNumber can read it again).
    bool fileEnded_ = false;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    // Offset in the text of buffer_[0].
    std::uint64_t bufferStart_ = 0;
    std::string token_;
};

} // namespace textio
