#pragma once

#include <QLocale>
#include <QString>

// The Help command: the program's own manual in the desktop's viewer. The
// manual is in Japanese (manual.html) with an English version beside it
// (manual-en.html); a missing manual does nothing.
namespace helpCommand {

// The page to open from the manual folder for a user of this language: the
// Japanese one for Japanese, else the English one, each standing in for the
// other when it is missing. Empty when neither is there.
QString ManualPage(const QString& manualDir, QLocale::Language language);

// Opens the manual of this installation for the user's language.
void OpenManual();

} // namespace helpCommand
