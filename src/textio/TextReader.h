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
//   "Invalid numeric input". A value too small for a double reads as 0.
// - A line ends at LF, at CR LF or at a lone CR.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace textio {

// Converts one complete token by the number rule above; throws "Invalid numeric input".
double parseRealToken(std::string_view token);

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
    // The rest of the current line; the line end is consumed.
    std::string readLine();
    // Like readLine, but also tells which line end closed the line ("", "\n", "\r\n" or "\r").
    std::string readLine(std::string& lineEnd);
    // Up to n characters of the current line, stopping before its line end (left unread).
    std::string readChars(std::size_t n);
    // Skips past the next line end (or to the end of the file).
    void skipLine();

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
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::string token_;
};

} // namespace textio
