// The ratios command of lineid-cli against the ratio window's own RazonInt.dat: the same images,
// the same settings, the same bytes, whatever the number of jobs.
#include "CliRun.h"
#include "SyntheticImage.h"
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "eva/RazonLineas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using testsupport::CliFolder;
using testsupport::DialogScript;
using testsupport::fileBytes;
using testsupport::MessageCapture;
using testsupport::runCli;
using testsupport::WorkFolder;

namespace {

namespace fs = std::filesystem;

std::string image(std::uint32_t seed) {
    synthetic::ImageShape shape;
    shape.frames = 2;
    shape.seed = seed;
    return synthetic::makeImage(shape);
}

// The window reads the list and the sequence from `work` and runs.
void runWindow(const WorkFolder& work, DialogScript& script, const std::string& list,
               const std::string& sequence) {
    script.choose(work.write("lista.txt", list));
    script.choose(work.write("secuencia.txt", sequence));
    Razon->btListaArch->click();
    Razon->btLeeSec->click();
    Razon->btTraza->click();
}

const std::string list = "img1.asc\nimg2.asc\nimg3.asc\n";
// Fibres 1 and 300 have no trace with the summing window: they carry the pair before's values.
const std::string sequence = "1 40\n2 128\n3 1\n4 300\n5 200\n";

} // namespace

TEST(RatiosCommand, WritesWhatTheWindowWritesWithAnyNumberOfJobs) {
    WorkFolder work;
    DialogScript script;
    CliFolder cli;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const std::string name = "img" + std::to_string(seed) + ".asc";
        work.write(QString::fromStdString(name), image(seed));
        cli.write("datos/" + name, image(seed));
    }
    cli.write("datos/lista.txt", list);
    cli.write("datos/secuencia.txt", sequence);

    Andor->edCuadroN->setText("2");
    runWindow(work, script, list, sequence);
    const std::string window = fileBytes(work.path("RazonInt.dat").toStdString());
    ASSERT_EQ(std::ranges::count(window, '\n'), 18);
    for (const char* jobs : {"1", "2", "8"}) {
        auto r = runCli({"ratios", "--list", "datos/lista.txt", "--sequence", "datos/secuencia.txt",
                         "--frame", "2", "--jobs", jobs},
                        cli.path());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(fileBytes(cli.path() / "RazonInt.dat"), window) << "jobs " << jobs;
    }

    // Line mode, its summing default, and the results on standard output.
    Andor->rbRen->click();
    Razon->edColFon->setText("1");
    Razon->edCol1->setText("100");
    Razon->edColR1->setText("30");
    Razon->edColAr->setText("200");
    runWindow(work, script, list, sequence);
    auto r = runCli({"ratios", "--images", "img1.asc", "img2.asc", "img3.asc", "--fibres",
                     "40,128,1,300,200", "--mode", "line", "--background", "1", "--line1", "100",
                     "--ref1", "30", "--ar", "200", "-o", "-"},
                    cli.path() / "datos");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, fileBytes(work.path("RazonInt.dat").toStdString()));
}

TEST(RatiosCommand, AMissingImageOrAnInputAsOutputLeavesNoResults) {
    WorkFolder work;
    DialogScript script;
    MessageCapture capture;
    CliFolder cli;
    work.write("img1.asc", image(1));
    cli.write("datos/img1.asc", image(1));
    const std::string missing = "img1.asc\nfalta.asc\n";
    cli.write("datos/lista.txt", missing);
    cli.write("datos/secuencia.txt", "1 40\n");
    runWindow(work, script, missing, "1 40\n");
    ASSERT_EQ(capture.errors(), QStringList{"File not found"});

    std::ofstream(cli.path() / "RazonInt.dat") << "anterior";
    auto r = runCli(
        {"ratios", "--list", "datos/lista.txt", "--sequence", "datos/secuencia.txt", "--jobs", "2"},
        cli.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: datos/falta.asc: File not found\n");
    EXPECT_EQ(fileBytes(cli.path() / "RazonInt.dat"), "anterior");

    r = runCli({"ratios", "--list", "datos/lista.txt", "--fibres", "40", "-o", "datos/lista.txt"},
               cli.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("mismo archivo"), std::string::npos) << r.err;
    EXPECT_EQ(fileBytes(cli.path() / "datos" / "lista.txt"), missing);
    EXPECT_EQ(std::distance(fs::directory_iterator(cli.path()), fs::directory_iterator()), 2);
}

TEST(RatiosCommand, PartsJoinIntoTheWholeRun) {
    CliFolder cli;
    for (std::uint32_t seed : {1u, 2u, 3u})
        cli.write("datos/img" + std::to_string(seed) + ".asc", image(seed));
    cli.write("datos/lista.txt", list);
    const std::vector<std::string> args{"ratios", "--list", "datos/lista.txt", "--fibres",
                                        "40,300"};
    ASSERT_EQ(runCli(args, cli.path()).status, 0);
    std::string joined;
    for (const char* part : {"1/2", "2/2"}) {
        auto partArgs = args;
        partArgs.insert(partArgs.end(), {"--part", part, "-o", "-"});
        joined += runCli(partArgs, cli.path()).out;
    }
    EXPECT_EQ(joined, fileBytes(cli.path() / "RazonInt.dat"));
}

TEST(RatiosCommand, AnEmptyListGivesEmptyResultsWithoutReadingImages) {
    CliFolder cli;
    cli.write("datos/vacia.txt", "");
    cli.write("datos/lista.txt", "falta.asc\n");
    auto r =
        runCli({"ratios", "--list", "datos/vacia.txt", "--fibres", "40", "-o", "-"}, cli.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    // Without fibres the window reads no image, so a missing one is no failure.
    cli.write("datos/secuencia.txt", "");
    r = runCli({"ratios", "--list", "datos/lista.txt", "--sequence", "datos/secuencia.txt"},
               cli.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fileBytes(cli.path() / "RazonInt.dat"), "####  falta.asc\n");
}
