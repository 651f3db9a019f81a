// Peaks of a measured spectrum and the peak files the windows write.
#include "Peaks.h"

#include "textio/AppError.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>

namespace identify {

namespace {

// sigma = 1.4826 * MAD for Gaussian noise; a first difference carries sqrt(2) sigma.
constexpr double madToSigma = 1.482602218505602;
// Peaks this many noise levels high set the line width; bases are looked for within
// `basesReach` widths.
constexpr double widthPeakLevel = 20;
constexpr double basesReach = 3;
constexpr int defaultWidthSamples = 3;
constexpr std::size_t widthPeaksUsed = 25;
// Differences this many sigmas out mark a line's flank, set aside with this many neighbours.
constexpr double flankLimit = 4;
constexpr std::size_t flankMargin = 2;
constexpr int noiseRounds = 3;
// The spectrum is smoothed for the prominence with a Gaussian of this fraction of the line's.
constexpr double smoothingFraction = 0.5;
constexpr double fwhmPerSigma = 2.3548200450309493;
// No line of a peak file is longer.
constexpr std::size_t maxPeakLine = 1000;

struct Maximum {
    std::size_t index = 0;
    double prominence = 0; // intensity units
};

bool isLocalMaximum(std::span<const double> y, std::size_t i) {
    return y[i] > y[i - 1] && y[i] >= y[i + 1];
}

// The height of y[i] above the higher of the lowest points between it and the nearest higher
// point on each side, each side searched at most `reach` samples.
double prominenceOf(std::span<const double> y, std::size_t i, std::size_t reach) {
    double leftBase = y[i];
    const std::size_t leftEnd = i > reach ? i - reach : 0;
    for (std::size_t j = i; j-- > leftEnd && y[j] <= y[i];)
        leftBase = std::min(leftBase, y[j]);
    double rightBase = y[i];
    const std::size_t rightEnd = std::min(y.size() - 1, i + reach);
    for (std::size_t j = i + 1; j <= rightEnd && y[j] <= y[i]; ++j)
        rightBase = std::min(rightBase, y[j]);
    return y[i] - std::max(leftBase, rightBase);
}

std::vector<Maximum> maximaWithin(std::span<const double> y, std::size_t reach) {
    std::vector<Maximum> maxima;
    for (std::size_t i = 1; i + 1 < y.size(); ++i)
        if (isLocalMaximum(y, i))
            maxima.push_back({i, prominenceOf(y, i, reach)});
    return maxima;
}

// Full width at half prominence of the peak at i, in samples.
double widthOf(std::span<const double> y, const Maximum& m) {
    const double half = y[m.index] - m.prominence / 2;
    auto crossing = [&](int direction) {
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(m.index);
        const auto last = static_cast<std::ptrdiff_t>(y.size()) - 1;
        while (j + direction >= 0 && j + direction <= last && y[j + direction] > half)
            j += direction;
        if (j + direction < 0 || j + direction > last)
            return static_cast<double>(j);
        const double inside = y[j];
        const double outside = y[j + direction];
        return j + direction * (inside - half) / (inside - outside);
    };
    return crossing(1) - crossing(-1);
}

// The typical line width in samples, from the strongest peaks.
double lineWidth(std::span<const double> y, std::vector<Maximum> maxima, double noise) {
    std::erase_if(maxima, [&](const Maximum& m) { return m.prominence < widthPeakLevel * noise; });
    std::sort(maxima.begin(), maxima.end(),
              [](const Maximum& a, const Maximum& b) { return a.prominence > b.prominence; });
    if (maxima.size() > widthPeaksUsed)
        maxima.resize(widthPeaksUsed);
    if (maxima.empty())
        return defaultWidthSamples;
    std::vector<double> widths;
    for (const Maximum& m : maxima)
        widths.push_back(widthOf(y, m));
    return std::max(1.0, median(widths));
}

// Least-squares parabola a + b t + c t^2 through (t, v) with weights w.
std::optional<std::array<double, 3>>
fitParabola(std::span<const double> t, std::span<const double> v, std::span<const double> w) {
    std::array<double, 5> s{};
    std::array<double, 3> r{};
    for (std::size_t k = 0; k < t.size(); ++k) {
        double p = w[k];
        for (int e = 0; e < 5; ++e, p *= t[k]) {
            s[e] += p;
            if (e < 3)
                r[e] += p * v[k];
        }
    }
    // Cramer's rule on the 3x3 normal equations.
    auto det = [](double a, double b, double c, double d, double e, double f, double g, double h,
                  double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double d = det(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    if (!(std::abs(d) > 0))
        return std::nullopt;
    return std::array<double, 3>{det(r[0], s[1], s[2], r[1], s[2], s[3], r[2], s[3], s[4]) / d,
                                 det(s[0], r[0], s[2], s[1], r[1], s[3], s[2], r[2], s[4]) / d,
                                 det(s[0], s[1], r[0], s[1], s[2], r[1], s[2], s[3], r[2]) / d};
}

// Vertex offset (samples) and height of the Gaussian through the points of the peak above half
// its prominence: a parabola fitted to the logarithm of the height above the base, each point
// weighted by its squared height so that the noisy low points count little.
std::optional<std::pair<double, double>> gaussianVertex(std::span<const double> y, const Maximum& m,
                                                        std::size_t reach) {
    const double base = y[m.index] - m.prominence;
    const double half = y[m.index] - m.prominence / 2;
    std::size_t first = m.index - 1;
    while (first > 0 && m.index - first < reach && y[first - 1] > half)
        --first;
    std::size_t last = m.index + 1;
    while (last + 1 < y.size() && last - m.index < reach && y[last + 1] > half)
        ++last;
    std::vector<double> t, v, w;
    for (std::size_t j = first; j <= last; ++j) {
        const double h = y[j] - base;
        if (h <= 0)
            return std::nullopt;
        t.push_back(static_cast<double>(j) - static_cast<double>(m.index));
        v.push_back(std::log(h));
        w.push_back(h * h);
    }
    const auto c = fitParabola(t, v, w);
    if (!c || !((*c)[2] < 0))
        return std::nullopt;
    const double offset = -(*c)[1] / (2 * (*c)[2]);
    if (!(std::abs(offset) <= 1))
        return std::nullopt;
    const double logHeight = (*c)[0] + (*c)[1] * offset + (*c)[2] * offset * offset;
    return std::pair{offset, base + std::exp(logHeight)};
}

// The spectrum smoothed with a normalised Gaussian of `sigma` samples, so that the prominence
// of a line keeps most of its height while that of a noise spike loses most of its own.
std::vector<double> smoothed(std::span<const double> y, double sigma) {
    const auto half = static_cast<std::ptrdiff_t>(std::ceil(3 * sigma));
    std::vector<double> kernel;
    for (std::ptrdiff_t k = -half; k <= half; ++k)
        kernel.push_back(std::exp(-0.5 * static_cast<double>(k * k) / (sigma * sigma)));
    std::vector<double> out(y.size());
    const auto n = static_cast<std::ptrdiff_t>(y.size());
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        double sum = 0, weight = 0;
        for (std::ptrdiff_t k = std::max(-half, -i); k <= std::min(half, n - 1 - i); ++k) {
            const double w = kernel[static_cast<std::size_t>(k + half)];
            sum += w * y[static_cast<std::size_t>(i + k)];
            weight += w;
        }
        out[static_cast<std::size_t>(i)] = sum / weight;
    }
    return out;
}

// The wavelength at a fractional sample position, linear between samples.
double wavelengthAt(std::span<const double> x, std::size_t i, double offset) {
    const std::size_t j = offset < 0 ? i - 1 : i + 1;
    return x[i] + std::abs(offset) * (x[j] - x[i]);
}

Peak placePeak(std::span<const double> x, std::span<const double> y, std::size_t index,
               double prominence, std::size_t reach, std::size_t basesWithin, double noise) {
    // On the raw data, around its highest point near the smoothed maximum.
    while (index > 1 && y[index - 1] > y[index])
        --index;
    while (index + 2 < y.size() && y[index + 1] > y[index])
        ++index;
    const Maximum m{index, prominenceOf(y, index, basesWithin)};
    double offset = parabolaVertex(y[m.index - 1], y[m.index], y[m.index + 1]);
    double height = y[m.index];
    if (auto g = gaussianVertex(y, m, reach)) {
        offset = g->first;
        height = g->second;
    }
    return {wavelengthAt(x, m.index, offset), height, prominence / noise};
}

} // namespace

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    const auto middle = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), middle, v.end());
    if (v.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(v.begin(), middle)) / 2;
}

