// Trace extraction from camera images: the stated cases, and agreement with a plain reading
// through the text reader on many generated inputs.
#include "andor/AndorImage.h"
#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/TextReader.h"

#include "SyntheticImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <unistd.h>

using andor::TraceMode;
using andor::TracePoint;
using andor::TraceSettings;

namespace {

struct Outcome {
    std::vector<std::string> file;
    std::vector<std::string> list;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

// Streams the text in blocks of `block` bytes.
Outcome fast(const std::string& text, const TraceSettings& s, std::size_t block = 1 << 20) {
    Outcome o;
    try {
        auto image = andor::ImageStream::overText(text, {block});
        andor::extractTrace(image, s, [&](const TracePoint& p) {
            o.file.push_back(andor::traceFileLine(s.mode, p));
            o.list.push_back(andor::traceListLine(p));
        });
    } catch (const textio::AppError& e) {
        o.error = e.what();
    }
    return o;
}

// The extraction written the plain way: every number through the text reader, the summing
// window as a running sum that follows the line.
Outcome plain(const std::string& text, const TraceSettings& s) {
    Outcome o;
    auto in = textio::TextReader::fromString(text);
    auto emit = [&](int k, double x, double y, int position) {
        TracePoint p{k, x, y, position};
        o.file.push_back(andor::traceFileLine(s.mode, p));
        o.list.push_back(andor::traceListLine(p));
    };
    try {
        for (long long i = 0; i < static_cast<long long>(s.frame - 1) * s.geometry.lines; ++i)
            in.skipLine();
        int n = s.halfWidth;
        for (int line = 1; line <= s.geometry.lines; ++line) {
            double x = in.readReal();
            double sum = 0;
            int next = s.traceIndex - n;
            bool fits = s.traceIndex - (n == 1 ? 0 : n) >= 2 &&
                        s.traceIndex + (n == 1 ? 0 : n) <= s.geometry.values + 1 && n >= 1;
            for (int i = 2; i <= s.geometry.values + 1; ++i) {
                double y = in.readReal();
                if (s.mode == TraceMode::Line) {
                    if (line == s.traceIndex)
                        emit(i - 1, x, y, i);
                } else if (fits && n == 1) {
                    if (i == s.traceIndex)
                        emit(line, x, y, 0);
                } else if (fits) {
                    if (i == next) {
                        sum += y;
                        ++next;
                    }
                    if (i == s.traceIndex + n)
                        emit(line, x, static_cast<double>(textio::nearest(sum / (2.0 * n))), 0);
                }
            }
            in.skipLine();
        }
    } catch (const textio::AppError& e) {
        o.error = e.what();
    }
    return o;
}

// Lines of "x v1 .. vV" with x = 100 + line and v = 10 * line + position.
std::string grid(int lines, int values, const char* end = "\n") {
    std::string text;
    for (int s = 1; s <= lines; ++s) {
        text += std::to_string(100 + s);
        for (int p = 1; p <= values; ++p)
            text.append(" ").append(std::to_string(10 * s + p));
        text += end;
    }
    return text;
}

TraceSettings small(TraceMode mode, int frame, int index, int n) {
    return {{4, 6}, mode, frame, index, n};
}

} // namespace

TEST(ExtractTrace, ColumnModeSinglePositionPerLine) {
    auto o = fast(grid(8, 6), small(TraceMode::Column, 1, 3, 1));
    ASSERT_EQ(o.file.size(), 4u);
    EXPECT_EQ(o.file[0], "   101.000        12");
    EXPECT_EQ(o.list[0], "1  101 12");
    EXPECT_EQ(o.file[3], "   104.000        42");
    // Frame 2 starts at line L + 1; frame 0 and negative frames read frame 1.
    EXPECT_EQ(fast(grid(8, 6), small(TraceMode::Column, 2, 3, 1)).file[0], "   105.000        52");
    EXPECT_EQ(fast(grid(8, 6), small(TraceMode::Column, 0, 3, 1)),
              fast(grid(8, 6), small(TraceMode::Column, 1, 3, 1)));
    EXPECT_EQ(fast(grid(8, 6), small(TraceMode::Column, -3, 3, 1)).file[0], "   101.000        12");
}

TEST(ExtractTrace, FrameBeyondTheEndGivesAFullTraceOfZeros) {
    auto o = fast(grid(8, 6), small(TraceMode::Column, 5, 3, 1));
    ASSERT_EQ(o.file.size(), 4u);
    EXPECT_EQ(o.file[2], "     0.000         0");
    EXPECT_EQ(o.list[2], "3  0 0");
}

TEST(ExtractTrace, IndicesOutsideTheLineGiveNoPoints) {
    for (int index : {0, 1, 8, 100, -5})
        EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Column, 1, index, 1)).file.empty()) << index;
    EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Line, 1, 5, 1)).file.empty());
    EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Line, 1, 0, 1)).file.empty());
    // A window that would begin on the abscissa or end past the line.
    EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Column, 1, 3, 2)).file.empty());
    EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Column, 1, 6, 2)).file.empty());
    EXPECT_FALSE(fast(grid(4, 6), small(TraceMode::Column, 1, 4, 2)).file.empty());
    // Extreme typed values neither overflow nor give points.
    constexpr int big = 2147483647;
    EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Column, 1, big, big)).file.empty());
    EXPECT_TRUE(fast(grid(4, 6), small(TraceMode::Column, -big - 1, -big - 1, big)).file.empty());
    EXPECT_FALSE(fast(grid(4, 6), small(TraceMode::Column, big, 3, 1)).file.empty());
}

