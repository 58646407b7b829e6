#include "ui/commands/newFolderCommand.h"

#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/newFolder.h"
#include "util/sharedMessages.h"

QString AskAndMakeFolder(const QString& parent)
{
    using messages::SharedMessage;
    platform::IDialogs& dialogs = *platform::services().dialogs;
    const auto tell = [&dialogs](const QString& text) {
        dialogs.MessageBox(text, platform::MessageButtons::Ok);
    };

    const QString prompt = messages::Text(SharedMessage::NewFolderPrompt) + QLatin1Char('\n') + parent;
    // The rules judge the name that would be made, so spaces around it
    // cannot carry a refused name ("  .X") past them.
    const QString name = newFolder::TrimSpaces(
        dialogs.InputBox(prompt, messages::Text(SharedMessage::NewFolderTitle), QString()));
    if (name.isEmpty())
        return {};
    const newFolder::NameCheck check = newFolder::CheckName(name);
    if (check != newFolder::NameCheck::Accepted) {
        tell(newFolder::RefusalText(check));
        return {};
    }
    const newFolder::Outcome outcome = newFolder::Create(parent, name);
    switch (outcome.creation) {
    case newFolder::Creation::Created: return outcome.path;
    case newFolder::Creation::NotCreated: tell(messages::Text(SharedMessage::FolderNotCreated)); return {};
    case newFolder::Creation::NotEnterable:
        tell(messages::Text(SharedMessage::FolderCreationFailed));
        return {};
    }
    return {};
}
