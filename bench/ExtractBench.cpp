// Trace extraction from a camera image of ten 1024 x 257 frames: skipping frames and cutting one
// trace out of the last frame, reading the file in blocks. LINEID_BENCH_IMAGE names the file;
// without it one is generated.
#include "BenchApplication.h"
#include "andor/AndorImage.h"
#include "andor/AndorLee.h"

#include "SyntheticImage.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::filesystem::path& imagePath() {
    static const std::filesystem::path path = [] {
        if (const char* given = std::getenv("LINEID_BENCH_IMAGE"))
            return std::filesystem::path(given);
        auto generated = std::filesystem::temp_directory_path() / "lineid-bench-10frames.asc";
        if (!std::filesystem::exists(generated)) {
            synthetic::ImageShape shape;
            shape.frames = 10;
            std::ofstream(generated, std::ios::binary) << synthetic::makeImage(shape);
        }
        return generated;
    }();
    return path;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void extractTraceOfFrame10(benchmark::State& state) {
    andor::TraceSettings settings{andor::size1024x256, andor::TraceMode::Column, 10, 47, 5};
    const std::filesystem::path& path = imagePath(); // generated, if need be, before the timing
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto image = andor::ImageStream::open(path);
        double sum = 0;
        andor::extractTrace(image, settings,
                            [&sum](const andor::TracePoint& p) { sum += p.value; });
        benchmark::DoNotOptimize(sum);
        bytes = image.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(extractTraceOfFrame10)->Unit(benchmark::kMillisecond);

// The same trace through the trace window into "temp.dat", listed, as the ratio window's
// pair-by-pair steps take it.
void extractTraceToTempOfFrame10(benchmark::State& state) {
    const std::filesystem::path& path = imagePath();
    benchsupport::ensureWindows();
    auto folder = std::filesystem::temp_directory_path() / "lineid-bench-extract";
    std::filesystem::create_directories(folder);
    QDir::setCurrent(QString::fromStdString(folder.string()));
    Andor->rb1024x256->setChecked(true);
    Andor->rbCol->setChecked(true);
    Andor->edCuadroN->setText(QStringLiteral("10"));
    Andor->ednsum->setText(QStringLiteral("5"));
    const QString image = QString::fromStdString(std::filesystem::absolute(path).string());
    for (auto _ : state)
        Andor->ExtractTraceToTemp(image, 47);
    Andor->edCuadroN->setText(QStringLiteral("1"));
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(extractTraceToTempOfFrame10)->Unit(benchmark::kMillisecond);

// Reading the file in blocks and skipping its first nine frames, to the first number of frame 10.
void skipNineFrames(benchmark::State& state) {
    const std::filesystem::path& path = imagePath();
    // The bytes of the nine frames (the generated image ends its lines with CR LF).
    std::size_t skipped = 0;
    std::string text = fileText(path);
    for (int line = 0; line < 9 * 1024; ++line)
        skipped = text.find('\n', skipped) + 1;
    for (auto _ : state) {
        auto image = andor::ImageStream::open(path);
        image.skipLines(9 * 1024);
        benchmark::DoNotOptimize(image.token());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * skipped));
}
BENCHMARK(skipNineFrames)->Unit(benchmark::kMillisecond);

// What "wc -l" does: count line feeds.
void countLineFeeds(benchmark::State& state) {
    const std::string text = fileText(imagePath());
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const char *p = text.data(), *end = p + text.size();
             (p = static_cast<const char*>(
                  std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
             ++p)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(countLineFeeds)->Unit(benchmark::kMillisecond);

} // namespace
