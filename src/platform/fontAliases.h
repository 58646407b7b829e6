#pragma once

#include <QString>

// The program's fontconfig rules: the Mincho face behind the default font
// "ＭＳ 明朝".
namespace platform {

// Adds the rules of rulesFile to the fonts of this process. To be called
// before the first font is used; false when the file is missing or
// unreadable.
bool LoadFontAliases(const QString& rulesFile);

// The rules file of this installation: <data folder>/fontconfig.conf beside
// the libraries' folder (share/tollbrook2 next to lib/tollbrook2).
QString InstalledFontRules();

} // namespace platform
