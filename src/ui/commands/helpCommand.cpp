#include "ui/commands/helpCommand.h"

#include "platform/documentViewer.h"
#include "platform/services.h"
#include "util/paths.h"

#include <QFileInfo>

namespace helpCommand {

QString ManualPage(const QString& manualDir, messages::Language language)
{
    const QString japanese = manualDir + QStringLiteral("/manual.html");
    const QString english = manualDir + QStringLiteral("/manual-en.html");
    const QString preferred = language == messages::Language::Japanese ? japanese : english;
    const QString other = language == messages::Language::Japanese ? english : japanese;
    for (const QString& page : {preferred, other}) {
        if (QFileInfo(page).isFile())
            return page;
    }
    return {};
}

void OpenManual()
{
    const QString page = ManualPage(paths::GetManualDir(), messages::ShownLanguage());
    if (!page.isEmpty())
        platform::services().documents->Open(page);
}

} // namespace helpCommand
