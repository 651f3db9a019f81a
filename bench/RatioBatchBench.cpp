// The line-ratio run over camera images of one 1024 x 257 frame and 144 fibres, as the ratio
// window does it (each frame read once), one pair at a time through "temp.dat", and on one or
// two threads as the command line runs it.
#include "BenchApplication.h"
#include "andor/AndorLee.h"
#include "eva/ParallelRatioRun.h"
#include "eva/RazonLineas.h"

#include "SyntheticImage.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <vector>

namespace {

constexpr int files = 44;
constexpr int fibres = 144;

// The windows on the offscreen platform, in `folder` holding the images img1.asc ..
// img<count>.asc (made here when missing, of one frame each); fibres 41 to 184, the trace window
// with its default settings.
void prepareBatch(const std::filesystem::path& folder, int count) {
    benchsupport::ensureWindows();
    std::filesystem::create_directories(folder);
    QDir::setCurrent(QString::fromStdString(folder.string()));
    for (int f = 1; f <= count; ++f) {
        Razon->fileNames[f] = "img" + std::to_string(f) + ".asc";
        if (!std::filesystem::exists(folder / Razon->fileNames[f])) {
            synthetic::ImageShape shape;
            shape.frames = 1;
            shape.seed = static_cast<std::uint32_t>(f);
            std::ofstream(folder / Razon->fileNames[f], std::ios::binary)
                << synthetic::makeImage(shape);
        }
    }
    Razon->fileCount = count;
    for (int j = 1; j <= fibres; ++j) {
        Razon->sequenceNumber[j] = j;
        Razon->fibre[j] = 40 + j;
    }
    Razon->sequenceCount = fibres;
    Andor->rb1024x256->setChecked(true);
    Andor->rbCol->setChecked(true);
    Andor->edCuadroN->setText(QStringLiteral("1"));
    Andor->ednsum->setText(QStringLiteral("5"));
}

void prepareBatch() {
    prepareBatch(std::filesystem::temp_directory_path() / "lineid-bench-ratio", files);
}

// The ratio run over eight images as the window does it, in LINEID_BENCH_RATIO_DIR when it is
// set (with images the Python peers read too; RazonInt.dat stays there for them to compare).
void ratioRunEightImages(benchmark::State& state) {
    const char* given = std::getenv("LINEID_BENCH_RATIO_DIR");
    prepareBatch(given != nullptr ? std::filesystem::path(given)
                                  : std::filesystem::temp_directory_path() / "lineid-bench-ratio8",
                 8);
    for (auto _ : state) {
        Razon->btTrazaClick();
        Razon->ListBox1->clear();
    }
    state.counters["pairs"] = 8 * fibres;
}
BENCHMARK(ratioRunEightImages)->Unit(benchmark::kMillisecond);

// The run over sixteen images with as many jobs as the argument says, without the windows, in
// LINEID_BENCH_RATIO16_DIR when it is set (made there when missing; RazonInt.dat stays there for
// the Python peers to compare).
void ratioRunSixteenImages(benchmark::State& state) {
    const char* given = std::getenv("LINEID_BENCH_RATIO16_DIR");
    const std::filesystem::path folder =
        given != nullptr ? std::filesystem::path(given)
                         : std::filesystem::temp_directory_path() / "lineid-bench-ratio16";
    std::filesystem::create_directories(folder);
    std::vector<eva::RunImage> images;
    for (int f = 1; f <= 16; ++f) {
        std::string name = "img" + std::to_string(f) + ".asc";
        if (!std::filesystem::exists(folder / name)) {
            synthetic::ImageShape shape;
            shape.frames = 1;
            shape.seed = static_cast<std::uint32_t>(f);
            std::ofstream(folder / name, std::ios::binary) << synthetic::makeImage(shape);
        }
        images.push_back({name, folder / name});
    }
    std::vector<int> sequence(fibres);
    std::iota(sequence.begin(), sequence.end(), 41);
    const eva::RatioRunSettings settings{{andor::size1024x256, andor::TraceMode::Column, 1, 0, 5},
                                         {406.57, 405.54, 415.16, 402}};
    const auto jobs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto out = textio::TextWriter::create(folder / "RazonInt.dat");
        eva::RatioState carried;
        eva::runRatiosInParallel(images, sequence, settings, jobs, carried, out,
                                 [](const eva::RunImage&, int, const eva::RatioState&) {});
    }
    state.counters["pairs"] = 16 * fibres;
}
BENCHMARK(ratioRunSixteenImages)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

void ratioRunFramesReadOnce(benchmark::State& state) {
    prepareBatch();
    for (auto _ : state) {
        Razon->btTrazaClick();
        Razon->ListBox1->clear();
    }
    state.counters["pairs"] = files * fibres;
}
BENCHMARK(ratioRunFramesReadOnce)->Unit(benchmark::kSecond)->Iterations(1);

void ratioRunOnePairAtATime(benchmark::State& state) {
    prepareBatch();
    for (auto _ : state) {
        for (int f = 1; f <= files; ++f)
            for (int j = 1; j <= fibres; ++j) {
                Andor->ExtractTraceToTemp(QString::fromStdString(Razon->fileNames[f]),
                                          Razon->fibre[j]);
                Razon->btCalcRazonClick();
            }
    }
    state.counters["pairs"] = files * fibres;
}
BENCHMARK(ratioRunOnePairAtATime)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
