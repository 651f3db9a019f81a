// The file-open dialog.
#include "OpenDialog.h"

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
    QFileInfo info(*chosen);
    fileName_ = info.absoluteFilePath();
    QDir::setCurrent(info.absolutePath());
    return true;
}

} // namespace platform
