// Listing Gaussian profiles: 4024 profiles of 171 values into the list box, and a whole press of
// the profile window on a full spectrum with a full reference-line set.
#include "BenchApplication.h"
#include "platform/ListBox.h"
#include "reference/Convo.h"
#include "reference/GaussProfile.h"
#include "store/Archivos.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void listProfiles4024(benchmark::State& state) {
    benchsupport::ensureWindows();
    platform::ListBox list;
    list.resize(300, 400);
    list.show();
    QCoreApplication::processEvents(); // shown and laid out before the timing
    reference::GaussProfile g;
    for (auto _ : state) {
        list.clear();
        for (int j = 1; j <= 4024; ++j) {
            reference::computeProfile(2, 400 + 0.1 * j, g);
            reference::listProfile(g, [&](const std::string& line) {
                list.add(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
            });
        }
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * list.count());
}
BENCHMARK(listProfiles4024)->Unit(benchmark::kMillisecond);

void convolucionPressFullStore(benchmark::State& state) {
    benchsupport::ensureWindows();
    auto& s = Lee->store;
    s.nExp = store::experimentalCapacity;
    for (int i = 1; i <= s.nExp; ++i) {
        s.xExp[i] = 400 + 0.1 * i;
        s.yExp[i] = 100 + (i % 50);
    }
    s.xExpMin = s.xExp[1];
    s.xExpMax = s.xExp[s.nExp];
    s.yExpMin = 100;
    s.yExpMax = 149;
    s.hayExp = true;
    s.nRef = store::referenceCapacity;
    for (int j = 1; j <= s.nRef; ++j)
        s.xRef[j] = 400 + 0.2 * j;
    Conv->showWindow();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        Conv->ListBox1->clear();
        Conv->btConvo->click();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * Conv->ListBox1->count());
}
BENCHMARK(convolucionPressFullStore)->Unit(benchmark::kMillisecond);

} // namespace
