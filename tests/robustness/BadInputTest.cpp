// Every reader over the bad-input corpus: the exact outcome of each case, and nothing stored
// past a capacity.
#include "andor/AndorImage.h"
#include "andor/ImageFrame.h"
#include "andor/ImageSplit.h"
#include "eva/EvaExport.h"
#include "eva/LineRatio.h"
#include "reference/NistList.h"
#include "store/SpectrumStore.h"
#include "textio/AppError.h"
#include "textio/NumberText.h"

#include "support/BadInputs.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace {

using Expectations = std::map<std::string, std::string>;

std::string general(double v) {
    return textio::generalFormat(v);
}

// A folder of this test process for the files the converting readers write, removed when the
// process ends.
class OutputFolder {
public:
    OutputFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("lineid_bad_out_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~OutputFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& outputFolder() {
    static const OutputFolder folder;
    return folder.path();
}

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The bytes with line ends and control characters made visible, cut after 40 characters.
std::string shown(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes.substr(0, 40)) {
        if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else if (c < 32 || c >= 127)
            text += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
        else
            text += static_cast<char>(c);
    }
    if (bytes.size() > 40)
        text += "...(" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

template <typename F> std::string outcomeOf(F&& read) {
    try {
        return read();
    } catch (const textio::AppError& e) {
        return std::string("error: ").append(e.what());
    }
}

// Runs the reader over every case and compares with the expectations, which must name every case.
void checkAll(const Expectations& expected,
              const std::function<std::string(const std::string&)>& reader) {
    for (const auto& c : badinputs::cases()) {
        auto it = expected.find(c.name);
        ASSERT_NE(it, expected.end()) << "no expectation for " << c.name;
        EXPECT_EQ(reader(c.bytes), it->second) << c.name;
    }
    EXPECT_EQ(expected.size(), badinputs::cases().size());
}

std::string experimental(const std::string& bytes) {
    auto s = std::make_unique<store::SpectrumStore>();
    s->nExp = 7;
    std::string result = outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        auto outcome = store::readExperimental(in, *s, [](const std::string&) {});
        std::string text = "n=" + std::to_string(s->nExp);
        if (outcome.truncated)
            text += " truncated";
        if (s->nExp > 0)
            text += " last=" + general(s->xExp[s->nExp]) + "," + general(s->yExp[s->nExp]);
        return text;
    });
    if (result.rfind("error", 0) == 0)
        result += " n=" + std::to_string(s->nExp) + (s->hayExp ? " loaded" : "");
    return result;
}

std::string referenceLines(const std::string& bytes) {
    auto s = std::make_unique<store::SpectrumStore>();
    s->nRef = 3;
    std::string result = outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        auto outcome = store::readReference(in, *s, [](const std::string&) {});
        std::string text = "n=" + std::to_string(s->nRef);
        if (outcome.truncated)
            text += " truncated";
        if (s->nRef > 0)
            text += " last=" + general(s->xRef[s->nRef]) + "," + general(s->yRef[s->nRef]) + ",'" +
                    s->ionRef[s->nRef] + "'";
        return text;
    });
    if (result.rfind("error", 0) == 0)
        result += " n=" + std::to_string(s->nRef);
    return result;
}

// Position 2 of frames of two lines of one value, cut while streaming (the camera window) or
// from the frame read whole (the ratio tool).
std::string traceOf(const std::string& bytes, bool wholeFrame) {
    auto image = andor::ImageText::fromString(bytes);
    std::vector<std::string> lines;
    auto emit = [&](const andor::TracePoint& p) { lines.push_back(andor::traceListLine(p)); };
    std::string result = outcomeOf([&] {
        andor::TraceSettings s{{2, 1}, andor::TraceMode::Column, 1, 2, 1};
        if (wholeFrame)
            andor::ParsedFrame::read(image.text(), s.geometry, s.frame).trace(s, emit);
        else
            andor::extractTrace(image.text(), s, emit);
        return std::string("ok");
    });
    for (const auto& l : lines)
        result += " | " + l;
    return result;
}

std::string cameraTrace(const std::string& bytes) {
    return traceOf(bytes, false);
}

std::string ratioFrame(const std::string& bytes) {
    return traceOf(bytes, true);
}

std::string sequence(const std::string& bytes) {
    return outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        auto read = eva::readSequence(in);
        std::string text = "n=" + std::to_string(read.entries.size());
        if (read.truncated)
            text += " truncated";
        if (!read.entries.empty())
            text += " last=" + std::to_string(read.entries.back().sequenceNumber) + "," +
                    std::to_string(read.entries.back().fibre);
        return text;
    });
}

