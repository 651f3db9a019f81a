// The handler guard: every event handler runs through it, and a failure becomes an error box
// while the program goes on.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QObject>
#include <QScrollBar>

#include <functional>

namespace platform {

// Runs the handler; an exception is reported with an error box carrying its text.
void guarded(const std::function<void()>& handler);

template <typename W> void onClick(QAbstractButton* button, W* window, void (W::*handler)()) {
    QObject::connect(button, &QAbstractButton::clicked, window,
                     [window, handler] { guarded([&] { (window->*handler)(); }); });
}

template <typename W> void onTriggered(QAction* action, W* window, void (W::*handler)()) {
    QObject::connect(action, &QAction::triggered, window,
                     [window, handler] { guarded([&] { (window->*handler)(); }); });
}

// Calls the handler when the operator moves the slider (not when the program sets its range).
template <typename W> void onScroll(QScrollBar* bar, W* window, void (W::*handler)()) {
    QObject::connect(bar, &QScrollBar::actionTriggered, window,
                     [window, handler] { guarded([&] { (window->*handler)(); }); });
}

// Calls the handler when the operator leaves the edit box for another control of its window.
void onExit(QLineEdit* edit, std::function<void()> handler);
// Removes the exit handlers of every edit box in the window, so that nothing runs on a window
// that is going away.
void detachExitHandlers(QWidget* window);

template <typename W> void onExit(QLineEdit* edit, W* window, void (W::*handler)()) {
    onExit(edit, [window, handler] { (window->*handler)(); });
}

} // namespace platform