TEST(ExtractTrace, SummingWindowDividesBy2nAndRoundsHalvesToEven) {
    // Positions 2..6 on line 1 hold 11..15: sum 65 over 2n = 4 gives 16.25 -> 16.
    auto o = fast(grid(4, 6), small(TraceMode::Column, 1, 4, 2));
    EXPECT_EQ(o.file[0], "   101.000        16");
    // 10 / 4 = 2.5 rounds to 2, 14 / 4 = 3.5 to 4.
    auto halves = fast("1 2 2 2 2 2\n1 2 3 3 3 3\n", {{2, 5}, TraceMode::Column, 1, 4, 2});
    EXPECT_EQ(halves.list, (std::vector<std::string>{"1  1 2", "2  1 4"}));
}

TEST(ExtractTrace, DefaultWindowOnACameraFrame) {
    synthetic::ImageShape shape;
    shape.frames = 3;
    shape.lines = 4;
    std::string text = synthetic::makeImage(shape);
    TraceSettings s{andor::size1024x256, TraceMode::Column, 2, 47, 5};
    auto o = fast(text, s);
    ASSERT_EQ(o.file.size(), 1024u);
    EXPECT_EQ(o, plain(text, s));
    // Line mode at line 512: 256 points, items 2..257, list 1..256.
    s.mode = TraceMode::Line;
    s.traceIndex = 512;
    s.halfWidth = 1;
    o = fast(text, s);
    ASSERT_EQ(o.file.size(), 256u);
    EXPECT_EQ(o.file.front().substr(0, 10), "         2");
    EXPECT_EQ(o.file.back().substr(0, 10), "       257");
    EXPECT_EQ(o.list.front().substr(0, 3), "1  ");
    EXPECT_EQ(o.list.back().substr(0, 5), "256  ");
}

TEST(ExtractTrace, LargeFramesReadTheirOwnNumberOfValuesPerLine) {
    // 2048x2048 takes 249 numbers a line whatever the line holds; the rest is skipped.
    std::string text = grid(2048, 300);
    TraceSettings s{andor::size2048x2048, TraceMode::Line, 1, 7, 1};
    auto o = fast(text, s);
    ASSERT_EQ(o.file.size(), 248u);
    EXPECT_EQ(o.list.back(), "248  107 318");
    EXPECT_EQ(o, plain(text, s));
}