std::string fileList(const std::string& bytes) {
    return outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        auto read = eva::readFileList(in);
        std::string text = "n=" + std::to_string(read.entries.size());
        if (read.truncated)
            text += " truncated";
        if (!read.entries.empty())
            text += " last=" + std::to_string(read.entries.back().size()) + " bytes";
        return text;
    });
}

// A converter's outcome: what it returns, the last line it listed, and the bytes of the file it
// wrote (also after a failure).
template <typename Convert>
std::string conversionOf(const std::string& bytes, const char* fileName, Convert&& convert) {
    auto path = outputFolder() / fileName;
    std::vector<std::string> listed;
    std::string result = outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        auto out = textio::TextWriter::create(path);
        std::string text = convert(in, out, listed);
        out.close();
        return text;
    });
    if (!listed.empty())
        result += " last='" + listed.back() + "'";
    return result + " file=" + shown(contentsOf(path));
}

// Line-list conversion with limit 0.
std::string nistList(const std::string& bytes) {
    return conversionOf(bytes, "nist.dat", [](auto& in, auto& out, auto& listed) {
        int written = reference::convertNistList(
            in, out, 0, [&](const std::string& line) { listed.push_back(line); });
        return "n=" + std::to_string(written);
    });
}

// EVA export conversion with 0.1 nm a pixel and 500 nm at the anchor position.
std::string evaExport(const std::string& bytes) {
    return conversionOf(bytes, "eva.dat", [](auto& in, auto& out, auto& listed) {
        int runs = eva::convertExport(in, out, 0.1, 500, [&](const eva::Run& run) {
            listed.push_back(eva::runListLine(run));
        });
        return "runs=" + std::to_string(runs);
    });
}

// Frame 1 of frames of two lines of one value, into a matrix that already holds 3 x 2 cells of
// 99: the cells of the frame and bounds, and that the cells outside it are left alone.
std::string imageFrame(const std::string& bytes) {
    andor::ImageMatrix values;
    values.cover(3, 2);
    for (int s = 1; s <= 3; ++s)
        for (int p = 1; p <= 2; ++p)
            values(s, p) = 99;
    int imageMax = 0;
    int imageMin = 0;
    std::string result = outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        andor::readFrame(in, {2, 1, 1}, values, imageMax, imageMin);
        return std::string("ok");
    });
    result += " cells=" + std::to_string(values(1, 1)) + "," + std::to_string(values(2, 1)) +
              " bounds=" + std::to_string(imageMax) + "," + std::to_string(imageMin);
    bool outsideKept = values(3, 1) == 99 && values(3, 2) == 99 && values(1, 2) == 99 &&
                       values(2, 2) == 99 && values.lines() == 3 && values.columns() == 2;
    return result + (outsideKept ? "" : " outside changed");
}

// Split into frames of 1024 lines keeping lines 1-2: the number of files and the last one's bytes.
std::string splitFrames(const std::string& bytes) {
    auto folder = outputFolder() / "split";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    int created = 0;
    std::string result = outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        andor::splitFrames(
            in, 1024, {1, 2},
            [&](int k) {
                created = k;
                return textio::TextWriter::create(folder / (std::to_string(k) + ".asc"));
            },
            [](int) {});
        return "files=" + std::to_string(created);
    });
    if (created > 0)
        result += " last=" + shown(contentsOf(folder / (std::to_string(created) + ".asc")));
    return result;
}

// Crop of line 1 of frame 2, frames of one line: the second line as it stands.
std::string cropFrame(const std::string& bytes) {
    auto path = outputFolder() / "crop.dat";
    std::string result = outcomeOf([&] {
        auto in = textio::TextReader::fromString(bytes);
        auto out = textio::TextWriter::create(path);
        andor::cropFrame(in, 1, 2, {1, 1}, out);
        out.close();
        return std::string("ok");
    });
    return result + " file=" + shown(contentsOf(path));
}

} // namespace

