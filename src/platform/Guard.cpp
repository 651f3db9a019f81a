// The handler guard.
#include "Guard.h"

#include "Messages.h"

#include <QFocusEvent>

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

const char* const exitFilterName = "exitFilter";

// Leaving an edit box means the focus moving to another control of the same window: the window
// losing the activation, a context menu opening or the window being hidden leave the operator
// in the box, and run nothing.
bool leftForAnotherControl(const QWidget* edit, const QFocusEvent* event) {
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return false;
    // A box hidden by the program hands the focus on without being left.
    return edit->isVisibleTo(edit->window());
}

class ExitFilter : public QObject {
public:
    ExitFilter(QWidget* edit, std::function<void()> handler)
        : QObject(edit), edit_(edit), handler_(std::move(handler)) {
        setObjectName(exitFilterName);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::FocusOut &&
            leftForAnotherControl(edit_, static_cast<QFocusEvent*>(event)))
            guarded(handler_);
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* edit_;
    std::function<void()> handler_;
};

} // namespace

void onExit(QLineEdit* edit, std::function<void()> handler) {
    edit->installEventFilter(new ExitFilter(edit, std::move(handler)));
}

void detachExitHandlers(QWidget* window) {
    for (QObject* filter : window->findChildren<QObject*>(QLatin1String(exitFilterName))) {
        if (auto* watched = qobject_cast<QWidget*>(filter->parent()))
            watched->removeEventFilter(filter);
        delete filter;
    }
}

} // namespace platform
