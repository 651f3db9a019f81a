// The line-ratio run over 44 camera images of one 1024 x 257 frame and 144 fibres, as the ratio
// window does it (each frame read once) and one pair at a time through "temp.dat".
#include "BenchApplication.h"
#include "andor/AndorLee.h"
#include "eva/RazonLineas.h"

#include "SyntheticImage.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr int files = 44;
constexpr int fibres = 144;

// The windows on the offscreen platform, made once, in a folder holding the images and inputs.
void prepareBatch() {
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    benchsupport::ensureWindows();
    auto folder = std::filesystem::temp_directory_path() / "lineid-bench-ratio";
    std::filesystem::create_directories(folder);
    QDir::setCurrent(QString::fromStdString(folder.string()));
    for (int f = 1; f <= files; ++f) {
        Razon->fileNames[f] = "img" + std::to_string(f) + ".asc";
        if (!std::filesystem::exists(folder / Razon->fileNames[f])) {
            synthetic::ImageShape shape;
            shape.frames = 1;
            shape.seed = static_cast<std::uint32_t>(f);
            std::ofstream(folder / Razon->fileNames[f], std::ios::binary)
                << synthetic::makeImage(shape);
        }
    }
    Razon->fileCount = files;
    for (int j = 1; j <= fibres; ++j) {
        Razon->sequenceNumber[j] = j;
        Razon->fibre[j] = 40 + j;
    }
    Razon->sequenceCount = fibres;
}

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
