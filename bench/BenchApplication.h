// The offscreen application and the twelve windows, made once for the benchmarks that need them
// and freed by the benchmark program's main, windows first.
#pragma once

#include "app/Windows.h"
#include "platform/Messages.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace benchsupport {

inline std::unique_ptr<QApplication>& application() {
    static std::unique_ptr<QApplication> app;
    return app;
}

inline void ensureWindows() {
    auto& app = application();
    if (app)
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "lineid_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    createWindows();
    platform::setMessageSink([](const platform::Message& m) {
        std::fprintf(stderr, "%s\n", m.text.toLocal8Bit().constData());
    });
}

// The windows belong to the application: they must go before it does, so this runs at the end of
// main rather than leaving the application to the static destructors.
inline void closeWindows() {
    auto& app = application();
    if (!app)
        return;
    destroyWindows();
    app.reset();
}

} // namespace benchsupport
