#include "util/resAll.h"
#include "util/resTollbrook.h"

#include "printQString.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Lookup = QString (*)(int);

constexpr char16_t kIdeographicSpace = u'\u3000';

// Every message ID is a signed 16-bit number.
int CountNonEmptyRows(Lookup lookup)
{
    int rows = 0;
    for (int id = std::numeric_limits<qint16>::min(); id <= std::numeric_limits<qint16>::max(); ++id)
        rows += lookup(id).isEmpty() ? 0 : 1;
    return rows;
}

TEST(Catalogue, RowCounts)
{
    // resTollbrook has 91 rows, one of them (10060) with an empty text.
    EXPECT_EQ(CountNonEmptyRows(resTollbrook::GetText), 90);
    EXPECT_EQ(CountNonEmptyRows(resAll::GetText), 54);
}

TEST(Catalogue, TablesUseDisjointIds)
{
    for (int id = std::numeric_limits<qint16>::min(); id <= std::numeric_limits<qint16>::max(); ++id)
        EXPECT_TRUE(resTollbrook::GetText(id).isEmpty() || resAll::GetText(id).isEmpty()) << id;
}

TEST(Catalogue, IdsWithoutTextGiveTheEmptyString)
{
    for (const int id : {0, -1, -32768, 9, 4, 999, 10060, 20001, 32767, 70000, -70000}) {
        EXPECT_EQ(resTollbrook::GetText(id), QString()) << id;
        EXPECT_EQ(resAll::GetText(id), QString()) << id;
    }
}

TEST(Catalogue, SharedTexts)
{
    struct Pair {
        Lookup lookup;
        int first;
        int second;
    };
    const Pair pairs[] = {
        {resTollbrook::GetText, 1, 8048},    {resTollbrook::GetText, 2, 8049},
        {resTollbrook::GetText, 3, 8050},    {resTollbrook::GetText, 1004, 3006},
        {resTollbrook::GetText, 3007, 4004}, {resTollbrook::GetText, 5000, 5001},
        {resTollbrook::GetText, 10002, 10063}, {resTollbrook::GetText, 10020, 10040},
        {resAll::GetText, 5, 8043},          {resAll::GetText, 1100, 11101},
    };
    for (const Pair& p : pairs) {
        EXPECT_FALSE(p.lookup(p.first).isEmpty()) << p.first;
        EXPECT_EQ(p.lookup(p.first), p.lookup(p.second)) << p.first << " and " << p.second;
    }
    // The three kind captions are three different texts.
    EXPECT_NE(resTollbrook::GetText(1), resTollbrook::GetText(2));
    EXPECT_NE(resTollbrook::GetText(2), resTollbrook::GetText(3));
}

TEST(Catalogue, EngineLinesBeginWithAnIdeographicSpace)
{
    const int engineRows[] = {20000, 20004, 20010, 20014, 20030, 20031, 20032,
                              20033, 20040, 20042, 20043, 20044, 20045};
    for (const int id : engineRows)
        EXPECT_FALSE(resTollbrook::GetText(id).isEmpty()) << id;
    for (int id = 20000; id <= 20045; ++id) {
        const QString text = resTollbrook::GetText(id);
        if (text.isEmpty() || id == 20041)
            continue;
        EXPECT_EQ(text.front(), QChar(kIdeographicSpace)) << id;
        EXPECT_NE(text.at(1), QChar(kIdeographicSpace)) << id;
    }
    // The second half of a sentence continues the first without a space.
    EXPECT_EQ(resTollbrook::GetText(20040) + resTollbrook::GetText(20041),
              QStringLiteral(u"\u3000スキップされたファイルがあります"));
}

TEST(Catalogue, ExactTexts)
{
    struct Case {
        Lookup lookup;
        int id;
        const char16_t* text;
    };
    const Case cases[] = {
        {resTollbrook::GetText, 1, u"ＤＯＳ"},
        {resTollbrook::GetText, 3, u"Ｗｉｎ３２"},
        {resTollbrook::GetText, 3100, u"一度で実行できるファイル数は最大１０００までです。"},
        {resTollbrook::GetText, 8052,
         u"自己解凍形式はＤＯＳ形式です。（DOS Win3.1  Win95 NT3.51 NT4.0等で解凍できます）"},
        {resTollbrook::GetText, 9999, u"Tollbrook2 for Win32"},
        {resTollbrook::GetText, 20000, u"\u3000ＬＺＨ自己解凍作成中です"},
        {resTollbrook::GetText, 20100, u"現在UNLHA32.DLLは使用中です"},
        {resAll::GetText, 5, u"ｷｬﾝｾﾙ"},
        {resAll::GetText, 11, u"LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*"},
        {resAll::GetText, 20, u"で使用したレジストリを全て削除します"},
        {resAll::GetText, 31, u"全て終了しました"},
        {resAll::GetText, 101, u"フォルダ名には [\\] は使用できません"},
        {resAll::GetText, 11000, u"のエリアスメンテナンス"},
        {resAll::GetText, 11103, u"すでに存在するフォルダエリアス名には変更できません"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lookup(c.id), QString::fromUtf16(c.text)) << c.id;
}

TEST(Catalogue, AboutBoxRowsAreFilledIn)
{
    EXPECT_TRUE(resTollbrook::GetText(7001).startsWith(QStringLiteral("Tollbrook2")));
    for (const int id : {7003, 7004, 7005})
        EXPECT_FALSE(resAll::GetText(id).isEmpty()) << id;
}

} // namespace
