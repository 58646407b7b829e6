#pragma once

#include "folders/folderAliases.h"
#include "folders/folderListModel.h"
#include "folders/folderSide.h"
#include "folders/startFolders.h"
#include "ui/children/aliasEditor.h"
#include "ui/children/childWindow.h"

#include <array>

class DriveBox;
class FolderListView;
class QAction;
class QLineEdit;

// A folder window: the input folder (whose archives the input list shows)
// or the output folder (where the self-extractors go, its free space in the
// caption). A drive list, the folder list and the folder as text; a popup
// that copies the folder to the other window, refreshes, and keeps up to
// ten folder aliases.
class FolderWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit FolderWindow(folders::FolderSide side, QWidget* parent = nullptr);

    // The load step: reads the start folders and opens the start folder,
    // then the place, the font, the tooltips and the aliases. False when a
    // stored value cannot be read: the load fails.
    bool Load(const QString& currentFolder);

    // The open folder in its long-name form; empty when it cannot be read.
    QString Folder() const;
    // Opens folder; one that cannot be opened opens currentFolder instead
    // (the process's current folder), without a message.
    void OpenFolder(const QString& folder);
    // Reads the drives and the folder list again and updates the text (and
    // the caption's free space, or the input list).
    void Refresh();

    // The initial folder, its flag and the last folder: the initial-folder
    // dialog edits them, the window stores them at exit.
    folders::StartFolders& Start() { return start_; }
    const folders::FolderAliases& Aliases() const { return aliases_; }
    void SetAliases(const folders::FolderAliases& aliases);

    // The window that the copy command sends this folder to.
    void SetOtherWindow(FolderWindow* other) { other_ = other; }
    // The maintenance dialog the popup opens.
    void SetAliasEditor(AliasEditor editor) { aliasEditor_ = std::move(editor); }

    // The popup's commands.
    void CopyToOtherWindow();
    void AddAlias();
    void MaintainAliases();
    void OpenAlias(int slot);

    DriveBox* Drives() const { return drives_; }
    QAction* AddAliasAction() const { return addAlias_; }
    QAction* MaintainAliasesAction() const { return maintainAliases_; }
    QAction* AliasAction(int slot) const { return aliasItems_.at(slot); }
    QAction* AliasSeparator() const { return aliasSeparator_; }

    void StoreSettings() override;

signals:
    // The open folder changed (input folder window: the input list follows).
    void FolderChanged(const QString& path);

protected:
    void LayOut(double clientWidth, double clientHeight) override;

private:
    QString Caption() const;
    // What a change of the open folder does: the text, and the caption's
    // free space or the input list.
    void FolderHasChanged();
    // Reads the drives again and shows the open folder as it is listed.
    void ShowOpenFolder();
    void OpenDrive(const QString& rootPath);
    void ShowAliasItems();

    folders::FolderSide side_;
    folders::FolderListModel folders_;
    folders::StartFolders start_;
    folders::FolderAliases aliases_;
    DriveBox* drives_;
    FolderListView* folderList_;
    QLineEdit* folderText_;
    QAction* addAlias_ = nullptr;
    QAction* maintainAliases_ = nullptr;
    QAction* aliasSeparator_ = nullptr;
    std::array<QAction*, folders::FolderAliases::MaxCount> aliasItems_{};
    FolderWindow* other_ = nullptr;
    AliasEditor aliasEditor_;
    QString currentFolder_;
    bool opening_ = false; // OpenFolder is under way: it tells of the change itself
};
