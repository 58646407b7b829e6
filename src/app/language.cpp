#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "util/paths.h"

namespace app {

std::optional<Language> LanguageByName(const QString& name)
{
    if (name == u"ja")
        return Language::Japanese;
    if (name == u"en")
        return Language::English;
    return std::nullopt;
}

Language LanguageForUiLanguages(const QStringList& uiLanguages)
{
    if (uiLanguages.isEmpty())
        return Language::Japanese;
    // Only the first choice counts: a desktop set to French with Japanese
    // second still gets English rather than a language below its first.
    const QString first = uiLanguages.first();
    if (first == u"C" || first == u"POSIX" || first == u"ja" || first.startsWith(u"ja-")
        || first.startsWith(u"ja_"))
        return Language::Japanese;
    return Language::English;
}

Language ChooseLanguage(const QList<QByteArray>& arguments, const QStringList& uiLanguages)
{
    for (const QByteArray& argument : arguments) {
        if (argument == "--")
            break;
        if (argument.startsWith("--lang=")) {
            if (const auto named = LanguageByName(QString::fromLatin1(argument.mid(7))))
                return *named;
        }
    }
    return LanguageForUiLanguages(uiLanguages);
}

namespace {

// Loads one translation file into the application for its whole life.
bool Load(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool InstallLanguage(Language language)
{
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    switch (language) {
    case Language::Japanese:
        // The program's own texts are Japanese already; Qt's buttons and
        // dialogs are not.
        return Load(QStringLiteral("qtbase_ja"), qtFolder);
    case Language::English: return Load(QStringLiteral("tollbrook2_en"), paths::GetTranslationsDir());
    }
    return false;
}

} // namespace app
