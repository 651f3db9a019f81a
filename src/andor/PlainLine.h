// Whether one line of a camera image holds exactly a given count of plain numbers: an optional
// sign, digits with at most one decimal point (at least one digit), at most 16 characters, the
// numbers separated by blanks or tabs. Such lines are read without the general number rule; the
// check runs over every byte of a frame, so it looks at 16 bytes at a time where it can.
#pragma once

#include <cstddef>
#include <string_view>

namespace andor {

inline constexpr std::size_t plainTokenLength = 16;

// `line` excludes its line end.
bool isPlainLine(std::string_view line, std::size_t count);

} // namespace andor
