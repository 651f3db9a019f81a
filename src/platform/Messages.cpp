// Error boxes and message boxes.
#include "Messages.h"

#include <utility>

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
std::function<void(const Message&)>& sink() {
    static std::function<void(const Message&)> instance;
    return instance;
}
} // namespace

MessageSink setMessageSink(MessageSink newSink) {
    return std::exchange(sink(), std::move(newSink));
}

void showError(const QString& text) {
    if (sink()) {
        sink()({MessageKind::Error, text, QStringLiteral("lineid")});
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("lineid"), text);
}

void showMessage(const QString& text, const QString& caption, bool withCancel) {
    if (sink()) {
        sink()({MessageKind::Box, text, caption});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text,
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace platform
