// A fast append-only list.
#include "ListBox.h"

#include <QFontDatabase>
#include <QMetaObject>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace platform {

namespace {

// The view asks one row for the size of every row (uniform item sizes keep appends fast); this
// answers with the size of the longest line, so that no row is narrower than its text.
class LongestLineDelegate : public QStyledItemDelegate {
public:
    LongestLineDelegate(const ListModel* model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        int longest = model_->longestAnnounced();
        return QStyledItemDelegate::sizeHint(option, longest < 0 ? index : model_->index(longest));
    }

private:
    const ListModel* model_;
};

} // namespace

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= announced_)
        return {};
    return lines_[static_cast<std::size_t>(index.row())];
}

void ListModel::add(const QString& line) {
    if (longest_ < 0 || line.size() > item(longest_).size())
        longest_ = count();
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
    longestAnnounced_ = longest_;
    endInsertRows();
}

void ListModel::clear() {
    beginResetModel();
    lines_.clear();
    announced_ = 0;
    longest_ = -1;
    longestAnnounced_ = -1;
    endResetModel();
}

ListBox::ListBox(QWidget* parent) : QListView(parent), model_(new ListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(1000);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new LongestLineDelegate(model_, this));
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed-width fields of the list lines stay aligned.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The view would step sideways by a whole row's width; a few characters suit reading better.
    horizontalScrollBar()->setSingleStep(4 * fontMetrics().horizontalAdvance(QLatin1Char('0')));
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (followNewest_)
            scrollPending_ = true;
    });
}

void ListBox::setFollowNewest(bool follow) {
    followNewest_ = follow;
}

void ListBox::updateGeometries() {
    QListView::updateGeometries();
    if (!scrollPending_)
        return;
    // A long list is laid out in batches; the bottom is known once the last row has its place.
    int rows = model_->rowCount();
    if (rows == 0 || !rectForIndex(model_->index(rows - 1)).isValid())
        return;
    scrollPending_ = false;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
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
