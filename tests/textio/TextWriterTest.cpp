// The text writer: fields, creation failures and write failures.
#include "textio/TextWriter.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using textio::AppError;
using textio::TextWriter;

TEST(TextWriter, WritesFieldsAndLines) {
    auto path = std::filesystem::temp_directory_path() / "lineid_writer.dat";
    {
        auto out = TextWriter::create(path);
        out.writeField(396.15, 10, 2, textio::FieldPlace::First);
        out.writeField(1235, 10, 0, textio::FieldPlace::Following);
        out.endLine();
        // Values that fill their fields stay apart.
        out.writeField(-123456.78, 10, 2, textio::FieldPlace::First);
        out.writeField(1200000000, 10, 0, textio::FieldPlace::Following);
        out.endLine();
        out.writeLine("fin");
        out.close();
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "    396.15      1235\n-123456.78 1200000000\nfin\n");
    std::filesystem::remove(path);
}

TEST(TextWriter, ValuesBeyondADoubleAreNeverWritten) {
    using textio::FieldPlace;
    auto field = [](double v) {
        try {
            return textio::dataField(v, 10, 2, FieldPlace::Following);
        } catch (const AppError& e) {
            return std::string(e.what());
        }
    };
    EXPECT_EQ(field(HUGE_VAL), "Floating point overflow");
    EXPECT_EQ(field(-HUGE_VAL), "Floating point overflow");
    EXPECT_EQ(field(std::nan("")), "Invalid floating point operation");
}

TEST(TextWriter, CreationFailuresAreAccessDenied) {
    for (auto path : {std::filesystem::temp_directory_path(),
                      std::filesystem::path("/nonexistent/lineid/out.dat")}) {
        try {
            TextWriter::create(path);
            FAIL() << path;
        } catch (const AppError& e) {
            EXPECT_STREQ(e.what(), "File access denied");
        }
    }
}

TEST(TextWriter, AFullDiskIsReported) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    auto out = TextWriter::create("/dev/full");
    out.writeLine("data");
    EXPECT_THROW(out.close(), AppError);
}

TEST(TextWriter, AFileWrittenAgainHoldsOnlyTheNewText) {
    auto path = std::filesystem::temp_directory_path() / "lineid_writer_again.dat";
    std::ofstream(path, std::ios::binary) << "a much longer text that was there before\n";
    auto bytes = [&path] {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    {
        auto out = TextWriter::create(path);
        out.writeLine("new");
        out.close();
    }
    EXPECT_EQ(bytes(), "new\n");
    {
        // A writer given up half way (an error in the middle of a file) leaves what it wrote.
        auto out = TextWriter::create(path);
        out.write("ha");
    }
    EXPECT_EQ(bytes(), "ha");
    {
        auto out = TextWriter::create(path);
        out.close();
    }
    EXPECT_EQ(bytes(), "");
    std::filesystem::remove(path);
}
