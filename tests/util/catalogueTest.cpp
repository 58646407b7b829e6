#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using messages::ProgramMessage;
using messages::SharedMessage;
using messages::Text;
using enum messages::ProgramMessage;
using enum messages::SharedMessage;

constexpr char16_t kIdeographicSpace = u'\u3000';

// The text of every number a message ID can be (a signed 16-bit number) in
// the table whose IDs are Id.
template <typename Id>
QString TextOfNumber(int number)
{
    return Text(static_cast<Id>(number));
}

template <typename Id>
int CountNonEmptyRows()
{
    int rows = 0;
    for (int id = std::numeric_limits<qint16>::min(); id <= std::numeric_limits<qint16>::max(); ++id)
        rows += TextOfNumber<Id>(id).isEmpty() ? 0 : 1;
    return rows;
}

TEST(Catalogue, RowCounts)
{
    // The program's table has 103 rows, one of them (TemporaryOffTip) with an
    // empty text.
    EXPECT_EQ(CountNonEmptyRows<ProgramMessage>(), 102);
    EXPECT_EQ(CountNonEmptyRows<SharedMessage>(), 54);
}

TEST(Catalogue, TablesUseDisjointIds)
{
    for (int id = std::numeric_limits<qint16>::min(); id <= std::numeric_limits<qint16>::max(); ++id)
        EXPECT_TRUE(TextOfNumber<ProgramMessage>(id).isEmpty() || TextOfNumber<SharedMessage>(id).isEmpty())
            << id;
}

TEST(Catalogue, IdsWithoutTextGiveTheEmptyString)
{
    // The program's table has a row without text; the shared table none there.
    EXPECT_EQ(Text(TemporaryOffTip), QString());
    EXPECT_EQ(TextOfNumber<SharedMessage>(static_cast<int>(TemporaryOffTip)), QString());
    // Numbers no row of either table carries.
    for (const int id : {0, -1, -32768, 9, 4, 999, 20001, 32767}) {
        EXPECT_EQ(TextOfNumber<ProgramMessage>(id), QString()) << id;
        EXPECT_EQ(TextOfNumber<SharedMessage>(id), QString()) << id;
    }
}

TEST(Catalogue, SharedTexts)
{
    const std::pair<ProgramMessage, ProgramMessage> programPairs[] = {
        {DosCaption, AutoRunDos},
        {Win16Caption, AutoRunWin16},
        {Win32Caption, AutoRunWin32},
        {InputSameAsOutputFolder, WorkSameAsOutputFolder},
        {WorkSameAsInputFolder, OutputSameAsInputFolder},
        {HistoryCaption, HistoryTip},
        {TemporaryFolder, TemporaryFolderNameTip},
        {InitialInputOffTip, InitialOutputOffTip},
    };
    for (const auto& [first, second] : programPairs) {
        EXPECT_FALSE(Text(first).isEmpty()) << static_cast<int>(first);
        EXPECT_EQ(Text(first), Text(second))
            << static_cast<int>(first) << " and " << static_cast<int>(second);
    }
    const std::pair<SharedMessage, SharedMessage> sharedPairs[] = {
        {CancelCaption, CancelButton},
        {AliasNamePrompt, NewAliasNamePrompt},
    };
    for (const auto& [first, second] : sharedPairs) {
        EXPECT_FALSE(Text(first).isEmpty()) << static_cast<int>(first);
        EXPECT_EQ(Text(first), Text(second))
            << static_cast<int>(first) << " and " << static_cast<int>(second);
    }
    // The three kind captions are three different texts.
    EXPECT_NE(Text(DosCaption), Text(Win16Caption));
    EXPECT_NE(Text(Win16Caption), Text(Win32Caption));
}

TEST(Catalogue, EngineLinesBeginWithAnIdeographicSpace)
{
    const ProgramMessage engineLines[] = {LzhMaking,
                                          CabMaking,
                                          LzhChecking,
                                          CabChecking,
                                          CreatedNotUpperCased,
                                          Created,
                                          Failed,
                                          Unexpected,
                                          SkippedBefore,
                                          DiskFull,
                                          NotWritable,
                                          Cancelled,
                                          NotTarget,
                                          DamagedArchive,
                                          UnsupportedMethod,
                                          MadeEarlierThisRun,
                                          WorkerLost,
                                          WaitingForFolder};
    for (const ProgramMessage id : engineLines)
        EXPECT_FALSE(Text(id).isEmpty()) << static_cast<int>(id);
    // Every row of the engine's range, named or not, apart from the sentence tail.
    for (int id = static_cast<int>(LzhMaking); id <= static_cast<int>(WaitingForFolder); ++id) {
        const QString text = TextOfNumber<ProgramMessage>(id);
        if (text.isEmpty() || id == static_cast<int>(SkippedAfter))
            continue;
        EXPECT_EQ(text.front(), QChar(kIdeographicSpace)) << id;
        EXPECT_NE(text.at(1), QChar(kIdeographicSpace)) << id;
    }
    // The second half of a sentence continues the first without a space.
    EXPECT_EQ(Text(SkippedBefore) + Text(SkippedAfter),
              QStringLiteral(u"\u3000スキップされたファイルがあります"));
}

TEST(Catalogue, ExactTexts)
{
    const std::pair<ProgramMessage, const char16_t*> programTexts[] = {
        {DosCaption, u"ＤＯＳ"},
        {Win32Caption, u"Ｗｉｎ３２"},
        {WorkListFull, u"一度で実行できるファイル数は最大１０００までです。"},
        {AutoRunDosTip, u"自己解凍形式はＤＯＳ形式です。（DOS Win3.1  Win95 NT3.51 NT4.0等で解凍できます）"},
        {MainCaption, u"Tollbrook2 for Win32"},
        {LzhMaking, u"\u3000ＬＺＨ自己解凍作成中です"},
        {UnlhaBusy, u"現在UNLHA32.DLLは使用中です"},
    };
    for (const auto& [id, text] : programTexts)
        EXPECT_EQ(Text(id), QString::fromUtf16(text)) << static_cast<int>(id);
    const std::pair<SharedMessage, const char16_t*> sharedTexts[] = {
        {CancelCaption, u"ｷｬﾝｾﾙ"},
        {LogFileFilter, u"LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*"},
        {RemoveSettingsQuestion, u"で使用したレジストリを全て削除します"},
        {AllFinished, u"全て終了しました"},
        {FolderNameBackslash, u"フォルダ名には [\\] は使用できません"},
        {AliasDialogCaptionTail, u"のエリアスメンテナンス"},
        {RenamedAliasNameTaken, u"すでに存在するフォルダエリアス名には変更できません"},
    };
    for (const auto& [id, text] : sharedTexts)
        EXPECT_EQ(Text(id), QString::fromUtf16(text)) << static_cast<int>(id);
}

TEST(Catalogue, AboutBoxRowsAreFilledIn)
{
    EXPECT_TRUE(Text(AboutTitle).startsWith(QStringLiteral("Tollbrook2")));
    for (const SharedMessage id : {AboutManual, AboutLicence, AboutSource})
        EXPECT_FALSE(Text(id).isEmpty()) << static_cast<int>(id);
}

} // namespace
