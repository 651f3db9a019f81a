// Reference lines against the peaks of a spectrum: the candidate lines of each peak and the
// ranking of the ions by how well their strong lines are matched.
#pragma once

#include "Peaks.h"
#include "store/SpectrumStore.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace identify {

struct ReferenceLine {
    double wavelength = 0; // nm
    double intensity = 0;
    std::string label; // the ion, blanks trimmed ("Ar I")
};

struct Candidate {
    const ReferenceLine* line = nullptr;
    double delta = 0; // peak wavelength - line wavelength, nm
};

// The label with blanks on both sides removed.
std::string ionLabel(std::string_view raw);

// The lines of a reference-line file read whole, labels trimmed.
std::vector<ReferenceLine> referenceLines(const store::WholeFile& file);

// The lines of several sets in one list sorted by wavelength.
std::vector<ReferenceLine> sortedLines(std::vector<ReferenceLine> lines);

// The lines (sorted by wavelength) within `tolerance` of `wavelength`, nearest first. A line
// exactly at the tolerance counts; rounding of the wavelengths does not push it out.
std::vector<Candidate> candidatesOf(double wavelength, std::span<const ReferenceLine> lines,
                                    double tolerance);

struct IonScore {
    std::string label;
    double score = 0; // 0..1
    bool present = false;
    int matched = 0;  // expected lines matched by a peak
    int expected = 0; // the ion's strong lines inside the spectrum
};

struct IonRanking {
    // Lines at least this fraction of the ion's strongest line in range are expected to show;
    // at least `minExpected` of its strongest are expected in any case.
    double strongFraction = 0.1;
    int minExpected = 5;
    // An ion scoring at least this is marked present.
    double presentScore = 0.5;
};

// Scores every ion of `lines` (sorted) against the peaks, whose wavelengths are on the lines'
// axis, matching within `tolerance`; [low, high] is the spectrum's range. The score is mostly
// the fraction, weighted by reference intensity, of the ion's expected lines that have a peak;
// the rest is the share of the peaks' total prominence that its lines explain. Weak lines
// coinciding with peaks by chance do not make up for missing strong ones. Best first.
std::vector<IonScore> rankIons(std::span<const Peak> peaks, std::span<const ReferenceLine> lines,
                               double tolerance, double low, double high,
                               const IonRanking& ranking = {});

} // namespace identify
