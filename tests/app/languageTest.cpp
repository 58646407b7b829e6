#include "util/languageChoice.h"
#include "ui/commands/helpCommand.h"
#include "util/paths.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include "support/englishTexts.h"
#include "support/fakeServices.h"
#include "support/printQString.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <limits>

namespace {

using messages::Language;

TEST(Language, DesktopChoice)
{
    const struct {
        QStringList uiLanguages;
        Language expected;
    } cases[] = {
        {{QStringLiteral("ja-JP"), QStringLiteral("ja")}, Language::Japanese},
        {{QStringLiteral("ja")}, Language::Japanese},
        {{QStringLiteral("C")}, Language::Japanese},
        {{QStringLiteral("POSIX")}, Language::Japanese},
        {{}, Language::Japanese},
        {{QStringLiteral("en-US"), QStringLiteral("en")}, Language::English},
        {{QStringLiteral("en-GB")}, Language::English},
        {{QStringLiteral("de-DE"), QStringLiteral("de")}, Language::English},
        // Only the first choice counts.
        {{QStringLiteral("fr-FR"), QStringLiteral("ja-JP")}, Language::English},
        {{QStringLiteral("ja-JP"), QStringLiteral("en-US")}, Language::Japanese},
        // A language whose code merely begins with the letters j, a.
        {{QStringLiteral("jam")}, Language::English},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messages::LanguageForUiLanguages(c.uiLanguages), c.expected)
            << c.uiLanguages.join(u',').toStdString();
}

TEST(Language, LangOptionOverridesTheDesktopForOneStart)
{
    const QStringList english{QStringLiteral("en-US")};
    const QStringList japanese{QStringLiteral("ja-JP")};
    const struct {
        QList<QByteArray> arguments;
        QStringList uiLanguages;
        Language expected;
    } cases[] = {
        {{"--lang=ja"}, english, Language::Japanese},
        {{"--lang=en"}, japanese, Language::English},
        {{"--auto", "--lang=en", "a.lzh"}, {QStringLiteral("C")}, Language::English},
        // A value the program does not know leaves the desktop's choice (the
        // option's parse says what is wrong).
        {{"--lang=fr"}, japanese, Language::Japanese},
        {{"--lang="}, english, Language::English},
        // After "--" it is an archive name.
        {{"--", "--lang=en"}, japanese, Language::Japanese},
        {{"a.lzh"}, english, Language::English},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messages::ChooseLanguage(c.arguments, c.uiLanguages), c.expected)
            << c.arguments.join(' ').toStdString();
}

// Help opens the manual of the language this start chose, not the one of
// the desktop's locale.
TEST(Language, HelpOpensTheManualOfTheChosenLanguage)
{
    const testSupport::CoreApplication application;
    const struct {
        QList<QByteArray> arguments;
        QStringList uiLanguages;
        const char* page;
    } cases[] = {
        {{"--lang=en"}, {QStringLiteral("ja-JP")}, "manual-en.html"},
        {{"--lang=ja"}, {QStringLiteral("en-US")}, "manual.html"},
        {{}, {QStringLiteral("de-DE")}, "manual-en.html"},
        {{}, {QStringLiteral("C")}, "manual.html"},
    };
    for (const auto& c : cases) {
        testSupport::FakeServices services;
        messages::InstallLanguage(messages::ChooseLanguage(c.arguments, c.uiLanguages));
        helpCommand::OpenManual();
        EXPECT_EQ(services.documents.opened.join(u'|'),
                  paths::GetManualDir() + u'/' + QString::fromLatin1(c.page))
            << c.arguments.join(' ').toStdString();
    }
    messages::InstallLanguage(Language::Japanese);
}

// Every text of both message tables has an English translation: none comes
// back Japanese once the translation is installed.
TEST(Language, EveryCatalogueTextHasAnEnglishTranslation)
{
    const testSupport::CoreApplication application;
    const testSupport::EnglishTranslation english;
    ASSERT_TRUE(english.Loaded());

    int translated = 0;
    for (int id = std::numeric_limits<qint16>::min(); id <= std::numeric_limits<qint16>::max(); ++id) {
        for (const QString& text : {messages::Text(static_cast<messages::ProgramMessage>(id)),
                                    messages::Text(static_cast<messages::SharedMessage>(id))}) {
            EXPECT_FALSE(testSupport::HasJapanese(text)) << id << ": " << text.toStdString();
            translated += text.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_EQ(translated, 102 + 54);
    // The buttons as English users know them.
    EXPECT_EQ(messages::Text(messages::ProgramMessage::DosCaption), u"DOS");
    EXPECT_EQ(messages::Text(messages::ProgramMessage::Win16Caption), u"Win16");
    EXPECT_EQ(messages::Text(messages::ProgramMessage::Win32Caption), u"Win32");
    EXPECT_EQ(messages::Text(messages::SharedMessage::CancelCaption), u"Cancel");
}

} // namespace

// Every line a run can write in the history is in the table of each
// manual, in that manual's language.
TEST(Language, EveryHistoryLineIsInBothManuals)
{
    using enum messages::ProgramMessage;
    const messages::ProgramMessage lines[] = {
        LzhMaking,  CabMaking,       LzhChecking,    CabChecking,       CreatedNotUpperCased,
        Created,    Failed,          Unexpected,     DiskFull,          NotWritable,
        Cancelled,  NotTarget,       DamagedArchive, UnsupportedMethod, MadeEarlierThisRun,
        WorkerLost, WaitingForFolder};
    const auto manual = [](const char* name) {
        QFile file(QStringLiteral(TB_SOURCE_DIR "/docs/") + QString::fromLatin1(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        // One line a row, however the source wraps; the lines' leading
        // (ideographic) spaces become one plain space, or none after <td>.
        return QString::fromUtf8(file.readAll())
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .simplified()
            .replace(QStringLiteral("<td> "), QStringLiteral("<td>"));
    };
    const QString japanese = manual("manual.html"), english = manual("manual-en.html");
    const testSupport::CoreApplication application;
    for (const messages::ProgramMessage line : lines)
        EXPECT_TRUE(japanese.contains(QStringLiteral("<td>%1</td>").arg(messages::Text(line).simplified())))
            << messages::Text(line).toStdString();
    const testSupport::EnglishTranslation translation;
    ASSERT_TRUE(translation.Loaded());
    for (const messages::ProgramMessage line : lines)
        EXPECT_TRUE(english.contains(QStringLiteral("<td>%1</td>").arg(messages::Text(line).simplified())))
            << messages::Text(line).toStdString();
}
