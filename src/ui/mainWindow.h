#pragma once

#include "ui/mainMenu.h"
#include "ui/presentable.h"

#include <QMainWindow>

#include <array>

class QMdiArea;
class RunPanel;

// The dialogs of the desk, in the order the font command and the close
// reach them.
enum class DeskDialog { About, InitialFolders, Options, Aliases };

// The main window: the desk, with the run panel on top, the shared menu
// bar, and the MDI area of the child windows. It is created once the
// windowless start (the "/U" switch, the options, the library check and the
// automatic run) has decided that the desk opens; closing it stores the
// settings of every window, its own place and the options.
class MainWindow : public QMainWindow, public Presentable {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Titles the desk and puts it where it was closed last. False when the
    // stored place cannot be used; the user has been told and the process
    // ends.
    bool PrepareDesk();

    QMdiArea* childArea() const { return childArea_; }
    RunPanel& runPanel() const { return *panel_; }
    MainMenu& menu() const { return *menu_; }
    QAction* MenuAction(MenuCommand command) const { return menu_->Action(command); }

    // A dialog the desk's commands reach: it gets the font and tooltip
    // changes and stores its settings when the desk closes.
    void AttachDialog(DeskDialog slot, Presentable& dialog);

    // The font command's second half: every window and dialog takes the
    // font options (main window, child windows, then the dialogs).
    void ApplyFontEverywhere();
    // The options dialog's OK: every window and dialog takes the tooltip
    // option.
    void ApplyTooltipsEverywhere(bool show);

    void ApplyFont() override;
    void ApplyTooltips(bool show) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Everything that reacts to the main window's size: the Cancel button.
    void LayOutDesk();
    void StoreSettings() override;
    bool RestoreGeometry();
    QList<Presentable*> AttachedDialogs() const;

    QMdiArea* childArea_;
    RunPanel* panel_;
    MainMenu* menu_;
    std::array<Presentable*, 4> dialogs_{};
};
