#pragma once

#include "lists/outputListModel.h"
#include "ui/children/fullListWindow.h"

#include <QListView>

// The list of created files as a view: its selected entries are dragged out
// as files, for a copy only.
class FileDragListView : public QListView {
    Q_OBJECT
public:
    explicit FileDragListView(OutputListModel& output, QWidget* parent = nullptr);

    // The data a drag offers: the selected entries as file URLs.
    QMimeData* DraggedFiles() const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;

private:
    OutputListModel& output_;
};

// The output file list window: every self-extractor the runs of this
// session created, dragged out from here; a popup empties, re-checks and
// selects.
class OutputListWindow : public FullListWindow {
    Q_OBJECT
public:
    explicit OutputListWindow(QWidget* parent = nullptr);

    OutputListModel& Output() { return output_; }

private:
    OutputListModel output_;
    FileDragListView* list_;
};
