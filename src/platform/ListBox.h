// A fast append-only list: a list view over a model that tells the view about new lines in
// batches, so that a million lines append in well under a second.
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

private:
    std::vector<QString> lines_;
    int announced_ = 0;
    bool pending_ = false;
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

private:
    ListModel* model_;
};

} // namespace platform
