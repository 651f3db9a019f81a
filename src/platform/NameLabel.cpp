// A label for a file name, shortened in the middle only where it is painted.
#include "NameLabel.h"

#include <QPainter>
#include <QStyle>

namespace platform {

NameLabel::NameLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // A file name is shown as it is written, never read as markup.
    setTextFormat(Qt::PlainText);
}

QString NameLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void NameLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

} // namespace platform
