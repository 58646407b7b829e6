#pragma once

#include <QObject>

#include <array>

class QAction;
class QMenu;
class QMenuBar;

// The commands of the desk's menu bar.
enum class MenuCommand {
    Exit,
    Font,
    LogCopy,
    LogSave,
    InitialInputFolder,
    InitialOutputFolder,
    Options,
    NewFolder,
    Help,
    About,
};

// The menu bar every window of the desk shares: its items with their
// captions (the Japanese desk's fixed Latin ones, English under English) in
// their order, and the enabled state of the top-level items (off while a run
// is under way).
class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar& bar);

    QAction* Action(MenuCommand command) const;

    // The top-level items: Exit, Font, Log, Default, Option, Mkdir, Help and
    // About. Their sub-items cannot be reached while their parent is off.
    void SetEnabled(bool enabled);
    bool IsEnabled() const;

private:
    QMenu* log_;
    QMenu* initialFolders_;
    std::array<QAction*, 10> actions_{};
};
