// Conversion of atomic line lists: cleaning of the intensity field, line scan, limit, counter.
#include "reference/NistList.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

using reference::cleanIntensity;

namespace {

// A list line: label in 1-6, wavelength field from column 12, then "|intensity|" and the rest.
std::string listLine(const std::string& label, const std::string& wavelength,
                     const std::string& intensity) {
    std::string line = label;
    line.resize(11, ' ');
    return line.append(wavelength).append("|").append(intensity).append("| 1.2e+08 | ");
}

struct Converted {
    std::string file;
    std::vector<std::string> list;
    int written = 0;
};

Converted convert(const std::string& input, int limit) {
    auto path = std::filesystem::temp_directory_path() /
                ("lineid_nist_test_out_" + std::to_string(::getpid()) + ".dat");
    Converted c;
    {
        auto in = textio::TextReader::fromString(input);
        auto out = textio::TextWriter::create(path);
        c.written = reference::convertNistList(in, out, limit,
                                               [&](const std::string& l) { c.list.push_back(l); });
        out.close();
    }
    std::ifstream f(path, std::ios::binary);
    c.file.assign(std::istreambuf_iterator<char>(f), {});
    return c;
}

} // namespace

TEST(CleanIntensity, WorkedTable) {
    EXPECT_EQ(cleanIntensity("   1000 "), "   1000 ");
    EXPECT_EQ(cleanIntensity("    500* "), "    500");
    EXPECT_EQ(cleanIntensity("     35w "), "     35");
    EXPECT_EQ(cleanIntensity("    200bl "), "    200");
    EXPECT_EQ(cleanIntensity("     50l* "), "     50");
    EXPECT_EQ(cleanIntensity("       * "), "0");
    EXPECT_EQ(cleanIntensity("      bl "), "0");
    EXPECT_EQ(cleanIntensity("        "), "0");
}

TEST(CleanIntensity, EveryListedFlagIsRemoved) {
    for (char flag : std::string("bcdgrwfp?ms"))
        EXPECT_EQ(cleanIntensity(std::string("     12") + flag + " "), "     12") << flag;
    EXPECT_EQ(cleanIntensity("     12l "), "     12");
    EXPECT_EQ(cleanIntensity("      l "), "0");
    EXPECT_EQ(cleanIntensity("     12b* "), "     12");
}

TEST(CleanIntensity, UnlistedFlagStays) {
    EXPECT_EQ(cleanIntensity("     12h "), "     12h ");
    EXPECT_EQ(cleanIntensity("       w "), "0"); // seven blanks left
    EXPECT_EQ(cleanIntensity(""), "");
    EXPECT_EQ(cleanIntensity("5"), "5");
}

TEST(ParseNistLine, FieldsAndLabel) {
    auto line = reference::parseNistLine(listLine("Ar I  ", " 6965.431 ", "  10000 "));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->label, "Ar I  ");
    EXPECT_EQ(line->wavelength, " 6965.431 ");
    EXPECT_EQ(line->intensity, "  10000 ");
    EXPECT_DOUBLE_EQ(line->value, 10000);
    EXPECT_EQ(reference::nistFileLine(*line), " 6965.431    10000  Ar I  ");
    EXPECT_EQ(reference::nistListLine(1, *line), "1 Ar I    6965.431    10000 ");
}

TEST(ParseNistLine, SkippedAndIncompleteLines) {
    EXPECT_FALSE(reference::parseNistLine(listLine("      ", " 6965.431 ", "  10000 ")));
    EXPECT_FALSE(reference::parseNistLine(""));
    EXPECT_FALSE(reference::parseNistLine("Ar I        6965.431 |  100"));
    EXPECT_FALSE(reference::parseNistLine(listLine("Ar I  ", " 6965.431 ", "       ")));
    // A second separator beyond column 40 is never seen.
    std::string late = "Ar I        6965.431 |";
    late.resize(41, ' ');
    EXPECT_FALSE(reference::parseNistLine(late + "|"));
}

