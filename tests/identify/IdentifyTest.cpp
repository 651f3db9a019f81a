// Peaks, matching, ion ranking and the axis fit of the identification.
#include "identify/Identify.h"
#include "lines/AxisCorrection.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

using namespace identify;

namespace {

std::vector<double> noisyFlat(std::size_t n, double sigma, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, sigma);
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = 100 + 0.05 * static_cast<double>(i) + noise(random);
    return y;
}

void addLine(std::span<const double> x, std::vector<double>& y, double centre, double height,
             double sigma) {
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] += height * std::exp(-0.5 * std::pow((x[i] - centre) / sigma, 2));
}

std::vector<double> axis(std::size_t n, double start, double step) {
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = start + step * static_cast<double>(i);
    return x;
}

} // namespace

TEST(EstimateNoise, FindsTheSigmaOfTheNoiseAndIgnoresLinesAndSlope) {
    auto x = axis(4000, 400, 0.02);
    auto y = noisyFlat(x.size(), 3, 1);
    for (int k = 0; k < 40; ++k)
        addLine(x, y, 402 + 2 * k, 2000, 0.05);
    EXPECT_NEAR(estimateNoise(y), 3, 0.3);
    EXPECT_EQ(estimateNoise(std::vector<double>(50, 7.0)), 0);
    // Counts quantised to whole numbers with little noise still give a level.
    std::vector<double> steps{5, 5, 5, 6, 5, 5, 5, 5, 4, 5, 5, 5};
    EXPECT_GT(estimateNoise(steps), 0);
}

TEST(PeakPosition, ParabolaVertexAndGaussianPeaksBetweenSamples) {
    EXPECT_DOUBLE_EQ(parabolaVertex(1, 2, 1), 0);
    EXPECT_DOUBLE_EQ(parabolaVertex(0, 4, 2), 1.0 / 6);
    EXPECT_DOUBLE_EQ(parabolaVertex(5, 5, 5), 0);
    // Noise-free Gaussians centred at a third and at three quarters of a step.
    auto x = axis(400, 500, 0.05);
    std::vector<double> y(x.size(), 10.0);
    y[0] = 10.001; // a little noise level somewhere
    addLine(x, y, 505.0 + 0.05 / 3, 1000, 0.08);
    addLine(x, y, 510.0 + 0.75 * 0.05, 500, 0.08);
    const auto peaks = findPeaks(x, y, 5);
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_NEAR(peaks[0].wavelength, 505.0 + 0.05 / 3, 1e-6);
    EXPECT_NEAR(peaks[0].intensity, 1010, 1e-3);
    EXPECT_NEAR(peaks[1].wavelength, 510.0375, 1e-6);
}

TEST(FindPeaks, KeepsLinesAboveTheThresholdAndDropsTheNoise) {
    auto x = axis(3000, 400, 0.02);
    auto y = noisyFlat(x.size(), 2, 5);
    addLine(x, y, 420.013, 40, 0.06); // 20 noise levels
    addLine(x, y, 440.007, 6, 0.06);  // 3 noise levels: under the default threshold
    const auto peaks = findPeaks(x, y, 5);
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_NEAR(peaks[0].wavelength, 420.013, 0.005);
    EXPECT_GT(peaks[0].prominence, 15);
    EXPECT_TRUE(findPeaks(x, std::vector<double>(x.size(), 3.0), 5).empty());
    EXPECT_TRUE(findPeaks(std::vector<double>{1}, std::vector<double>{1}, 5).empty());
}

TEST(PeakFile, ReadsBothKindsAndRefusesOthers) {
    auto picos = textio::TextReader::fromString("    396.15      1235\n\n    400.00        12\n");
    const auto a = readPeakFile(picos);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_DOUBLE_EQ(a[0].wavelength, 396.15);
    EXPECT_DOUBLE_EQ(a[0].intensity, 1235);
    auto cosa3 = textio::TextReader::fromString("   396.150              120.50              "
                                                "130.25\n");
    EXPECT_DOUBLE_EQ(readPeakFile(cosa3).at(0).intensity, 130.25);
    auto one = textio::TextReader::fromString("396.15\n");
    EXPECT_THROW(readPeakFile(one), textio::AppError);
    auto word = textio::TextReader::fromString("396.15 nan\n");
    EXPECT_THROW(readPeakFile(word), textio::AppError);
}

