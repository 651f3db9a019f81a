// The identify command of lineid-cli: its JSON keys, its corrected spectrum, and its failures.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using testsupport::fileBytes;
using testsupport::runCli;

using testsupport::CliFolder;

namespace {

namespace fs = std::filesystem;

fs::path example(const char* name) {
    return fs::path(LINEID_EXAMPLES) / name;
}

} // namespace

TEST(IdentifyCommand, JsonHoldsTheKeysScriptsRelyOnAndApplyWritesTheCorrectedSpectrum) {
    CliFolder dir;
    const fs::path folder = dir.path();
    fs::copy_file(example("espectro_ar.dat"), folder / "espectro_ar.dat");
    const auto r =
        runCli({"identify", "espectro_ar.dat", "--lines", example("lineas_ar.dat").string(),
                example("lineas_fe.dat").string(), "--apply", "--format", "json"},
               folder);
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* key :
         {"\"peaks\"", "\"wavelength\"", "\"intensity\"", "\"prominence\"", "\"candidates\"",
          "\"label\"", "\"delta\"", "\"ions\"", "\"score\"", "\"present\"", "\"matched\"",
          "\"expected\"", "\"fit\"", "\"slope\"", "\"intercept\"", "\"rms\"", "\"lines\""})
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    // The example spectrum holds argon only.
    EXPECT_NE(r.out.find("{\"label\": \"Fe I\", \"score\": 0, \"present\": false"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
    const std::string corrected = fileBytes(folder / "espectro_ar_cor.dat");
    EXPECT_EQ(corrected.size(), 1024u * 21);
    EXPECT_EQ(corrected.substr(0, 21), "    400.00    118.00\n");
}

TEST(IdentifyCommand, FailuresNameTheFileAndLeaveNoOutput) {
    CliFolder dir;
    const fs::path folder = dir.path();
    const std::string lines = example("lineas_ar.dat").string();
    const std::string spectrum = example("espectro_ar.dat").string();
    auto r = runCli({"identify", "nada.dat", "--lines", lines, "-o", "salida.tsv"}, folder);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: nada.dat: File not found\n");
    EXPECT_FALSE(fs::exists(folder / "salida.tsv"));
    std::ofstream(folder / "malo.dat") << "400.0 10 Ar I\n4x0 5 Ar I\n";
    r = runCli({"identify", spectrum, "--lines", "malo.dat", "-o", "salida.tsv"}, folder);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lineid-cli: malo.dat: línea 2: Invalid numeric input\n");
    EXPECT_FALSE(fs::exists(folder / "salida.tsv"));
    r = runCli({"identify", spectrum, "--lines", lines, "--tolerance", "0"}, folder);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    r = runCli({"identify", spectrum, "--lines", lines, "--format", "xml"}, folder);
    EXPECT_EQ(r.status, 2);
}
