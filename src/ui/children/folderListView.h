#pragma once

#include "folders/folderListModel.h"

#include <QListView>

// The folder list of a folder window as a view: the open folder and its
// ancestors indented as a path, its subfolders below. A double click or
// Enter opens the highlighted entry, Backspace the entry above it.
class FolderListView : public QListView {
    Q_OBJECT
public:
    explicit FolderListView(folders::FolderListModel& folders, QWidget* parent = nullptr);

    // The list index of the highlighted entry (-1 when it is the open folder
    // or nothing is highlighted).
    int HighlightedIndex() const;
    // Highlights the open folder.
    void HighlightOpenFolder();

signals:
    // The user asks to open the folder of this path.
    void OpenRequested(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    folders::FolderListModel& folders_;
};
