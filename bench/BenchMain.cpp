// The benchmark program: runs the benchmarks, then frees the windows before their application.
#include "BenchApplication.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchsupport::closeWindows();
    return 0;
}
