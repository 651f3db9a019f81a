// Every reader over the bad-input corpus: the exact outcome of each case, and nothing stored
// past a capacity.
#include "andor/AndorImage.h"
#include "eva/LineRatio.h"
#include "store/SpectrumStore.h"
#include "textio/AppError.h"
#include "textio/NumberText.h"

#include "support/BadInputs.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

using Expectations = std::map<std::string, std::string>;

std::string general(double v) {
    return textio::generalFormat(v);
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

std::string reference(const std::string& bytes) {
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

// Position 2 of frames of two lines of one value.
std::string cameraTrace(const std::string& bytes) {
    auto image = andor::ImageText::fromString(bytes);
    std::vector<std::string> lines;
    std::string result = outcomeOf([&] {
        andor::TraceSettings s{{2, 1}, andor::TraceMode::Column, 1, 2, 1};
        andor::extractTrace(image.text(), s, [&](const andor::TracePoint& p) {
            lines.push_back(andor::traceListLine(p));
        });
        return std::string("ok");
    });
    for (const auto& l : lines)
        result += " | " + l;
    return result;
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
            {"points_4025", "n=2024 truncated last=202.4,1,''"},
            {"lines_2025", "n=2024 truncated last=202.4,1,' Ar I'"},
            {"entries_145", "n=145 last=14.5,145,''"},
            {"names_45", "error: Invalid numeric input n=3"},
        },
        reference);
}

TEST(BadInputs, CameraTraceReader) {
    checkAll(
        {
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
            {"points_4025", "ok | 1  1 1 | 2  2 1"},
            {"lines_2025", "ok | 1  1 1 | 2  2 1"},
            {"entries_145", "ok | 1  1 1 | 2  2 2"},
            {"names_45", "error: Invalid numeric input"},
        },
        cameraTrace);
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
            {"points_4025", "n=44 truncated last=4 bytes"},
            {"lines_2025", "n=44 truncated last=9 bytes"},
            {"entries_145", "n=44 truncated last=5 bytes"},
            {"names_45", "n=44 truncated last=7 bytes"},
        },
        fileList);
}
