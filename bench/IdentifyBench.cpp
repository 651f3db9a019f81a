// Identification of a full spectrum (4024 points) against six full line sets (2024 lines each),
// peaks, candidates, ions and the axis fit.
#include "SyntheticIdentify.h"
#include "identify/Identify.h"

#include <benchmark/benchmark.h>

namespace {

void identify4024Against6x2024(benchmark::State& state) {
    const auto ions = benchsupport::syntheticIons(6, 2024, 300, 700, 2024);
    std::vector<identify::ReferenceLine> all;
    for (const auto& ion : ions)
        all.insert(all.end(), ion.lines.begin(), ion.lines.end());
    const auto lines = identify::sortedLines(all);
    const auto spectrum = benchsupport::syntheticSpectrum(ions, 4024, 300, 700, 7);
    identify::Options options;
    options.fitAxis = true;
    for (auto _ : state) {
        auto result =
            identify::identifySpectrum(spectrum.x, spectrum.y, lines, std::nullopt, options);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(identify4024Against6x2024)->Unit(benchmark::kMillisecond);

} // namespace
