// A fast append-only list: a list view over a model that tells the view about new lines in
// batches, so that a million lines append in well under a second. No line is cut short: every row
// is as wide as the longest line, and a line wider than the box scrolls horizontally.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

#include <vector>

namespace platform {

class ListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void add(const QString& line);
    void clear();
    int count() const { return static_cast<int>(lines_.size()); }
    const QString& item(int i) const { return lines_.at(static_cast<std::size_t>(i)); }
    // Tells the view about the lines added since the last announcement.
    void announce();
    // Row of the longest line the view has been told about, or -1 when there is none. The list
    // font is fixed-pitch, so the longest line is also the widest: no line needs measuring.
    int longestAnnounced() const { return longestAnnounced_; }

private:
    std::vector<QString> lines_;
    int announced_ = 0;
    bool pending_ = false;
    int longest_ = -1;
    int longestAnnounced_ = -1;
};

class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    void add(const QString& line);
    void clear();
    int count() const;
    // Line i, counted from 0.
    QString item(int i) const;
    QStringList items() const;

    // With follow on, the list scrolls to its last line whenever new lines are shown, so that a
    // running job's newest result stays in sight.
    void setFollowNewest(bool follow);

protected:
    void updateGeometries() override;

private:
    ListModel* model_;
    bool followNewest_ = false;
    bool scrollPending_ = false;
};

} // namespace platform
