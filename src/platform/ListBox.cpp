// A fast append-only list.
#include "ListBox.h"

#include <QFontDatabase>
#include <QMetaObject>

namespace platform {

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= announced_)
        return {};
    return lines_[static_cast<std::size_t>(index.row())];
}

void ListModel::add(const QString& line) {
    lines_.push_back(line);
    if (!pending_) {
        pending_ = true;
        QMetaObject::invokeMethod(this, &ListModel::announce, Qt::QueuedConnection);
    }
}

void ListModel::announce() {
    pending_ = false;
    int total = count();
    if (total <= announced_)
        return;
    beginInsertRows(QModelIndex(), announced_, total - 1);
    announced_ = total;
    endInsertRows();
}

void ListModel::clear() {
    beginResetModel();
    lines_.clear();
    announced_ = 0;
    endResetModel();
}

ListBox::ListBox(QWidget* parent) : QListView(parent), model_(new ListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(1000);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Fixed-width fields of the list lines stay aligned.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void ListBox::add(const QString& line) {
    model_->add(line);
}
void ListBox::clear() {
    model_->clear();
}
int ListBox::count() const {
    return model_->count();
}
QString ListBox::item(int i) const {
    return model_->item(i);
}

QStringList ListBox::items() const {
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i)
        out << model_->item(i);
    return out;
}

} // namespace platform
