// The EvaCommand of lineid-cli against the windows' own output.
#include "CliRun.h"
#include "WindowTestSupport.h"
#include "eva/EvaOp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using testsupport::DialogScript;
using testsupport::fileBytes;
using testsupport::runCli;
using testsupport::WorkFolder;

using testsupport::CliFolder;

namespace {

namespace fs = std::filesystem;

// Runs of one to five records per position over the detector, a position that comes back after
// others, records split over two lines, CR LF line ends, blanks and an empty line at the end.
std::string evaExport() {
    std::mt19937 random(11);
    std::string text;
    auto record = [&](int position) {
        text += std::to_string(random() % 300) + (random() % 9 == 0 ? "\n  " : " ") +
                std::to_string(position) + "\t" + std::to_string(random() % 5000) +
                (random() % 5 == 0 ? "\r\n" : "\n");
    };
    for (int position = 1; position <= 1024; ++position)
        for (int k = 1 + static_cast<int>(random() % 5); k > 0; --k)
            record(position);
    record(17);
    record(17);
    text += "  \n\n";
    return text;
}

// The calibration boxes of the window: colIni, colCen, posIni, posCen.
void typeCalibration(const std::vector<std::string>& texts) {
    EvaOpera->edColIni->setText(QString::fromStdString(texts[0]));
    EvaOpera->edColCen->setText(QString::fromStdString(texts[1]));
    EvaOpera->edPosIni->setText(QString::fromStdString(texts[2]));
    EvaOpera->edPosCen->setText(QString::fromStdString(texts[3]));
}

} // namespace

TEST(EvaCommand, WritesTheWindowsSpectrum) {
    const std::string exported = evaExport();
    const std::vector<std::vector<std::string>> settings{{"520", "550", "1", "1024"},
                                                         {"500.5", "5.6e2", " 0", "2047.0"}};
    for (const auto& calibration : settings) {
        WorkFolder work;
        DialogScript script;
        typeCalibration(calibration);
        const QString input = work.write("eva.asc", exported);
        script.choose(input);
        EvaOpera->btEva->click();
        const std::string windowFile = fileBytes(work.path("ar550test.dat").toStdString());
        ASSERT_GT(std::count(windowFile.begin(), windowFile.end(), '\n'), 1024);
        CliFolder cliDir;
        if (calibration == settings[0]) {
            // Every default: the window's name in the current folder.
            auto r = runCli({"eva", input.toStdString()}, cliDir.path());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(fileBytes(cliDir.path() / "ar550test.dat"), windowFile);
        } else {
            auto r = runCli({"eva", input.toStdString(), "--lambda-first", calibration[0],
                             "--lambda-last", calibration[1], "--pixel-first", calibration[2],
                             "--pixel-last", calibration[3], "-o", "-"},
                            cliDir.path());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, windowFile);
        }
    }
}

TEST(EvaCommand, ABadNumberIsNamedWithItsLineAndLeavesNoFile) {
    CliFolder dir;
    std::ofstream(dir.path() / "eva.asc") << "7 1 10\n7 1 20\r\n7 2 3O\n7 3 4\n";
    auto r = runCli({"eva", "eva.asc"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: eva.asc: línea 3: Invalid numeric input\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}
