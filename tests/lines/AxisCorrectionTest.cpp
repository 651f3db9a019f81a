// The axis correction, its uncorrected copy, and the corrected-spectrum and peak files.
#include "lines/AxisCorrection.h"
#include "lines/PeakList.h"
#include "textio/AppError.h"
#include "textio/NumberText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<store::SpectrumStore> storeWith(std::initializer_list<double> xs) {
    auto s = std::make_unique<store::SpectrumStore>();
    for (double x : xs) {
        ++s->nExp;
        s->xExp[s->nExp] = x;
        s->yExp[s->nExp] = 10 * s->nExp;
    }
    s->hayExp = true;
    return s;
}

std::string contents(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::filesystem::path temp(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

} // namespace

TEST(ChromexError, CentralWavelength500) {
    auto e = lines::chromexError(500);
    EXPECT_EQ(textio::generalFormat(e.slope), "-0.1947085");
    EXPECT_EQ(textio::generalFormat(e.intercept), "97.35425");
}

TEST(CorrectAxis, ChromexMovesPointsAwayFromTheCentre) {
    auto s = storeWith({400, 500, 600});
    lines::correctAxis(*s, lines::chromexError(500));
    EXPECT_EQ(textio::generalFormat(s->xExp[1]), "380.52915");
    EXPECT_EQ(textio::generalFormat(s->xExp[2]), "500");
    EXPECT_EQ(textio::generalFormat(s->xExp[3]), "619.47085");
    EXPECT_EQ(s->zExp[1], 400);
    EXPECT_TRUE(s->zExpCurrent);
    EXPECT_EQ(s->xExpMin, 0); // bounds untouched
}

TEST(CorrectAxis, TypedCoefficientsAndRepeatedPressesStartFromTheUncorrectedAxis) {
    auto s = storeWith({100, 250});
    lines::correctAxis(*s, {0.01, 2});
    lines::correctAxis(*s, {0.01, 2});
    EXPECT_DOUBLE_EQ(s->xExp[1], 0.99 * 100 - 2);
    EXPECT_DOUBLE_EQ(s->xExp[2], 0.99 * 250 - 2);
    lines::correctAxis(*s, {0, 0});
    EXPECT_EQ(s->xExp[2], 250);
}

TEST(CorrectAxis, ANewlyReadSpectrumGetsItsOwnUncorrectedCopy) {
    auto s = storeWith({100, 200});
    lines::correctAxis(*s, {0.5, 0});
    auto in = textio::TextReader::fromString("300 1\n400 2\n");
    store::readExperimental(in, *s, [](const std::string&) {});
    EXPECT_FALSE(s->zExpCurrent);
    lines::correctAxis(*s, {0.5, 0});
    EXPECT_EQ(s->xExp[1], 150); // from 300, not from the old spectrum's 100
    EXPECT_EQ(s->zExp[2], 400);
}

TEST(CorrectedSpectrumFile, FixedFieldsOfTenWithTwoDecimals) {
    auto s = storeWith({96.15, 12345678.5});
    s->yExp[1] = 234.5;
    lines::writeCorrectedSpectrum(temp("lineid_cor.dat"), *s);
    EXPECT_EQ(contents(temp("lineid_cor.dat")), "     96.15    234.50\n12345678.50     20.00\n");
    std::filesystem::remove(temp("lineid_cor.dat"));
}

TEST(PeakFile, Lines) {
    std::vector<double> x{396.15}, y{1234.6};
    lines::writePeaks(temp("lineid_picos.dat"), x, y);
    EXPECT_EQ(contents(temp("lineid_picos.dat")), "    396.15      1235\n");
    lines::writePeaks(temp("lineid_picos.dat"), {}, {});
    EXPECT_EQ(contents(temp("lineid_picos.dat")), "");
    std::filesystem::remove(temp("lineid_picos.dat"));
}

TEST(PeakFile, AFailedWriteIsReported) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP();
    std::vector<double> x(10000, 1.0);
    EXPECT_THROW(lines::writePeaks("/dev/full", x, x), textio::AppError);
}
