#include "util/languages.h"

namespace messages {
namespace {

Language shown = Language::Japanese;

} // namespace

std::optional<Language> Language::ByCode(const QString& code)
{
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        if (code == QLatin1String(kLanguages[i].code))
            return Language(i);
    }
    return std::nullopt;
}

QStringList LanguageCodes()
{
    QStringList codes;
    for (const LanguageRow& row : kLanguages)
        codes << QString::fromLatin1(row.code);
    return codes;
}

Language ShownLanguage()
{
    return shown;
}

void SetShownLanguage(Language language)
{
    shown = language;
}

} // namespace messages
