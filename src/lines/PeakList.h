// The peak file of the line view.
//
// Peak file: one line per peak, x right-aligned in 10 characters with 2 decimals and y in 10
// characters with no decimals, then the line end.
#pragma once

#include <filesystem>
#include <span>

namespace lines {

void writePeaks(const std::filesystem::path& path, std::span<const double> x,
                std::span<const double> y);

} // namespace lines
