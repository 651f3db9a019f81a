// Background, hill climb, ratios, the two inputs of a ratio run and the run over both sources.
#include "eva/LineRatio.h"
#include "eva/ParallelRatioRun.h"
#include "eva/RatioRun.h"
#include "textio/AppError.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"

#include "SyntheticImage.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using eva::SpectrumView;

namespace {

struct Spectrum {
    std::vector<double> x;
    std::vector<double> y;
    explicit Spectrum(std::vector<double> ys) : y(std::move(ys)) {
        for (std::size_t i = 0; i < y.size(); ++i)
            x.push_back(400.0 + static_cast<double>(i));
    }
    SpectrumView view() const { return {x, y}; }
};

} // namespace

TEST(ClimbToPeak, FollowsTheRisingSide) {
    EXPECT_EQ(eva::climbToPeak(Spectrum({2, 4, 6, 9, 7}).view(), 401), 9);
    EXPECT_EQ(eva::climbToPeak(Spectrum({3, 8, 6, 5}).view(), 402), 8);
    EXPECT_EQ(eva::climbToPeak(Spectrum({5, 2, 6}).view(), 401), 2);    // valley
    EXPECT_EQ(eva::climbToPeak(Spectrum({1, 4, 4, 9}).view(), 401), 4); // flat stops
    EXPECT_EQ(eva::climbToPeak(Spectrum({1, 2, 3}).view(), 400.5), 3);  // stops at the end
    EXPECT_EQ(eva::climbToPeak(Spectrum({5, 3, 1}).view(), 402), 5);    // and at the start
    EXPECT_EQ(eva::climbToPeak(Spectrum({1, 2, 3}).view(), 500), std::nullopt);
    EXPECT_EQ(eva::climbToPeak(Spectrum({}).view(), 0), std::nullopt);
}

TEST(BackgroundNear, MeanOfTheTenPointsAfter) {
    std::vector<double> ys{9, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 100};
    EXPECT_EQ(eva::backgroundNear(Spectrum(ys).view(), 401), 1.0);
    EXPECT_EQ(eva::backgroundNear(Spectrum({0, 0, 2, 4}).view(), 401), 3.0); // only two exist
    EXPECT_EQ(eva::backgroundNear(Spectrum({0, 0, 2}).view(), 402), std::nullopt);
    EXPECT_EQ(eva::backgroundNear(Spectrum({0, 0, 2}).view(), 999), std::nullopt);
}

TEST(ComputeRatios, BackgroundCorrectedAndTheResultLine) {
    // Line 1 at 401 (110), reference at 403 (60), argon at 405 (210), background after 406.
    Spectrum s({0, 110, 0, 60, 0, 210, 0, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10});
    eva::RatioState state;
    eva::computeRatios(s.view(), {401, 403, 405, 406}, state);
    EXPECT_EQ(state.background, 10);
    EXPECT_EQ(state.ratioR1, 2);
    EXPECT_EQ(state.ratioArLine1, 2);
    EXPECT_EQ(state.ratioArRef1, 4);
    EXPECT_EQ(eva::resultLine(7, state), "7       2.0000       2.0000       4.0000     210.0000");
    EXPECT_EQ(eva::resultListLine("img.asc", 7, state), "img.asc     7       2.0000");
}

TEST(ComputeRatios, UnreachedWavelengthsKeepThePreviousValues) {
    eva::RatioState state{5, 50, 30, 70, 0, 0, 0};
    eva::computeRatios(Spectrum({1, 2}).view(), {900, 900, 900, 900}, state);
    EXPECT_EQ(state.intensityLine1, 50);
    EXPECT_EQ(state.background, 5);
    EXPECT_DOUBLE_EQ(state.ratioR1, 45.0 / 25.0);
    eva::RatioState flat{10, 20, 10, 0, 0, 0, 0};
    EXPECT_THROW(eva::computeRatios(Spectrum({}).view(), {1, 1, 1, 1}, flat), textio::AppError);
}

