// Frame reading into the image matrix, the level and band rule, and the painted pixel block.
#include "andor/ImageFrame.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using andor::FrameRequest;
using andor::ImageMatrix;

namespace {

struct Read {
    ImageMatrix values;
    int max = 0;
    int min = 0;
    std::string error;
};

Read readText(const std::string& text, FrameRequest request, Read start = {}) {
    auto in = textio::TextReader::fromString(text);
    try {
        andor::readFrame(in, request, start.values, start.max, start.min);
    } catch (const textio::AppError& e) {
        start.error = e.what();
    }
    return start;
}

// Frames of 2 lines x 3 values: frame f, line s, value p holds 100 f + 10 s + p.
std::string threeFrames(const char* lineEnd = "\n") {
    std::string text;
    for (int f = 1; f <= 3; ++f)
        for (int s = 1; s <= 2; ++s) {
            text += std::to_string(400 + s);
            for (int p = 1; p <= 3; ++p)
                text.append(" ").append(std::to_string(100 * f + 10 * s + p));
            text += lineEnd;
        }
    return text;
}

} // namespace

TEST(ReadFrame, FrameNumbersChooseTheFrameAndNotAboveOneReadsTheFirst) {
    for (const char* end : {"\n", "\r\n", "\r"}) {
        Read r = readText(threeFrames(end), {2, 3, 2});
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.values(1, 1), 211);
        EXPECT_EQ(r.values(2, 3), 223);
        EXPECT_EQ(r.min, 211);
        EXPECT_EQ(r.max, 223);
    }
    for (int n : {1, 0, -3}) {
        Read r = readText(threeFrames(), {2, 3, n});
        EXPECT_EQ(r.values(1, 1), 111) << n;
        EXPECT_EQ(r.values(2, 3), 123) << n;
    }
}

TEST(ReadFrame, ShortLinesContinueOnTheNextAndTheRestOfALineIsSkipped) {
    // Line 1 is split over two text lines; line 2 has two extra numbers that are skipped, and
    // the text line that line 1 ran into is consumed whole ("9" is lost with it).
    Read r = readText("1 10 20\n30 9\n2 40 50 60 70 80\n3 1 2 3\n", {2, 3, 1});
    EXPECT_EQ(r.values(1, 1), 10);
    EXPECT_EQ(r.values(1, 3), 30);
    EXPECT_EQ(r.values(2, 1), 40);
    EXPECT_EQ(r.values(2, 3), 60);
}

TEST(ReadFrame, ValuesAreRoundedHalvesToEvenAndBoundsFollowThem) {
    Read r = readText("0 2.5 3.5 -2.5 -0.4\n", {1, 4, 1});
    EXPECT_EQ(r.values(1, 1), 2);
    EXPECT_EQ(r.values(1, 2), 4);
    EXPECT_EQ(r.values(1, 3), -2);
    EXPECT_EQ(r.values(1, 4), 0);
    EXPECT_EQ(r.max, 4);
    EXPECT_EQ(r.min, -2);
}

TEST(ReadFrame, TheEndOfTheFileReadsZerosThatCountInTheBounds) {
    Read partial = readText("1 5 6\n2 7", {3, 2, 1});
    EXPECT_EQ(partial.error, "");
    EXPECT_EQ(partial.values(2, 1), 7);
    EXPECT_EQ(partial.values(2, 2), 0);
    EXPECT_EQ(partial.values.valueAt(3, 2), 0);
    EXPECT_EQ(partial.min, 0);
    EXPECT_EQ(partial.max, 7);

    // A frame beyond the end: zeros everywhere, even over an earlier frame's values.
    Read beyond = readText(threeFrames(), {2, 3, 9}, readText(threeFrames(), {2, 3, 1}));
    EXPECT_EQ(beyond.values.valueAt(1, 1), 0);
    EXPECT_EQ(beyond.values.valueAt(2, 3), 0);
    EXPECT_EQ(beyond.max, 0);
    EXPECT_EQ(beyond.min, 0);
    // An empty file likewise; a file whose values all exceed the initial bounds keeps them.
    Read empty = readText("", {2, 2, 1});
    EXPECT_EQ(empty.max, 0);
    EXPECT_EQ(empty.min, 0);
    Read huge = readText("0 950000000\n", {1, 1, 1});
    EXPECT_EQ(huge.max, 950000000);
    EXPECT_EQ(huge.min, andor::initialMin);
}

