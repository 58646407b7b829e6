#pragma once

#include "core/archiveTypes.h"
#include "lists/inputListModel.h"
#include "ui/children/childWindow.h"

#include <QListView>

class QPushButton;

// The input archive list window: the archives of the input folder of the
// enabled types, and the three buttons that move them into the work list
// (the selected ones, all, all with those of the immediate subfolders).
class InputListWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit InputListWindow(InputListModel::AddToWorkList addToWorkList, QWidget* parent = nullptr);

    InputListModel& Input() { return input_; }

    // Shows the archives of folder; a folder that cannot be listed shows
    // the process's current folder instead.
    void ShowFolder(const QString& folder);
    // The file pattern of the archive types the options and libraries allow.
    void MakePattern(const ArchiveTypes& types);

    void AddSelected();
    void AddAll();
    void AddWithSubfolders();

signals:
    // Entries went to the work list: the Execute buttons follow.
    void WorkListChanged();
    // Enter in the list: the keyboard moves on to the work list.
    void MoveOnRequested();

protected:
    void LayOut(double clientWidth, double clientHeight) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPushButton*> Buttons() const;

    InputListModel input_;
    InputListModel::AddToWorkList addToWorkList_;
    QListView* list_;
    QPushButton* addSelected_;
    QPushButton* addAll_;
    QPushButton* addWithSubfolders_;
};