TEST(ExtractTrace, InvalidTokenOnThePathStopsAfterTheEarlierPoints) {
    std::string text = grid(4, 6);
    text.replace(text.find("35"), 2, "3x");
    auto o = fast(text, small(TraceMode::Column, 1, 3, 1));
    EXPECT_EQ(o.error, "Invalid numeric input");
    EXPECT_EQ(o.file.size(), 3u); // line 3 gave its point before the bad token further on
    // Tokens in skipped frames are not looked at.
    std::string skipped = "abc def\n" + grid(8, 6);
    EXPECT_TRUE(fast(skipped, {{5, 6}, TraceMode::Column, 2, 3, 1}).error.empty());
}

TEST(ExtractTrace, AgreesWithThePlainReadingOnGeneratedInputs) {
    std::mt19937 random(20261208);
    const char* ends[] = {"\n", "\r\n", "\r"};
    const char* bad[] = {"abc", "1,5", "1e400", "0x1A", "nan", "-", "1e5", "+.5", "2."};
    for (int round = 0; round < 3000; ++round) {
        int lines = 1 + static_cast<int>(random() % 6);
        int values = 1 + static_cast<int>(random() % 7);
        int written = values + static_cast<int>(random() % 3) - 1;
        std::string text =
            grid(static_cast<int>(random() % 20), std::max(0, written), ends[random() % 3]);
        if (random() % 3 == 0 && !text.empty())
            text.resize(random() % text.size()); // truncated
        if (random() % 3 == 0 && !text.empty()) {
            std::size_t at = text.find(' ', random() % text.size());
            if (at != std::string::npos)
                text.insert(at + 1, std::string(bad[random() % 9]) + " ");
        }
        if (random() % 10 == 0)
            text.insert(random() % (text.size() + 1), "\x1a");
        TraceSettings s{{lines, values},
                        random() % 2 ? TraceMode::Column : TraceMode::Line,
                        static_cast<int>(random() % 5) - 1,
                        static_cast<int>(random() % 10) - 1,
                        1 + static_cast<int>(random() % 3)};
        std::size_t block = 1 + random() % 24;
        ASSERT_EQ(fast(text, s, block), plain(text, s))
            << "round " << round << " block " << block << "\n"
            << text;
    }
}

TEST(ImageStream, SkipsLineEndsOfEveryKindWhereverBlocksEnd) {
    std::string text = "a\nb\r\nc\rd\r\r\ne";
    const std::vector<std::string> next{"b", "c", "d", "e", "e", "", ""};
    for (std::size_t block = 1; block <= text.size(); ++block)
        for (long long count = 1; count <= 7; ++count) {
            auto in = andor::ImageStream::overText(text, {block});
            in.skipLines(count == 7 ? 100 : count);
            EXPECT_EQ(in.token(), next[static_cast<std::size_t>(count - 1)])
                << "block " << block << " count " << count;
        }
}

TEST(TraceNames, BuiltFromTheTextsAsTyped) {
    EXPECT_EQ(andor::traceName("/datos/imagen.asc", TraceMode::Column, "1", "47"), "imagen_c1_y47");
    EXPECT_EQ(andor::traceName("imagen.asc", TraceMode::Line, " 2", "512"), "imagen_r 2_y512");
    EXPECT_EQ(andor::traceName("abc", TraceMode::Column, "1", "47"), "_c1_y47");
}

namespace {

std::vector<std::string> tokensOf(andor::ImageStream& in) {
    std::vector<std::string> tokens;
    for (std::string_view t; !(t = in.token()).empty();)
        tokens.emplace_back(t);
    return tokens;
}

bool isOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

} // namespace

