// The robust fit of the wavelength-axis error.
#include "AxisFit.h"
#include "Peaks.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace identify {

namespace {

constexpr double madToSigma = 1.482602218505602;
constexpr double tukeyConstant = 4.685;
// A match further than this many scale units from the fit is an outlier.
constexpr double outlierLimit = 3;
// The scale never drops below this (nm): exact synthetic matches have a residual scale of 0.
constexpr double scaleFloor = 1e-6;
constexpr int reweightings = 30;
constexpr int maxMatchRounds = 30;
// Pairwise slopes used for the starting estimate, at most.
constexpr std::size_t startSample = 200;
// The matching window after a fit: this many times the residual RMS, within the tolerance
// and not below this fraction of it.
constexpr double windowPerRms = 4;
constexpr double windowFloor = 1.0 / 50;
constexpr double cellsPerTolerance = 4;

double errorAt(lines::LinearError e, double x) {
    return e.slope * x + e.intercept;
}

struct Line2 {
    double slope = 0;
    double offset = 0; // value at the centre
};

// Theil-Sen: the median of the pairwise slopes of a spread sample, then the median offset.
Line2 startingLine(std::span<const double> u, std::span<const double> d) {
    const std::size_t stride = std::max<std::size_t>(1, u.size() / startSample);
    std::vector<double> slopes;
    for (std::size_t i = 0; i < u.size(); i += stride)
        for (std::size_t j = i + stride; j < u.size(); j += stride)
            if (u[j] != u[i])
                slopes.push_back((d[j] - d[i]) / (u[j] - u[i]));
    Line2 line;
    line.slope = slopes.empty() ? 0 : median(slopes);
    std::vector<double> offsets(u.size());
    for (std::size_t i = 0; i < u.size(); ++i)
        offsets[i] = d[i] - line.slope * u[i];
    line.offset = median(offsets);
    return line;
}

double residualScale(std::span<const double> r) {
    std::vector<double> a(r.size());
    std::transform(r.begin(), r.end(), a.begin(), [](double v) { return std::abs(v); });
    return std::max(scaleFloor, madToSigma * median(a));
}

std::vector<double> residuals(std::span<const double> u, std::span<const double> d, Line2 line) {
    std::vector<double> r(u.size());
    for (std::size_t i = 0; i < u.size(); ++i)
        r[i] = d[i] - line.offset - line.slope * u[i];
    return r;
}

// Weighted least squares of d on u; nothing when the weighted points do not fix a slope.
std::optional<Line2> weightedLine(std::span<const double> u, std::span<const double> d,
                                  std::span<const double> w) {
    double sw = 0, su = 0, sd = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        sw += w[i];
        su += w[i] * u[i];
        sd += w[i] * d[i];
    }
    if (!(sw > 0))
        return std::nullopt;
    const double mu = su / sw, md = sd / sw;
    double suu = 0, sud = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        suu += w[i] * (u[i] - mu) * (u[i] - mu);
        sud += w[i] * (u[i] - mu) * (d[i] - md);
    }
    if (!(suu > 0))
        return std::nullopt;
    const double slope = sud / suu;
    return Line2{slope, md - slope * mu};
}

using Vote = std::vector<double>;

// Votes for the errors (eLow, eHigh) at the two ends that pass through difference d at relative
// position t: the end with the larger share is solved for, so a cell maps to at most two cells.
void castVotes(Vote& votes, int cells, double t, double d, double low0, double high0, double cell) {
    auto index = [&](double v, double origin) {
        return static_cast<int>(std::lround((v - origin) / cell));
    };
    for (int k = 0; k < cells; ++k) {
        int a = 0, b = 0;
        if (t >= 0.5) {
            a = k;
            const double eLow = low0 + k * cell;
            b = index((d - eLow * (1 - t)) / t, high0);
        } else {
            b = k;
            const double eHigh = high0 + k * cell;
            a = index((d - eHigh * t) / (1 - t), low0);
        }
        if (a >= 0 && a < cells && b >= 0 && b < cells)
            votes[static_cast<std::size_t>(a * cells + b)] += 1;
    }
}

// The cell whose 3 x 3 neighbourhood holds most votes.
std::pair<int, int> bestCell(const Vote& votes, int cells) {
    double best = -1;
    std::pair<int, int> at{cells / 2, cells / 2};
    for (int a = 0; a < cells; ++a)
        for (int b = 0; b < cells; ++b) {
            double sum = 0;
            for (int i = std::max(0, a - 1); i <= std::min(cells - 1, a + 1); ++i)
                for (int j = std::max(0, b - 1); j <= std::min(cells - 1, b + 1); ++j)
                    sum += votes[static_cast<std::size_t>(i * cells + j)];
            sum += votes[static_cast<std::size_t>(a * cells + b)]; // the centre counts twice
            if (sum > best) {
                best = sum;
                at = {a, b};
            }
        }
    return at;
}

struct MatchSet {
    std::vector<std::size_t> peak;
    std::vector<const ReferenceLine*> line;
    bool operator==(const MatchSet&) const = default;
};

