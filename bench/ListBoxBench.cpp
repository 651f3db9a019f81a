// Appending lines to the list box, as the camera and profile windows do by the hundred thousand.
#include "BenchApplication.h"
#include "platform/ListBox.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void appendMillionLines(benchmark::State& state) {
    benchsupport::ensureWindows();
    platform::ListBox list;
    list.resize(300, 400);
    list.show();
    for (auto _ : state) {
        list.clear();
        for (int i = 0; i < 1000000; ++i)
            list.add(QStringLiteral("%1  %2").arg(i).arg(0.5 * i));
        QCoreApplication::processEvents(); // the view takes the new lines
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(appendMillionLines)->Unit(benchmark::kMillisecond);

} // namespace
