#pragma once

#include "lists/outputListModel.h"
#include "ui/childWindow.h"
#include "ui/listLayoutDue.h"

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
class OutputListWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit OutputListWindow(QWidget* parent = nullptr);

    OutputListModel& Output() { return output_; }
    FileDragListView* List() const { return list_; }

    void ApplyTooltips(bool show) override;
    void BeforePaint() override;

protected:
    QList<QWidget*> FontTargets() const override;
    void LayOut(double clientWidth, double clientHeight) override;

private:
    OutputListModel output_;
    FileDragListView* list_;
    ListLayoutDue layoutDue_;
};
