// Conversions between file bytes and control texts.
#include "Text.h"

#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/NumberText.h"

#include <QFileInfo>
#include <QLineEdit>

#include <optional>

namespace platform {

QString fromFileText(std::string_view bytes) {
    return QString::fromStdString(textio::asUtf8(bytes));
}

std::string toFileText(const QString& text) {
    return text.toStdString();
}

namespace {

constexpr char16_t firstEscape = 0xDC80;
constexpr char16_t lastEscape = 0xDCFF;

// The bytes of a name: UTF-8, with the escaped bytes put back.
std::string nameBytes(const QString& name) {
    std::string bytes;
    qsizetype runStart = 0;
    auto flushRun = [&](qsizetype end) {
        bytes.append(name.sliced(runStart, end - runStart).toStdString());
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name[i].unicode();
        const bool escape = u >= firstEscape && u <= lastEscape &&
                            (i == 0 || !QChar::isHighSurrogate(name[i - 1].unicode()));
        if (!escape)
            continue;
        flushRun(i);
        bytes.push_back(static_cast<char>(u - 0xDC00));
        runStart = i + 1;
    }
    flushRun(name.size());
    return bytes;
}

// The Latin-1 bytes of a name that holds a character from U+0080 to U+00FF and none past it.
std::optional<std::string> latin1Bytes(const QString& name) {
    bool wide = false;
    for (QChar c : name) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        wide = wide || c.unicode() >= 0x80;
    }
    if (!wide)
        return std::nullopt;
    return name.toLatin1().toStdString();
}

} // namespace

std::filesystem::path toPath(const QString& path) {
    std::filesystem::path utf8(nameBytes(path));
    std::error_code ec;
    if (std::filesystem::exists(utf8, ec))
        return utf8;
    if (auto latin1 = latin1Bytes(path)) {
        std::filesystem::path other(*latin1);
        if (std::filesystem::exists(other, ec))
            return other;
    }
    return utf8;
}

QString fromPath(const std::filesystem::path& path) {
    const std::string& bytes = path.native();
    QString name;
    std::size_t runStart = 0;
    auto flushRun = [&](std::size_t end) {
        name.append(
            QString::fromUtf8(bytes.data() + runStart, static_cast<qsizetype>(end - runStart)));
    };
    for (std::size_t i = 0; i < bytes.size();) {
        if (std::size_t n = textio::utf8Length(std::string_view(bytes).substr(i)); n > 0) {
            i += n;
            continue;
        }
        flushRun(i);
        name.append(QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i]))));
        runStart = ++i;
    }
    flushRun(bytes.size());
    return name;
}

QString fileNameOnly(const QString& path) {
    return QFileInfo(path).fileName();
}

QString withoutLastFour(const QString& name) {
    return fromPath(textio::withoutLastFour(toPath(name).string()));
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
