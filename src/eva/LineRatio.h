// Line-intensity ratios of a spectrum: background, hill climb to the nearest peak, the three
// background-corrected ratios, and the two inputs of a ratio run.
//
// Sequence file: each line holds two whole numbers, the sequence number and the fibre number;
// the rest of the line is skipped. File list: each whole line is one image file name, blanks
// included. Both stop at their capacity. Names are a few hundred bytes at most, so a list whose
// lines come to more than fileListBytes is no list of names: reading stops with a message that
// names the line where it passed that size, before the line is kept.
#pragma once

#include "textio/TextReader.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace eva {

inline constexpr int sequenceCapacity = 144;
inline constexpr int fileListCapacity = 44;
inline constexpr std::size_t fileListBytes = std::size_t{16} << 20;

struct SequenceEntry {
    int sequenceNumber = 0;
    int fibre = 0;
};

template <typename T> struct ListRead {
    std::vector<T> entries;
    bool truncated = false; // the file held more entries than the capacity
};

ListRead<SequenceEntry> readSequence(textio::TextReader& in);
ListRead<std::string> readFileList(textio::TextReader& in);

// A spectrum as the store holds it, points 0..n-1 here for 1..nExp there, ascending in x.
struct SpectrumView {
    std::span<const double> x;
    std::span<const double> y;
};

// The first point at or beyond the wavelength, if any.
std::optional<std::size_t> firstAtOrBeyond(const SpectrumView& s, double lambda);

// The mean of the up to ten points after the first point at or beyond the wavelength (that
// point excluded); nothing when there is no such point or no point after it.
std::optional<double> backgroundNear(const SpectrumView& s, double lambda);

// From the first point at or beyond the wavelength, follows the rising side to the top of the
// peak (rightwards first; leftwards only when no step to the right was taken); equal neighbours
// and the ends of the spectrum stop the climb. Nothing when no point lies at or beyond.
std::optional<double> climbToPeak(const SpectrumView& s, double lambda);

struct RatioWavelengths {
    double line1 = 0;
    double ref1 = 0;
    double ar = 0;
    double background = 0;
};

// The quantities of a calculation; intensities and background keep their previous values where
// the spectrum does not reach their wavelength.
struct RatioState {
    double background = 0;
    double intensityLine1 = 0;
    double intensityRef1 = 0;
    double intensityAr = 0;
    double ratioR1 = 0;
    double ratioArLine1 = 0;
    double ratioArRef1 = 0;
};

// Updates the state from the spectrum; a ratio over a zero difference raises the floating-point
// error.
void computeRatios(const SpectrumView& s, const RatioWavelengths& lambda, RatioState& state);

// "<fibre>     <ratioR1>     <ratioArLine1>     <ratioArRef1>     <intensityAr>", "%8.4f" each.
std::string resultLine(int fibre, const RatioState& state);
// "<file>     <fibre>     <ratioR1>".
std::string resultListLine(const std::string& file, int fibre, const RatioState& state);

} // namespace eva
