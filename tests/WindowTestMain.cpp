// Entry point of the window tests: offscreen platform, C locale, one QApplication, the twelve
// windows created once as at start-up.
#include "app/Windows.h"
#include "platform/Messages.h"
#include "platform/OpenDialog.h"

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
    // A box or dialog that no test expects fails the test instead of waiting for an answer; the
    // dialog is cancelled.
    platform::setMessageSink([](const platform::Message& m) {
        ADD_FAILURE() << "unexpected message: " << m.text.toStdString();
    });
    platform::setDialogResponder([](const platform::OpenDialog& d) -> std::optional<QString> {
        ADD_FAILURE() << "unexpected file dialog: " << d.objectName().toStdString();
        return std::nullopt;
    });
    createWindows();
    int result = RUN_ALL_TESTS();
    destroyWindows();
    return result;
}