TEST(ParseNistLine, HeaderWithSeparatorsIsAConversionError) {
    std::string header = "Spectrum   Observed  | Rel.  | Aki";
    EXPECT_THROW(reference::parseNistLine(header), textio::AppError);
}

TEST(ConvertNistList, LimitIsStrictAndCounterCountsWrittenLines) {
    std::string input = listLine("Ar I  ", " 100.0 ", "    100 ") + "\n" +
                        listLine("Ar I  ", " 200.0 ", "   100.5 ") + "\n" +
                        listLine("Ar II ", " 300.0 ", "       ") + "\n" +
                        listLine("Ar II ", " 400.0 ", "    500* ") + "\n";
    auto c = convert(input, 100);
    ASSERT_EQ(c.list.size(), 2u);
    EXPECT_EQ(c.list[0], "1 Ar I    200.0     100.5 ");
    EXPECT_EQ(c.list[1], "2 Ar II   400.0      500");
    EXPECT_EQ(c.file, " 200.0     100.5  Ar I  \n 400.0      500 Ar II \n");
    EXPECT_EQ(c.written, 2);
}

TEST(ConvertNistList, NegativeLimitKeepsZeroLines) {
    std::string input = listLine("Ar I  ", " 100.0 ", "        ") + "\n" +
                        listLine("Ar I  ", " 200.0 ", "      bl ") + "\n";
    EXPECT_EQ(convert(input, 100).written, 0);
    auto c = convert(input, -1);
    ASSERT_EQ(c.written, 2);
    EXPECT_EQ(c.file, " 100.0  0 Ar I  \n 200.0  0 Ar I  \n");
}

TEST(ConvertNistList, ScanStateStartsAfreshOnEveryLine) {
    // The first line has one separator only; the second must not take its wavelength.
    std::string input = "Ar I        111.0 \n" + listLine("Ar I  ", " 222.0 ", "   1000 ") + "\n";
    auto c = convert(input, 100);
    ASSERT_EQ(c.list.size(), 1u);
    EXPECT_EQ(c.file, " 222.0     1000  Ar I  \n");
}

TEST(ConvertNistList, ErrorKeepsTheLinesWrittenBefore) {
    auto path = std::filesystem::temp_directory_path() / "lineid_nist_test_err.dat";
    std::string input = listLine("Ar I  ", " 100.0 ", "   1000 ") + "\n" +
                        listLine("Ar I  ", " 200.0 ", "   1000h ") + "\n" +
                        listLine("Ar I  ", " 300.0 ", "   1000 ") + "\n";
    std::vector<std::string> list;
    {
        auto in = textio::TextReader::fromString(input);
        auto out = textio::TextWriter::create(path);
        EXPECT_THROW(reference::convertNistList(in, out, 100,
                                                [&](const std::string& l) { list.push_back(l); }),
                     textio::AppError);
    }
    std::ifstream f(path, std::ios::binary);
    std::string file(std::istreambuf_iterator<char>(f), {});
    EXPECT_EQ(file, " 100.0     1000  Ar I  \n");
    EXPECT_EQ(list.size(), 1u);
}

TEST(ConvertNistList, LongLinesAndControlCharacters) {
    // Only the first 40 columns count: a tail of megabytes changes nothing.
    std::string line = listLine("Ar I  ", " 100.0 ", "   1000 ");
    auto c = convert(line + std::string(5u << 20, '7') + "\n" + line + "\n", 100);
    EXPECT_EQ(c.file, " 100.0     1000  Ar I  \n 100.0     1000  Ar I  \n");
    // A control character in the intensity is shown in the message.
    auto in = textio::TextReader::fromString(listLine("Ar I  ", " 200.0 ", "  10\v00 ") + "\n");
    try {
        reference::parseNistLine(in.readLine());
        FAIL();
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "'  10\\v00 ' is not a valid floating point value");
    }
}
