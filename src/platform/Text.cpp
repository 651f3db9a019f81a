// Conversions between file bytes and control texts.
#include "Text.h"

#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QStringDecoder>

namespace platform {

QString fromFileText(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!decoder.hasError())
        return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toFileText(const QString& text) {
    return text.toStdString();
}

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

QString fileNameOnly(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace platform

void platform::setTextColor(QWidget* widget, Rgb color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(static_cast<QRgb>(color | 0xFF000000u)));
    widget->setPalette(palette);
}

double platform::realOf(const QString& text) {
    return textio::strToFloat(toFileText(text));
}
double platform::realOf(const QLineEdit* edit) {
    return realOf(edit->text());
}
int platform::integerOf(const QLineEdit* edit) {
    return textio::strToInt(toFileText(edit->text()));
}
QString platform::generalText(double value) {
    return QString::fromStdString(textio::generalFormat(value));
}
