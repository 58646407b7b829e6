#pragma once

#include "folders/folderAliases.h"
#include "ui/dialogs/dialogPlace.h"
#include "ui/presentation/presentable.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The maintenance dialog of a folder window's aliases: rename, move up and
// down, delete one or all. It works on a copy: the caller hands the aliases
// in with SetAliases before exec(), and takes Aliases() back only when
// exec() was accepted (OK); Cancel leaves the window's aliases as they were.
class AliasDialog : public QDialog, public Presentable {
    Q_OBJECT

public:
    explicit AliasDialog(QWidget* parent = nullptr);

    // Puts the dialog where it was last closed; false when the stored place
    // cannot be read (the dialog's load step fails).
    bool RestorePlace() { return place_.Restore(); }

    // The aliases of the folder window captioned windowCaption, the first
    // one selected.
    void SetAliases(const QString& windowCaption, const folders::FolderAliases& aliases);
    // The aliases as edited.
    folders::FolderAliases Aliases() const;

    // The editing commands, as the buttons run them.
    void Rename();
    void MoveUp();
    void MoveDown();
    void Delete();
    void DeleteAll();

    void StoreSettings() override { place_.Store(); }

private:
    void ShowList(int selected);
    void ShowSelectedFolder();
    void Swap(int first, int second);
    // Every control of the list is usable exactly while there is an alias.
    void UpdateControls();

    DialogPlace place_;
    QList<folders::FolderAlias> aliases_;
    QListWidget* list_;
    QLineEdit* folder_;
    QPushButton* rename_;
    QToolButton* up_;
    QToolButton* down_;
    QToolButton* delete_;
    QToolButton* deleteAll_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
