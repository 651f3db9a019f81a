// The ImageCommands of lineid-cli against the windows' own output: the same image, the same
// settings, the same bytes under the same names.
#include "CliRun.h"
#include "SyntheticImage.h"
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "andor/Cut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using testsupport::CliFolder;
using testsupport::DialogScript;
using testsupport::fileBytes;
using testsupport::runCli;
using testsupport::WorkFolder;

namespace {

namespace fs = std::filesystem;

std::string image(int frames, int lines = 1024, int values = 256, std::uint32_t seed = 12345) {
    return synthetic::makeImage({frames, lines, values, "\r\n", seed});
}

std::string windowFile(const WorkFolder& work, const QString& name) {
    return fileBytes(work.path(name).toStdString());
}

// A failure: status 1, one line on standard error naming the problem, and the folder as it was.
void expectFailure(const testsupport::CliResult& r, const std::string& text,
                   const CliFolder& folder, const std::vector<std::string>& names) {
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    EXPECT_EQ(folder.names(), names);
}

} // namespace

TEST(TraceCommand, WritesWhatTheWindowWrites) {
    WorkFolder work;
    DialogScript script;
    CliFolder cli;
    const std::string a = image(2);
    const std::string b = image(2, 1024, 256, 777);
    const std::string big = image(1, 2048, 248);
    cli.write("a.asc", a);
    cli.write("b.asc", b);
    cli.write("big.asc", big);

    // Column mode with the defaults, two images in one run.
    ASSERT_EQ(runCli({"trace", "a.asc", "b.asc"}, cli.path()).status, 0);
    script.choose(work.write("a.asc", a));
    Andor->btAndor->click();
    EXPECT_EQ(fileBytes(cli.path() / "a_c1_y47.dat"), windowFile(work, "a_c1_y47.dat"));
    script.choose(work.write("b.asc", b));
    Andor->btAndor->click();
    EXPECT_EQ(fileBytes(cli.path() / "b_c1_y47.dat"), windowFile(work, "b_c1_y47.dat"));

    // Line mode (its own defaults) on frame 2.
    ASSERT_EQ(runCli({"trace", "--mode", "line", "--frame", "2", "a.asc"}, cli.path()).status, 0);
    Andor->rbRen->click();
    Andor->edCuadroN->setText("2");
    script.choose(work.path("a.asc"));
    Andor->btAndor->click();
    EXPECT_EQ(fileBytes(cli.path() / "a_r2_y512.dat"), windowFile(work, "a_r2_y512.dat"));

    // 2048x2048, a summing window, and the same trace on standard output.
    const std::vector<std::string> wide{"trace", "--size", "2048x2048", "--index",
                                        "200",   "--sum",  "3",         "big.asc"};
    ASSERT_EQ(runCli(wide, cli.path()).status, 0);
    auto toOutput = wide;
    toOutput.insert(toOutput.end() - 1, {"-o", "-"});
    auto r = runCli(toOutput, cli.path());
    Andor->rbCol->click();
    Andor->rb2048x2048->setChecked(true);
    Andor->edCuadroN->setText("1");
    Andor->edCol->setText("200");
    Andor->ednsum->setText("3");
    script.choose(work.write("big.asc", big));
    Andor->btAndor->click();
    const std::string window = windowFile(work, "big_c1_y200.dat");
    EXPECT_EQ(window.size(), 2048u * 21);
    EXPECT_EQ(fileBytes(cli.path() / "big_c1_y200.dat"), window);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, window);
    EXPECT_EQ(cli.names(),
              (std::vector<std::string>{"a.asc", "a_c1_y47.dat", "a_r2_y512.dat", "b.asc",
                                        "b_c1_y47.dat", "big.asc", "big_c1_y200.dat"}));
}

TEST(TraceCommand, AnyFrameSizeToStandardOutput) {
    CliFolder cli;
    // Two frames of 3 lines of an abscissa and 2 values.
    cli.write("tiny.asc", "1 2 3\n4 5 6\n7 8 9\n10 11 12\n13 14 15\n16 17 18\n");
    auto r = runCli({"trace", "--size", "3x2", "--frame", "2", "--mode", "line", "--index", "3",
                     "-o", "-", "tiny.asc"},
                    cli.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "         2        17\n         3        18\n");
    EXPECT_EQ(cli.names(), std::vector<std::string>{"tiny.asc"});
}

TEST(TraceCommand, BadNumberLeavesNoTrace) {
    CliFolder cli;
    std::string text = image(1);
    auto bad = text.find('\t', 5000) + 1;
    text[bad] = 'x';
    cli.write("img.asc", text);
    auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n');
    expectFailure(runCli({"trace", "img.asc"}, cli.path()),
                  "img.asc: línea " + std::to_string(line) + ": Invalid numeric input", cli,
                  {"img.asc"});
}

TEST(SplitCommand, WritesWhatTheWindowWrites) {
    WorkFolder work;
    DialogScript script;
    CliFolder cli;
    // Two frames and most of a third, which is written all the same.
    std::string text = image(3, 1024, 16);
    text.resize(text.size() - 40000);
    cli.write("img.asc", text);
    ASSERT_EQ(runCli({"split", "--first", "3", "--last", "1000", "img.asc"}, cli.path()).status, 0);
    CortaDivide->rbTodos->setChecked(true);
    CortaDivide->edRenIni->setText("3");
    CortaDivide->edRenFin->setText("1000");
    script.choose(work.write("img.asc", text));
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(cli.names(),
              (std::vector<std::string>{"img.asc", "img_c1.asc", "img_c2.asc", "img_c3.asc"}));
    for (const char* name : {"img_c1.asc", "img_c2.asc", "img_c3.asc"})
        EXPECT_EQ(fileBytes(cli.path() / name), windowFile(work, name)) << name;
}

TEST(SplitCommand, MissingImage) {
    CliFolder cli;
    expectFailure(runCli({"split", "nada.asc"}, cli.path()), "nada.asc: File not found", cli, {});
}

TEST(CropCommand, WritesWhatTheWindowWrites) {
    WorkFolder work;
    DialogScript script;
    CliFolder cli;
    const std::string text = image(3, 1024, 16);
    cli.write("img.asc", text);
    // The frame as typed names the file.
    ASSERT_EQ(
        runCli({"crop", "--frame", "02", "--first", "10", "--last", "20", "img.asc"}, cli.path())
            .status,
        0);
    CortaDivide->edCuadroN->setText("02");
    CortaDivide->edRenIni->setText("10");
    CortaDivide->edRenFin->setText("20");
    script.choose(work.write("img.asc", text));
    CortaDivide->btLeeArch->click();
    const std::string window = windowFile(work, "img_c02.dat");
    EXPECT_EQ(std::ranges::count(window, '\n'), 11);
    EXPECT_EQ(fileBytes(cli.path() / "img_c02.dat"), window);
}

TEST(CropCommand, RefusesToOverwriteItsInput) {
    CliFolder cli;
    cli.write("img.asc", image(1, 1024, 4));
    fs::create_symlink("img.asc", cli.path() / "img_c1.dat");
    const std::string before = fileBytes(cli.path() / "img.asc");
    expectFailure(runCli({"crop", "img.asc"}, cli.path()), "es el mismo archivo de entrada", cli,
                  {"img.asc", "img_c1.dat"});
    EXPECT_EQ(fileBytes(cli.path() / "img.asc"), before);
}
