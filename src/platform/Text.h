// Conversions between the bytes of data files and the texts of controls.
#pragma once

#include "Canvas.h"

#include <QString>
#include <QWidget>

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Bytes from a file as shown on screen: UTF-8 when they are valid UTF-8, Latin-1 otherwise.
QString fromFileText(std::string_view bytes);
// A control's text as the bytes written to files and given to the conversions.
std::string toFileText(const QString& text);
std::filesystem::path toPath(const QString& path);
// The file name without its folder.
QString fileNameOnly(const QString& path);

} // namespace platform

namespace platform {
// Sets the colour of a control's text.
void setTextColor(QWidget* widget, Rgb color);
} // namespace platform

class QLineEdit;

namespace platform {
// The real value of a control's text; "'<text>' is not a valid floating point value" otherwise.
double realOf(const QString& text);
double realOf(const QLineEdit* edit);
// The whole value of an edit box's text; "'<text>' is not a valid integer value" otherwise.
int integerOf(const QLineEdit* edit);
// The general-format text of a value.
QString generalText(double value);
} // namespace platform
