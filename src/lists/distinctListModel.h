#pragma once

#include <QSet>
#include <QStringListModel>

// A string list model that answers "is this string listed?" without a scan.
// Strings appended through Append() go straight into the index; any other
// change of the model (removals, a reset, an edit through a view) only marks
// the index stale, and the next question rebuilds it once.
class DistinctListModel : public QStringListModel {
    Q_OBJECT
public:
    explicit DistinctListModel(QObject* parent = nullptr);

    // Exact string equality with a listed entry.
    bool Contains(const QString& text) const;
    // Adds text as the last row.
    void Append(const QString& text);

private:
    void MarkStale();

    mutable QSet<QString> index_;
    mutable bool stale_ = false;
    bool appending_ = false;
};