double estimateNoise(std::span<const double> y) {
    if (y.size() < 3)
        return 0;
    std::vector<double> d(y.size() - 1);
    for (std::size_t i = 0; i + 1 < y.size(); ++i)
        d[i] = y[i + 1] - y[i];
    // The flanks of strong lines are set aside, with a margin, and the rest measured again.
    std::vector<bool> line(d.size(), false);
    double sigma = 0;
    for (int round = 0; round < noiseRounds; ++round) {
        std::vector<double> quiet;
        for (std::size_t i = 0; i < d.size(); ++i)
            if (!line[i])
                quiet.push_back(d[i]);
        const double centre = median(quiet);
        for (double& v : quiet)
            v = std::abs(v - centre);
        const double spread = median(quiet);
        if (!(spread > 0))
            break;
        sigma = madToSigma * spread / std::sqrt(2.0);
        for (std::size_t i = 0; i < d.size(); ++i)
            if (std::abs(d[i] - centre) > flankLimit * spread * madToSigma)
                for (std::size_t j = i > flankMargin ? i - flankMargin : 0;
                     j < std::min(d.size(), i + flankMargin + 1); ++j)
                    line[j] = true;
    }
    if (sigma > 0)
        return sigma;
    // Mean absolute deviation of a Gaussian is sigma * sqrt(2 / pi).
    const double centre = median(d);
    double sum = 0;
    for (double v : d)
        sum += std::abs(v - centre);
    return sum / static_cast<double>(d.size()) * std::sqrt(std::numbers::pi / 2) / std::sqrt(2.0);
}

