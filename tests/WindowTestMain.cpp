// Entry point of the window tests: offscreen platform, C locale, one QApplication, the twelve
// windows created once as at start-up.
#include "app/Windows.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::setlocale(LC_ALL, "C");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    createWindows();
    int result = RUN_ALL_TESTS();
    destroyWindows();
    return result;
}
