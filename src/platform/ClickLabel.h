// A label that reacts to a click.
#pragma once

#include "Guard.h"

#include <QLabel>

namespace platform {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

template <typename W> void onClick(ClickLabel* label, W* window, void (W::*handler)()) {
    QObject::connect(label, &ClickLabel::clicked, window,
                     [window, handler] { guarded([&] { (window->*handler)(); }); });
}

} // namespace platform
