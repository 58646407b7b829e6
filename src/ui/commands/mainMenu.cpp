#include "ui/commands/mainMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

// The menu captions are the source texts of the translation: under Japanese
// they stand as they are.
QString Caption(const char* caption)
{
    return QCoreApplication::translate("messages", caption);
}

QAction* AddCommand(QMenuBar& bar, const char* caption)
{
    return bar.addAction(Caption(caption));
}

QAction* AddCommand(QMenu& menu, const char* caption)
{
    return menu.addAction(Caption(caption));
}

} // namespace

MainMenu::MainMenu(QMenuBar& bar) : QObject(&bar)
{
    auto set = [this](MenuCommand command, QAction* action) {
        actions_[static_cast<size_t>(command)] = action;
    };
    set(MenuCommand::Exit, AddCommand(bar, "E(&x)it"));
    set(MenuCommand::Font, AddCommand(bar, "Fon(&t)"));
    log_ = bar.addMenu(Caption("(&L)og"));
    set(MenuCommand::LogCopy, AddCommand(*log_, "Log(&C)opy"));
    set(MenuCommand::LogSave, AddCommand(*log_, "Log(&S)ave"));
    initialFolders_ = bar.addMenu(Caption("(&D)efault"));
    set(MenuCommand::InitialInputFolder, AddCommand(*initialFolders_, "InDirDefault"));
    set(MenuCommand::InitialOutputFolder, AddCommand(*initialFolders_, "OutDirDefault"));
    set(MenuCommand::Options, AddCommand(bar, "(&O)ption"));
    set(MenuCommand::NewFolder, AddCommand(bar, "M(&k)dir"));
    set(MenuCommand::Help, AddCommand(bar, "(&H)elp"));
    set(MenuCommand::About, AddCommand(bar, "(&A)bout"));
}

QAction* MainMenu::Action(MenuCommand command) const
{
    return actions_[static_cast<size_t>(command)];
}

void MainMenu::SetEnabled(bool enabled)
{
    for (QAction* item :
         {Action(MenuCommand::Exit), Action(MenuCommand::Font), log_->menuAction(),
          initialFolders_->menuAction(), Action(MenuCommand::Options), Action(MenuCommand::NewFolder),
          Action(MenuCommand::Help), Action(MenuCommand::About)}) {
        item->setEnabled(enabled);
    }
}

bool MainMenu::IsEnabled() const
{
    return Action(MenuCommand::Exit)->isEnabled();
}
