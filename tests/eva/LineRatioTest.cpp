// Background, hill climb, ratios and the two inputs of a ratio run.
#include "eva/LineRatio.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

using eva::SpectrumView;

namespace {

struct Spectrum {
    std::vector<double> x;
    std::vector<double> y;
    explicit Spectrum(std::vector<double> ys) : y(std::move(ys)) {
        for (std::size_t i = 0; i < y.size(); ++i)
            x.push_back(400.0 + static_cast<double>(i));
    }
    SpectrumView view() const { return {x, y}; }
};

} // namespace

TEST(ClimbToPeak, FollowsTheRisingSide) {
    EXPECT_EQ(eva::climbToPeak(Spectrum({2, 4, 6, 9, 7}).view(), 401), 9);
    EXPECT_EQ(eva::climbToPeak(Spectrum({3, 8, 6, 5}).view(), 402), 8);
    EXPECT_EQ(eva::climbToPeak(Spectrum({5, 2, 6}).view(), 401), 2);    // valley
    EXPECT_EQ(eva::climbToPeak(Spectrum({1, 4, 4, 9}).view(), 401), 4); // flat stops
    EXPECT_EQ(eva::climbToPeak(Spectrum({1, 2, 3}).view(), 400.5), 3);  // stops at the end
    EXPECT_EQ(eva::climbToPeak(Spectrum({5, 3, 1}).view(), 402), 5);    // and at the start
    EXPECT_EQ(eva::climbToPeak(Spectrum({1, 2, 3}).view(), 500), std::nullopt);
    EXPECT_EQ(eva::climbToPeak(Spectrum({}).view(), 0), std::nullopt);
}

TEST(BackgroundNear, MeanOfTheTenPointsAfter) {
    std::vector<double> ys{9, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 100};
    EXPECT_EQ(eva::backgroundNear(Spectrum(ys).view(), 401), 1.0);
    EXPECT_EQ(eva::backgroundNear(Spectrum({0, 0, 2, 4}).view(), 401), 3.0); // only two exist
    EXPECT_EQ(eva::backgroundNear(Spectrum({0, 0, 2}).view(), 402), std::nullopt);
    EXPECT_EQ(eva::backgroundNear(Spectrum({0, 0, 2}).view(), 999), std::nullopt);
}

TEST(ComputeRatios, BackgroundCorrectedAndTheResultLine) {
    // Line 1 at 401 (110), reference at 403 (60), argon at 405 (210), background after 406.
    Spectrum s({0, 110, 0, 60, 0, 210, 0, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10});
    eva::RatioState state;
    eva::computeRatios(s.view(), {401, 403, 405, 406}, state);
    EXPECT_EQ(state.background, 10);
    EXPECT_EQ(state.ratioR1, 2);
    EXPECT_EQ(state.ratioArLine1, 2);
    EXPECT_EQ(state.ratioArRef1, 4);
    EXPECT_EQ(eva::resultLine(7, state), "7       2.0000       2.0000       4.0000     210.0000");
    EXPECT_EQ(eva::resultListLine("img.asc", 7, state), "img.asc     7       2.0000");
}

TEST(ComputeRatios, UnreachedWavelengthsKeepThePreviousValues) {
    eva::RatioState state{5, 50, 30, 70, 0, 0, 0};
    eva::computeRatios(Spectrum({1, 2}).view(), {900, 900, 900, 900}, state);
    EXPECT_EQ(state.intensityLine1, 50);
    EXPECT_EQ(state.background, 5);
    EXPECT_DOUBLE_EQ(state.ratioR1, 45.0 / 25.0);
    eva::RatioState flat{10, 20, 10, 0, 0, 0, 0};
    EXPECT_THROW(eva::computeRatios(Spectrum({}).view(), {1, 1, 1, 1}, flat), textio::AppError);
}

TEST(ReadSequence, PairsPerLineUpToTheCapacity) {
    auto in = textio::TextReader::fromString("1 7 extra\n2   12\r\n");
    auto read = eva::readSequence(in);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[1].sequenceNumber, 2);
    EXPECT_EQ(read.entries[1].fibre, 12);
    std::string many;
    for (int i = 1; i <= 150; ++i)
        many += std::to_string(i) + " " + std::to_string(i + 1) + "\n";
    auto longIn = textio::TextReader::fromString(many);
    auto longRead = eva::readSequence(longIn);
    EXPECT_TRUE(longRead.truncated);
    EXPECT_EQ(longRead.entries.size(), 144u);
    auto bad = textio::TextReader::fromString("1 2.5\n");
    EXPECT_THROW(eva::readSequence(bad), textio::AppError);
}

TEST(ReadFileList, WholeLinesWithBlanks) {
    auto in = textio::TextReader::fromString("imagen 1.asc\r\n/datos/b.asc\n\n");
    auto read = eva::readFileList(in);
    EXPECT_EQ(read.entries, (std::vector<std::string>{"imagen 1.asc", "/datos/b.asc", ""}));
    std::string many;
    for (int i = 0; i < 50; ++i)
        many.append("f").append(std::to_string(i)).append("\n");
    auto longIn = textio::TextReader::fromString(many);
    auto longRead = eva::readFileList(longIn);
    EXPECT_TRUE(longRead.truncated);
    EXPECT_EQ(longRead.entries.size(), 44u);
}

TEST(ReadFileList, AListPastItsSizeStopsAtTheLineThatPassesIt) {
    const std::string name(eva::fileListBytes / 2, 'n');
    auto in = textio::TextReader::fromString("a.asc\n" + name + "\n" + name + "\nb.asc\n");
    try {
        eva::readFileList(in);
        FAIL();
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "La lista de archivos pasa de 16 MB en la línea 3; no es una lista "
                               "de nombres de archivo.");
    }
    auto fits = textio::TextReader::fromString(name + "\n" + name.substr(5) + "\nb.asc");
    EXPECT_EQ(eva::readFileList(fits).entries.back(), "b.asc");
}
