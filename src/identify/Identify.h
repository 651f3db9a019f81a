// Identification of a measured spectrum against reference-line sets: its peaks with their
// candidate lines, the ions ranked, and optionally the fitted wavelength axis; and the two forms
// the result is written in (a tab-separated table and a JSON document).
#pragma once

#include "AxisFit.h"
#include "Lines.h"
#include "Peaks.h"

#include <optional>
#include <ostream>
#include <span>
#include <vector>

namespace identify {

struct Options {
    double tolerance = 0.1; // nm
    // Observed - reference assumed before any fit (nm): the error of a plain shift of the axis.
    double shift = 0;
    double threshold = 5; // prominence, in noise levels
    bool fitAxis = false;
    // How far (in tolerances) the fit's coarse search looks for the error.
    double searchTolerances = 5;
    IonRanking ranking;
};

struct IdentifiedPeak {
    Peak peak; // wavelength on the corrected axis
    std::vector<Candidate> candidates;
};

struct Result {
    std::vector<IdentifiedPeak> peaks;
    std::vector<IonScore> ions;
    std::optional<LineFit> fit;
    // The correction the wavelengths were put on: the fit, or the plain shift.
    lines::LinearError correction;
    double noise = 0;
};

// `lines` sorted by wavelength (sortedLines); they must outlive the result, whose candidates
// point into them. `givenPeaks` replaces the search for peaks. Nothing in the fit when `fitAxis`
// is asked but too few lines match: the caller tells.
Result identifySpectrum(std::span<const double> x, std::span<const double> y,
                        std::span<const ReferenceLine> lines,
                        const std::optional<std::vector<Peak>>& givenPeaks, const Options& options);

// One row per peak and candidate (a peak without candidates gets one row with the line fields
// empty), after a header row.
void writeTable(std::ostream& out, const Result& result);
// {"peaks": [...], "ions": [...], "fit": {...}} with the keys of the table's columns.
void writeJson(std::ostream& out, const Result& result);

// A JSON number: the shortest text that reads back as the same double; null for NaN or an
// infinity, which JSON has no text for.
std::string jsonNumber(double v);
// A JSON string literal, quotes and escapes included.
std::string jsonString(std::string_view text);

} // namespace identify
