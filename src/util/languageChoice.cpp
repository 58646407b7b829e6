#include "util/languageChoice.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "util/paths.h"

namespace messages {

std::optional<Language> LanguageByName(const QString& name)
{
    return Language::ByCode(name);
}

Language LanguageForUiLanguages(const QStringList& uiLanguages)
{
    if (uiLanguages.isEmpty())
        return Language::Japanese;
    // Only the first choice counts: a desktop set to French with Japanese
    // second still gets English rather than a language below its first.
    const QString first = uiLanguages.first();
    if (first == u"C" || first == u"POSIX")
        return Language::Japanese;
    // "ja", "ja-JP", "ja_JP": the language part names the row.
    const QString code = first.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
    return Language::ByCode(code).value_or(Language::English);
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

// The name of the translators this program installs, so that a language
// installed anew replaces them instead of piling up beneath its own.
const QString kTranslatorName = QStringLiteral("tollbrook2 language");

void RemoveInstalledTranslators()
{
    const auto installed =
        QCoreApplication::instance()->findChildren<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly);
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Loads one translation file into the application until another language
// is installed.
bool Load(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(kTranslatorName);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool InstallLanguage(Language language)
{
    messages::SetShownLanguage(language);
    RemoveInstalledTranslators();
    const messages::LanguageRow& row = language.Row();
    // Japanese: the windows' texts are Japanese already; the terminal's
    // lines, Qt's buttons and dialogs are not.
    if (row.qtCatalogue)
        Load(QString::fromLatin1(row.qtCatalogue), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return Load(QString::fromLatin1(row.catalogue), paths::GetTranslationsDir());
}

} // namespace messages