TEST(ImageStream, ReadsFilesToCtrlZAndClosesTheirDescriptors) {
    auto path = std::filesystem::temp_directory_path() / "lineid_image_stream.asc";
    std::ofstream(path, std::ios::binary) << "1 2 3\n\x1a"
                                             "4 5 6\n";
    int fd = ::open(path.c_str(), O_RDONLY);
    {
        auto image = andor::ImageStream::fromDescriptor(fd, {2});
        EXPECT_EQ(image.size(), 13u);
        EXPECT_EQ(image.token(), "1");
        auto moved = std::move(image);
        EXPECT_EQ(tokensOf(moved), (std::vector<std::string>{"2", "3"}));
        EXPECT_TRUE(moved.eof());
    }
    EXPECT_FALSE(isOpen(fd));
    std::ofstream(path, std::ios::binary) << "";
    EXPECT_TRUE(andor::ImageStream::open(path).eof());
    std::filesystem::remove(path);
    EXPECT_THROW(andor::ImageStream::open(path), textio::AppError);
    EXPECT_TRUE(textio::sameFile(std::filesystem::temp_directory_path(),
                                 std::filesystem::temp_directory_path() / "."));

    // A read that fails is an error, not an end; the descriptor is closed all the same.
    fd = ::open(std::filesystem::temp_directory_path().c_str(), O_RDONLY | O_DIRECTORY);
    try {
        auto folder = andor::ImageStream::fromDescriptor(fd);
        folder.token();
        ADD_FAILURE() << "no error";
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "No se pudo leer el archivo de imagen");
    }
    EXPECT_FALSE(isOpen(fd));
}

TEST(ImageStream, LongSkipsInAFileLandWhereLineByLineSkipsLand) {
    // Megabytes of lines of every length and line end, long enough to be counted on two cores;
    // each line starts with its number.
    std::string text;
    const char* ends[] = {"\n", "\r\n", "\r"};
    for (int line = 0; text.size() < (std::size_t{9} << 20); ++line)
        text += std::to_string(line) +
                std::string(static_cast<std::size_t>(line * 7919 % 3000), 'x') + ends[line % 3];
    auto path = std::filesystem::temp_directory_path() /
                ("lineid_image_long" + std::to_string(::getpid()) + ".asc");
    auto check = [&path](const std::string& file, std::string_view context) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
        for (long long count : {999LL, 1000LL, 4321LL, 5000LL, 6100LL, 9999999LL}) {
            auto fromFile = andor::ImageStream::open(path);
            auto fromText = andor::ImageStream::overText(file);
            fromFile.skipLines(count);
            fromText.skipLines(count);
            EXPECT_EQ(fromFile.token(), fromText.token()) << context << ", skipping " << count;
            EXPECT_EQ(fromFile.token(), fromText.token()) << context << ", skipping " << count;
        }
    };
    check(text, "whole");
    std::string early = text;
    early[text.size() / 3] = '\x1a';
    check(early, "Ctrl-Z in the first half");
    std::string late = text;
    late[text.size() * 3 / 4] = '\x1a';
    check(late, "Ctrl-Z in the second half");
    std::filesystem::remove(path);
}

TEST(ImageStream, AFileCutShortWhileReadEndsWhereItsDataEnds) {
    auto path = std::filesystem::temp_directory_path() / "lineid_image_cut.asc";
    synthetic::ImageShape shape;
    shape.frames = 3;
    shape.lines = 4;
    std::string text = synthetic::makeImage(shape);
    std::ofstream(path, std::ios::binary) << text;
    auto image = andor::ImageStream::open(path, {4096});
    EXPECT_EQ(image.token(), text.substr(0, text.find('\t')));
    std::filesystem::resize_file(path, 4096 + 10);
    // Frame 2 is gone: its trace reads as zeros, as past the end of any file.
    Outcome o;
    TraceSettings s{{4, 256}, TraceMode::Column, 2, 47, 1};
    andor::extractTrace(image, s,
                        [&](const TracePoint& p) { o.list.push_back(andor::traceListLine(p)); });
    EXPECT_EQ(o.list, (std::vector<std::string>{"1  0 0", "2  0 0", "3  0 0", "4  0 0"}));
    EXPECT_TRUE(image.eof());
    std::filesystem::remove(path);
}

