#pragma once

#include <QString>

#include "util/shownLanguage.h"

// The Help command: the program's own manual in the desktop's viewer. The
// manual is in Japanese (manual.html) with an English version beside it
// (manual-en.html); a missing manual does nothing.
namespace helpCommand {

// The page to open from the manual folder for this language, the other
// one standing in when it is missing. Empty when neither is there.
QString ManualPage(const QString& manualDir, messages::Language language);

// Opens the manual of this installation in the language the program's texts
// are shown in.
void OpenManual();

} // namespace helpCommand
