#pragma once

#include "folders/folderListModel.h"
#include "folders/folderSide.h"
#include "ui/dialogs/dialogPlace.h"
#include "ui/presentation/presentable.h"

#include <QDialog>

class DriveBox;
class FolderListView;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// The dialog of a folder window's initial folder: a fixed folder, chosen by
// drive and folder list (or copied in from a folder window or the temporary
// folder), and whether it is in force or the window opens the folder of the
// last exit. The caller sets the purpose, the folder and the flag, runs
// exec(), and on acceptance takes Folder() and InForce(); OK is usable only
// after a change made while the dialog shows.
class InitialFolderDialog : public QDialog, public Presentable {
    Q_OBJECT

public:
    // What the dialog is used for: its label and tooltips, whether the flag
    // is offered (without it the fixed folder is always in force) and
    // whether the label shows the free space.
    struct Purpose {
        QString label;
        QString inForceTip;
        QString driveTip;
        QString folderTip;
        QString textTip;
        bool offersInForce = true;
        bool showsFreeSpace = true;
    };
    // The initial input folder and the initial output folder.
    static Purpose PurposeOf(folders::FolderSide side);

    explicit InitialFolderDialog(QWidget* parent = nullptr);

    // Puts the dialog where, and as large as, it was last closed; false
    // when the stored place cannot be read (the dialog's load step fails).
    bool RestorePlace() { return place_.Restore(); }

    void SetPurpose(const Purpose& purpose);
    // The folders the copy commands bring in.
    void SetCopySources(const QString& inputFolder, const QString& outputFolder);
    // Opens folder; one that cannot be opened opens the process's current
    // folder instead, without a message.
    void SetFolder(const QString& folder);
    void SetInForce(bool inForce);

    // The chosen folder in its long-name form; empty when it cannot be read.
    QString Folder() const;
    bool InForce() const;

    // The copy commands of the popup.
    void CopyInputFolder();
    void CopyOutputFolder();
    void CopyTemporaryFolder();

    void StoreSettings() override { place_.Store(); }

protected:
    // Every showing starts unchanged: OK waits for the user.
    void showEvent(QShowEvent* event) override;

private:
    void Refresh();
    void OpenDrive(const QString& rootPath);
    // The folder as text and the label, with the free space when asked.
    void ShowFolder();
    // The folder controls are usable exactly while the flag is set.
    void FollowInForce();
    void Changed();

    DialogPlace place_;
    Purpose purpose_;
    QString inputFolder_;
    QString outputFolder_;
    folders::FolderListModel folders_;
    QCheckBox* inForce_;
    QLabel* label_;
    DriveBox* drives_;
    FolderListView* folderList_;
    QLineEdit* folderText_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QMenu* popup_;
};
