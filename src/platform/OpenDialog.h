// The file-open dialog: a filter list written as "description|pattern|description|pattern",
// a settable filter text, the chosen file name, and the move of the process's current folder to
// the folder of the chosen file.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace platform {

class OpenDialog : public QObject {
    Q_OBJECT
public:
    OpenDialog(const QString& name, const QString& filter, QObject* parent);

    QString filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }
    // The full path of the file last chosen.
    QString fileName() const { return fileName_; }
    // The filter as the toolkit's dialog takes it ("dat (*.dat)", ...).
    QStringList nameFilters() const;

    // Lets the operator choose a file; false when cancelled. On success the file name is kept
    // and the current folder becomes the file's folder.
    bool execute();

private:
    QString filter_;
    QString fileName_;
};

// While a responder is set, execute() asks it instead of showing a dialog; an empty optional is a
// cancel. An empty function restores the real dialog. Returns the responder it replaces.
using DialogResponder = std::function<std::optional<QString>(const OpenDialog&)>;
DialogResponder setDialogResponder(DialogResponder responder);

} // namespace platform
