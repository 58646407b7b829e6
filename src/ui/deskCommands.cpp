#include "ui/deskCommands.h"

#include "archiver/archiver.h"
#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/workListModel.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/aboutDialog.h"
#include "ui/aliasDialog.h"
#include "ui/folderWindow.h"
#include "ui/fontCommand.h"
#include "ui/helpCommand.h"
#include "ui/initialFolderDialog.h"
#include "ui/loadFailure.h"
#include "ui/mainWindow.h"
#include "ui/newFolderCommand.h"
#include "ui/optionsDialog.h"
#include "ui/workListWindow.h"

#include <QAction>

namespace {

void TellLoadFailure(const QString& text)
{
    platform::services().dialogs->MessageBox(text, platform::MessageButtons::Ok);
}

} // namespace

DeskCommands::DeskCommands(MainWindow& window)
    : QObject(&window), window_(window), about_(new AboutDialog(&window)),
      initialFolder_(new InitialFolderDialog(&window)), options_(new OptionsDialog(&window)),
      aliases_(new AliasDialog(&window))
{
    window.AttachDialog(DeskDialog::About, *about_);
    window.AttachDialog(DeskDialog::InitialFolders, *initialFolder_);
    window.AttachDialog(DeskDialog::Options, *options_);
    window.AttachDialog(DeskDialog::Aliases, *aliases_);
    window.SetAliasEditor(
        [this](const QString& windowCaption,
               const folders::FolderAliases& aliases) -> std::optional<folders::FolderAliases> {
            aliases_->SetAliases(windowCaption, aliases);
            if (aliases_->exec() != QDialog::Accepted)
                return std::nullopt;
            return aliases_->Aliases();
        });

    const auto on = [this](MenuCommand command, auto slot) {
        connect(window_.MenuAction(command), &QAction::triggered, this, slot);
    };
    on(MenuCommand::Exit, [this] { window_.close(); });
    on(MenuCommand::Font, &DeskCommands::ChooseFont);
    on(MenuCommand::LogCopy, [this] { window_.history().CopyToClipboard(); });
    on(MenuCommand::LogSave, [this] { window_.history().AskAndSaveLog(); });
    on(MenuCommand::InitialInputFolder, [this] { EditInitialFolder(folders::FolderSide::Input); });
    on(MenuCommand::InitialOutputFolder, [this] { EditInitialFolder(folders::FolderSide::Output); });
    on(MenuCommand::Options, &DeskCommands::EditOptions);
    on(MenuCommand::NewFolder, &DeskCommands::MakeFolder);
    on(MenuCommand::Help, [] { helpCommand::OpenManual(); });
    on(MenuCommand::About, &DeskCommands::ShowAbout);
}

bool DeskCommands::PrepareDialogs()
{
    const options::Options& current = options::Current();
    const archiver::Libraries& libraries = window_.libraries();

    about_->RestorePlace();
    about_->ApplyFont();
    about_->SetLibraries(libraries.UnlhaAvailable, libraries.UnlhaVersion, libraries.CabAvailable,
                         libraries.CabVersion);

    if (!initialFolder_->RestorePlace()) {
        TellLoadFailure(LoadFailureText(*initialFolder_, QStringLiteral("Form_Load")));
        return false;
    }
    initialFolder_->ApplyFont();

    if (!options_->RestorePlace()) {
        TellLoadFailure(LoadFailureText(*options_, QStringLiteral("Form_Load")));
        return false;
    }
    options_->ApplyFont();
    options_->ApplyTooltips(current.showTooltips);
    options_->SetLibrariesAvailable(libraries.UnlhaAvailable, libraries.CabAvailable);

    if (!aliases_->RestorePlace()) {
        // The one load-failure text without the program's name in front.
        TellLoadFailure(aliases_->objectName() + QStringLiteral(" Form_Load ERR"));
        return false;
    }
    aliases_->ApplyFont();
    aliases_->ApplyTooltips(current.showTooltips);
    return true;
}

void DeskCommands::ChooseFont()
{
    if (fontCommand::ChooseFont())
        window_.ApplyFontEverywhere();
}

void DeskCommands::EditOptions()
{
    options_->SetOptions(options::Current());
    if (options_->exec() == QDialog::Accepted) {
        options::Options& current = options::Current();
        const bool tooltipsBefore = current.showTooltips;
        current = options_->ChosenOptions();
        if (OptionsDialog::TooltipsNeedApplying(tooltipsBefore, current.showTooltips))
            window_.ApplyTooltipsEverywhere(current.showTooltips);
        window_.RebuildInputPattern();
        // Only the archives of types no longer taken leave the work list;
        // the rest of what the user collected stays.
        window_.workList().Work().RemoveRefusedTypes();
    }
    window_.UpdateExecuteButtons();
}

void DeskCommands::ShowAbout()
{
    about_->exec();
}

void DeskCommands::MakeFolder()
{
    const QString made = AskAndMakeFolder(window_.outputFolder().Folder());
    if (made.isEmpty())
        return;
    window_.outputFolder().OpenFolder(made);
    window_.inputFolder().Refresh();
}

void DeskCommands::EditInitialFolder(folders::FolderSide side)
{
    FolderWindow& folderWindow =
        side == folders::FolderSide::Input ? window_.inputFolder() : window_.outputFolder();
    folders::StartFolders& start = folderWindow.Start();
    initialFolder_->SetPurpose(InitialFolderDialog::PurposeOf(side));
    initialFolder_->ApplyTooltips(options::Current().showTooltips);
    initialFolder_->SetCopySources(window_.inputFolder().Folder(), window_.outputFolder().Folder());
    initialFolder_->SetFolder(start.initialFolder);
    initialFolder_->SetInForce(start.initialInForce);
    if (initialFolder_->exec() != QDialog::Accepted)
        return;
    start.initialFolder = initialFolder_->Folder();
    start.initialInForce = initialFolder_->InForce();
}