TEST(BadInputs, ExperimentalReader) {
    checkAll(
        {
            {"empty", "n=0"},
            {"truncated_number", "error: Invalid numeric input n=7"},
            {"truncated_line", "n=2 last=410,0"},
            {"crlf", "n=2 last=410,20"},
            {"cr_only", "n=2 last=410,20"},
            {"no_final_line_end", "n=2 last=410,20"},
            {"ctrl_z_inside", "n=1 last=400,10"},
            {"nul_bytes", "n=2 last=410,20"},
            {"utf8_bom", "error: Invalid numeric input n=7"},
            {"invalid_utf8", "n=2 last=410,20"},
            {"long_line", "n=1 last=400,10"},
            {"many_numbers_one_line", "n=1 last=1,2"},
            {"overflow", "error: Invalid numeric input n=7"},
            {"negative_overflow", "error: Invalid numeric input n=7"},
            {"underflow", "n=1 last=0,5"},
            {"nan", "error: Invalid numeric input n=7"},
            {"inf", "error: Invalid numeric input n=7"},
            {"decimal_comma", "error: Invalid numeric input n=7"},
            {"double_sign", "error: Invalid numeric input n=7"},
            {"text_header", "error: Invalid numeric input n=7"},
            {"list_shaped", "error: Invalid numeric input n=7"},
            {"list_bad_intensity", "error: Invalid numeric input n=7"},
            {"points_4025", "n=4024 truncated last=4024,1"},
            {"lines_2025", "n=2025 last=2025,1"},
            {"entries_145", "n=145 last=145,145"},
            {"names_45", "error: Invalid numeric input n=7"},
        },
        experimental);
}

TEST(BadInputs, ReferenceReader) {
    checkAll(
        {
            {"empty", "n=0"},
            {"truncated_number", "error: Invalid numeric input n=3"},
            {"truncated_line", "n=2 last=41,0,''"},
            {"crlf", "n=2 last=41,20,''"},
            {"cr_only", "n=2 last=41,20,''"},
            {"no_final_line_end", "n=2 last=41,20,''"},
            {"ctrl_z_inside", "n=1 last=40,10,''"},
            {"nul_bytes", "n=2 last=41,20,''"},
            {"utf8_bom", "error: Invalid numeric input n=3"},
            {"invalid_utf8", "n=2 last=41,20,''"},
            {"long_line", "n=1 last=40,10,' 77777'"},
            {"many_numbers_one_line", "n=1 last=0.1,2,' 3 4 5'"},
            {"overflow", "error: Invalid numeric input n=3"},
            {"negative_overflow", "error: Invalid numeric input n=3"},
            {"underflow", "n=1 last=0,5,''"},
            {"nan", "error: Invalid numeric input n=3"},
            {"inf", "error: Invalid numeric input n=3"},
            {"decimal_comma", "error: Invalid numeric input n=3"},
            {"double_sign", "error: Invalid numeric input n=3"},
            {"text_header", "error: Invalid numeric input n=3"},
            {"list_shaped", "error: Invalid numeric input n=3"},
            {"list_bad_intensity", "error: Invalid numeric input n=3"},
            {"points_4025", "n=2024 truncated last=202.4,1,''"},
            {"lines_2025", "n=2024 truncated last=202.4,1,' Ar I'"},
            {"entries_145", "n=145 last=14.5,145,''"},
            {"names_45", "error: Invalid numeric input n=3"},
        },
        referenceLines);
}

// The camera tools' trace: position 2 of frames of two lines of one value.
Expectations cameraExpectations() {
    return {
        {"empty", "ok | 1  0 0 | 2  0 0"},
        {"truncated_number", "error: Invalid numeric input | 1  400 10"},
        {"truncated_line", "ok | 1  400 10 | 2  410 0"},
        {"crlf", "ok | 1  400 10 | 2  410 20"},
        {"cr_only", "ok | 1  400 10 | 2  410 20"},
        {"no_final_line_end", "ok | 1  400 10 | 2  410 20"},
        {"ctrl_z_inside", "ok | 1  400 10 | 2  0 0"},
        {"nul_bytes", "ok | 1  400 10 | 2  410 20"},
        {"utf8_bom", "error: Invalid numeric input"},
        {"invalid_utf8", "ok | 1  400 10 | 2  410 20"},
        {"long_line", "ok | 1  400 10 | 2  0 0"},
        {"many_numbers_one_line", "ok | 1  1 2 | 2  0 0"},
        {"overflow", "error: Invalid numeric input"},
        {"negative_overflow", "error: Invalid numeric input"},
        {"underflow", "ok | 1  0 5 | 2  0 0"},
        {"nan", "error: Invalid numeric input"},
        {"inf", "error: Invalid numeric input"},
        {"decimal_comma", "error: Invalid numeric input"},
        {"double_sign", "error: Invalid numeric input"},
        {"text_header", "error: Invalid numeric input"},
        {"list_shaped", "error: Invalid numeric input"},
        {"list_bad_intensity", "error: Invalid numeric input"},
        {"points_4025", "ok | 1  1 1 | 2  2 1"},
        {"lines_2025", "ok | 1  1 1 | 2  2 1"},
        {"entries_145", "ok | 1  1 1 | 2  2 2"},
        {"names_45", "error: Invalid numeric input"},
    };
}

