// Gaussian profiles: sample counts, symmetry, peak, abscissae, listing, refusals.
#include "reference/GaussProfile.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <cmath>

using reference::GaussProfile;

TEST(ComputeProfile, DefaultWidthGives171ValuesPeakingInTheMiddle) {
    GaussProfile g;
    reference::computeProfile(2, 500, g);
    EXPECT_EQ(g.sigma, 1);
    EXPECT_EQ(g.sampleStep, 0.036);
    EXPECT_EQ(g.halfCount, 86);
    ASSERT_EQ(g.profileCount, 171);
    EXPECT_EQ(g.profile[86], 1.0);
    // The ends are the first value not above 0.01, computed independently here.
    const double end = std::exp(-std::pow(85 * 0.036, 2) / 2);
    EXPECT_LE(end, 0.01);
    EXPECT_GT(std::exp(-std::pow(84 * 0.036, 2) / 2), 0.01);
    EXPECT_NEAR(g.profile[1], end, 1e-15);
    EXPECT_NEAR(g.profile[171], end, 1e-15);
    for (int k = 1; k <= 85; ++k)
        EXPECT_EQ(g.profile[86 - k], g.profile[86 + k]) << k;
    EXPECT_NEAR(g.lastX, 500 + 85 * 0.036, 1e-9);
}

TEST(ComputeProfile, NegativeWidthEqualsItsAbsoluteValue) {
    GaussProfile a, b;
    reference::computeProfile(2, 300, a);
    reference::computeProfile(-2, 300, b);
    EXPECT_EQ(b.sigma, -1);
    ASSERT_EQ(a.profileCount, b.profileCount);
    for (int k = 1; k <= a.profileCount; ++k)
        EXPECT_EQ(a.profile[k], b.profile[k]);
}

TEST(ComputeProfile, ZeroWidthIsAFloatingPointError) {
    GaussProfile g;
    try {
        reference::computeProfile(0, 300, g);
        FAIL();
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
}

TEST(ComputeProfile, WidestFittingAndTooWideProfiles) {
    GaussProfile g;
    reference::computeProfile(5.9, 300, g);
    EXPECT_LE(g.profileCount, 500);
    reference::computeProfile(2, 300, g);
    EXPECT_THROW(reference::computeProfile(6, 300, g), textio::AppError);
    EXPECT_EQ(g.profileCount, 171); // unchanged by the refusal
}

TEST(ListProfile, HeaderAndValueLinesWithTheirOwnAbscissae) {
    GaussProfile g;
    reference::computeProfile(2, 500, g);
    std::vector<std::string> lines;
    reference::listProfile(g, [&](const std::string& l) { lines.push_back(l); });
    ASSERT_EQ(lines.size(), 173u);
    EXPECT_EQ(lines[0], "Ancho de rendija =       1.00");
    EXPECT_EQ(lines[1], "Resolucion  =       0.04  NumDat Gauss  =        171");
    EXPECT_EQ(lines[2 + 85], "i =        86  x =     500.00  Gaus =     1.0000");
    EXPECT_EQ(lines[2], "i =        01  x =     496.94  Gaus =     0.0093");
    EXPECT_EQ(lines[172], "i =       171  x =     503.06  Gaus =     0.0093");
}