TEST(ReadFrame, AnInvalidTokenStopsWithTheCellsReadSoFar) {
    Read start = readText("0 1 1 1\n0 1 1 1\n0 1 1 1\n", {3, 3, 1});
    Read r = readText("0 5 6 7\n0 8 x 9\n0 1 2 3\n", {3, 3, 1}, start);
    EXPECT_EQ(r.error, "Invalid numeric input");
    EXPECT_EQ(r.values(1, 3), 7);
    EXPECT_EQ(r.values(2, 1), 8);
    EXPECT_EQ(r.values(2, 2), 1); // the cell of the bad token keeps its old value
    EXPECT_EQ(r.values(3, 1), 1);
    EXPECT_EQ(r.max, 8);
    EXPECT_EQ(r.min, 5);
    // A bad token in a skipped frame is never looked at.
    EXPECT_EQ(readText("0 x\n0 1\n", {1, 1, 2}).error, "");
}

TEST(ReadFrame, ValuesBeyondThirtyTwoBitsAndNonPositiveSizesAreRefused) {
    Read r = readText("0 1 3e9\n", {1, 2, 1});
    EXPECT_EQ(r.error, "Valor fuera del intervalo de enteros: 3000000000");
    EXPECT_EQ(r.values(1, 1), 1);
    // However far outside: rounding a value beyond 64 bits must not be what fails.
    EXPECT_EQ(readText("0 9223372036854775808\n", {1, 1, 1}).error.rfind("Valor fuera del", 0), 0u);
    EXPECT_EQ(readText("0 -1e300\n", {1, 1, 1}).error.rfind("Valor fuera del", 0), 0u);
    EXPECT_EQ(readText("0 2147483647.4 -2147483648.5\n", {1, 2, 1}).error, "");
    EXPECT_EQ(readText("0 1\n", {0, 1, 1}).error,
              "Tamaño de imagen no válido (0 x 1): líneas y valores deben ser mayores que cero");
    EXPECT_NE(readText("0 1\n", {1, -4, 1}).error, "");
}

TEST(ImageMatrix, GrowsKeepingItsCellsAndReadsZeroOutside) {
    ImageMatrix m;
    EXPECT_EQ(m.valueAt(1, 1), 0);
    m.cover(2, 3);
    m(2, 3) = 7;
    m.cover(4, 2); // wider in lines only: columns stay 3
    EXPECT_EQ(m.lines(), 4);
    EXPECT_EQ(m.columns(), 3);
    EXPECT_EQ(m(2, 3), 7);
    EXPECT_EQ(m.valueAt(5, 1), 0);
    EXPECT_EQ(m.valueAt(1, 4), 0);
    EXPECT_EQ(m.valueAt(0, 1), 0);

    // A smaller frame overwrites only the cells it covers.
    Read r = readText("0 1 2 3 4\n0 5 6 7 8\n", {2, 4, 1});
    r = readText("0 9\n", {1, 1, 1}, std::move(r));
    EXPECT_EQ(r.values(1, 1), 9);
    EXPECT_EQ(r.values(1, 2), 2);
    EXPECT_EQ(r.values(2, 4), 8);
}

TEST(ImageMatrix, ASizeBeyondMemoryIsRefusedAndLeavesTheMatrix) {
    ImageMatrix m;
    m.cover(2, 2);
    m(1, 1) = 3;
    try {
        m.cover(2000000000, 2000000000);
        FAIL() << "no error";
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "No hay memoria para una imagen de 2000000000 x 2000000000");
    }
    EXPECT_EQ(m.lines(), 2);
    EXPECT_EQ(m(1, 1), 3);
}

TEST(Levels, BandsFollowTheTable) {
    EXPECT_EQ(andor::bandOf(256), 0);
    EXPECT_EQ(andor::bandOf(255), 0);
    EXPECT_EQ(andor::bandOf(241), 0);
    EXPECT_EQ(andor::bandOf(240), 1);
    EXPECT_EQ(andor::bandOf(225), 1);
    EXPECT_EQ(andor::bandOf(32), 14);
    EXPECT_EQ(andor::bandOf(16), 15);
    EXPECT_EQ(andor::bandOf(1), 15);
    for (std::int64_t unpaintedLevel : {0, -1, 257, 4096})
        EXPECT_EQ(andor::bandOf(unpaintedLevel), -1) << unpaintedLevel;
    EXPECT_EQ(andor::colourOf(256), 0x000000u);
    EXPECT_EQ(andor::colourOf(240), 0x101010u);
    EXPECT_EQ(andor::colourOf(8), 0xFFF0F0u);
    EXPECT_EQ(andor::colourOf(0), andor::unpainted);
}