double parabolaVertex(double left, double middle, double right) {
    const double curvature = left - 2 * middle + right;
    if (!(curvature < 0))
        return 0;
    return std::clamp(0.5 * (left - right) / curvature, -0.5, 0.5);
}

std::vector<Peak> findPeaks(std::span<const double> x, std::span<const double> y,
                            double threshold) {
    std::vector<Peak> peaks;
    const double noise = estimateNoise(y);
    if (y.size() < 3 || !(noise > 0) || x.size() != y.size())
        return peaks;
    // A first look with a wide reach finds the strong peaks that set the width.
    const double width = lineWidth(y, maximaWithin(y, 200), noise);
    const auto reach = static_cast<std::size_t>(std::ceil(basesReach * width));
    const auto smooth = smoothed(y, smoothingFraction * width / fwhmPerSigma);
    const std::size_t basesWithin = std::max<std::size_t>(reach, 2);
    for (const Maximum& m : maximaWithin(smooth, basesWithin))
        if (m.prominence > threshold * noise)
            peaks.push_back(placePeak(x, y, m.index, m.prominence,
                                      static_cast<std::size_t>(std::ceil(width)), basesWithin,
                                      noise));
    return peaks;
}

std::vector<Peak> readPeakFile(textio::TextReader& in) {
    std::vector<Peak> peaks;
    while (!in.eof()) {
        const std::optional<std::string> text = in.readLineUpTo(maxPeakLine);
        if (!text)
            throw textio::AppError("renglón demasiado largo");
        const std::string& line = *text;
        std::vector<double> numbers;
        std::size_t pos = 0;
        while (true) {
            pos = line.find_first_not_of(" \t\v\f", pos);
            if (pos == std::string::npos)
                break;
            const std::size_t end = std::min(line.find_first_of(" \t\v\f", pos), line.size());
            numbers.push_back(
                textio::parseRealToken(std::string_view(line).substr(pos, end - pos)));
            pos = end;
        }
        if (numbers.empty())
            continue;
        if (numbers.size() != 2 && numbers.size() != 3)
            throw textio::AppError("se esperaban 2 o 3 números por renglón");
        peaks.push_back({numbers.front(), numbers.back(), 0});
    }
    return peaks;
}

} // namespace identify