TEST(BadInputs, CameraTraceReader) {
    checkAll(cameraExpectations(), cameraTrace);
}

TEST(BadInputs, SequenceReader) {
    checkAll(
        {
            {"empty", "n=0"},
            {"truncated_number", "error: Invalid numeric input"},
            {"truncated_line", "n=2 last=410,0"},
            {"crlf", "n=2 last=410,20"},
            {"cr_only", "n=2 last=410,20"},
            {"no_final_line_end", "n=2 last=410,20"},
            {"ctrl_z_inside", "n=1 last=400,10"},
            {"nul_bytes", "n=2 last=410,20"},
            {"utf8_bom", "error: Invalid numeric input"},
            {"invalid_utf8", "n=2 last=410,20"},
            {"long_line", "n=1 last=400,10"},
            {"many_numbers_one_line", "n=1 last=1,2"},
            {"overflow", "error: Invalid numeric input"},
            {"negative_overflow", "error: Invalid numeric input"},
            {"underflow", "error: Invalid numeric input"},
            {"nan", "error: Invalid numeric input"},
            {"inf", "error: Invalid numeric input"},
            {"decimal_comma", "error: Invalid numeric input"},
            {"double_sign", "error: Invalid numeric input"},
            {"text_header", "error: Invalid numeric input"},
            {"list_shaped", "error: Invalid numeric input"},
            {"list_bad_intensity", "error: Invalid numeric input"},
            {"points_4025", "n=144 truncated last=144,1"},
            {"lines_2025", "n=144 truncated last=144,1"},
            {"entries_145", "n=144 truncated last=144,144"},
            {"names_45", "error: Invalid numeric input"},
        },
        sequence);
}

TEST(BadInputs, FileListReader) {
    checkAll(
        {
            {"empty", "n=0"},
            {"truncated_number", "n=2 last=9 bytes"},
            {"truncated_line", "n=2 last=3 bytes"},
            {"crlf", "n=2 last=6 bytes"},
            {"cr_only", "n=2 last=6 bytes"},
            {"no_final_line_end", "n=2 last=6 bytes"},
            {"ctrl_z_inside", "n=1 last=6 bytes"},
            {"nul_bytes", "n=2 last=6 bytes"},
            {"utf8_bom", "n=2 last=6 bytes"},
            {"invalid_utf8", "n=2 last=6 bytes"},
            {"long_line", "n=1 last=10485767 bytes"},
            {"many_numbers_one_line", "n=1 last=588895 bytes"},
            {"overflow", "n=1 last=7 bytes"},
            {"negative_overflow", "n=1 last=8 bytes"},
            {"underflow", "n=1 last=8 bytes"},
            {"nan", "n=1 last=5 bytes"},
            {"inf", "n=1 last=5 bytes"},
            {"decimal_comma", "n=1 last=5 bytes"},
            {"double_sign", "n=1 last=5 bytes"},
            {"text_header", "n=2 last=6 bytes"},
            {"list_shaped", "n=3 last=42 bytes"},
            {"list_bad_intensity", "n=2 last=41 bytes"},
            {"points_4025", "n=44 truncated last=4 bytes"},
            {"lines_2025", "n=44 truncated last=9 bytes"},
            {"entries_145", "n=44 truncated last=5 bytes"},
            {"names_45", "n=44 truncated last=7 bytes"},
        },
        fileList);
}

// The ratio tool reads the frame whole before tracing it, so it gives the extraction's outcome
// for every case, except that a bad token stops it before any point.
TEST(BadInputs, RatioFrameReader) {
    Expectations expected = cameraExpectations();
    expected["truncated_number"] = "error: Invalid numeric input";
    checkAll(expected, ratioFrame);
}

