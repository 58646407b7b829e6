#include "run/commandLine.h"
#include "lists/workListModel.h"
#include "support/fakeServices.h"
#include "util/programMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

bool AnyLzh(const QString& path)
{
    return path.endsWith(QStringLiteral(".lzh"), Qt::CaseInsensitive);
}

class WorkListTest : public ::testing::Test {
protected:
    QString File(const QString& name)
    {
        const QString path = dir.path() + u'/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir dir;
    testSupport::FakeServices services;
    platform::FakeDialogs& dialogs = services.dialogs;
    WorkListModel work{AnyLzh};
};

TEST_F(WorkListTest, ThousandEntriesAtMost)
{
    for (int i = 0; i < WorkListModel::MaxEntries; ++i)
        ASSERT_TRUE(work.Add(QStringLiteral("/a/%1.lzh").arg(i)));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    EXPECT_FALSE(work.Add(QStringLiteral("/a/new.lzh")));
    EXPECT_EQ(dialogs.messages(), QStringList({messages::Text(messages::ProgramMessage::WorkListFull)}));
    EXPECT_EQ(work.Count(), 1000);

    // A name already listed is accepted silently even in a full list.
    EXPECT_TRUE(work.Add(QStringLiteral("/a/7.lzh")));
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(work.Count(), 1000);
}

TEST_F(WorkListTest, OutsideNamesThatCannotBeTakenAreSkippedSilentlyWithTheirReason)
{
    using run::Admission;
    const QString archive = File(QStringLiteral("a.lzh"));
    File(QStringLiteral("notes.txt"));
    QDir(dir.path()).mkdir(QStringLiteral("folder.lzh"));
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    struct Case {
        QString name;
        Admission why;
    };
    const Case skipped[] = {
        {QString(), Admission::Missing},
        {QStringLiteral("a.lzh"), Admission::Missing}, // relative
        {dir.path() + QStringLiteral("/missing.lzh"), Admission::Missing},
        {dir.path() + QStringLiteral("/missing/../a.lzh"), Admission::Missing},
        {dir.path() + QStringLiteral("/notes.txt"), Admission::TypeNotEnabled},
        {dir.path() + QStringLiteral("/folder.lzh"), Admission::NotAFile},
        {dir.path() + QStringLiteral("/folder"), Admission::NotAFile},
    };
    for (const Case& c : skipped) {
        EXPECT_EQ(work.Admit(c.name), c.why) << c.name.toStdString();
        EXPECT_TRUE(work.AddFromOutside(c.name)) << c.name.toStdString();
        EXPECT_EQ(work.Count(), 0) << c.name.toStdString();
    }
    EXPECT_EQ(work.Admit(archive), Admission::Taken);
    EXPECT_TRUE(work.AddFromOutside(dir.path() + QStringLiteral("/./a.lzh")));
    EXPECT_TRUE(work.AddFromOutside(dir.path() + QStringLiteral("/folder/../a.lzh")));
    EXPECT_EQ(work.Entries(), QStringList({archive}));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(WorkListTest, NameInAnotherCaseIsStoredInTheFileSystemsSpelling)
{
    const QString archive = File(QStringLiteral("Mixed.lzh"));
    EXPECT_TRUE(work.AddFromOutside(dir.path() + QStringLiteral("/MIXED.LZH")));
    EXPECT_TRUE(work.AddFromOutside(archive));
    EXPECT_EQ(work.Entries(), QStringList({archive}));
}

TEST_F(WorkListTest, CommandLineBeyondTheLimitLeavesAnEmptyList)
{
    QStringList names;
    for (int i = 0; i <= WorkListModel::MaxEntries; ++i)
        names << File(QStringLiteral("%1.lzh").arg(i));
    const run::CommandLineIntake intake = run::TakeCommandLineNames(names, work);
    EXPECT_TRUE(intake.listFull);
    ASSERT_EQ(intake.passedOver.size(), 1);
    EXPECT_EQ(intake.passedOver[0].name, names.last());
    EXPECT_EQ(work.Count(), 0);
    EXPECT_EQ(dialogs.messages(), QStringList({messages::Text(messages::ProgramMessage::WorkListFull)}));
}

TEST_F(WorkListTest, SelectionMarksAndRemoval)
{
    for (const char* name : {"/a.lzh", "/b.lzh", "/c.lzh", "/d.lzh", "/e.lzh"})
        work.Add(QString::fromLatin1(name));
    work.SelectAll();
    work.Deselect(0);
    work.Deselect(3);
    EXPECT_EQ(work.FirstSelected(), QStringLiteral("/b.lzh"));
    work.RemoveUnselected();
    EXPECT_EQ(work.Entries(), QStringList({"/b.lzh", "/c.lzh", "/e.lzh"}));
    EXPECT_TRUE(work.IsSelected(0) && work.IsSelected(1) && work.IsSelected(2));

    work.ClearSelection();
    EXPECT_EQ(work.FirstSelected(), QString());
    work.SelectAll();
    work.Deselect(1);
    work.RemoveSelected();
    EXPECT_EQ(work.Entries(), QStringList({"/c.lzh"}));

    work.Clear();
    EXPECT_EQ(work.Count(), 0);
}

TEST_F(WorkListTest, EntriesDeselectedTogetherLeaveAsThoseDeselectedOneByOne)
{
    const QList<int> cases[] = {{},     {0},      {0, 1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 5}, {1, 3, 5, 7},
                                {6, 7}, {2, 3, 4}};
    for (const QList<int>& deselected : cases) {
        WorkListModel one, many;
        for (WorkListModel* model : {&one, &many}) {
            for (int i = 0; i < 8; ++i)
                model->Add(QStringLiteral("/%1.lzh").arg(i));
            model->SelectAll();
        }
        for (int index : deselected)
            one.Deselect(index);
        many.DeselectEach(deselected);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(many.IsSelected(i), one.IsSelected(i)) << i;
        QStringList left = one.Entries();
        for (auto i = deselected.size(); i-- > 0;)
            left.removeAt(deselected[i]);
        many.RemoveUnselected();
        EXPECT_EQ(many.Entries(), left) << deselected.size();
        EXPECT_EQ(many.Count(), 8 - deselected.size());
    }
}

TEST_F(WorkListTest, EntriesOfTypesNoLongerTakenLeaveTheRestStay)
{
    bool cabTaken = true;
    WorkListModel mixed{[&cabTaken](const QString& path) {
        return AnyLzh(path) || (cabTaken && path.endsWith(QStringLiteral(".cab")));
    }};
    for (const char* name : {"/a.lzh", "/b.cab", "/c.lzh", "/d.cab", "/e.cab"})
        mixed.Add(QString::fromLatin1(name));
    mixed.RemoveRefusedTypes();
    EXPECT_EQ(mixed.Count(), 5) << "every type still taken";
    cabTaken = false;
    mixed.RemoveRefusedTypes();
    EXPECT_EQ(mixed.Entries(), QStringList({"/a.lzh", "/c.lzh"}));
}

// Whether a path counts as listed must follow every change of the list:
// removals, emptying, and edits made on the model directly (as a view would).
TEST_F(WorkListTest, DuplicatesFollowEveryChangeOfTheList)
{
    struct Case {
        const char* name;
        std::function<void(WorkListModel&)> change;
        QStringList expected; // after the change and adding /a, /b, /c, /x again
    };
    const Case cases[] = {
        {"nothing", [](WorkListModel&) {}, {"/a", "/b", "/c"}},
        {"remove selected",
         [](WorkListModel& w) {
             w.SelectAll();
             w.Deselect(1);
             w.RemoveSelected();
         },
         {"/b", "/a", "/c"}},
        {"remove unselected",
         [](WorkListModel& w) {
             w.ClearSelection();
             w.SelectAll();
             w.Deselect(0);
             w.RemoveUnselected();
         },
         {"/b", "/c", "/a"}},
        {"refresh", [](WorkListModel& w) { w.Clear(); }, {"/a", "/b", "/c"}},
        {"edit through the model",
         [](WorkListModel& w) { w.Model().setData(w.Model().index(0), QStringLiteral("/x")); },
         {"/x", "/b", "/c", "/a"}},
        {"rows removed through the model",
         [](WorkListModel& w) { w.Model().removeRows(0, 2); },
         {"/c", "/a", "/b"}},
        {"list replaced through the model",
         [](WorkListModel& w) {
             w.Model().setStringList({QStringLiteral("/c"), QStringLiteral("/x")});
         },
         {"/c", "/x", "/a", "/b"}},
    };
    for (const Case& c : cases) {
        WorkListModel list{AnyLzh};
        for (const char* name : {"/a", "/b", "/c"})
            list.Add(QString::fromLatin1(name));
        c.change(list);
        for (const char* name : {"/a", "/b", "/c", "/x"}) {
            if (c.expected.contains(QString::fromLatin1(name))) {
                EXPECT_TRUE(list.Add(QString::fromLatin1(name))) << c.name;
            }
        }
        EXPECT_EQ(list.Entries(), c.expected) << c.name;
    }
}

} // namespace
