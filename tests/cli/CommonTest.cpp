// The command line's shared behaviour: usage errors, help, image sizes and whole outputs.
#include "cli/Common.h"
#include "CliRun.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <fstream>

using testsupport::runCli;

using testsupport::CliFolder;

namespace {} // namespace

TEST(CliUsage, WrongUseIsStatusTwoWithOneSpanishLine) {
    CliFolder dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"nada"}, {"trace", "--no-such-option", "x"}}) {
        auto r = runCli(args, dir.path());
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("lineid-cli: ", 0), 0u) << r.err;
    }
}

TEST(CliUsage, HelpListsEveryCommandInSpanish) {
    CliFolder dir;
    auto r = runCli({"--help"}, dir.path());
    EXPECT_EQ(r.status, 0);
    for (const char* command :
         {"trace", "split", "crop", "nist", "eva", "ratios", "peaks", "profiles", "plot"})
        EXPECT_NE(r.out.find(command), std::string::npos) << command;
    EXPECT_NE(r.out.find("Uso:"), std::string::npos) << r.out;
}

TEST(CliSize, NamedAndGivenSizes) {
    EXPECT_EQ(cli::parseSize("1024x256").lines, 1024);
    EXPECT_EQ(cli::parseSize("2048x2048").values, 248);
    auto g = cli::parseSize("10x3");
    EXPECT_EQ(g.lines, 10);
    EXPECT_EQ(g.values, 3);
    for (const char* bad :
         {"", "x", "0x5", "5x", "5x-1", "axb", "99999999999x2", "5x5x5", "8193x4096"})
        EXPECT_THROW(cli::parseSize(bad), CLI::ValidationError) << bad;
}

TEST(CliOutput, AppearsOnlyWhenCommittedAndReplacesWhole) {
    CliFolder dir;
    auto final = dir.path() / "out.dat";
    std::ofstream(final) << "old";
    {
        cli::OutputFile out(final);
        std::ofstream(out.path()) << "half";
    } // not committed: the old file stays, the temporary goes
    EXPECT_EQ(testsupport::fileBytes(final), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    cli::OutputFile out(final);
    std::ofstream(out.path()) << "new";
    out.commit();
    EXPECT_EQ(testsupport::fileBytes(final), "new");
}