TEST(ImageStream, TokensAreBoundedAndLinesAreNot) {
    const std::string text = "1 " + std::string(32, '7') + " " + std::string(33, '7');
    auto in = andor::ImageStream::overText(text, {8, 32});
    EXPECT_EQ(in.token(), "1");
    EXPECT_EQ(in.token(), std::string(32, '7'));
    EXPECT_THROW(
        {
            try {
                in.token();
            } catch (const textio::AppError& e) {
                EXPECT_STREQ(e.what(), "Número de más de 32 caracteres en la imagen");
                throw;
            }
        },
        textio::AppError);
    // A line far longer than a block or a token is skipped without being held.
    std::string longLine = "1";
    for (int i = 0; i < 10000; ++i)
        longLine += " 12345";
    longLine += "\n2 3\n";
    auto lines = andor::ImageStream::overText(longLine, {8, 32});
    lines.skipLines(1);
    EXPECT_EQ(lines.readReal(), 2.0);
}

TEST(FrameText, ReadsFramesOfTheCommonShapeOnly) {
    const andor::FrameGeometry g{2, 3};
    auto frame = andor::FrameText::read("9\n9 9 9 9\n1.5 -2 +3 4\r\n2.25 5 .5 -0\n", g, 2);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->number(1, 1), 1.5);
    EXPECT_EQ(frame->number(1, 3), 3);
    EXPECT_EQ(frame->number(2, 4), 0);
    EXPECT_TRUE(std::signbit(frame->number(2, 4)));
    EXPECT_EQ(frame->number(2, 3), 0.5);
    // The last line may go without its line end.
    EXPECT_TRUE(andor::FrameText::read("1 2 3 4\n5 6 7 8", g, 1));
    // Anything else is left to the general reading, the stream standing at the frame's start.
    for (const char* text :
         {"1 2 3 4\r5 6 7 8\n", "1 2 3\n4 5 6 7 8\n", "1 2 3 4 5\n6 7 8 9\n", "1 2 3 4\n",
          "1 2 3 1e4\n5 6 7 8\n", "1 2 3 12345678901234567\n5 6 7 8\n", "1 2 3 4\n5 6 - 8\n",
          "1 2 3 4\n5 6 7.8.9 8\n", "1 2 3 4\n\n5 6 7 8\n"}) {
        std::string image = std::string("a b c d\ne f g h\n") + text;
        for (std::size_t block : {std::size_t{1}, std::size_t{5}, std::size_t{1} << 20}) {
            auto in = andor::ImageStream::overText(image, {block});
            EXPECT_FALSE(andor::FrameText::read(in, g, 2)) << text;
            EXPECT_EQ(in.token(), std::string_view(text).substr(0, 1)) << text;
        }
    }
}

TEST(FrameText, TracesAreThoseOfTheGeneralReading) {
    synthetic::ImageShape shape;
    shape.frames = 2;
    shape.lines = 40;
    shape.values = 30;
    const std::string image = synthetic::makeImage(shape);
    const andor::FrameGeometry g{40, 30};
    auto frame = andor::FrameText::read(image, g, 2);
    ASSERT_TRUE(frame);
    auto parsed = andor::ParsedFrame::read(image, g, 2);
    for (TraceMode mode : {TraceMode::Column, TraceMode::Line})
        for (int n : {1, 2, 5})
            for (int index : {0, 2, 7, 16, 31, 32, 40, 41}) {
                TraceSettings s{g, mode, 2, index, n};
                std::vector<std::string> a;
                std::vector<std::string> b;
                frame->trace(s, [&](const TracePoint& p) { a.push_back(andor::traceListLine(p)); });
                parsed.trace(s, [&](const TracePoint& p) { b.push_back(andor::traceListLine(p)); });
                EXPECT_EQ(a, b);
                if (mode == TraceMode::Column && andor::windowFits(s)) {
                    for (int line = 1; line <= g.lines; ++line)
                        EXPECT_EQ(andor::traceListLine({line, frame->number(line, 1),
                                                        frame->columnValue(s, line), 0}),
                                  b[static_cast<std::size_t>(line - 1)]);
                }
            }
}
