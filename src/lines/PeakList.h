// The cursor read-out texts and the peak file of the line view.
//
// Peak file: one line per peak, x right-aligned in 10 characters with 2 decimals and y in 10
// characters with no decimals, then the line end.
#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace lines {

// "x, y" with x as "%8.2f" and y as "%8.0f".
std::string peakText(double x, double y);
// The read-out: the peak text in parentheses.
std::string cursorText(double x, double y);

void writePeaks(const std::filesystem::path& path, std::span<const double> x,
                std::span<const double> y);

} // namespace lines
