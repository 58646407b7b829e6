#pragma once

#include "lists/workListModel.h"
#include "ui/children/childWindow.h"

#include <QListView>
#include <QUrl>

class QPushButton;

// The work list as a view: files dropped from a file manager arrive here,
// and Delete removes the selected entries.
class FileDropListView : public QListView {
    Q_OBJECT
public:
    explicit FileDropListView(QWidget* parent = nullptr);

signals:
    void FilesDropped(const QList<QUrl>& urls);
    void DeletePressed();
    void EnterPressed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The work list window: the archives the next run converts, with the
// buttons that remove entries and a popup that selects and copies an
// entry's folder to a folder window.
class WorkListWindow : public ChildWindow {
    Q_OBJECT
public:
    // typeCheck: which archive types files from outside may bring.
    explicit WorkListWindow(std::function<bool(const QString&)> typeCheck, QWidget* parent = nullptr);

    WorkListModel& Work() { return work_; }
    FileDropListView* List() const { return list_; }

    // Takes dropped files as archives from outside, in their order, until
    // the list is full; anything that is no local file is passed over.
    void AddDropped(const QList<QUrl>& urls);
    void RemoveSelected();
    void RemoveAll();

signals:
    // The list has changed: the Execute buttons follow.
    void EntriesChanged();
    // The folder of the first selected entry, for the output or input
    // folder window.
    void OutputFolderRequested(const QString& folder);
    void InputFolderRequested(const QString& folder);
    // Enter in the list: the keyboard moves on to the output folder window.
    void MoveOnRequested();

protected:
    void LayOut(double clientWidth, double clientHeight) override;

private:
    // The folder of the first selected entry, or empty.
    QString FirstSelectedFolder() const;

    WorkListModel work_;
    FileDropListView* list_;
    QPushButton* removeSelected_;
    QPushButton* removeAll_;
};
