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

#include <algorithm>
#include <concepts>
#include <exception>
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

// Each stops after `capacity` entries (the window's arrays), telling whether more followed.
ListRead<SequenceEntry> readSequence(textio::TextReader& in,
                                     std::size_t capacity = sequenceCapacity);
ListRead<std::string> readFileList(textio::TextReader& in, std::size_t capacity = fileListCapacity);

// A spectrum as the store holds it, points 0..n-1 here for 1..nExp there, ascending in x.
struct SpectrumView {
    std::span<const double> x;
    std::span<const double> y;
};

// A spectrum read point by point: `size()`, `y(k)` and `firstAtOrBeyond(lambda)` (the first point
// whose abscissa is at or beyond the wavelength, if any), so that a calculation can read only the
// few points it needs of a trace that is never made whole.
template <typename S>
concept PointwiseSpectrum = requires(const S& s, std::size_t k, double lambda) {
    { s.size() } -> std::convertible_to<std::size_t>;
    { s.y(k) } -> std::convertible_to<double>;
    { s.firstAtOrBeyond(lambda) } -> std::convertible_to<std::optional<std::size_t>>;
};

// The first point at or beyond the wavelength, if any.
std::optional<std::size_t> firstAtOrBeyond(const SpectrumView& s, double lambda);

// A SpectrumView read point by point.
struct ViewPoints {
    const SpectrumView& view;
    std::size_t size() const { return view.y.size(); }
    double y(std::size_t k) const { return view.y[k]; }
    std::optional<std::size_t> firstAtOrBeyond(double lambda) const {
        return eva::firstAtOrBeyond(view, lambda);
    }
};

// The mean of the up to ten points after the first point at or beyond the wavelength (that
// point excluded); nothing when there is no such point or no point after it.
template <PointwiseSpectrum S> std::optional<double> backgroundNear(const S& s, double lambda) {
    auto k = s.firstAtOrBeyond(lambda);
    if (!k)
        return std::nullopt;
    std::size_t from = *k + 1;
    std::size_t to = std::min<std::size_t>(s.size(), *k + 11);
    if (from >= to)
        return std::nullopt;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += s.y(i);
    return sum / static_cast<double>(to - from);
}
inline std::optional<double> backgroundNear(const SpectrumView& s, double lambda) {
    return backgroundNear(ViewPoints{s}, lambda);
}

// From the first point at or beyond the wavelength, follows the rising side to the top of the
// peak (rightwards first; leftwards only when no step to the right was taken); equal neighbours
// and the ends of the spectrum stop the climb. Nothing when no point lies at or beyond.
template <PointwiseSpectrum S> std::optional<double> climbToPeak(const S& s, double lambda) {
    auto start = s.firstAtOrBeyond(lambda);
    if (!start)
        return std::nullopt;
    const std::size_t last = s.size() - 1;
    std::size_t k = *start;
    auto risesRight = [&](std::size_t i) {
        return i < last && s.y(i) < s.y(i + 1) && (i == 0 || s.y(i - 1) < s.y(i));
    };
    auto risesLeft = [&](std::size_t i) {
        return i > 0 && s.y(i) < s.y(i - 1) && (i == last || s.y(i + 1) < s.y(i));
    };
    if (risesRight(k)) {
        while (risesRight(k))
            ++k;
    } else {
        while (risesLeft(k))
            --k;
    }
    return s.y(k);
}
inline std::optional<double> climbToPeak(const SpectrumView& s, double lambda) {
    return climbToPeak(ViewPoints{s}, lambda);
}

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

// |a - background| / |b - background| through the checked division: a zero difference below
// raises the floating-point error.
double backgroundCorrectedRatio(double a, double b, double background);

// What one spectrum gives a calculation on its own, before the values carried from the pair
// before fill its gaps: each quantity, or nothing where the spectrum does not reach its
// wavelength. A failure while reading the spectrum is kept with the quantities found before it.
// Findings depend on the spectrum alone, so that those of many spectra can be made at once and
// taken in order.
struct RatioFindings {
    std::optional<double> background;
    std::optional<double> intensityLine1;
    std::optional<double> intensityRef1;
    std::optional<double> intensityAr;
    std::exception_ptr failure;
};

template <PointwiseSpectrum S>
RatioFindings findRatioInputs(const S& s, const RatioWavelengths& lambda) {
    RatioFindings found;
    try {
        found.background = backgroundNear(s, lambda.background);
        found.intensityLine1 = climbToPeak(s, lambda.line1);
        found.intensityRef1 = climbToPeak(s, lambda.ref1);
        found.intensityAr = climbToPeak(s, lambda.ar);
    } catch (...) {
        found.failure = std::current_exception();
    }
    return found;
}

// Takes the quantities found into the state (the previous values stay where nothing was found),
// raises a failure kept in the findings, then computes the three ratios; a ratio over a zero
// difference raises the floating-point error.
void applyFindings(const RatioFindings& found, RatioState& state);

// Updates the state from the spectrum.
template <PointwiseSpectrum S>
void computeRatios(const S& s, const RatioWavelengths& lambda, RatioState& state) {
    applyFindings(findRatioInputs(s, lambda), state);
}
inline void computeRatios(const SpectrumView& s, const RatioWavelengths& lambda,
                          RatioState& state) {
    computeRatios(ViewPoints{s}, lambda, state);
}

// "<fibre>     <ratioR1>     <ratioArLine1>     <ratioArRef1>     <intensityAr>", "%8.4f" each.
std::string resultLine(int fibre, const RatioState& state);
// "<file>     <fibre>     <ratioR1>".
std::string resultListLine(const std::string& file, int fibre, const RatioState& state);

} // namespace eva