TEST(BadInputs, LineListReader) {
    checkAll(
        {
            {"empty", "n=0 file="},
            {"truncated_number", "n=0 file="},
            {"truncated_line", "n=0 file="},
            {"crlf", "n=0 file="},
            {"cr_only", "n=0 file="},
            {"no_final_line_end", "n=0 file="},
            {"ctrl_z_inside", "n=0 file="},
            {"nul_bytes", "n=0 file="},
            {"utf8_bom", "n=0 file="},
            {"invalid_utf8", "n=0 file="},
            {"long_line", "n=0 file="},
            {"many_numbers_one_line", "n=0 file="},
            {"overflow", "n=0 file="},
            {"negative_overflow", "n=0 file="},
            {"underflow", "n=0 file="},
            {"nan", "n=0 file="},
            {"inf", "n=0 file="},
            {"decimal_comma", "n=0 file="},
            {"double_sign", "n=0 file="},
            {"text_header", "n=0 file="},
            {"list_shaped", "n=2 last='2 Ar I    4158.590    1000' file= 4013.860     300 Ar II "
                            "\\n 4158.590    10...(50 bytes)"},
            {"list_bad_intensity",
             "error: '  1e400 ' is not a valid floating point value last='1 Ar I    4044.420      "
             "450 ' file= 4044.420      450  Ar I  \\n"},
            {"points_4025", "n=0 file="},
            {"lines_2025", "n=0 file="},
            {"entries_145", "n=0 file="},
            {"names_45", "n=0 file="},
        },
        nistList);
}

TEST(BadInputs, EvaExportReader) {
    checkAll(
        {
            {"empty", "runs=0 file="},
            {"truncated_number", "error: Invalid numeric input file="},
            {"truncated_line", "runs=1 last='1    398.60 410' file=   398.600       410\\n"},
            {"crlf", "runs=2 last='2    397.60 0' file=   398.600       410\\n   397.600         "
                     "...(42 bytes)"},
            {"cr_only", "runs=2 last='2    397.60 0' file=   398.600       410\\n   397.600        "
                        " ...(42 bytes)"},
            {"no_final_line_end", "runs=2 last='2    397.60 0' file=   398.600       410\\n   "
                                  "397.600         ...(42 bytes)"},
            {"ctrl_z_inside", "runs=1 last='1    398.60 0' file=   398.600         0\\n"},
            {"nul_bytes", "runs=2 last='2    397.60 0' file=   398.600       410\\n   397.600      "
                          "   ...(42 bytes)"},
            {"utf8_bom", "error: Invalid numeric input file="},
            {"invalid_utf8", "error: Invalid numeric input file="},
            {"long_line", "error: Invalid numeric input file="},
            {"many_numbers_one_line", "runs=33334 last='33334    397.60 0' file=   397.800         "
                                      "3\\n   398.100         ...(700014 bytes)"},
            {"overflow", "error: Invalid numeric input file="},
            {"negative_overflow", "error: Invalid numeric input file="},
            {"underflow", "runs=1 last='1    398.10 0' file=   398.100         0\\n"},
            {"nan", "error: Invalid numeric input file="},
            {"inf", "error: Invalid numeric input file="},
            {"decimal_comma", "error: Invalid numeric input file="},
            {"double_sign", "error: Invalid numeric input file="},
            {"text_header", "error: Invalid numeric input file="},
            {"list_shaped", "error: Invalid numeric input file="},
            {"list_bad_intensity", "error: Invalid numeric input file="},
            {"points_4025", "runs=2684 last='2684    397.60 0' file=   397.700         2\\n   "
                            "397.900         ...(56364 bytes)"},
            {"lines_2025", "error: Invalid numeric input file="},
            {"entries_145", "runs=97 last='97    412.10 0' file=   397.700         2\\n   397.900  "
                            "       ...(2037 bytes)"},
            {"names_45", "error: Invalid numeric input file="},
        },
        evaExport);
}

