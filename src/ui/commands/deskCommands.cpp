#include "ui/commands/deskCommands.h"

#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/workListModel.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/dialogs/aboutDialog.h"
#include "ui/dialogs/aliasDialog.h"
#include "ui/children/folderWindow.h"
#include "ui/commands/fontCommand.h"
#include "ui/commands/helpCommand.h"
#include "ui/dialogs/initialFolderDialog.h"
#include "ui/children/loadFailure.h"
#include "ui/commands/mainMenu.h"
#include "ui/commands/newFolderCommand.h"
#include "ui/dialogs/optionsDialog.h"
#include "ui/presentation/presentationChanges.h"

#include <QAction>

namespace {

void TellLoadFailure(const QString& text)
{
    platform::services().dialogs->MessageBox(text, platform::MessageButtons::Ok);
}

} // namespace

DeskCommands::DeskCommands(const DeskParts& parts)
    : QObject(&parts.desk), parts_(parts), about_(new AboutDialog(&parts.desk)),
      initialFolder_(new InitialFolderDialog(&parts.desk)), options_(new OptionsDialog(&parts.desk)),
      aliases_(new AliasDialog(&parts.desk))
{
    const AliasEditor editAliases =
        [this](const QString& windowCaption,
               const folders::FolderAliases& aliases) -> std::optional<folders::FolderAliases> {
        aliases_->SetAliases(windowCaption, aliases);
        if (aliases_->exec() != QDialog::Accepted)
            return std::nullopt;
        return aliases_->Aliases();
    };
    parts_.inputFolder.SetAliasEditor(editAliases);
    parts_.outputFolder.SetAliasEditor(editAliases);

    const auto on = [this](MenuCommand command, auto slot) {
        connect(parts_.menu.Action(command), &QAction::triggered, this, slot);
    };
    on(MenuCommand::Exit, [this] { parts_.desk.close(); });
    on(MenuCommand::Font, &DeskCommands::ChooseFont);
    on(MenuCommand::LogCopy, [this] { parts_.history.CopyToClipboard(); });
    on(MenuCommand::LogSave, [this] { parts_.history.AskAndSaveLog(); });
    on(MenuCommand::InitialInputFolder, [this] { EditInitialFolder(folders::FolderSide::Input); });
    on(MenuCommand::InitialOutputFolder, [this] { EditInitialFolder(folders::FolderSide::Output); });
    on(MenuCommand::Options, &DeskCommands::EditOptions);
    on(MenuCommand::NewFolder, &DeskCommands::MakeFolder);
    on(MenuCommand::Help, [] { helpCommand::OpenManual(); });
    on(MenuCommand::About, &DeskCommands::ShowAbout);
}

bool DeskCommands::PrepareDialogs()
{
    const bool showTooltips = options::Current().showTooltips;
    const archiver::Libraries& libraries = parts_.libraries;

    about_->RestorePlace();
    about_->ApplyFont();
    about_->SetLibraries(libraries);

    if (!initialFolder_->RestorePlace()) {
        TellLoadFailure(LoadFailureText(*initialFolder_, QStringLiteral("Form_Load")));
        return false;
    }
    initialFolder_->ApplyFont();
    initialFolder_->ApplyTooltips(showTooltips);

    if (!options_->RestorePlace()) {
        TellLoadFailure(LoadFailureText(*options_, QStringLiteral("Form_Load")));
        return false;
    }
    options_->ApplyFont();
    options_->ApplyTooltips(showTooltips);
    options_->SetLibrariesAvailable(libraries.Of(archiver::kLzh) != nullptr,
                                    libraries.Of(archiver::kCab) != nullptr);

    if (!aliases_->RestorePlace()) {
        // The one load-failure text without the program's name in front.
        TellLoadFailure(aliases_->objectName() + QStringLiteral(" Form_Load ERR"));
        return false;
    }
    aliases_->ApplyFont();
    aliases_->ApplyTooltips(showTooltips);
    return true;
}

void DeskCommands::StoreDialogPlaces()
{
    about_->StoreSettings();
    initialFolder_->StoreSettings();
    options_->StoreSettings();
    aliases_->StoreSettings();
}

void DeskCommands::ChooseFont()
{
    if (fontCommand::ChooseFont())
        PresentationChanges::Current().AnnounceFont();
}

void DeskCommands::EditOptions()
{
    options_->SetOptions(options::Current());
    if (options_->exec() != QDialog::Accepted)
        return;
    options::Options& current = options::Current();
    const bool tooltipsBefore = current.showTooltips;
    current = options_->ChosenOptions();
    if (OptionsDialog::TooltipsNeedApplying(tooltipsBefore, current.showTooltips))
        PresentationChanges::Current().AnnounceTooltips(current.showTooltips);
    // Only the archives of types no longer taken leave the work list; the
    // rest of what the user collected stays.
    parts_.work.RemoveRefusedTypes();
    emit OptionsAccepted();
}

void DeskCommands::ShowAbout()
{
    about_->exec();
}

void DeskCommands::MakeFolder()
{
    const QString made = AskAndMakeFolder(parts_.outputFolder.Folder());
    if (made.isEmpty())
        return;
    parts_.outputFolder.OpenFolder(made);
    parts_.inputFolder.Refresh();
}

void DeskCommands::EditInitialFolder(folders::FolderSide side)
{
    FolderWindow& folderWindow =
        side == folders::FolderSide::Input ? parts_.inputFolder : parts_.outputFolder;
    folders::StartFolders& start = folderWindow.Start();
    initialFolder_->SetPurpose(InitialFolderDialog::PurposeOf(side));
    initialFolder_->SetCopySources(parts_.inputFolder.Folder(), parts_.outputFolder.Folder());
    initialFolder_->SetFolder(start.initialFolder);
    initialFolder_->SetInForce(start.initialInForce);
    if (initialFolder_->exec() != QDialog::Accepted)
        return;
    start.initialFolder = initialFolder_->Folder();
    start.initialInForce = initialFolder_->InForce();
}
