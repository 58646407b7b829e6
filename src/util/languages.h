#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>

// The languages the program speaks, in one table: the --lang= name, the
// program's translation, Qt's own, the manual. A new language is a row here
// plus its translation file (translations/) and its manual (docs/); the
// build takes the codes of the rows for the translation files it compiles
// and for the shell completion of --lang=.
namespace messages {

struct LanguageRow {
    const char* code;        // the --lang= name and the desktop's language code
    const char* catalogue;   // the program's translation in the translations folder
    const char* qtCatalogue; // Qt's own buttons and dialogs; nullptr where Qt speaks it already
    const char* manual;      // the user manual in the manual folder
    // Said on the terminal when the program's translation is missing (%1:
    // the translations folder); written in the language it falls back to.
    const char* missingCatalogue;
};

// The build reads the codes from rows written as {"xx", ...}.
inline constexpr auto kLanguages = std::to_array<LanguageRow>({
    {"ja", "tollbrook2_ja", "qtbase_ja", "manual.html",
     "the Japanese translation was not found in %1; the lines on the terminal stay English"},
    {"en", "tollbrook2_en", nullptr, "manual-en.html",
     "the English translation was not found in %1; the windows and messages stay Japanese"},
});

// One row of kLanguages.
class Language {
public:
    const LanguageRow& Row() const { return kLanguages[index_]; }

    // The language of the source texts of the windows.
    static const Language Japanese;
    // The language of every desktop without a row of its own.
    static const Language English;

    // The language a code names ("ja", "en"); nothing for any other.
    static std::optional<Language> ByCode(const QString& code);

    friend bool operator==(Language, Language) = default;

private:
    explicit constexpr Language(std::size_t index) : index_(index) {}
    std::size_t index_;
};

inline constexpr Language Language::Japanese{0};
inline constexpr Language Language::English{1};

// Every code, in the table's order.
QStringList LanguageCodes();

// Japanese until SetShownLanguage says otherwise. The language the texts are
// shown in is chosen once at start-up, before any window or terminal line,
// and read wherever something beyond the translated texts depends on it (the
// manual Help opens). Number and date formats do not follow it.
Language ShownLanguage();
void SetShownLanguage(Language language);

} // namespace messages
