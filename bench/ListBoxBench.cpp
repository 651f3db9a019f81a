// Appending lines to the list box, as the camera and profile windows do by the hundred thousand.
#include "BenchApplication.h"
#include "platform/ListBox.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

void appendMillionLines(benchmark::State& state) {
    benchsupport::ensureWindows();
    platform::ListBox list;
    list.resize(300, 400);
    list.show();
    QCoreApplication::processEvents(); // shown and laid out before the timing
    for (auto _ : state) {
        list.clear();
        for (int i = 0; i < 1000000; ++i)
            list.add(QStringLiteral("%1  %2").arg(i).arg(0.5 * i));
        QCoreApplication::processEvents(); // the view takes the new lines
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(appendMillionLines)->Unit(benchmark::kMillisecond);

// The list alone: the same lines made beforehand.
void appendMillionPreparedLines(benchmark::State& state) {
    benchsupport::ensureWindows();
    std::vector<QString> lines;
    lines.reserve(1000000);
    for (int i = 0; i < 1000000; ++i)
        lines.push_back(QStringLiteral("%1  %2").arg(i).arg(0.5 * i));
    platform::ListBox list;
    list.resize(300, 400);
    list.show();
    QCoreApplication::processEvents(); // shown and laid out before the timing
    for (auto _ : state) {
        list.clear();
        for (const QString& line : lines)
            list.add(line);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(appendMillionPreparedLines)->Unit(benchmark::kMillisecond);

} // namespace
