#pragma once

#include <QString>

#include "util/languages.h"

// The Help command: the program's own manual in the desktop's viewer, one
// file per language (the language table names them); a missing manual does
// nothing.
namespace helpCommand {

// The page to open from the manual folder for this language, another
// language's standing in when it is missing. Empty when none is there.
QString ManualPage(const QString& manualDir, messages::Language language);

// Opens the manual of this installation in the language the program's texts
// are shown in.
void OpenManual();

} // namespace helpCommand