TEST(ReadSequence, PairsPerLineUpToTheCapacity) {
    auto in = textio::TextReader::fromString("1 7 extra\n2   12\r\n");
    auto read = eva::readSequence(in);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[1].sequenceNumber, 2);
    EXPECT_EQ(read.entries[1].fibre, 12);
    std::string many;
    for (int i = 1; i <= 150; ++i)
        many += std::to_string(i) + " " + std::to_string(i + 1) + "\n";
    auto longIn = textio::TextReader::fromString(many);
    auto longRead = eva::readSequence(longIn);
    EXPECT_TRUE(longRead.truncated);
    EXPECT_EQ(longRead.entries.size(), 144u);
    auto bad = textio::TextReader::fromString("1 2.5\n");
    EXPECT_THROW(eva::readSequence(bad), textio::AppError);
}

TEST(ReadFileList, WholeLinesWithBlanks) {
    auto in = textio::TextReader::fromString("imagen 1.asc\r\n/datos/b.asc\n\n");
    auto read = eva::readFileList(in);
    EXPECT_EQ(read.entries, (std::vector<std::string>{"imagen 1.asc", "/datos/b.asc", ""}));
    std::string many;
    for (int i = 0; i < 50; ++i)
        many.append("f").append(std::to_string(i)).append("\n");
    auto longIn = textio::TextReader::fromString(many);
    auto longRead = eva::readFileList(longIn);
    EXPECT_TRUE(longRead.truncated);
    EXPECT_EQ(longRead.entries.size(), 44u);
}

TEST(ReadFileList, AListPastItsSizeStopsAtTheLineThatPassesIt) {
    const std::string name(eva::fileListBytes / 2, 'n');
    auto in = textio::TextReader::fromString("a.asc\n" + name + "\n" + name + "\nb.asc\n");
    try {
        eva::readFileList(in);
        FAIL();
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "La lista de archivos pasa de 16 MB en la línea 3; no es una lista "
                               "de nombres de archivo.");
    }
    auto fits = textio::TextReader::fromString(name + "\n" + name.substr(5) + "\nb.asc");
    EXPECT_EQ(eva::readFileList(fits).entries.back(), "b.asc");
}

