// The offscreen application and the twelve windows, made once for the benchmarks that need them.
#pragma once

#include "app/Windows.h"
#include "platform/Messages.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace benchsupport {

inline void ensureWindows() {
    static std::unique_ptr<QApplication> app;
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

} // namespace benchsupport
