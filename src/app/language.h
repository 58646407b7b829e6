#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace app {

// The languages the windows and the terminal lines speak. Japanese is the
// language of the source texts; every other one comes from a translation.
enum class Language { Japanese, English };

// The language a --lang= value names ("ja", "en"); nothing for any other.
std::optional<Language> LanguageByName(const QString& name);

// The language for the desktop's choice, most wanted first, as
// QLocale::uiLanguages() gives it: Japanese for Japanese and for the C/POSIX
// locale, English for every language without a translation of its own.
Language LanguageForUiLanguages(const QStringList& uiLanguages);

// The language of this start: the --lang= option among the arguments (before
// a "--") when it names one, the desktop's choice otherwise.
Language ChooseLanguage(const QList<QByteArray>& arguments, const QStringList& uiLanguages);

// Loads the program's translation and Qt's own into the running
// application; Japanese loads nothing of ours. False when a file the
// language needs was not found.
bool InstallLanguage(Language language);

} // namespace app
