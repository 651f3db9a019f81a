// Reading numbers and skipping lines of large camera-sized text files.
#include "textio/TextReader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// One frame of 1024 lines of 257 numbers, like a camera image.
std::string cameraFrame() {
    std::string text;
    for (int line = 1; line <= 1024; ++line) {
        text += std::to_string(line);
        for (int v = 0; v < 256; ++v)
            text.append("\t").append(std::to_string(500 + (line * 31 + v * 17) % 3000));
        text += "\r\n";
    }
    return text;
}

void readNumbers(benchmark::State& state) {
    const std::string frame = cameraFrame();
    for (auto _ : state) {
        auto in = textio::TextReader::fromString(frame);
        double sum = 0;
        while (!in.eof())
            sum += in.readReal();
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(readNumbers);

void skipLines(benchmark::State& state) {
    const std::string frame = cameraFrame();
    for (auto _ : state) {
        auto in = textio::TextReader::fromString(frame);
        while (!in.eof())
            in.skipLine();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(skipLines);

} // namespace
