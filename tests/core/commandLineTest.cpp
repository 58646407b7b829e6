#include "recorders.h"

#include "core/commandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseCommandLine, SplitsNamesAtSpacesOutsideQuotes)
{
    struct Case {
        const char* text;
        QStringList names;
        bool result;
    };
    const Case cases[] = {
        {R"("/My Files/a.lzh" /b.lzh)", {"/My Files/a.lzh", "/b.lzh"}, true},
        {"/a.lzh  /b.lzh", {"/a.lzh", "/b.lzh"}, true},
        {"/a.lzh /b.lzh ", {"/a.lzh", "/b.lzh"}, true},
        {" /a.lzh", {"/a.lzh"}, true},
        {R"("/a.lzh)", {}, false},
        {R"(/b.lzh "/a.lzh)", {}, false},
        {R"(/a"b.lzh)", {"/a\"b.lzh"}, true},
        {R"("/a.lzh"/b.lzh)", {"/a.lzh", "/b.lzh"}, true},
        {R"("/a.lzh" "/b c.lzh")", {"/a.lzh", "/b c.lzh"}, true},
        {R"("" /a.lzh)", {"/a.lzh"}, true},
        {R"(" ")", {" "}, true},
        {"", {}, true},
        {"   ", {}, true},
    };
    for (const Case& c : cases) {
        PlainWorkList work;
        const bool result = core::ParseCommandLine(QString::fromUtf8(c.text), work);
        EXPECT_EQ(result, c.result) << c.text;
        EXPECT_EQ(work.entries, c.names) << c.text;
        EXPECT_GE(work.refreshes, 1) << c.text;
    }
}

TEST(ParseCommandLine, RefusedNameDiscardsEverythingTakenSoFar)
{
    struct Case {
        const char* text;
        QStringList offered;
    };
    const Case cases[] = {
        {"/a.lzh /full.lzh /c.lzh", {"/a.lzh", "/full.lzh"}},
        {"/a.lzh /full.lzh", {"/a.lzh", "/full.lzh"}},
        {R"(/a.lzh "/full.lzh" /c.lzh)", {"/a.lzh", "/full.lzh"}},
    };
    for (const Case& c : cases) {
        PlainWorkList work;
        work.refused << QStringLiteral("/full.lzh");
        EXPECT_FALSE(core::ParseCommandLine(QString::fromUtf8(c.text), work)) << c.text;
        EXPECT_TRUE(work.entries.isEmpty()) << c.text;
        EXPECT_EQ(work.offered, c.offered) << c.text;
    }
}

TEST(ParseCommandLine, StartsFromAnEmptyList)
{
    PlainWorkList work({QStringLiteral("/old.lzh")});
    core::ParseCommandLine(QStringLiteral("/new.lzh"), work);
    EXPECT_EQ(work.entries, QStringList({"/new.lzh"}));
}

TEST(CommandLineText, BuildsTheTextFromArguments)
{
    struct Case {
        QStringList arguments;
        const char* text;
    };
    const Case cases[] = {
        {{"a.lzh"}, "/home/me/a.lzh"},
        {{"sub/../b.cab", "./c.lzh"}, "/home/me/b.cab /home/me/c.lzh"},
        {{"/abs/a.lzh"}, "/abs/a.lzh"},
        {{"/U"}, "/U"},
        {{"/u"}, "/u"},
        {{"my file.lzh"}, "\"/home/me/my file.lzh\""},
        {{"/x y/a.lzh", "b.lzh"}, "\"/x y/a.lzh\" /home/me/b.lzh"},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::CommandLineText(c.arguments, QStringLiteral("/home/me")), QString::fromUtf8(c.text));
}

TEST(CommandLineText, RoundTripsThroughTheSplitter)
{
    const QStringList arguments{"a b.lzh", "/c/d e/f.cab", "g.lzh"};
    PlainWorkList work;
    core::ParseCommandLine(core::CommandLineText(arguments, QStringLiteral("/w")), work);
    EXPECT_EQ(work.entries, QStringList({"/w/a b.lzh", "/c/d e/f.cab", "/w/g.lzh"}));
}

TEST(IsRemovalSwitch, OnlyTheSwitchAlone)
{
    EXPECT_TRUE(core::IsRemovalSwitch(QStringLiteral("/U")));
    EXPECT_TRUE(core::IsRemovalSwitch(QStringLiteral("/u")));
    for (const char* text : {"/U x", " /U", "/U ", "/UU", "", "U"})
        EXPECT_FALSE(core::IsRemovalSwitch(QString::fromLatin1(text))) << text;
}

} // namespace
