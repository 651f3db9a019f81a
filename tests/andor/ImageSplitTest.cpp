// Splitting and cropping of camera images: names, bands, line ends, frame counts, short files.
#include "andor/ImageSplit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// "L<line>" lines of a file, each ended by `end`.
std::string numberedLines(int count, const std::string& end = "\n") {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text.append("L").append(std::to_string(i)).append(end);
    return text;
}

class Split : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() /
            ("lineid_split_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string read(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    textio::TextWriter create(const std::string& name) const {
        return textio::TextWriter::create(folder / name);
    }
    std::vector<int> runSplit(const std::string& text, int lines, andor::LineBand band) {
        auto in = textio::TextReader::fromString(text);
        std::vector<int> counts;
        andor::splitFrames(
            in, lines, band, [&](int k) { return create(andor::splitFileName("img", k)); },
            [&](int c) { counts.push_back(c); });
        return counts;
    }
    std::string runCrop(const std::string& text, int lines, int frame, andor::LineBand band) {
        auto in = textio::TextReader::fromString(text);
        auto out = create("crop.dat");
        andor::cropFrame(in, lines, frame, band, out);
        out.close();
        return read("crop.dat");
    }
    std::filesystem::path folder;
};

} // namespace

TEST(SplitNames, BaseDropsFolderAndFourCharacters) {
    EXPECT_EQ(andor::imageBaseName("/data/run/imagen.asc"), "imagen");
    EXPECT_EQ(andor::imageBaseName("abcd"), "");
    EXPECT_EQ(andor::imageBaseName("ab"), "");
    EXPECT_EQ(andor::splitFileName("", 3), "_c3.asc");
    EXPECT_EQ(andor::splitFileName("img", 12), "img_c12.asc");
    EXPECT_EQ(andor::cropFileName("img", "02"), "img_c02.dat");
}

TEST(SplitBand, ContainsItsEnds) {
    andor::LineBand band{190, 810};
    EXPECT_FALSE(band.contains(189));
    EXPECT_TRUE(band.contains(190));
    EXPECT_TRUE(band.contains(810));
    EXPECT_FALSE(band.contains(811));
    EXPECT_FALSE((andor::LineBand{5, 4}).contains(4));
}

TEST_F(Split, DefaultCropKeepsLines190To810) {
    std::string out = runCrop(numberedLines(1024), 1024, 1, {190, 810});
    std::string expected;
    for (int i = 190; i <= 810; ++i)
        expected.append("L").append(std::to_string(i)).append("\n");
    EXPECT_EQ(out, expected);
}

TEST_F(Split, CropOfFrameTwoSkipsTheFirstFrame) {
    std::string out = runCrop(numberedLines(3 * 10), 10, 2, {2, 3});
    EXPECT_EQ(out, "L12\nL13\n");
}

TEST_F(Split, CropOfFrameZeroOrNegativeReadsFrameOne) {
    EXPECT_EQ(runCrop(numberedLines(20), 10, 0, {1, 1}), "L1\n");
    EXPECT_EQ(runCrop(numberedLines(20), 10, -3, {1, 1}), "L1\n");
}

TEST_F(Split, LineEndsAreKeptAsTheyWere) {
    EXPECT_EQ(runCrop("a\r\nb\rc\nd\r\n", 4, 1, {1, 4}), "a\r\nb\rc\nd\r\n");
}

TEST_F(Split, LongLinesAreCopiedWhole) {
    std::string longLine(300000, '7');
    EXPECT_EQ(runCrop(longLine + "\r\nx\r\n", 2, 1, {1, 2}), longLine + "\r\nx\r\n");
}

TEST_F(Split, MissingLinesReadAsEmptyLinesWithTheLastLineEnd) {
    EXPECT_EQ(runCrop("a\r\nb", 4, 1, {1, 4}), "a\r\nb\r\n\r\n\r\n");
    EXPECT_EQ(runCrop("", 2, 1, {1, 2}), "\n\n");
}

TEST_F(Split, BandBeyondTheFrameKeepsToTheFrameEnd) {
    EXPECT_EQ(runCrop(numberedLines(20), 10, 1, {8, 5000}), "L8\nL9\nL10\n");
}

TEST_F(Split, ReversedBandWritesNothing) {
    EXPECT_EQ(runCrop(numberedLines(20), 10, 1, {6, 5}), "");
}

TEST_F(Split, ThreeFramesGiveThreeFilesAndCounts122334) {
    auto counts = runSplit(numberedLines(30, "\r\n"), 10, {2, 3});
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 2, 3, 3, 4}));
    EXPECT_EQ(read("img_c1.asc"), "L2\r\nL3\r\n");
    EXPECT_EQ(read("img_c2.asc"), "L12\r\nL13\r\n");
    EXPECT_EQ(read("img_c3.asc"), "L22\r\nL23\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "img_c4.asc"));
}

TEST_F(Split, EmptyFileWritesNothing) {
    EXPECT_TRUE(runSplit("", 10, {1, 10}).empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(Split, OneTrailingEmptyLineMakesOneMoreFileOfEmptyLines) {
    auto counts = runSplit(numberedLines(20) + "\n", 10, {9, 10});
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 2, 3, 3, 4}));
    EXPECT_EQ(read("img_c3.asc"), "\n\n");
}

TEST_F(Split, IncompleteLastFrameIsWrittenAllTheSame) {
    auto counts = runSplit(numberedLines(13), 10, {1, 5});
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 2, 3}));
    EXPECT_EQ(read("img_c2.asc"), "L11\nL12\nL13\n\n\n");
}

TEST_F(Split, TextAfterCtrlZIsNotCopied) {
    auto counts = runSplit(numberedLines(2) + "\x1aL3\n", 2, {1, 2});
    EXPECT_EQ(counts, (std::vector<int>{1, 2}));
    EXPECT_EQ(read("img_c1.asc"), "L1\nL2\n");
}

TEST_F(Split, LinesOfMegabytesAreCopiedOrSkippedWhole) {
    // From a file, so that the lines run across several buffer refills.
    const std::string wide(3u << 20, '7');
    {
        std::ofstream(folder / "wide.asc", std::ios::binary) << wide << "\r\n"
                                                             << "a" << wide << "\r"
                                                             << "b\n"
                                                             << wide << "c";
    }
    auto in = textio::TextReader::openFile(folder / "wide.asc");
    auto out = create("crop.dat");
    andor::cropFrame(in, 2, 2, {1, 2}, out);
    out.close();
    EXPECT_EQ(read("crop.dat"), "b\n" + wide + "c\n");
    auto again = textio::TextReader::openFile(folder / "wide.asc");
    auto first = create("first.dat");
    andor::cropFrame(again, 2, 1, {2, 2}, first);
    first.close();
    EXPECT_EQ(read("first.dat"), "a" + wide + "\r");
}