TEST(Levels, ScaleAndRounding) {
    EXPECT_DOUBLE_EQ(andor::levelScale(4096, 0), 1.0);
    EXPECT_DOUBLE_EQ(andor::levelScale(1000, -1048), 2.0);
    try {
        andor::levelScale(5, 5);
        FAIL() << "no error";
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    // Range 0..8192: scale 0.5, so value 5 is level 2.5 -> 2 and 7 is 3.5 -> 4.
    double half = andor::levelScale(8192, 0);
    EXPECT_EQ(andor::levelOf(5, 0, half), 2);
    EXPECT_EQ(andor::levelOf(7, 0, half), 4);
    // Extreme bounds do not overflow.
    EXPECT_EQ(andor::levelOf(2147483647, -2147483648, andor::levelScale(2147483647, -2147483648)),
              4096);
}

TEST(PaintBlock, PlacesLineSAtColumnSAndValuePAboveTheBottom) {
    ImageMatrix m;
    m.cover(3, 2);
    m(1, 1) = 256; // black
    m(2, 2) = 240; // #101010
    m(3, 1) = 0;   // level 0: left as it is
    andor::PaintArea area{3, 2, 10, 100, 100};
    auto block = andor::paintBlock(m, area, 0, 1.0);
    EXPECT_EQ(block.x, 1);
    EXPECT_EQ(block.y, 8);
    EXPECT_EQ(block.width, 3);
    EXPECT_EQ(block.height, 2);
    auto at = [&](int x, int y) {
        return block.colours[static_cast<std::size_t>((y - block.y) * block.width + x - block.x)];
    };
    EXPECT_EQ(at(1, 9), 0x000000u); // s = 1, p = 1
    EXPECT_EQ(at(2, 8), 0x101010u); // s = 2, p = 2
    EXPECT_EQ(at(3, 9), andor::unpainted);
    EXPECT_EQ(at(1, 8), andor::unpainted);
}

TEST(PaintBlock, ClipsToTheClientAreaAndReadsZeroBeyondTheMatrix) {
    ImageMatrix m;
    m.cover(2, 2);
    m(1, 1) = 10;
    m(2, 2) = 10;
    // 5 lines x 4 values painted from a 2 x 2 matrix, minimum 5: the zeros beyond the matrix
    // have level -5 * scale and stay unpainted; only x < 3 and y >= 0 are wanted.
    andor::PaintArea area{5, 4, 3, 3, 50};
    auto block = andor::paintBlock(m, area, 5, 1.0);
    EXPECT_EQ(block.x, 1);
    EXPECT_EQ(block.y, 0);
    EXPECT_EQ(block.width, 2);
    EXPECT_EQ(block.height, 3);
    int painted = 0;
    for (auto c : block.colours)
        painted += c != andor::unpainted;
    EXPECT_EQ(painted, 2);

    area.frameBottom = 0; // every row above the client area
    EXPECT_TRUE(andor::paintBlock(m, area, 5, 1.0).colours.empty());
    area = {0, 4, 10, 100, 100};
    EXPECT_TRUE(andor::paintBlock(m, area, 5, 1.0).colours.empty());
}

TEST(PaintBlock, AFlatFrameWithOneLargerValueLeavesEverythingUnpainted) {
    ImageMatrix m;
    m.cover(4, 4);
    for (int s = 1; s <= 4; ++s)
        for (int p = 1; p <= 4; ++p)
            m(s, p) = 100;
    m(2, 3) = 200;
    auto block = andor::paintBlock(m, {4, 4, 10, 100, 100}, 100, andor::levelScale(200, 100));
    for (auto c : block.colours)
        EXPECT_EQ(c, andor::unpainted);
}

TEST(LinesHeld, OnlyTheLinesAFileCanFillAndNeverMoreThanTheCellLimit) {
    // A line of V + 1 numbers takes at least 2 V + 1 bytes.
    EXPECT_EQ(andor::linesHeld({20000, 20000, 1}, 16), 1);
    EXPECT_EQ(andor::linesHeld({4, 2, 1}, 5 * 3), 4);
    EXPECT_EQ(andor::linesHeld({4, 2, 1}, 5 * 2 - 1), 2);
    EXPECT_EQ(andor::linesHeld({1024, 256, 9}, std::uint64_t{1} << 40), 1024);
    try {
        andor::linesHeld({20000, 20000, 1}, 4'000'000'000);
        FAIL() << "no error";
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "El cuadro de 20000 x 20000 valores es demasiado grande: se leen "
                               "hasta 33554432 valores");
    }
}
