#include "recorders.h"

#include "run/commandLine.h"

#include <gtest/gtest.h>

namespace {

using run::Admission;

TEST(TakeCommandLineNames, EachArgumentIsOneNameWhateverItHolds)
{
    // Quotes and spaces are part of the names: nothing splits or joins them.
    const QStringList cases[] = {
        {"/in/say \"hi\".lzh"},
        {"/in/a.lzh\" b.lzh", "/in/a.lzh"},
        {"/in/\"a.lzh\"", "/in/b c.lzh", "/in/d.lzh "},
        {"/in/a\"b.lzh", "/in/\"", "/in/ "},
        {},
    };
    for (const QStringList& names : cases) {
        PlainWorkList work({QStringLiteral("/old.lzh")});
        const run::CommandLineIntake intake = run::TakeCommandLineNames(names, work);
        EXPECT_EQ(work.entries, names) << names.join(u'|').toStdString();
        EXPECT_FALSE(intake.listFull);
        EXPECT_TRUE(intake.passedOver.isEmpty());
    }
}

TEST(TakeCommandLineNames, SaysWhichNamesWerePassedOverAndWhy)
{
    PlainWorkList work;
    work.passedOver = {{"/in/missing.lzh", Admission::Missing},
                       {"/in/folder.lzh", Admission::NotAFile},
                       {"/in/notes.txt", Admission::TypeNotEnabled},
                       {"/in/locked.lzh", Admission::Unreadable}};
    const QStringList names{"/in/missing.lzh", "/in/a.lzh",      "/in/folder.lzh",
                            "/in/notes.txt",   "/in/locked.lzh", "/in/b.cab"};
    const run::CommandLineIntake intake = run::TakeCommandLineNames(names, work);
    EXPECT_EQ(work.entries, QStringList({"/in/a.lzh", "/in/b.cab"}));
    EXPECT_FALSE(intake.listFull);
    QStringList passed;
    for (const run::PassedOverName& p : intake.passedOver)
        passed << p.name + u'=' + run::AdmissionReason(p.why);
    EXPECT_EQ(passed,
              QStringList({"/in/missing.lzh=no such file", "/in/folder.lzh=not a file",
                           "/in/notes.txt=" + run::AdmissionReason(Admission::TypeNotEnabled),
                           "/in/locked.lzh=the file cannot be read"}));
    for (const Admission why :
         {Admission::Missing, Admission::NotAFile, Admission::TypeNotEnabled, Admission::Unreadable})
        EXPECT_FALSE(run::AdmissionReason(why).isEmpty());
}

TEST(TakeCommandLineNames, AFullListDiscardsEverythingTakenSoFar)
{
    struct Case {
        QStringList names;
        QStringList offered;
    };
    const Case cases[] = {
        {{"/a.lzh", "/full.lzh", "/c.lzh"}, {"/a.lzh", "/full.lzh"}},
        {{"/a.lzh", "/full.lzh"}, {"/a.lzh", "/full.lzh"}},
    };
    for (const Case& c : cases) {
        PlainWorkList work;
        work.refused << QStringLiteral("/full.lzh");
        const run::CommandLineIntake intake = run::TakeCommandLineNames(c.names, work);
        EXPECT_TRUE(intake.listFull);
        EXPECT_TRUE(work.entries.isEmpty());
        EXPECT_EQ(work.offered, c.offered);
        ASSERT_FALSE(intake.passedOver.isEmpty());
        EXPECT_EQ(intake.passedOver.last().name, QStringLiteral("/full.lzh"));
        EXPECT_EQ(run::AdmissionReason(intake.passedOver.last().why),
                  QStringLiteral("over the limit of 1000 archives in one run"));
    }
}

TEST(AbsoluteNames, PutsTheCurrentFolderBeforeRelativeNamesAndCleansNothing)
{
    struct Case {
        QStringList names;
        QStringList absolute;
    };
    const Case cases[] = {
        {{"a.lzh"}, {"/home/me/a.lzh"}},
        // Each component is looked up as written later on, "missing/.." too.
        {{"missing/../b.cab", "./c.lzh"}, {"/home/me/missing/../b.cab", "/home/me/./c.lzh"}},
        {{"/abs/a.lzh", "/U"}, {"/abs/a.lzh", "/U"}},
        {{"my \"file\".lzh", ""}, {"/home/me/my \"file\".lzh", ""}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run::AbsoluteNames(c.names, QStringLiteral("/home/me")), c.absolute);
        EXPECT_EQ(run::AbsoluteNames(c.names, QStringLiteral("/home/me/")), c.absolute);
    }
}

TEST(IsRemovalSwitch, OnlyTheSwitchAlone)
{
    EXPECT_TRUE(run::IsRemovalSwitch({QStringLiteral("/U")}));
    EXPECT_TRUE(run::IsRemovalSwitch({QStringLiteral("/u")}));
    const QStringList others[] = {{"/U", "x"}, {" /U"}, {"/U "}, {"/UU"}, {""}, {"U"}, {}};
    for (const QStringList& names : others)
        EXPECT_FALSE(run::IsRemovalSwitch(names)) << names.join(u'|').toStdString();
}

} // namespace
