// Peak search: running mean, strict neighbour tests, ends of the spectrum, file and list lines.
#include "reference/PeakSearch.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

namespace {

// A slowly falling baseline of `count` points (so the running mean falls everywhere) with
// spikes added at 1-based positions.
struct Spectrum {
    std::vector<double> x, y;
    explicit Spectrum(int count) {
        for (int i = 1; i <= count; ++i) {
            x.push_back(400 + 0.5 * i);
            y.push_back(100 - 0.1 * i);
        }
    }
    Spectrum& spike(int i, double value) {
        y[static_cast<std::size_t>(i - 1)] = value;
        return *this;
    }
    std::vector<reference::Peak> peaks(int n = 6) {
        std::vector<reference::Peak> found;
        reference::findPeaks(x, y, n, mean, [&](const reference::Peak& p) { found.push_back(p); });
        return found;
    }
    std::vector<double> mean;
};

} // namespace

TEST(FindPeaks, IsolatedSharpLineOnce) {
    Spectrum s(100);
    auto peaks = s.spike(50, 1000).peaks();
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_EQ(peaks[0].index, 50);
    EXPECT_DOUBLE_EQ(peaks[0].x, 425);
    EXPECT_NEAR(peaks[0].mean, 100 - 0.1 * 53.5, 1e-9);
    EXPECT_DOUBLE_EQ(peaks[0].y, 1000);
}

TEST(FindPeaks, RunningMeanEntries) {
    Spectrum s(20);
    s.peaks(4);
    ASSERT_EQ(s.mean.size(), 17u);
    EXPECT_EQ(s.mean[0], 0);
    EXPECT_NEAR(s.mean[1], 100 - 0.1 * 3.5, 1e-9);
    EXPECT_NEAR(s.mean[16], 100 - 0.1 * 18.5, 1e-9);
}

TEST(FindPeaks, FlatRunningMeanIsNotFalling) {
    std::vector<double> x(100, 1.0), y(100, 5.0);
    y[49] = 1000;
    std::vector<double> mean;
    int found = 0;
    reference::findPeaks(x, y, 6, mean, [&](const reference::Peak&) { ++found; });
    EXPECT_EQ(found, 0);
}

TEST(FindPeaks, EqualAdjacentMaximaGiveNone) {
    Spectrum s(100);
    EXPECT_TRUE(s.spike(50, 1000).spike(51, 1000).peaks().empty());
}

TEST(FindPeaks, HigherRightNeighbourHidesTheLeftMaximum) {
    Spectrum s(100);
    auto peaks = s.spike(50, 1000).spike(60, 2000).peaks();
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_EQ(peaks[0].index, 60);
}

TEST(FindPeaks, CandidatesNearTheEndsAreSkipped) {
    Spectrum s(100);
    EXPECT_TRUE(s.spike(10, 1000).spike(90, 1000).peaks().empty());
    Spectrum edge(100);
    EXPECT_EQ(edge.spike(16, 1000).spike(85, 1000).peaks().size(), 2u);
}

TEST(FindPeaks, CountAtLeastThePointsFindsNothing) {
    Spectrum s(40);
    s.spike(20, 1000);
    EXPECT_TRUE(s.peaks(40).empty());
    EXPECT_TRUE(s.peaks(400).empty());
    EXPECT_EQ(s.mean.size(), 1u);
}

TEST(FindPeaks, ZeroCountIsAFloatingPointErrorAndNegativeIsRefused) {
    Spectrum s(40);
    try {
        s.peaks(0);
        FAIL();
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    EXPECT_THROW(s.peaks(-3), textio::AppError);
    std::vector<double> none, mean;
    EXPECT_NO_THROW(reference::findPeaks(none, none, 0, mean, [](const reference::Peak&) {}));
}

TEST(PeakLines, Formats) {
    reference::Peak p{50, 425.5, 94.65, 1000};
    EXPECT_EQ(reference::peakListLine(p), "425.5     94.65");
    EXPECT_EQ(reference::peakFileLine(p), "   425.500               94.65             1000.00");
}
