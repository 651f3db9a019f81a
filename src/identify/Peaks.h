// Peaks of a measured spectrum: the noise level estimated from the data, local maxima that stand
// out of it, their positions between samples; and the peak files the windows write.
//
// Peak files: one peak per line, either two numbers (wavelength, intensity: the line view's
// captured peaks) or three (wavelength, running mean, intensity: the peak search's list); blank
// lines are skipped; any other line, or a token that is not a number, is an error.
#pragma once

#include "textio/TextReader.h"

#include <span>
#include <vector>

namespace identify {

struct Peak {
    double wavelength = 0; // nm
    double intensity = 0;  // height above zero at the fitted vertex
    double prominence = 0; // height above the higher of its two bases, in noise levels
};

// The median of the values (the mean of the two middle ones for an even count; 0 for none).
double median(std::vector<double> values);

// The standard deviation of the spectrum's noise: the median absolute deviation of the first
// differences, scaled to a Gaussian sigma (a difference of two samples has sqrt(2) sigma).
// Lines and a sloping continuum move only a minority of the differences, so they do not inflate
// it. Falls back to the mean absolute deviation when more than half of the differences are equal
// (coarsely quantised data), and never returns 0 for a spectrum that is not constant.
double estimateNoise(std::span<const double> y);

// The offset, in samples from the middle point, of the vertex of the parabola through three
// equally spaced values whose middle one is the highest; within [-0.5, 0.5].
double parabolaVertex(double left, double middle, double right);

// The local maxima whose prominence exceeds `threshold` noise levels, in spectrum order. The
// bases of a maximum are the lowest points between it and the nearest higher point on each side,
// looked for only within a few line widths (the width measured on the strongest peaks), so that
// slow wanderings of the continuum do not lend prominence to the noise. Each peak is placed at
// the vertex of the parabola fitted by least squares to its points above half its prominence.
std::vector<Peak> findPeaks(std::span<const double> x, std::span<const double> y, double threshold);

// Reads a peak file of either kind; prominence is left at 0.
std::vector<Peak> readPeakFile(textio::TextReader& in);

} // namespace identify
