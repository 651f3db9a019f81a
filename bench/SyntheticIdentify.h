// Synthetic reference-line sets and spectra of known composition for measuring identification.
#pragma once

#include "identify/Lines.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace benchsupport {

struct SyntheticIon {
    std::string label;
    std::vector<identify::ReferenceLine> lines;
};

// `ions` ions of `perIon` lines each over [low, high] nm, wavelengths to a thousandth of a nm,
// intensities spread log-uniformly over four decades, as tables of measured lines are.
inline std::vector<SyntheticIon> syntheticIons(int ions, int perIon, double low, double high,
                                               unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> where(low, high), decades(0, 4);
    const char* elements[] = {"Ar", "Fe", "Ne", "Cu", "Ti", "Cr", "Ni", "He", "Al", "Mg"};
    std::vector<SyntheticIon> out;
    for (int k = 0; k < ions; ++k) {
        SyntheticIon ion{std::string(elements[k % 10]) + (k < 10 ? " I" : " II"), {}};
        for (int j = 0; j < perIon; ++j)
            ion.lines.push_back({std::round(where(random) * 1000) / 1000,
                                 std::round(std::pow(10, decades(random))), ion.label});
        out.push_back(std::move(ion));
    }
    return out;
}

struct SyntheticLine {
    const identify::ReferenceLine* line = nullptr;
    double height = 0; // above the continuum
};

struct SyntheticSpectrum {
    std::vector<double> x; // observed axis
    std::vector<double> y;
    std::vector<int> present; // indices into the ions
    std::vector<SyntheticLine> lines;
    double fwhm = 0;
    double noise = 0;
    double slope = 0, intercept = 0; // observed - true = slope * observed + intercept
};

// A spectrum of `points` points from two or three of the ions: Gaussian lines whose heights follow
// the reference intensities within a factor of 2 either way, a sloping continuum, Gaussian noise,
// a step of 0.01 to 0.05 nm and a linear axis error of up to 0.3 nm over the range.
inline SyntheticSpectrum syntheticSpectrum(const std::vector<SyntheticIon>& ions, int points,
                                           double low, double high, unsigned seed) {
    std::mt19937 random(seed);
    auto uniform = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(random);
    };
    SyntheticSpectrum s;
    const double step = uniform(0.01, 0.05);
    const double start = uniform(low + 1, high - 1 - points * step);
    const double end = start + (points - 1) * step;
    s.fwhm = std::max(0.08, 3 * step);
    s.noise = 10;
    const double errorLow = uniform(-0.3, 0.3), errorHigh = uniform(-0.3, 0.3);
    s.slope = (errorHigh - errorLow) / (end - start);
    s.intercept = errorLow - s.slope * start;
    std::vector<int> order(ions.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = static_cast<int>(k);
    std::shuffle(order.begin(), order.end(), random);
    s.present.assign(order.begin(), order.begin() + (uniform(0, 1) < 0.5 ? 2 : 3));
    for (int k : s.present) {
        double strongest = 0;
        for (const auto& l : ions[static_cast<std::size_t>(k)].lines)
            if (l.wavelength > start && l.wavelength < end)
                strongest = std::max(strongest, l.intensity);
        const double top = s.noise * uniform(300, 3000);
        for (const auto& l : ions[static_cast<std::size_t>(k)].lines)
            if (l.wavelength > start - 1 && l.wavelength < end + 1)
                s.lines.push_back(
                    {&l, top * l.intensity / strongest * std::pow(2, uniform(-1, 1))});
    }
    const double sigma = s.fwhm / 2.3548200450309493;
    const double base = uniform(300, 3000), rise = uniform(-300, 300);
    std::normal_distribution<double> noise(0, s.noise);
    for (int i = 0; i < points; ++i) {
        const double observed = start + i * step;
        const double truth = observed - (s.slope * observed + s.intercept);
        double v = base + rise * (observed - start) / (end - start) + noise(random);
        for (const auto& l : s.lines) {
            const double z = (truth - l.line->wavelength) / sigma;
            if (std::abs(z) < 8)
                v += l.height * std::exp(-0.5 * z * z);
        }
        s.x.push_back(observed);
        s.y.push_back(v);
    }
    return s;
}

} // namespace benchsupport
