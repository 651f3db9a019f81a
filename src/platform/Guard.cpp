// The handler guard.
#include "Guard.h"

#include "Messages.h"

#include <QEvent>

#include <new>
#include <stdexcept>

namespace platform {

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
}

namespace {

class ExitFilter : public QObject {
public:
    ExitFilter(QObject* parent, std::function<void()> handler)
        : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            guarded(handler_);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

void onExit(QLineEdit* edit, std::function<void()> handler) {
    edit->installEventFilter(new ExitFilter(edit, std::move(handler)));
}

} // namespace platform
