#pragma once

#include "archiver/archiver.h"
#include "folders/folderSide.h"

#include <QObject>

class AboutDialog;
class AliasDialog;
class FolderWindow;
class HistoryModel;
class InitialFolderDialog;
class MainMenu;
class OptionsDialog;
class QWidget;
class WorkListModel;

// The parts of the desk the menu commands work on.
struct DeskParts {
    // The desk: the dialogs' parent, which Exit closes.
    QWidget& desk;
    MainMenu& menu;
    HistoryModel& history;
    FolderWindow& inputFolder;
    FolderWindow& outputFolder;
    WorkListModel& work;
    // The libraries start-up found (the about box and the options show them).
    const archiver::Libraries& libraries;
};

// The desk's menu commands and the dialogs they open. Each dialog is made
// once, with the commands; a command fills its dialog before exec() and
// applies what the dialog hands back. Font and tooltip changes are
// announced to every window (PresentationChanges); what else follows the
// options is the desk's, told by OptionsAccepted.
class DeskCommands : public QObject {
    Q_OBJECT

public:
    explicit DeskCommands(const DeskParts& parts);

    // The dialogs' load step at start-up: their places, font, tooltips and
    // what the libraries found allow. False, after the failing dialog's
    // message, when a stored place cannot be read.
    bool PrepareDialogs();
    // Stores the dialogs' places (when the desk closes).
    void StoreDialogPlaces();

    void ChooseFont();
    void EditOptions();
    void ShowAbout();
    void MakeFolder();
    void EditInitialFolder(folders::FolderSide side);

signals:
    // The options dialog was closed with OK and its options are current;
    // the archives of types no longer taken have left the work list.
    void OptionsAccepted();

private:
    DeskParts parts_;
    AboutDialog* about_;
    InitialFolderDialog* initialFolder_;
    OptionsDialog* options_;
    AliasDialog* aliases_;
};
