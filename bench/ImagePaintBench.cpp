// The image window's two steps on a synthetic 1024 x 256 camera frame: painting it into the
// retained image (the whole frame on screen) and reading the last frame of a ten-frame file.
#include "BenchApplication.h"
#include "andor/ImageFrame.h"
#include "andor/ImagenAndor.h"

#include "SyntheticImage.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

const std::string& tenFrames() {
    static const std::string text = [] {
        synthetic::ImageShape shape;
        shape.frames = 10;
        return synthetic::makeImage(shape);
    }();
    return text;
}

// The image window with frame 1 of the synthetic image read and room to show all 1024 lines.
TAndorImagen& windowWithFrame() {
    benchsupport::ensureWindows();
    AndorImagen->resize(1100, 518);
    AndorImagen->imageLines = 1024;
    AndorImagen->imageColumns = 256;
    auto in = textio::TextReader::fromString(synthetic::makeImage({1}));
    andor::readFrame(in, {1024, 256, 1}, AndorImagen->imageValues, AndorImagen->imageMax,
                     AndorImagen->imageMin);
    return *AndorImagen;
}

void paintFrame1024x256(benchmark::State& state) {
    TAndorImagen& window = windowWithFrame();
    for (auto _ : state) {
        window.btGrafClick();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 256);
}
BENCHMARK(paintFrame1024x256)->Unit(benchmark::kMillisecond);

void readFrame10IntoMatrix(benchmark::State& state) {
    auto path = std::filesystem::temp_directory_path() / "lineid-bench-imagen-10frames.asc";
    std::ofstream(path, std::ios::binary) << tenFrames();
    andor::ImageMatrix values;
    int max = 0;
    int min = 0;
    for (auto _ : state) {
        auto in = textio::TextReader::openFile(path);
        andor::readFrame(in, {1024, 256, 10}, values, max, min);
        benchmark::DoNotOptimize(max);
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tenFrames().size()));
}
BENCHMARK(readFrame10IntoMatrix)->Unit(benchmark::kMillisecond);

} // namespace
