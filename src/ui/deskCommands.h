#pragma once

#include <QObject>

class AboutDialog;
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

    OptionsDialog& Options() const { return *options_; }
    AboutDialog& About() const { return *about_; }

private:
    MainWindow& window_;
    OptionsDialog* options_;
    AboutDialog* about_;
};