TEST(BadInputs, ImageFrameReader) {
    checkAll(
        {
            {"empty", "ok cells=0,0 bounds=0,0"},
            {"truncated_number", "error: Invalid numeric input cells=10,99 bounds=10,10"},
            {"truncated_line", "ok cells=10,0 bounds=10,0"},
            {"crlf", "ok cells=10,20 bounds=20,10"},
            {"cr_only", "ok cells=10,20 bounds=20,10"},
            {"no_final_line_end", "ok cells=10,20 bounds=20,10"},
            {"ctrl_z_inside", "ok cells=10,0 bounds=10,0"},
            {"nul_bytes", "ok cells=10,20 bounds=20,10"},
            {"utf8_bom", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"invalid_utf8", "ok cells=10,20 bounds=20,10"},
            {"long_line", "ok cells=10,0 bounds=10,0"},
            {"many_numbers_one_line", "ok cells=2,0 bounds=2,0"},
            {"overflow", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"negative_overflow",
             "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"underflow", "ok cells=5,0 bounds=5,0"},
            {"nan", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"inf", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"decimal_comma",
             "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"double_sign", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"text_header", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"list_shaped", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"list_bad_intensity",
             "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
            {"points_4025", "ok cells=1,1 bounds=1,1"},
            {"lines_2025", "ok cells=1,1 bounds=1,1"},
            {"entries_145", "ok cells=1,2 bounds=2,1"},
            {"names_45", "error: Invalid numeric input cells=99,99 bounds=-900000000,900000000"},
        },
        imageFrame);
}

TEST(BadInputs, SplitReader) {
    checkAll(
        {
            {"empty", "files=0"},
            {"truncated_number", "files=1 last=400 10\\n410 2.5e+\\n"},
            {"truncated_line", "files=1 last=400 10\\n410\\n"},
            {"crlf", "files=1 last=400 10\\r\\n410 20\\r\\n"},
            {"cr_only", "files=1 last=400 10\\r410 20\\r"},
            {"no_final_line_end", "files=1 last=400 10\\n410 20\\n"},
            {"ctrl_z_inside", "files=1 last=400 10\\n\\n"},
            {"nul_bytes", "files=1 last=400\\x00 10\\n410 20\\n"},
            {"utf8_bom", "files=1 last=\\xef\\xbb\\xbf400 10\\n410 20\\n"},
            {"invalid_utf8", "files=1 last=400 10 \\xff\\xfe\\n410 20\\n"},
            {"long_line",
             "files=1 last=400 10 777777777777777777777777777777777...(10485769 bytes)"},
            {"many_numbers_one_line",
             "files=1 last=1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 1...(588897 bytes)"},
            {"overflow", "files=1 last=1e400 5\\n\\n"},
            {"negative_overflow", "files=1 last=-1e400 5\\n\\n"},
            {"underflow", "files=1 last=1e-400 5\\n\\n"},
            {"nan", "files=1 last=nan 5\\n\\n"},
            {"inf", "files=1 last=inf 5\\n\\n"},
            {"decimal_comma", "files=1 last=1,5 2\\n\\n"},
            {"double_sign", "files=1 last=+-2 3\\n\\n"},
            {"text_header", "files=1 last=Longitud Intensidad\\n400 10\\n"},
            {"list_shaped", "files=1 last=Ar II       4013.860 |   300w | 1.0e+07 ...(73 bytes)"},
            {"list_bad_intensity",
             "files=1 last=Ar I        4044.420 |    450 | 1.0e+07 ...(84 bytes)"},
            {"points_4025", "files=4 last=3073 1\\n3074 1\\n"},
            {"lines_2025", "files=2 last=1025 1 Ar I\\n1026 1 Ar I\\n"},
            {"entries_145", "files=1 last=1 1\\n2 2\\n"},
            {"names_45", "files=1 last=f1.asc\\nf2.asc\\n"},
        },
        splitFrames);
}

TEST(BadInputs, CropReader) {
    checkAll(
        {
            {"empty", "ok file=\\n"},
            {"truncated_number", "ok file=410 2.5e+\\n"},
            {"truncated_line", "ok file=410\\n"},
            {"crlf", "ok file=410 20\\r\\n"},
            {"cr_only", "ok file=410 20\\r"},
            {"no_final_line_end", "ok file=410 20\\n"},
            {"ctrl_z_inside", "ok file=\\n"},
            {"nul_bytes", "ok file=410 20\\n"},
            {"utf8_bom", "ok file=410 20\\n"},
            {"invalid_utf8", "ok file=410 20\\n"},
            {"long_line", "ok file=\\n"},
            {"many_numbers_one_line", "ok file=\\n"},
            {"overflow", "ok file=\\n"},
            {"negative_overflow", "ok file=\\n"},
            {"underflow", "ok file=\\n"},
            {"nan", "ok file=\\n"},
            {"inf", "ok file=\\n"},
            {"decimal_comma", "ok file=\\n"},
            {"double_sign", "ok file=\\n"},
            {"text_header", "ok file=400 10\\n"},
            {"list_shaped", "ok file=Ar I        4044.420 |   450\\r\\n"},
            {"list_bad_intensity", "ok file=Ar I        4158.590 |  1e400 | 1.0e+07 ...(42 bytes)"},
            {"points_4025", "ok file=2 1\\n"},
            {"lines_2025", "ok file=2 1 Ar I\\n"},
            {"entries_145", "ok file=2 2\\n"},
            {"names_45", "ok file=f2.asc\\n"},
        },
        cropFrame);
}
