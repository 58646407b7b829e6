#pragma once

#include "run/runLists.h"
#include "lists/distinctListModel.h"
#include "lists/listSelection.h"

#include <QObject>
#include <QStringListModel>

// The list of created files without its window: duplicate-free
// full paths in the order they were made, at most MaxEntries.
class OutputListModel : public QObject, public run::IOutputList {
    Q_OBJECT
public:
    static constexpr int MaxEntries = 1000;

    explicit OutputListModel(QObject* parent = nullptr);

    QStringListModel& Model() { return model_; }
    ListSelection& SelectionModel() { return selection_; }
    QStringList Entries() const { return model_.stringList(); }

    // Adds a created file; repeats and additions beyond the limit are ignored.
    void Add(const QString& path) override;
    // Drops entries whose file is gone, the others take the
    // file system's own spelling.
    void Refresh();
    // Empties the list (the files stay on disk).
    void Clear();
    // The full paths of the selected entries, first to last.
    QStringList SelectedPaths() const;

private:
    DistinctListModel model_;
    ListSelection selection_;
};
