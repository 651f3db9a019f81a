// Whether one line of a camera image holds exactly a given count of plain numbers: an optional
// sign, digits with at most one decimal point (at least one digit), at most 16 characters, the
// numbers separated by blanks or tabs. Such lines are read without the general number rule; the
// check runs over every byte of a frame, so it looks at 16 bytes at a time where it can.
#pragma once

#include <cstddef>
#include <string_view>

namespace andor {

inline constexpr std::size_t plainTokenLength = 16;

inline bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') <= 9;
}

inline bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}

inline bool isTokenChar(char c) {
    return isDigit(c) || c == '.' || c == '+' || c == '-';
}

// The next number of a plain line from `p` (separators before it skipped); `p` moves past it.
inline std::string_view nextPlainToken(const char*& p) {
    while (isSeparator(*p))
        ++p;
    const char* begin = p;
    while (isTokenChar(*p))
        ++p;
    return {begin, static_cast<std::size_t>(p - begin)};
}

// `line` excludes its line end.
bool isPlainLine(std::string_view line, std::size_t count);

// The start of the `k`-th number (from 1) from `p`, a line's start or the end of one of its
// numbers, in text that holds plain lines; `end` when the text ends first.
const char* startOfNumber(const char* p, const char* end, std::size_t k);

} // namespace andor