namespace {

// A folder of its own as the current folder, for "temp.dat", removed afterwards.
class RunFolder {
public:
    RunFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("lineid-ratio-run-" + std::to_string(::getpid()))),
          previous_(std::filesystem::current_path()) {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~RunFolder() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    std::filesystem::path write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
        return path_ / name;
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// The pair-by-pair steps in miniature: the trace file's lines kept as text, read back as the
// store reads them.
struct TempFile {
    explicit TempFile(const andor::TraceSettings& s) : settings(s) {}
    andor::TraceSettings settings;
    std::vector<double> x;
    std::vector<double> y;
    int extractions = 0;
    eva::PairSteps steps() {
        return {[this](const eva::RunImage& image, int fibre) {
                    ++extractions;
                    andor::TraceSettings s = settings;
                    s.traceIndex = fibre;
                    std::string text;
                    auto in = andor::ImageStream::open(image.path);
                    andor::extractTrace(in, s, [&](const andor::TracePoint& p) {
                        text += andor::traceFileLine(s.mode, p) + "\n";
                    });
                    x.clear();
                    y.clear();
                    auto back = textio::TextReader::fromString(text);
                    while (!back.eof()) {
                        x.push_back(back.readReal());
                        y.push_back(back.readReal());
                        back.skipLine();
                    }
                },
                [this] {
                    return SpectrumView{x, y};
                }};
    }
};

std::string run(eva::TraceSource& source, std::span<const eva::RunImage> images,
                std::span<const int> fibres, const std::filesystem::path& out,
                andor::TraceMode mode = andor::TraceMode::Column) {
    auto writer = textio::TextWriter::create(out);
    eva::RatioState state;
    // Line mode: the abscissae are positions on the line.
    const eva::RatioWavelengths lambda = mode == andor::TraceMode::Column
                                             ? eva::RatioWavelengths{406.57, 405.54, 415.16, 402}
                                             : eva::RatioWavelengths{100, 30, 200, 1};
    eva::runRatios(
        images, fibres, source, [&] { return lambda; }, state, writer,
        [](const eva::RunImage&, int, const eva::RatioState&) {});
    std::ifstream in(out, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(StoredValue, AsTheTraceFileReadsItBack) {
    for (double v : {0.0, -0.0, -0.3, 0.5, 1.5, 2.5, -2.5, 1234.49999, 1e17, -7.0, 3e300}) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(eva::storedValue(v)),
                  std::bit_cast<std::uint64_t>(textio::parseRealToken(textio::fixedField(v, 0, 0))))
            << v;
    }
    EXPECT_EQ(eva::storedAbscissa(400.01949999), 400.019);
}

TEST(RatioRun, ReadingEachImageOnceGivesWhatPairByPairGives) {
    RunFolder folder;
    std::vector<eva::RunImage> images;
    for (std::uint32_t seed : {1u, 2u}) {
        synthetic::ImageShape shape;
        shape.frames = 2;
        shape.seed = seed;
        std::string name = "img" + std::to_string(seed) + ".asc";
        images.push_back({name, folder.write(name, synthetic::makeImage(shape))});
    }
    // Not of the common shape: read whole.
    std::string odd = synthetic::makeImage({});
    std::size_t frame2 = 0;
    for (int line = 0; line < 1024; ++line)
        frame2 = odd.find('\n', frame2) + 1;
    odd.replace(odd.find('\t', frame2 + 300 * 1400), 1, "\t1e1 ");
    images.push_back({"odd.asc", folder.write("odd.asc", odd)});
    const std::vector<int> fibres{40, 128, 200, 1, 300, 5};
    for (auto mode : {andor::TraceMode::Column, andor::TraceMode::Line})
        for (int n : {5, 1}) {
            andor::TraceSettings settings{andor::size1024x256, mode, 2, 0, n};
            TempFile slow{settings};
            eva::PairByPairSource pairByPair(slow.steps());
            std::string expected = run(pairByPair, images, fibres, "a.dat", mode);
            TempFile last{settings};
            eva::PairByPairSource replay(last.steps());
            eva::FrameOnceSource once([&] { return settings; }, replay);
            EXPECT_EQ(run(once, images, fibres, "b.dat", mode), expected);
            // Only the last pair is extracted, to leave its trace.
            EXPECT_EQ(last.extractions, 1);
            EXPECT_EQ(last.x, slow.x);
            EXPECT_EQ(last.y, slow.y);
        }
}

TEST(RatioRun, AnImageThatCannotBeReadGoesPairByPair) {
    RunFolder folder;
    andor::TraceSettings settings{andor::size1024x256, andor::TraceMode::Column, 1, 0, 5};
    TempFile steps{settings};
    eva::PairByPairSource pairByPair(steps.steps());
    eva::FrameOnceSource once([&] { return settings; }, pairByPair);
    std::vector<eva::RunImage> images{
        {"img.asc", folder.write("img.asc", synthetic::makeImage({}))},
        {"falta.asc", folder.write("x", "") / "../falta.asc"}};
    const std::vector<int> fibres{40, 41};
    try {
        run(once, images, fibres, "r.dat");
        FAIL() << "the missing image is reported";
    } catch (const textio::AppError& e) {
        EXPECT_EQ(std::string(e.what()), textio::msg::fileNotFound);
    }
    // The missing image's first pair was tried the pair-by-pair way, then the last pair read
    // once was extracted again.
    EXPECT_EQ(steps.extractions, 2);
    EXPECT_EQ(steps.x.size(), 1024U);
}

namespace {

// The synthetic image with every abscissa 100 nm lower: it reaches none of the wavelengths.
std::string shiftedImage(std::uint32_t seed) {
    synthetic::ImageShape shape;
    shape.frames = 1;
    shape.seed = seed;
    std::string text = synthetic::makeImage(shape);
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1)
        text[at] = '3';
    return text;
}

// A frame whose every value is 5: its ratios divide zero by zero.
std::string flatImage() {
    std::string values;
    for (int i = 0; i < 256; ++i)
        values += "\t5";
    std::string text;
    for (int s = 1; s <= 1024; ++s)
        text += textio::fixedField(400.0 + 0.0195 * s, 0, 3) + values + "\n";
    return text;
}

std::string oneFrame(std::uint32_t seed) {
    synthetic::ImageShape shape;
    shape.frames = 1;
    shape.seed = seed;
    return synthetic::makeImage(shape);
}

const eva::RatioWavelengths columnWavelengths{406.57, 405.54, 415.16, 402};

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(ParallelRatioRun, AnyNumberOfJobsWritesTheLinesOfOneThread) {
    RunFolder folder;
    std::vector<eva::RunImage> images;
    for (std::uint32_t seed : {1u, 2u, 3u, 4u})
        images.push_back({"img" + std::to_string(seed) + ".asc",
                          folder.write("img" + std::to_string(seed) + ".asc", oneFrame(seed))});
    // An image that reaches no wavelength carries every quantity over from the image before.
    images.insert(images.begin() + 2, {"lejos.asc", folder.write("lejos.asc", shiftedImage(5))});
    // Not of the common shape: read whole.
    std::string odd = oneFrame(6);
    odd.replace(odd.find('\t', 500 * 1400), 1, "\t1e1 ");
    images.push_back({"odd.asc", folder.write("odd.asc", odd)});
    // Fibres whose summing window does not fit carry the pair before's quantities.
    const std::vector<int> fibres{40, 128, 1, 200, 300, 5};
    for (auto mode : {andor::TraceMode::Column, andor::TraceMode::Line}) {
        andor::TraceSettings settings{andor::size1024x256, mode, 1, 0, 5};
        TempFile last{settings};
        eva::PairByPairSource replay(last.steps());
        eva::FrameOnceSource once([&] { return settings; }, replay);
        const std::string expected = run(once, images, fibres, "once.dat", mode);
        const eva::RatioWavelengths lambda = mode == andor::TraceMode::Column
                                                 ? columnWavelengths
                                                 : eva::RatioWavelengths{100, 30, 200, 1};
        for (int jobs : {1, 2, 9}) {
            eva::ParallelSource parallel(images, fibres, {settings, lambda}, jobs);
            EXPECT_EQ(run(parallel, images, fibres, "parallel.dat", mode), expected)
                << "jobs " << jobs;
        }
    }
}

TEST(ParallelRatioRun, TheFirstFailureInListOrderStopsTheRun) {
    RunFolder folder;
    const eva::RatioRunSettings settings{{andor::size1024x256, andor::TraceMode::Column, 1, 0, 5},
                                         columnWavelengths};
    // The missing image may be read before the flat one, on the other thread; the flat one comes
    // first in the list.
    const std::vector<eva::RunImage> images{{"plana.asc", folder.write("plana.asc", flatImage())},
                                            {"falta.asc", folder.write("x", "") / "../falta.asc"}};
    auto out = textio::TextWriter::create("r.dat");
    eva::RatioState state;
    try {
        eva::runRatiosInParallel(images, std::vector<int>{40, 41}, settings, 2, state, out,
                                 [](const eva::RunImage&, int, const eva::RatioState&) {});
        FAIL();
    } catch (const eva::RunFailure& e) {
        EXPECT_EQ(e.image().name, "plana.asc");
        EXPECT_EQ(e.fibre(), 40);
        EXPECT_STREQ(e.what(), textio::msg::invalidOperation);
    }
}

TEST(ParallelRatioRun, PartsRunAloneJoinIntoTheWholeRun) {
    RunFolder folder;
    const eva::RatioRunSettings settings{{andor::size1024x256, andor::TraceMode::Column, 1, 0, 5},
                                         columnWavelengths};
    const std::vector<eva::RunImage> images{
        {"a.asc", folder.write("a.asc", oneFrame(1))},
        {"b.asc", folder.write("b.asc", oneFrame(2))},
        {"lejos1.asc", folder.write("lejos1.asc", shiftedImage(3))},
        {"lejos2.asc", folder.write("lejos2.asc", shiftedImage(4))},
        {"c.asc", folder.write("c.asc", oneFrame(5))}};
    const std::vector<int> fibres{40, 300};
    auto runPart = [&](std::size_t first, std::size_t last, eva::RatioState state) {
        auto out = textio::TextWriter::create("part.dat");
        std::span<const eva::RunImage> part(images.begin() + first, images.begin() + last);
        eva::runRatiosInParallel(part, fibres, settings, 2, state, out,
                                 [](const eva::RunImage&, int, const eva::RatioState&) {});
        return fileText("part.dat");
    };
    const std::string whole = runPart(0, images.size(), {});
    // A part that starts on the images that reach no wavelength needs the quantities found
    // before them, two images back: from zero its first ratio divides zero by zero.
    EXPECT_THROW(runPart(2, 5, {}), eva::RunFailure);
    for (std::size_t split : {1u, 2u, 3u, 4u}) {
        eva::RatioState carried = eva::stateCarriedInto(images, split, fibres, settings);
        EXPECT_EQ(runPart(0, split, {}) + runPart(split, images.size(), carried), whole) << split;
    }
}
