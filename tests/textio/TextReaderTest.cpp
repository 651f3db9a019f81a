// The number, line and label rules of the text reader, from strings and across buffer refills.
#include "textio/TextReader.h"
#include "textio/AppError.h"
#include "textio/Convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using textio::AppError;
using textio::TextReader;

namespace {

std::vector<double> readAll(std::string text) {
    auto in = TextReader::fromString(std::move(text));
    std::vector<double> values;
    while (!in.eof())
        values.push_back(in.readReal());
    return values;
}

std::filesystem::path writeTemp(const std::string& name, const std::string& bytes) {
    auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(ParseRealToken, AcceptsTheNumberGrammar) {
    EXPECT_EQ(textio::parseRealToken("1e5"), 1e5);
    EXPECT_EQ(textio::parseRealToken("-.5"), -0.5);
    EXPECT_EQ(textio::parseRealToken("+3"), 3.0);
    EXPECT_EQ(textio::parseRealToken("2."), 2.0);
    EXPECT_EQ(textio::parseRealToken("396.15"), 396.15);
    EXPECT_EQ(textio::parseRealToken("-1.5E-7"), -1.5e-7);
    EXPECT_EQ(textio::parseRealToken("1e-400"), 0.0);
}

TEST(ParseRealToken, RejectsEverythingElse) {
    for (const char* bad : {"inf", "nan", "0x1A", "1,5", "12abc", "+-2", ".", "e5", "1e", "1e+",
                            "--1", "1.2.3", "1e400", "-1e400", "+", ""}) {
        try {
            textio::parseRealToken(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const AppError& e) {
            EXPECT_STREQ(e.what(), "Invalid numeric input") << bad;
        }
    }
}

TEST(TextReader, NumbersSkipControlCharactersAndEndAtThem) {
    EXPECT_EQ(readAll("1 2\t3\n\n  4\r\n5\r6"), (std::vector<double>{1, 2, 3, 4, 5, 6}));
    auto in = TextReader::fromString("12;x 7");
    EXPECT_THROW(in.readReal(), AppError);
}

TEST(TextReader, NumberAtTheEndReadsZero) {
    auto in = TextReader::fromString("5   \n ");
    EXPECT_EQ(in.readReal(), 5.0);
    EXPECT_FALSE(in.eof());
    EXPECT_EQ(in.readReal(), 0.0);
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(in.readReal(), 0.0);
}

TEST(TextReader, SeekEofSkipsTrailingBlanksButNotTheNextNumber) {
    auto in = TextReader::fromString("5 \t\r\n 6\n\n \x1a 7");
    EXPECT_FALSE(in.seekEof());
    EXPECT_EQ(in.readReal(), 5.0);
    EXPECT_FALSE(in.seekEof());
    EXPECT_EQ(in.readReal(), 6.0);
    EXPECT_TRUE(in.seekEof()); // the Ctrl-Z ends the file
    EXPECT_TRUE(TextReader::fromString("").seekEof());
}

TEST(TextReader, CtrlZEndsTheFile) {
    auto in = TextReader::fromString("1 2\n\x1a"
                                     "3 4\n");
    EXPECT_EQ(in.readReal(), 1.0);
    EXPECT_EQ(in.readReal(), 2.0);
    in.skipLine();
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(in.readReal(), 0.0);
    EXPECT_EQ(in.readLine(), "");
    // A Ctrl-Z right after a number ends it too.
    auto tight = TextReader::fromString("7\x1a");
    EXPECT_EQ(tight.readReal(), 7.0);
    EXPECT_TRUE(tight.eof());
}

TEST(TextReader, LinesEndAtLfCrLfAndLoneCr) {
    auto in = TextReader::fromString("a\nb\r\nc\rd");
    std::string end;
    EXPECT_EQ(in.readLine(end), "a");
    EXPECT_EQ(end, "\n");
    EXPECT_EQ(in.readLine(end), "b");
    EXPECT_EQ(end, "\r\n");
    EXPECT_EQ(in.readLine(end), "c");
    EXPECT_EQ(end, "\r");
    EXPECT_EQ(in.readLine(end), "d");
    EXPECT_EQ(end, "");
    EXPECT_TRUE(in.eof());
}

TEST(TextReader, ReadCharsStopsAtTheLineEndAndLeavesItUnread) {
    auto in = TextReader::fromString("500 10 Al I\n600 20\n700 30 FeII   xyz\n");
    EXPECT_EQ(in.readReal(), 500);
    EXPECT_EQ(in.readReal(), 10);
    EXPECT_EQ(in.readChars(6), " Al I");
    in.skipLine();
    in.readReal();
    in.readReal();
    EXPECT_TRUE(in.eoln());
    EXPECT_EQ(in.readChars(6), "");
    in.skipLine();
    in.readReal();
    in.readReal();
    EXPECT_EQ(in.readChars(6), " FeII ");
    in.skipLine();
    EXPECT_TRUE(in.eof());
}

TEST(TextReader, SkipLineAtTheEndDoesNothing) {
    auto in = TextReader::fromString("1");
    in.readReal();
    in.skipLine();
    in.skipLine();
    EXPECT_TRUE(in.eof());
}

TEST(TextReader, FilesReadAcrossBufferRefills) {
    // Tokens and line ends straddle the 1 MiB buffer boundary.
    std::string text;
    std::vector<double> expected;
    for (int i = 0; text.size() < (3u << 20); ++i) {
        text += std::to_string(i) + ".25" + (i % 3 == 0 ? "\r\n" : " ");
        expected.push_back(i + 0.25);
    }
    while (text.back() == ' ' || text.back() == '\n' || text.back() == '\r')
        text.pop_back(); // a trailing blank would add a final 0
    auto path = writeTemp("lineid_reader_refill.txt", text);
    auto in = TextReader::openFile(path);
    std::vector<double> values;
    while (!in.eof())
        values.push_back(in.readReal());
    EXPECT_EQ(values, expected);
    // A Ctrl-Z in a later block ends the file there, in the middle of a line.
    std::string cut = text.substr(0, text.find(' ', (3u << 20) - 20));
    writeTemp("lineid_reader_refill.txt", cut + "\x1a 5\n6");
    auto ended = TextReader::openFile(path);
    std::string last;
    while (!ended.eof())
        last = ended.readLine();
    std::filesystem::remove(path);
    EXPECT_EQ(last, cut.substr(cut.rfind('\n') + 1));
}

TEST(TextReader, LongLinesAndTokensSurviveRefills) {
    // The token starts 100 bytes before the third block and runs 50000 bytes into it.
    std::string longToken(50000, '7');
    std::string longLine((2u << 20) - 100 - 2, 'x');
    auto path = writeTemp("lineid_reader_long.txt", longLine + "\r\n" + "1." + longToken + " 5\n");
    auto in = TextReader::openFile(path);
    EXPECT_EQ(in.readLine(), longLine);
    EXPECT_NEAR(in.readReal(), 1.7777777, 1e-6);
    EXPECT_EQ(in.readReal(), 5.0);
    std::filesystem::remove(path);
}

TEST(TextReader, LongLinesAreStreamedCutOrRefusedWithoutBeingHeld) {
    const std::string longLine(3u << 20, 'x');
    auto path = writeTemp("lineid_reader_stream.txt",
                          longLine + "\r\n" + longLine + "\n" + longLine + "\r" + "ab\nlast");
    auto in = TextReader::openFile(path);
    std::size_t pieces = 0;
    std::string streamed;
    EXPECT_EQ(in.streamLine([&](std::string_view piece) {
        ++pieces;
        streamed.append(piece);
    }),
              "\r\n");
    EXPECT_EQ(streamed, longLine);
    EXPECT_GE(pieces, 3u); // one piece per buffer, never the line gathered
    EXPECT_EQ(in.readLineStart(5), "xxxxx");
    EXPECT_EQ(in.readLineUpTo(longLine.size() - 1), std::nullopt);
    in.skipLine();
    EXPECT_EQ(in.readLineUpTo(2), "ab");
    EXPECT_EQ(in.readLineUpTo(4), "last");
    EXPECT_TRUE(in.eof());
    std::filesystem::remove(path);
}

TEST(TextReader, OverlongTokensAreInvalidNumbers) {
    const std::string digits(textio::maxTokenLength + 1, '1');
    auto path = writeTemp("lineid_reader_token.txt", std::string(1u << 20, ' ') + digits);
    auto fromFile = TextReader::openFile(path);
    EXPECT_THROW(fromFile.readReal(), AppError);
    std::filesystem::remove(path);
    auto fromText = TextReader::fromString("1 " + digits);
    EXPECT_EQ(fromText.readInteger(), 1);
    EXPECT_THROW(fromText.readInteger(), AppError);
    EXPECT_EQ(readAll(std::string(textio::maxTokenLength - 1, '0') + "5"), std::vector<double>{5});
}

TEST(VisibleText, ControlCharactersAreShownAndTheRestKept) {
    EXPECT_EQ(textio::visibleText("1\v2\t3\r\n\f\a\b"), "1\\v2\\t3\\r\\n\\f\\a\\b");
    EXPECT_EQ(textio::visibleText(std::string("\x01\x1a\x7f\0", 4)), "\\x01\\x1a\\x7f\\x00");
    EXPECT_EQ(textio::visibleText("a\u0085b"), "a\\u0085b");
    for (const char* kept : {"datos_ma\u00f1ana 4,5 \\ 'x'", "\u00a0\u00b0", "\xff\xfe", ""})
        EXPECT_EQ(textio::visibleText(kept), kept);
    try {
        textio::strToFloat("  12\v");
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "'  12\\v' is not a valid floating point value");
    }
    try {
        textio::strToInt("\0017");
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "'\\x017' is not a valid integer value");
    }
}

TEST(TextReader, OpeningFailuresUseTheRuntimeTexts) {
    try {
        TextReader::openFile("/nonexistent/lineid/file.dat");
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    try {
        TextReader::openFile(std::filesystem::temp_directory_path());
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
}

TEST(TextReaderLineNumber, IsTheLineOfTheLastCharacterConsumed) {
    // LF, CR LF and a lone CR each end a line; a line end belongs to the line it ends.
    auto in = TextReader::fromString("1 2\n3 4\r\n5 6\r7 x\n");
    EXPECT_EQ(in.lineNumber(), 1u);
    in.readReal();
    in.readReal();
    EXPECT_EQ(in.lineNumber(), 1u);
    in.skipLine();
    EXPECT_EQ(in.lineNumber(), 1u);
    in.readReal();
    EXPECT_EQ(in.lineNumber(), 2u);
    in.readReal();
    in.skipLine();
    EXPECT_EQ(in.lineNumber(), 2u);
    in.readReal();
    in.readReal();
    in.skipLine();
    EXPECT_EQ(in.lineNumber(), 3u);
    EXPECT_EQ(in.readReal(), 7.0);
    EXPECT_THROW(in.readReal(), AppError);
    EXPECT_EQ(in.lineNumber(), 4u);
}

TEST(TextReaderLineNumber, NamesTheLineALineReaderHandedOver) {
    auto in = TextReader::fromString("a\r\r\nb\n\n\rc");
    const std::vector<std::uint64_t> expected{1, 2, 3, 4, 5, 6};
    std::vector<std::uint64_t> lines;
    while (!in.eof()) {
        in.readLine();
        lines.push_back(*in.lineNumber());
    }
    EXPECT_EQ(lines, expected);
}

TEST(TextReaderLineNumber, CountsBlocksAlreadyPassedFromTheFile) {
    // A CR LF straddles the first block boundary, lone CRs follow, and the bad token lies in the
    // third block; a second file ends its first block with a lone CR and the bad token.
    std::string text;
    std::uint64_t lines = 0;
    for (; text.size() < (1u << 20) - 20; ++lines)
        text += "1 2\n";
    text += "3" + std::string((1u << 20) - 1 - text.size() - 1, ' ') + "\r\n";
    ++lines;
    for (; text.size() < (5u << 19); ++lines)
        text += "4 5\r";
    text += "6 bad\n";
    ++lines;
    auto path = writeTemp("lineid_reader_lines.txt", text);
    auto in = TextReader::openFile(path);
    EXPECT_THROW(for (;;) in.readReal(), AppError);
    EXPECT_EQ(in.lineNumber(), lines);

    std::string edge;
    std::uint64_t edgeLines = 0;
    for (; edge.size() < (1u << 20) - 20; ++edgeLines)
        edge += "1 2\n";
    edge += "3" + std::string((1u << 20) - 2 - edge.size() - 1, ' ') + "\rx";
    ASSERT_EQ(edge.size(), 1u << 20);
    edgeLines += 2;
    writeTemp("lineid_reader_lines.txt", edge);
    auto atEdge = TextReader::openFile(path);
    EXPECT_THROW(for (;;) atEdge.readReal(), AppError);
    EXPECT_EQ(atEdge.lineNumber(), edgeLines);
    std::filesystem::remove(path);
}
