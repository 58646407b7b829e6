#pragma once

#include "folders/folderSide.h"

#include <QObject>

class AboutDialog;
class AliasDialog;
class InitialFolderDialog;
class MainWindow;
class OptionsDialog;

// The main window's menu commands and the dialogs they open. Each dialog is
// made once, with the desk, and attached to it (font, tooltips, its stored
// place); a command fills its dialog before exec() and applies what the
// dialog hands back.
class DeskCommands : public QObject {
    Q_OBJECT

public:
    explicit DeskCommands(MainWindow& window);

    // The dialogs' load step at start-up: their places, font, tooltips and
    // what the libraries found allow. False, after the failing dialog's
    // message, when a stored place cannot be read.
    bool PrepareDialogs();

    void ChooseFont();
    void EditOptions();
    void ShowAbout();
    void MakeFolder();
    void EditInitialFolder(folders::FolderSide side);

    OptionsDialog& Options() const { return *options_; }
    AboutDialog& About() const { return *about_; }
    AliasDialog& Aliases() const { return *aliases_; }
    InitialFolderDialog& InitialFolder() const { return *initialFolder_; }

private:
    MainWindow& window_;
    AboutDialog* about_;
    InitialFolderDialog* initialFolder_;
    OptionsDialog* options_;
    AliasDialog* aliases_;
};
