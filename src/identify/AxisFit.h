// The wavelength-axis error fitted from peaks matched to reference lines: the linear model of
// the line view's typed correction, observed - reference = slope * observed + intercept, so that
// lines::correctAxis with the same two numbers gives the corrected axis.
#pragma once

#include "Lines.h"
#include "lines/AxisCorrection.h"

#include <optional>
#include <span>

namespace identify {

struct Match {
    double observed = 0;  // peak wavelength on the spectrum's own axis, nm
    double reference = 0; // wavelength of the matched line, nm
};

struct LineFit {
    lines::LinearError error;
    double rms = 0; // of the residuals of the lines kept, nm
    int lines = 0;  // matches kept (the others were outliers)
    std::vector<bool> kept;
};

// Fits observed - reference = slope * observed + intercept by least squares reweighted with
// Tukey's biweight, so that a minority of wrong matches carries no weight. Nothing with fewer
// than two distinct observed wavelengths.
std::optional<LineFit> robustLineFit(std::span<const Match> matches);

// The error model at the densest agreement of peak-line differences, when the error may be
// larger than the matching tolerance: every peak votes, for each line within `reach` of it, for
// the errors at the two ends of the range that pass through its difference; the best cell wins.
lines::LinearError coarseErrorSearch(std::span<const double> observed,
                                     std::span<const ReferenceLine> lines, double low, double high,
                                     lines::LinearError start, double reach, double cell);

struct AxisFit {
    LineFit fit;
    int iterations = 0;
};

// The whole fit: a coarse search around `start` (within `reach` nm), then matching each peak to
// its only line within the current window of the corrected axis and fitting, until the set of
// matches no longer changes. Nothing when fewer than three lines can be matched.
std::optional<AxisFit> fitAxis(std::span<const Peak> peaks, std::span<const ReferenceLine> lines,
                               double tolerance, lines::LinearError start, double reach);

} // namespace identify
