#include "ui/commands/helpCommand.h"

#include "platform/documentViewer.h"
#include "platform/services.h"
#include "util/paths.h"

#include <QFileInfo>

namespace helpCommand {

QString ManualPage(const QString& manualDir, messages::Language language)
{
    auto page = [&](const messages::LanguageRow& row) {
        return manualDir + QLatin1Char('/') + QString::fromLatin1(row.manual);
    };
    if (QFileInfo(page(language.Row())).isFile())
        return page(language.Row());
    // Another language's manual rather than none, the source language's first.
    for (const messages::LanguageRow& row : messages::kLanguages) {
        if (QFileInfo(page(row)).isFile())
            return page(row);
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
