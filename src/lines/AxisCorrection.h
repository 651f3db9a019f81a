// The wavelength-axis correction of the line view and the corrected-spectrum file.
//
// Corrected spectrum file: one line per point, x and y each right-aligned in 10 characters with
// 2 decimals (a wider value in full), then the line end.
#pragma once

#include "store/SpectrumStore.h"

#include <filesystem>
#include <span>

namespace lines {

// The spectrometer's wavelength error at x is slope * x + intercept.
struct LinearError {
    double slope = 0;
    double intercept = 0;
};

// The Chromex model for a central wavelength cw (nm): zero error at cw.
LinearError chromexError(double cw);

// Applies the error to the store's abscissae, always starting from the uncorrected ones: the
// first correction of a spectrum saves them in zExp, later ones restore them from there.
void correctAxis(store::SpectrumStore& store, LinearError error);

// x - (slope * x + intercept), with the checked arithmetic of the correction.
double correctedWavelength(LinearError error, double x);

void writeCorrectedSpectrum(const std::filesystem::path& path, const store::SpectrumStore& store);
// The same file from points held outside the store.
void writeCorrectedSpectrum(const std::filesystem::path& path, std::span<const double> x,
                            std::span<const double> y);

} // namespace lines
