// The line-ratio run over camera images of one 1024 x 257 frame and 144 fibres, as the ratio
// window does it (each frame read once) and one pair at a time through "temp.dat".
#include "BenchApplication.h"
#include "andor/AndorLee.h"
#include "eva/RazonLineas.h"

#include "SyntheticImage.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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