TEST(Candidates, NearestFirstAndALineAtTheToleranceCounts) {
    const auto lines = sortedLines({{500.1, 10, "Ar I"}, {499.95, 5, "Fe I"}, {500.2, 1, "Ar I"}});
    const auto found = candidatesOf(500.0, lines, 0.1);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].line->label, "Fe I");
    EXPECT_NEAR(found[0].delta, 0.05, 1e-12);
    EXPECT_NEAR(found[1].delta, -0.1, 1e-12); // 500.1 - 500.0 is a hair over 0.1 in doubles
    EXPECT_TRUE(candidatesOf(500.0, lines, 0.0999).size() == 1);
    EXPECT_EQ(ionLabel("  Ar II "), "Ar II");
}

TEST(RankIons, MissingStrongLinesScoreLowWhateverWeakOnesMatch) {
    std::vector<ReferenceLine> all;
    for (int k = 0; k < 10; ++k) {
        all.push_back({401.0 + k, 1000.0 - 50 * k, "Ar I"});
        all.push_back({401.5 + k, 1000.0 - 50 * k, "Fe I"}); // strong Fe: no peaks
        all.push_back({401.7 + k, 1.0, "Fe I"});             // weak Fe: all coincide
    }
    const auto lines = sortedLines(all);
    std::vector<Peak> peaks;
    for (int k = 0; k < 10; ++k) {
        peaks.push_back({401.0 + k, 100, 50});
        peaks.push_back({401.7 + k, 10, 6});
    }
    const auto ions = rankIons(peaks, lines, 0.01, 400, 412);
    ASSERT_EQ(ions.size(), 2u);
    EXPECT_EQ(ions[0].label, "Ar I");
    EXPECT_TRUE(ions[0].present);
    EXPECT_EQ(ions[0].matched, ions[0].expected);
    EXPECT_FALSE(ions[1].present);
    EXPECT_LT(ions[1].score, 0.3);
}

TEST(RobustLineFit, WrongMatchesDoNotPullTheLine) {
    std::vector<Match> matches;
    std::mt19937 random(3);
    std::normal_distribution<double> jitter(0, 0.002);
    const lines::LinearError truth{0.0004, -0.15};
    for (int k = 0; k < 60; ++k) {
        const double observed = 400 + 3 * k;
        const double error = truth.slope * observed + truth.intercept;
        // Every fifth match is to a wrong line, up to 0.1 nm off.
        const double wrong = k % 5 == 0 ? 0.03 + 0.001 * k : 0;
        matches.push_back({observed, observed - error + wrong + jitter(random)});
    }
    const auto fit = robustLineFit(matches);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->error.slope, truth.slope, 2e-5);
    EXPECT_NEAR(fit->error.intercept, truth.intercept, 0.01);
    EXPECT_EQ(fit->lines, 48);
    EXPECT_NEAR(fit->rms, 0.002, 0.0008);
    EXPECT_FALSE(robustLineFit(std::vector<Match>{{500, 499}, {500, 498}}));
}

TEST(FitAxis, TheFittedNumbersTypedIntoTheCorrectionGiveTheTrueAxis) {
    std::vector<ReferenceLine> all;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> where(401, 479);
    for (int k = 0; k < 80; ++k)
        all.push_back({std::round(where(random) * 1000) / 1000, 100, "Ar I"});
    const auto lines = sortedLines(all);
    // Observed = true + error(observed), error growing from +0.25 to -0.05 nm across the range.
    const double slope = -0.3 / 80, intercept = 0.25 - slope * 400;
    std::vector<Peak> peaks;
    for (const ReferenceLine& l : lines)
        peaks.push_back({l.wavelength / (1 - slope) + intercept / (1 - slope), 100, 50});
    const auto fit = fitAxis(peaks, lines, 0.1, {}, 0.5);
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->fit.lines, 80);
    store::SpectrumStore spectrum;
    spectrum.nExp = 2;
    spectrum.xExp[1] = peaks.front().wavelength;
    spectrum.xExp[2] = peaks.back().wavelength;
    lines::correctAxis(spectrum, fit->fit.error);
    EXPECT_NEAR(spectrum.xExp[1], lines.front().wavelength, 1e-6);
    EXPECT_NEAR(spectrum.xExp[2], lines.back().wavelength, 1e-6);
}

TEST(Json, NumbersRoundTripAndTextIsEscaped) {
    EXPECT_EQ(jsonNumber(0.1), "0.1");
    EXPECT_EQ(jsonNumber(500.123456789012), "500.123456789012");
    EXPECT_EQ(jsonNumber(std::nan("")), "null");
    EXPECT_EQ(jsonString("a\"b\\c\td"), R"("a\"b\\c\u0009d")");
    EXPECT_EQ(jsonString("\xe9"), R"("\u00e9")");
    EXPECT_EQ(jsonString("\xc3\xa9"), "\"\xc3\xa9\"");
}
