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
// File names are bytes. Valid UTF-8 is read as such; a byte that is not (a Latin-1 "ñ", say)
// travels in a QString as one of U+DC80 .. U+DCFF, so that fromPath and toPath give back exactly
// the bytes the file system spells. A name whose UTF-8 spelling names nothing while its Latin-1
// spelling names an existing file (a name read from a Latin-1 list by fromFileText, or typed)
// gives that file.
std::filesystem::path toPath(const QString& path);
QString fromPath(const std::filesystem::path& path);
// The file name without its folder.
QString fileNameOnly(const QString& path);
// The name without its last four characters (its extension with the point), never cutting a
// character in two.
QString withoutLastFour(const QString& name);

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
