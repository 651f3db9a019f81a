// A label for a file name: the whole name while it fits, else the name shortened in the middle,
// so that both its start and its extension stay readable.
#pragma once

#include <QLabel>

namespace platform {

// Only the painting is shortened: text() always returns the whole name, since other windows
// copy it from here.
class NameLabel : public QLabel {
    Q_OBJECT
public:
    explicit NameLabel(const QString& text, QWidget* parent = nullptr);

    // What is painted in the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
