// File rules: what may be read, outputs that are inputs, and derived names.
#include "textio/Files.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const textio::AppError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(Files, OnlyRegularFilesAreRead) {
    fs::path dir = fs::temp_directory_path() / ("lineid_files_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "a.dat") << "1 2\n";
    fs::create_symlink(dir / "a.dat", dir / "link.dat");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { textio::checkInputFile(dir / "a.dat"); }), "");
    EXPECT_EQ(errorOf([&] { textio::checkInputFile(dir / "link.dat"); }), "");
    EXPECT_EQ(errorOf([&] { textio::checkInputFile(dir / "none.dat"); }), "File not found");
    EXPECT_EQ(errorOf([&] { textio::checkInputFile(dir); }), "File access denied");
    EXPECT_NE(errorOf([&] { textio::checkInputFile(dir / "fifo"); }).find("no es un archivo"),
              std::string::npos);
    EXPECT_NE(errorOf([&] { textio::checkInputFile("/dev/zero"); }).find("no es un archivo"),
              std::string::npos);
    // An output reached through a link or another spelling is the input.
    EXPECT_NE(errorOf([&] {
                  textio::ensureDistinct({dir / "b.dat", dir / "a.dat"}, dir / "link.dat");
              }),
              "");
    EXPECT_EQ(errorOf([&] { textio::ensureDistinct({dir / "a.dat"}, dir / "nuevo.dat"); }), "");
    fs::remove_all(dir);
}

TEST(Files, DerivedNamesCutCharactersAndStayInTheWorkingFolder) {
    EXPECT_EQ(textio::withoutLastFour("espectro.dat"), "espectro");
    EXPECT_EQ(textio::withoutLastFour("datos_mañana"), "datos_ma");
    EXPECT_EQ(textio::withoutLastFour("año.dat"), "año");
    EXPECT_EQ(textio::withoutLastFour("ñ.d"), "");
    EXPECT_NE(
        errorOf([] { textio::checkDerivedName("img_c1_y47/../../victima.dat"); }).find("barra"),
        std::string::npos);
    EXPECT_NE(errorOf([] { textio::checkDerivedName(std::string(300, 'a')); }).find("largo"),
              std::string::npos);
    EXPECT_EQ(errorOf([] { textio::checkDerivedName("img_c1_y47.dat"); }), "");
}

TEST(Files, ListedNamesAreFoundInEitherEncoding) {
    fs::path dir = fs::temp_directory_path() / ("lineid_listed_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string utf8 = "se\xc3\xb1"
                             "al.asc";
    const std::string latin1 = "se\xf1"
                               "al.asc";
    EXPECT_EQ(textio::listedFile("a.asc", dir), dir / "a.asc");
    EXPECT_EQ(textio::listedFile("/x/a.asc", dir), fs::path("/x/a.asc"));
    EXPECT_EQ(textio::listedFile(""), fs::path());
    // Nothing there: the name as read, a Latin-1 one written in UTF-8.
    EXPECT_EQ(textio::listedFile(latin1, dir), dir / utf8);
    std::ofstream(dir / latin1) << "";
    EXPECT_EQ(textio::listedFile(latin1, dir), dir / latin1);
    EXPECT_EQ(textio::listedFile(utf8, dir), dir / latin1);
    std::ofstream(dir / utf8) << "";
    EXPECT_EQ(textio::listedFile(latin1, dir), dir / utf8);
    EXPECT_EQ(textio::listedFile(utf8, dir), dir / utf8);
    fs::remove_all(dir);
}
