// Quality of the identification on synthetic spectra of known composition: lines found, wrong
// assignments, ion ranking and the fitted axis, over many seeds.
#include "SyntheticIdentify.h"
#include "identify/Identify.h"
#include "lines/AxisCorrection.h"

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

constexpr double low = 300, high = 700;

struct Tally {
    int qualifying = 0, found = 0;
    int identified = 0, wrong = 0;
    int spectra = 0, ranked = 0, marked = 0, absentMarked = 0;
    int axisGood = 0;
    double worstAxis = 0;
};

bool sameLine(const identify::ReferenceLine* a, const identify::ReferenceLine& b) {
    return a->wavelength == b.wavelength && a->label == b.label;
}

// A line counts when it stands 5 noise levels above the continuum and no stronger line of the
// spectrum lies within two line widths.
bool qualifies(const benchsupport::SyntheticSpectrum& s, const benchsupport::SyntheticLine& l,
               double start, double end) {
    if (l.height < 5 * s.noise || l.line->wavelength < start || l.line->wavelength > end)
        return false;
    for (const auto& other : s.lines)
        if (other.height > l.height &&
            std::abs(other.line->wavelength - l.line->wavelength) < 2 * s.fwhm)
            return false;
    return true;
}

void measure(const std::vector<benchsupport::SyntheticIon>& ions,
             const std::vector<identify::ReferenceLine>& lines, unsigned seed, Tally& t) {
    const auto s = benchsupport::syntheticSpectrum(ions, 4024, low, high, seed);
    identify::Options options;
    options.fitAxis = true;
    const auto r = identify::identifySpectrum(s.x, s.y, lines, std::nullopt, options);
    ++t.spectra;
    const lines::LinearError truth{s.slope, s.intercept};
    const double start = lines::correctedWavelength(truth, s.x.front());
    const double end = lines::correctedWavelength(truth, s.x.back());
    std::set<std::string> present;
    for (int k : s.present)
        present.insert(ions[static_cast<std::size_t>(k)].label);

    // Lines found and the axis error at the true lines.
    double squares = 0;
    int counted = 0;
    for (const auto& l : s.lines) {
        if (!qualifies(s, l, start, end))
            continue;
        ++t.qualifying;
        for (const auto& p : r.peaks)
            if (!p.candidates.empty() && sameLine(p.candidates.front().line, *l.line)) {
                ++t.found;
                break;
            }
        const double observed = (l.line->wavelength + s.intercept) / (1 - s.slope);
        const double e = lines::correctedWavelength(r.correction, observed) - l.line->wavelength;
        squares += e * e;
        ++counted;
    }
    const double axisError = counted > 0 ? std::sqrt(squares / counted) / s.fwhm : 0;
    t.worstAxis = std::max(t.worstAxis, axisError);
    t.axisGood += axisError < 0.1 ? 1 : 0;

    // Wrong assignments: the nearest candidate is no line that shows in the spectrum there.
    for (const auto& p : r.peaks) {
        if (p.candidates.empty())
            continue;
        ++t.identified;
        const auto* nearest = p.candidates.front().line;
        bool right = false;
        for (const auto& l : s.lines)
            if (sameLine(nearest, *l.line) && l.height >= 2 * s.noise &&
                std::abs(p.peak.wavelength - l.line->wavelength) <= s.fwhm)
                right = true;
        t.wrong += right ? 0 : 1;
    }

    // Ions: every present one above every absent one, and marked present.
    double lowestPresent = 2, highestAbsent = -1;
    bool allMarked = true;
    for (const auto& ion : r.ions) {
        if (present.count(ion.label)) {
            lowestPresent = std::min(lowestPresent, ion.score);
            allMarked = allMarked && ion.present;
        } else {
            highestAbsent = std::max(highestAbsent, ion.score);
            t.absentMarked += ion.present ? 1 : 0;
        }
    }
    t.ranked += lowestPresent > highestAbsent ? 1 : 0;
    t.marked += allMarked ? 1 : 0;
}

double percent(int part, int whole) {
    return whole > 0 ? 100.0 * part / whole : 0;
}

} // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 200;
    const auto ions = benchsupport::syntheticIons(8, 300, low, high, 2024);
    std::vector<identify::ReferenceLine> all;
    for (const auto& ion : ions)
        all.insert(all.end(), ion.lines.begin(), ion.lines.end());
    const auto lines = identify::sortedLines(all);
    Tally t;
    for (int seed = 1; seed <= seeds; ++seed)
        measure(ions, lines, static_cast<unsigned>(seed), t);
    std::printf(
        "identify quality over %d synthetic spectra (8 ions of 300 lines, 2 or 3 present):\n",
        t.spectra);
    std::printf("  lines found:        %6.2f %%  (%d of %d lines 5 noise levels high, unblended)\n",
                percent(t.found, t.qualifying), t.found, t.qualifying);
    std::printf("  wrong assignments:  %6.2f %%  (%d of %d peaks with a candidate)\n",
                percent(t.wrong, t.identified), t.wrong, t.identified);
    std::printf("  ions ranked right:  %6.2f %%  of spectra; all present marked: %6.2f %%; absent "
                "ions marked present: %d\n",
                percent(t.ranked, t.spectra), percent(t.marked, t.spectra), t.absentMarked);
    std::printf("  axis within 1/10 of the line width: %6.2f %% of spectra (worst RMS %.3f "
                "widths)\n",
                percent(t.axisGood, t.spectra), t.worstAxis);
    return 0;
}
