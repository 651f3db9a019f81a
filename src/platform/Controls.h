// Making the named controls of a window at their place, as every window's createControls does.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>

namespace platform {

// Gives the control its design name and its place inside its parent.
template <typename W> W* named(W* widget, const QString& name, QRect geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

inline QLabel* label(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    return named(new QLabel(text, parent), name, geometry);
}

inline QPushButton* button(QWidget* parent, const QString& name, const QString& text,
                           QRect geometry) {
    return named(new QPushButton(text, parent), name, geometry);
}

inline QLineEdit* edit(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    return named(new QLineEdit(text, parent), name, geometry);
}

inline QRadioButton* radio(QWidget* parent, const QString& name, const QString& text,
                           QRect geometry) {
    return named(new QRadioButton(text, parent), name, geometry);
}

} // namespace platform
