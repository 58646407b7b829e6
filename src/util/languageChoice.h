#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "util/languages.h"

namespace messages {

// Which language a start speaks, and putting its translations in place.

// The language a --lang= value names ("ja", "en"); nothing for any other.
std::optional<Language> LanguageByName(const QString& name);

// The language for the desktop's choice, most wanted first, as
// QLocale::uiLanguages() gives it: Japanese for Japanese and for the C/POSIX
// locale, English for every language without a translation of its own.
Language LanguageForUiLanguages(const QStringList& uiLanguages);

// The language of this start: the --lang= option among the arguments (before
// a "--") when it names one, the desktop's choice otherwise.
Language ChooseLanguage(const QList<QByteArray>& arguments, const QStringList& uiLanguages);

// Makes the language the shown one and loads the program's translation and
// Qt's own into the running application, in place of those a call before
// loaded. False when the program's own translation was not found (its
// texts then stay in their source language); a missing translation of Qt's
// leaves only Qt's buttons and dialogs in English.
bool InstallLanguage(Language language);

} // namespace messages