// Each peak with exactly one line within `window` of its corrected wavelength.
MatchSet matchUnambiguous(std::span<const Peak> peaks, std::span<const ReferenceLine> lines,
                          lines::LinearError error, double window) {
    MatchSet set;
    for (std::size_t i = 0; i < peaks.size(); ++i) {
        const double x = peaks[i].wavelength;
        const auto found = candidatesOf(x - errorAt(error, x), lines, window);
        if (found.size() == 1) {
            set.peak.push_back(i);
            set.line.push_back(found.front().line);
        }
    }
    return set;
}

} // namespace

std::optional<LineFit> robustLineFit(std::span<const Match> matches) {
    const std::size_t n = matches.size();
    if (n < 2)
        return std::nullopt;
    const double centre = std::accumulate(matches.begin(), matches.end(), 0.0,
                                          [](double s, const Match& m) { return s + m.observed; }) /
                          static_cast<double>(n);
    std::vector<double> u(n), d(n);
    for (std::size_t i = 0; i < n; ++i) {
        u[i] = matches[i].observed - centre;
        d[i] = matches[i].observed - matches[i].reference;
    }
    if (std::all_of(u.begin(), u.end(), [&](double v) { return v == u.front(); }))
        return std::nullopt;
    Line2 line = startingLine(u, d);
    std::vector<double> w(n);
    for (int round = 0; round < reweightings; ++round) {
        const auto r = residuals(u, d, line);
        const double c = tukeyConstant * residualScale(r);
        for (std::size_t i = 0; i < n; ++i) {
            const double z = r[i] / c;
            w[i] = std::abs(z) < 1 ? (1 - z * z) * (1 - z * z) : 0;
        }
        const auto next = weightedLine(u, d, w);
        if (!next)
            break;
        const bool settled =
            std::abs(next->slope - line.slope) * (std::abs(u.front()) + 1) < 1e-12 &&
            std::abs(next->offset - line.offset) < 1e-12;
        line = *next;
        if (settled)
            break;
    }
    const auto r = residuals(u, d, line);
    const double limit = outlierLimit * residualScale(r);
    LineFit fit;
    fit.kept.resize(n);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        fit.kept[i] = std::abs(r[i]) <= limit;
        if (fit.kept[i]) {
            sum += r[i] * r[i];
            ++fit.lines;
        }
    }
    fit.rms = fit.lines > 0 ? std::sqrt(sum / fit.lines) : 0;
    fit.error.slope = line.slope;
    fit.error.intercept = line.offset - line.slope * centre;
    return fit;
}

lines::LinearError coarseErrorSearch(std::span<const double> observed,
                                     std::span<const ReferenceLine> lines, double low, double high,
                                     lines::LinearError start, double reach, double cell) {
    const int cells = 2 * static_cast<int>(std::ceil(reach / cell)) + 1;
    const double span = high - low;
    const bool narrow = !(span > reach);
    const double low0 = errorAt(start, low) - (cells / 2) * cell;
    const double high0 = errorAt(start, high) - (cells / 2) * cell;
    Vote votes(static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells), 0);
    for (double x : observed) {
        const double t = narrow ? 0.5 : std::clamp((x - low) / span, 0.0, 1.0);
        const double guess = errorAt(start, x);
        for (const Candidate& c : candidatesOf(x - guess, lines, reach))
            castVotes(votes, cells, t, c.delta + guess, low0, high0, cell);
    }
    auto [a, b] = bestCell(votes, cells);
    if (narrow) {
        // Only the error's mean is known: keep the start's slope.
        const double mean = (low0 + a * cell + high0 + b * cell) / 2;
        return {start.slope, start.intercept + mean - errorAt(start, (low + high) / 2)};
    }
    const double eLow = low0 + a * cell;
    const double eHigh = high0 + b * cell;
    const double slope = (eHigh - eLow) / span;
    return {slope, eLow - slope * low};
}

std::optional<AxisFit> fitAxis(std::span<const Peak> peaks, std::span<const ReferenceLine> lines,
                               double tolerance, lines::LinearError start, double reach) {
    if (peaks.empty() || lines.empty())
        return std::nullopt;
    std::vector<double> observed;
    for (const Peak& p : peaks)
        observed.push_back(p.wavelength);
    const auto [lowIt, highIt] = std::minmax_element(observed.begin(), observed.end());
    const double cell = tolerance / cellsPerTolerance;
    lines::LinearError error =
        coarseErrorSearch(observed, lines, *lowIt, *highIt, start, reach, cell);
    double window = std::min(tolerance, 2 * cell);
    MatchSet previous;
    std::optional<AxisFit> result;
    for (int round = 1; round <= maxMatchRounds; ++round) {
        MatchSet set = matchUnambiguous(peaks, lines, error, window);
        if (result && set == previous)
            break;
        std::vector<Match> matches;
        for (std::size_t k = 0; k < set.peak.size(); ++k)
            matches.push_back({peaks[set.peak[k]].wavelength, set.line[k]->wavelength});
        const auto fit = robustLineFit(matches);
        if (!fit || fit->lines < 3)
            break;
        result = AxisFit{*fit, round};
        error = fit->error;
        window = std::clamp(windowPerRms * fit->rms, windowFloor * tolerance, tolerance);
        previous = std::move(set);
    }
    return result;
}

} // namespace identify
