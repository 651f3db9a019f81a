// How the program's data files are cut into numbers, shared by the text reader and the camera
// image reader: a text ends at its first Ctrl-Z, and numbers are separated by characters of code
// 32 or less (blanks, tabs, line ends, other control codes).
#pragma once

#include <cstring>
#include <string_view>

namespace textio {

inline constexpr char ctrlZ = 26;

// The part of `text` before its first Ctrl-Z.
inline std::string_view untilCtrlZ(std::string_view text) {
    const void* stop = std::memchr(text.data(), ctrlZ, text.size());
    if (stop == nullptr)
        return text;
    return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(stop) - text.data()));
}

inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The first character in [p, end) that is no blank, or `end`.
inline const char* skipBlanks(const char* p, const char* end) {
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

// The end of the number that starts at `p`: its first blank in [p, end), or `end`.
inline const char* numberEnd(const char* p, const char* end) {
    while (p < end && !isBlank(*p))
        ++p;
    return p;
}

} // namespace textio
