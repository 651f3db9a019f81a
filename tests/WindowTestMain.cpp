// Entry point of the window tests: offscreen platform, C locale, one QApplication, and the twelve
// windows created afresh for every test, so that no test sees what another left behind.
#include "app/Windows.h"
#include "platform/Messages.h"
#include "platform/OpenDialog.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

class FreshWindows : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { createWindows(); }
    void OnTestEnd(const ::testing::TestInfo&) override { destroyWindows(); }
};

} // namespace

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
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshWindows);
    return RUN_ALL_TESTS();
}
