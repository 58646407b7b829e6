#include "lists/distinctListModel.h"

DistinctListModel::DistinctListModel(QObject* parent) : QStringListModel(parent)
{
    connect(this, &QAbstractItemModel::rowsInserted, this, &DistinctListModel::MarkStale);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &DistinctListModel::MarkStale);
    connect(this, &QAbstractItemModel::rowsMoved, this, &DistinctListModel::MarkStale);
    connect(this, &QAbstractItemModel::dataChanged, this, &DistinctListModel::MarkStale);
    connect(this, &QAbstractItemModel::modelReset, this, &DistinctListModel::MarkStale);
    connect(this, &QAbstractItemModel::layoutChanged, this, &DistinctListModel::MarkStale);
}

bool DistinctListModel::Contains(const QString& text) const
{
    if (stale_) {
        const QStringList entries = stringList();
        index_ = QSet<QString>(entries.begin(), entries.end());
        stale_ = false;
    }
    return index_.contains(text);
}

void DistinctListModel::Append(const QString& text)
{
    // Brought up to date first, so that only this row is missing from it.
    Contains(text);
    const int row = rowCount();
    appending_ = true;
    insertRows(row, 1);
    setData(index(row), text);
    appending_ = false;
    index_.insert(text);
}

void DistinctListModel::MarkStale()
{
    if (!appending_)
        stale_ = true;
}
