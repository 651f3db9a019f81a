// The ReferenceCommands of lineid-cli against the windows' own output.
#include "CliRun.h"
#include "WindowTestSupport.h"
#include "reference/Convo.h"
#include "reference/NistConvierte.h"
#include "reference/Picos.h"
#include "store/Archivos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

using testsupport::DialogScript;
using testsupport::fileBytes;
using testsupport::MessageCapture;
using testsupport::runCli;
using testsupport::WorkFolder;

using testsupport::CliFolder;

namespace {

namespace fs = std::filesystem;

fs::path pathOf(const QString& path) {
    return path.toStdString();
}

// Prints like printf into a string.
template <class... Args> std::string format(const char* pattern, Args... args) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::size_t linesOf(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The example list with every flag, then lines of every kind drawn at random: kept and dropped
// intensities, flags and stars, blank labels, lines without separators, CR LF line ends.
std::string nistList() {
    std::string text = fileBytes(fs::path(LINEID_EXAMPLES) / "nist_ar.asc");
    std::mt19937 random(7);
    const char* labels[] = {"Ar I  ", "Ar II ", "Fe I  ", "Fe II ", "      "};
    const char* flags[] = {"", "*", "w", "bl", "l*", "?", "b", "l", "bl*", "s"};
    for (int i = 0; i < 400; ++i) {
        std::string line = labels[random() % 5];
        line += format("     %9.3f |", 3000 + 0.7 * i);
        switch (random() % 8) {
        case 0:
            line += "       "; // seven blanks: dropped
            break;
        case 1:
            line += "        ";
            break;
        default:
            std::string value = std::to_string(random() % 400) + flags[random() % 10];
            line += std::string(7 - std::min<std::size_t>(7, value.size()), ' ') + value + " ";
        }
        line += "| 1.0e+07 |";
        if (random() % 10 == 0)
            line = "-----------------------------------------";
        text += line + (random() % 4 == 0 ? "\r\n" : "\n");
    }
    return text;
}

// A spectrum of n points from 400 nm, 0.01 nm apart: a line every 290 points from point 150 over
// a rising background, with noise (which makes peaks of its own) when a seed is given.
std::string spectrum(int n, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string text;
    for (int i = 1; i <= n; ++i) {
        double y = 100 + 0.01 * i;
        if (seed != 0)
            y += static_cast<double>(random() % 1000) / 100;
        for (int centre = 150; centre < n; centre += 290)
            y += 2000.0 * std::exp(-std::pow((i - centre) / 4.0, 2));
        text += format("%.4f %.2f\n", 400 + 0.01 * i, y);
    }
    return text;
}

} // namespace

TEST(NistCommand, WritesTheWindowsFileBesideTheList) {
    const std::string list = nistList();
    CliFolder cliDir;
    const fs::path cliList = cliDir.path() / "lista.asc";
    std::ofstream(cliList, std::ios::binary) << list;
    for (const char* limit : {"100", " -1"}) {
        WorkFolder work;
        DialogScript script;
        Nist->edImin->setText(limit);
        script.choose(work.write("lista.asc", list));
        Nist->btLeeLineas->click();
        const std::string windowFile = fileBytes(pathOf(work.path("lista.dat")));
        ASSERT_GT(linesOf(windowFile), 30u) << limit;
        if (limit == std::string("100")) {
            // The default limit, the default name beside the list.
            auto r = runCli({"nist", cliList.string()}, fs::temp_directory_path());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(fileBytes(cliDir.path() / "lista.dat"), windowFile);
        } else {
            auto r = runCli({"nist", cliList.string(), "--limit", limit, "-o", "-"}, cliDir.path());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, windowFile);
        }
    }
}

