#include "ui/deskCommands.h"

#include "archiver/archiver.h"
#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/aboutDialog.h"
#include "ui/fontCommand.h"
#include "ui/helpCommand.h"
#include "ui/loadFailure.h"
#include "ui/mainWindow.h"
#include "ui/optionsDialog.h"

#include <QAction>

DeskCommands::DeskCommands(MainWindow& window)
    : QObject(&window), window_(window), options_(new OptionsDialog(&window)),
      about_(new AboutDialog(&window))
{
    window.AttachDialog(DeskDialog::About, *about_);
    window.AttachDialog(DeskDialog::Options, *options_);

    const auto on = [this](MenuCommand command, auto slot) {
        connect(window_.MenuAction(command), &QAction::triggered, this, slot);
    };
    on(MenuCommand::Exit, [this] { window_.close(); });
    on(MenuCommand::Font, &DeskCommands::ChooseFont);
    on(MenuCommand::Options, &DeskCommands::EditOptions);
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

    if (!options_->RestorePlace()) {
        platform::services().dialogs->MessageBox(LoadFailureText(*options_, QStringLiteral("Form_Load")),
                                                 platform::MessageButtons::Ok);
        return false;
    }
    options_->ApplyFont();
    options_->ApplyTooltips(current.showTooltips);
    options_->SetLibrariesAvailable(libraries.UnlhaAvailable, libraries.CabAvailable);
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
    if (options_->exec() != QDialog::Accepted)
        return;
    options::Options& current = options::Current();
    const bool tooltipsBefore = current.showTooltips;
    current = options_->ChosenOptions();
    if (OptionsDialog::TooltipsNeedApplying(tooltipsBefore, current.showTooltips))
        window_.ApplyTooltipsEverywhere(current.showTooltips);
}

void DeskCommands::ShowAbout()
{
    about_->exec();
}
