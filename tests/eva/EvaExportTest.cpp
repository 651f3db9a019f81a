// EVA export conversion into runs, its lines, and the EVA axis calibration of the store.
#include "eva/EvaExport.h"
#include "lines/AxisCorrection.h"
#include "textio/AppError.h"
#include "textio/NumberText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

using textio::TextReader;

namespace {

const double a = 30.0 / 1023; // the default dispersion

std::vector<eva::Run> runsOf(std::string text) {
    auto in = TextReader::fromString(std::move(text));
    std::vector<eva::Run> runs;
    eva::readRuns(in, a, 550, [&](const eva::Run& r) { runs.push_back(r); });
    return runs;
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const textio::AppError& e) {
        return e.what();
    }
    return "<no error>";
}

std::string contents(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::unique_ptr<store::SpectrumStore> storeOf(int n) {
    auto s = std::make_unique<store::SpectrumStore>();
    for (int k = 1; k <= n; ++k) {
        s->xExp[k] = 700 + k;
        s->yExp[k] = k;
    }
    s->nExp = n;
    s->hayExp = true;
    return s;
}

} // namespace

TEST(ReadRuns, ConsecutiveEqualPositionsAreSummed) {
    auto runs = runsOf("9 1 1\n9 1 2\n9 1 3\n9 2 4\n9 2 5\n9 3 6\n");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].sum, 6);
    EXPECT_EQ(runs[1].sum, 9);
    EXPECT_EQ(runs[2].sum, 6);
    EXPECT_EQ(runs[2].number, 3);
    EXPECT_DOUBLE_EQ(runs[1].wavelength, (2 - 1024) * a + 550);
}

TEST(ReadRuns, ReappearingPositionsExactComparisonAndTrailingBlanks) {
    auto runs = runsOf("0 1 1  0 2 1\t0 1 1\n0 1.0000001 1\n0 1.0000001 2\n\n  \r\n");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[2].sum, 1);
    EXPECT_EQ(runs[3].sum, 3);
    EXPECT_EQ(runsOf(" \n\n").size(), 0u);
}

TEST(ReadRuns, BadTokensStopAfterTheCompletedRunsAndCutRecordsReadZeros) {
    std::vector<eva::Run> runs;
    auto read = [&](std::string text) {
        runs.clear();
        return errorOf([&] {
            auto in = TextReader::fromString(std::move(text));
            eva::readRuns(in, a, 550, [&](const eva::Run& r) { runs.push_back(r); });
        });
    };
    EXPECT_EQ(read("0 1 1\n0 2 1\n0 2 x\n"), "Invalid numeric input");
    EXPECT_EQ(runs.size(), 1u); // the run of position 2 was not complete
    EXPECT_EQ(read("0 1 1\n0 2 1\n0 3 1\n0 4"), "<no error>");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[3].wavelength, eva::exportWavelength(4, a, 550));
    EXPECT_EQ(runs[3].sum, 0);
    // A cut record of the position being summed adds nothing to its run.
    EXPECT_EQ(read("0 1 1\n0 1 2\n0 1"), "<no error>");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].sum, 3);
    EXPECT_EQ(read("Posicion Intensidad\n"), "Invalid numeric input");
}

TEST(ExportLines, DefaultsAnchorPositionsOneAnd1024AtTheCalibrationWavelengths) {
    eva::Calibration defaults{550, 520, 1024, 1};
    double d = eva::dispersion(defaults);
    EXPECT_EQ(textio::generalFormat(d), textio::generalFormat(30.0 / 1023));
    eva::Run first{1, eva::exportWavelength(1, d, 550), 1234};
    EXPECT_EQ(eva::runFileLine(first), "   520.000      1234");
    EXPECT_EQ(eva::runListLine(first), "1    520.00 1234");
    eva::Run last{12, eva::exportWavelength(1024, d, 550), 2.5e11};
    EXPECT_EQ(eva::runFileLine(last), "   550.000 250000000000"); // apart, to read back
    EXPECT_EQ(eva::runListLine(last), "12    550.00 250000000000");
    EXPECT_EQ(eva::runFileLine({1, 1234.5678, 12.5}), "  1234.568        12");
}

TEST(ConvertExport, LinesWrittenBeforeAFailureReachTheFile) {
    auto path = std::filesystem::temp_directory_path() / "eva_convert_test.dat";
    auto out = textio::TextWriter::create(path);
    auto in = TextReader::fromString("0 1 5\n0 1024 6\n0 3 1\n0 4 oops\n");
    std::vector<eva::Run> listed;
    EXPECT_THROW(
        eva::convertExport(in, out, a, 550, [&](const eva::Run& r) { listed.push_back(r); }),
        textio::AppError);
    EXPECT_EQ(listed.size(), 2u);
    EXPECT_EQ(contents(path), "   520.000         5\n   550.000         6\n"); // out still open
    out.close();
    std::filesystem::remove(path);
}

TEST(CalibrateAxis, DefaultsOn1024PointsAndTheUncorrectedCopy) {
    auto s = storeOf(1024);
    eva::calibrateAxis(*s, {550, 520, 1024, 1});
    EXPECT_EQ(textio::fixedField(s->xExp[1], 0, 4), "520.0293");
    EXPECT_EQ(textio::fixedField(s->xExp[1024], 0, 4), "550.0293");
    EXPECT_EQ(s->xExpMin, 520);
    EXPECT_EQ(s->xExpMax, 550);
    EXPECT_EQ(s->zExp[1], 701);
    EXPECT_TRUE(s->zExpCurrent);
    double second = s->xExp[2];
    eva::calibrateAxis(*s, {550, 520, 1024, 1});
    EXPECT_EQ(s->xExp[2], second);
    EXPECT_EQ(s->zExp[2], 702); // still the abscissa from before the first correction
    EXPECT_EQ(s->yExp[3], 3);
}

TEST(CalibrateAxis, ANewSpectrumGetsANewCopyAndTheLineViewRestoresIt) {
    auto s = storeOf(3);
    eva::calibrateAxis(*s, {550, 520, 1024, 1});
    s->xExp[1] = 300; // a read puts another spectrum in the store and clears the record
    s->zExpCurrent = false;
    eva::calibrateAxis(*s, {550, 520, 1024, 1});
    EXPECT_EQ(s->zExp[1], 300);
    lines::correctAxis(*s, {0, 0}); // the line view starts again from the uncorrected copy
    EXPECT_EQ(s->xExp[1], 300);
}

TEST(CalibrateAxis, AValueThatCannotBeComputedChangesNothing) {
    auto s = storeOf(2);
    EXPECT_THROW(eva::calibrateAxis(*s, {550, 520, 3, 3}), textio::AppError);
    EXPECT_THROW(eva::calibrateAxis(*s, {1e308, -1e308, 2, 1}), textio::AppError);
    EXPECT_EQ(s->xExp[1], 701);
    EXPECT_FALSE(s->zExpCurrent);
    EXPECT_EQ(s->xExpMin, 0);
}
