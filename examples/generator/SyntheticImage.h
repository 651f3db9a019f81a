// Synthetic camera images in the camera's ASCII format: a few emission lines over a noisy
// background, for the examples, the tests and the benchmarks.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace synthetic {

struct ImageShape {
    int frames = 3;
    int lines = 1024; // lines per frame (the spectral axis)
    int values = 256; // values per line (the vertical axis)
    const char* lineEnd = "\r\n";
    std::uint32_t seed = 12345;
};

// Line centres (line numbers within a frame) and peak heights of the synthetic emission lines;
// the abscissa runs from 400 to 420 nm, so lines stand at 405.54, 406.57 and 415.15 nm.
inline constexpr struct {
    double centre;
    double height;
} emissionLines[] = {{284, 4000}, {337, 2500}, {512, 8000}, {620, 3000}, {777, 6000}, {900, 4400}};

inline std::string makeImage(const ImageShape& shape) {
    std::string text;
    text.reserve(static_cast<std::size_t>(shape.frames) * shape.lines * (shape.values + 1) * 6);
    std::uint32_t state = shape.seed;
    auto noise = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % 41) - 20;
    };
    char number[32];
    for (int f = 1; f <= shape.frames; ++f) {
        for (int s = 1; s <= shape.lines; ++s) {
            std::snprintf(number, sizeof number, "%.3f", 400.0 + 0.0195 * s);
            text += number;
            for (int p = 1; p <= shape.values; ++p) {
                double across =
                    std::exp(-std::pow((p - shape.values / 2.0) / (shape.values / 5.0), 2));
                double signal = 1600;
                for (const auto& line : emissionLines)
                    signal += 3 * line.height * across * (1.0 + 0.1 * f) *
                              std::exp(-std::pow((s - line.centre) / 3.0, 2));
                std::snprintf(number, sizeof number, "\t%d", static_cast<int>(signal) + noise());
                text += number;
            }
            text += shape.lineEnd;
        }
    }
    return text;
}

} // namespace synthetic
