#pragma once

#include "ui/children/folderWindow.h"
#include "ui/children/historyWindow.h"
#include "ui/children/inputListWindow.h"
#include "ui/commands/mainMenu.h"
#include "ui/desk/mainWindow.h"
#include "ui/children/outputListWindow.h"
#include "ui/children/workListWindow.h"
#include "modalDialog.h"

#include <QAction>
#include <QMdiArea>
#include <QPushButton>

namespace testSupport {

// The parts of a desk as a test reaches them: the windows and controls by
// their internal names, the menu and the MDI area by their types.
inline FolderWindow& InputFolderOf(const MainWindow& desk)
{
    return Named<FolderWindow>(desk, "mdiinDir");
}
inline InputListWindow& InputListOf(const MainWindow& desk)
{
    return Named<InputListWindow>(desk, "mdiinFile");
}
inline WorkListWindow& WorkListOf(const MainWindow& desk)
{
    return Named<WorkListWindow>(desk, "mdiFile");
}
inline FolderWindow& OutputFolderOf(const MainWindow& desk)
{
    return Named<FolderWindow>(desk, "mdiOutDir");
}
inline HistoryWindow& HistoryWindowOf(const MainWindow& desk)
{
    return Named<HistoryWindow>(desk, "mdiStatus");
}
inline OutputListWindow& OutputListOf(const MainWindow& desk)
{
    return Named<OutputListWindow>(desk, "mdiOutFile");
}
inline QMdiArea& ChildAreaOf(const MainWindow& desk)
{
    return *desk.findChild<QMdiArea*>();
}
inline MainMenu& MenuOf(const MainWindow& desk)
{
    return *desk.findChild<MainMenu*>();
}
inline QAction& MenuActionOf(const MainWindow& desk, MenuCommand command)
{
    return *MenuOf(desk).Action(command);
}
// The Execute button of kind 0 (DOS), 1 (Win16) or 2 (Win32).
inline QPushButton& ExecuteButtonOf(const MainWindow& desk, int kind)
{
    return Named<QPushButton>(Named(desk, "pnlTollbrook"),
                              kind == 0       ? "btnExe0"
                                  : kind == 1 ? "btnExe1"
                                              : "btnExe2");
}
inline QPushButton& CancelButtonOf(const MainWindow& desk)
{
    return Named<QPushButton>(Named(desk, "pnlTollbrook"), "btnCancel");
}

} // namespace testSupport