TEST(NistCommand, RefusesToWriteOverItsList) {
    CliFolder dir;
    const std::string list = nistList();
    std::ofstream(dir.path() / "lista.dat", std::ios::binary) << list;
    auto r = runCli({"nist", "lista.dat"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: El archivo de salida lista.dat es el mismo archivo de entrada; "
                     "no se sobrescribe.\n");
    EXPECT_EQ(fileBytes(dir.path() / "lista.dat"), list);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(PeaksCommand, WritesTheWindowsPeakFile) {
    WorkFolder work;
    const QString input = work.write("espectro.txt", spectrum(3000, 1));
    Lee->LoadExperimentalFile(input);
    for (const char* average : {"6", "4 "}) {
        BuscaPicos->Edit1->setText(average);
        BuscaPicos->btPicos->click();
        const std::string windowFile = fileBytes(pathOf(work.path("cosa3.dat")));
        ASSERT_GT(linesOf(windowFile), 5u) << average;
        CliFolder cliDir;
        if (average == std::string("6")) {
            auto r = runCli({"peaks", input.toStdString()}, cliDir.path());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(fileBytes(cliDir.path() / "cosa3.dat"), windowFile);
        } else {
            auto r = runCli({"peaks", input.toStdString(), "--average", average, "-o", "-"},
                            cliDir.path());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, windowFile);
        }
    }
}

TEST(PeaksCommand, SaysWhenTheWindowWouldCutTheSpectrumAndSearchesItWhole) {
    MessageCapture capture; // the window tells of the points it leaves out
    WorkFolder work;
    const QString input = work.write("largo.txt", spectrum(5000, 0));
    Lee->LoadExperimentalFile(input);
    BuscaPicos->btPicos->click();
    const std::string windowFile = fileBytes(pathOf(work.path("cosa3.dat")));
    auto r = runCli({"peaks", input.toStdString(), "-o", "-"}, pathOf(work.path("")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "lineid-cli: " + input.toStdString() +
                         ": 5000 puntos; la ventana solo lee los primeros 4024, aquí se usan "
                         "todos\n");
    // The peaks up to 4024 are the window's; the lines at 4210, 4500 and 4790 come after them.
    ASSERT_EQ(r.out.rfind(windowFile, 0), 0u);
    EXPECT_EQ(linesOf(r.out), linesOf(windowFile) + 3);
    EXPECT_NE(r.out.find("   447.900 "), std::string::npos) << r.out;
}

TEST(PeaksCommand, AMissingSpectrumLeavesNoFile) {
    CliFolder dir;
    auto r = runCli({"peaks", "nada.dat"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: nada.dat: File not found\n");
    EXPECT_FALSE(fs::exists(dir.path() / "cosa3.dat"));
}

TEST(ProfilesCommand, WritesTheWindowsListing) {
    WorkFolder work;
    DialogScript script;
    const QString input = work.write("espectro.txt", spectrum(20, 3));
    std::string lines;
    for (int i = 0; i < 25; ++i)
        lines += format("%.3f %d  Ar I\n", 4000.5 + 37.25 * i, 100 + 13 * i);
    const QString lineFile = work.write("lineas.txt", lines);
    Lee->LoadExperimentalFile(input);
    script.choose(lineFile);
    Lee->btLeeRef->click();
    for (const char* width : {"2", " 0.75"}) {
        Conv->ListBox1->clear();
        Conv->edAncho->setText(width);
        Conv->btConvo->click();
        std::string listing;
        for (const QString& item : Conv->ListBox1->items())
            listing += item.toStdString() + "\n";
        ASSERT_EQ(linesOf(listing) % 20, 0u);
        std::vector<std::string> args{"profiles", input.toStdString(), lineFile.toStdString()};
        if (width != std::string("2"))
            args.insert(args.end(), {"--width", width});
        auto r = runCli(args, pathOf(work.path("")));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, listing) << width;
    }
}

TEST(ProfilesCommand, ABadNumberIsNamedWithItsLineAndLeavesNoFile) {
    CliFolder dir;
    std::ofstream(dir.path() / "espectro.txt") << spectrum(20, 4);
    std::ofstream(dir.path() / "lineas.txt") << "4000 10 Ar I\n4010 20 Ar I\n4020 2O Ar I\n";
    auto r = runCli({"profiles", "espectro.txt", "lineas.txt", "-o", "perfiles.txt"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: lineas.txt: línea 3: Invalid numeric input\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}
