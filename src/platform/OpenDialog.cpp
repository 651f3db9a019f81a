// The file-open dialog.
#include "OpenDialog.h"

#include "Text.h"

#include <filesystem>
#include <utility>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace platform {

namespace {
std::function<std::optional<QString>(const OpenDialog&)>& responder() {
    static std::function<std::optional<QString>(const OpenDialog&)> instance;
    return instance;
}

// The chosen name as the file system spells it. The toolkit decodes the names it lists as UTF-8,
// a byte that is not UTF-8 becoming U+FFFD, and a name may have been typed in Latin-1: each part
// of the path that names nothing is taken as the one entry of its folder that reads as it does.
QString spelledOnDisk(const QString& chosen) {
    std::error_code ec;
    // Absolute by bytes too: the toolkit's own current folder would be decoded.
    auto absolute = [&ec](const std::filesystem::path& path) {
        return fromPath(std::filesystem::absolute(path, ec));
    };
    if (std::filesystem::exists(toPath(chosen), ec))
        return absolute(toPath(chosen));
    std::filesystem::path built = chosen.startsWith('/') ? "/" : "";
    for (const QString& part : chosen.split('/', Qt::SkipEmptyParts)) {
        std::filesystem::path next = built / toPath(part).filename();
        if (std::filesystem::exists(next, ec)) {
            built = std::move(next);
            continue;
        }
        std::optional<std::filesystem::path> match;
        std::filesystem::directory_iterator entries(built.empty() ? "." : built, ec);
        for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
            const std::string bytes = entries->path().filename().native();
            const auto size = static_cast<qsizetype>(bytes.size());
            if (QString::fromUtf8(bytes.data(), size) != part &&
                QString::fromLatin1(bytes.data(), size) != part)
                continue;
            if (match)
                return chosen;
            match = entries->path().filename();
        }
        if (!match)
            return chosen;
        built /= *match;
    }
    return absolute(built);
}

} // namespace

DialogResponder setDialogResponder(DialogResponder r) {
    return std::exchange(responder(), std::move(r));
}

OpenDialog::OpenDialog(const QString& name, const QString& filter, QObject* parent)
    : QObject(parent), filter_(filter) {
    setObjectName(name);
}

QStringList OpenDialog::nameFilters() const {
    QStringList parts = filter_.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.trimmed());
    }
    if (parts.size() % 2 == 1 && !parts.back().isEmpty())
        filters << QStringLiteral("%1 (*)").arg(parts.back());
    if (filters.isEmpty())
        filters << QStringLiteral("* (*)");
    return filters;
}

bool OpenDialog::execute() {
    std::optional<QString> chosen;
    if (responder()) {
        chosen = responder()(*this);
    } else {
        QFileDialog dialog(QApplication::activeWindow(), QString(), QDir::currentPath());
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(nameFilters());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front();
    }
    if (!chosen || chosen->isEmpty())
        return false;
    QFileInfo info(spelledOnDisk(*chosen));
    fileName_ = info.absoluteFilePath();
    // By bytes, so that a folder whose name is not UTF-8 is reached all the same.
    std::error_code ec;
    std::filesystem::current_path(toPath(info.absolutePath()), ec);
    return true;
}

} // namespace platform
