// Candidate lines of the peaks and the ranking of the ions.
#include "Lines.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace identify {

namespace {

// Wavelengths are read from text with a few decimals: a line written exactly at the tolerance
// must not fall out through the rounding of the subtraction.
constexpr double edgeSlack = 1e-9;
constexpr double matchedWeight = 0.8;

bool byWavelength(const ReferenceLine& a, const ReferenceLine& b) {
    return a.wavelength < b.wavelength;
}

bool hasNear(std::span<const double> sorted, double wavelength, double tolerance) {
    auto it = std::lower_bound(sorted.begin(), sorted.end(), wavelength - tolerance - edgeSlack);
    return it != sorted.end() && *it <= wavelength + tolerance + edgeSlack;
}

std::vector<const ReferenceLine*> strongestFirst(std::vector<const ReferenceLine*> lines) {
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto* a, const auto* b) { return a->intensity > b->intensity; });
    return lines;
}

// The expected lines of one ion: its strongest in range and those within the strong fraction.
std::span<const ReferenceLine* const> expectedOf(std::span<const ReferenceLine* const> strongest,
                                                 const IonRanking& ranking) {
    if (strongest.empty())
        return strongest;
    const double floor = ranking.strongFraction * strongest.front()->intensity;
    std::size_t n = 0;
    while (n < strongest.size() &&
           (strongest[n]->intensity >= floor || n < static_cast<std::size_t>(ranking.minExpected)))
        ++n;
    return strongest.first(n);
}

} // namespace

std::string ionLabel(std::string_view raw) {
    const auto first = raw.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = raw.find_last_not_of(" \t");
    return std::string(raw.substr(first, last - first + 1));
}

std::vector<ReferenceLine> referenceLines(const store::WholeFile& file) {
    std::vector<ReferenceLine> lines;
    for (std::size_t i = 0; i < file.x.size(); ++i)
        lines.push_back({file.x[i], file.y[i], ionLabel(file.labels[i])});
    return lines;
}

std::vector<ReferenceLine> sortedLines(std::vector<ReferenceLine> lines) {
    std::stable_sort(lines.begin(), lines.end(), byWavelength);
    return lines;
}

std::vector<Candidate> candidatesOf(double wavelength, std::span<const ReferenceLine> lines,
                                    double tolerance) {
    std::vector<Candidate> found;
    const ReferenceLine low{wavelength - tolerance - edgeSlack, 0, {}};
    for (auto it = std::lower_bound(lines.begin(), lines.end(), low, byWavelength);
         it != lines.end() && it->wavelength <= wavelength + tolerance + edgeSlack; ++it)
        found.push_back({&*it, wavelength - it->wavelength});
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return std::abs(a.delta) < std::abs(b.delta);
    });
    return found;
}

std::vector<IonScore> rankIons(std::span<const Peak> peaks, std::span<const ReferenceLine> lines,
                               double tolerance, double low, double high,
                               const IonRanking& ranking) {
    std::vector<double> peakAt;
    double totalWeight = 0;
    const bool prominenceKnown =
        std::any_of(peaks.begin(), peaks.end(), [](const Peak& p) { return p.prominence > 0; });
    auto weightOf = [&](const Peak& p) {
        return std::max(0.0, prominenceKnown ? p.prominence : p.intensity);
    };
    for (const Peak& p : peaks) {
        peakAt.push_back(p.wavelength);
        totalWeight += weightOf(p);
    }
    std::sort(peakAt.begin(), peakAt.end());

    std::map<std::string, std::vector<const ReferenceLine*>> inRange;
    for (const ReferenceLine& line : lines) {
        auto& ion = inRange[line.label];
        if (line.wavelength >= low && line.wavelength <= high)
            ion.push_back(&line);
    }
    std::vector<IonScore> scores;
    for (const auto& [label, ionLines] : inRange) {
        IonScore s{label, 0, false, 0, 0};
        const auto strongest = strongestFirst(ionLines);
        double weight = 0;
        double matchedWeightSum = 0;
        for (const ReferenceLine* line : expectedOf(strongest, ranking)) {
            weight += line->intensity;
            ++s.expected;
            if (hasNear(peakAt, line->wavelength, tolerance)) {
                matchedWeightSum += line->intensity;
                ++s.matched;
            }
        }
        double explained = 0;
        for (const Peak& p : peaks) {
            const ReferenceLine probe{p.wavelength - tolerance - edgeSlack, 0, {}};
            auto it =
                std::lower_bound(ionLines.begin(), ionLines.end(), &probe,
                                 [](const auto* a, const auto* b) { return byWavelength(*a, *b); });
            if (it != ionLines.end() && (*it)->wavelength <= p.wavelength + tolerance + edgeSlack)
                explained += weightOf(p);
        }
        const double fraction = weight > 0 ? matchedWeightSum / weight
                                           : (s.expected > 0 ? double(s.matched) / s.expected : 0);
        s.score = matchedWeight * fraction +
                  (1 - matchedWeight) * (totalWeight > 0 ? explained / totalWeight : 0);
        s.present = s.expected > 0 && s.score >= ranking.presentScore;
        scores.push_back(std::move(s));
    }
    std::stable_sort(scores.begin(), scores.end(),
                     [](const IonScore& a, const IonScore& b) { return a.score > b.score; });
    return scores;
}

} // namespace identify
