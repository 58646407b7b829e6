// A folder window on its own: where it opens, its keys and drives, its
// aliases and what it stores.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "ui/children/driveBox.h"
#include "ui/children/folderListView.h"
#include "ui/children/folderWindow.h"
#include "util/paths.h"
#include "ui/modalDialog.h"
#include "ui/widgetTest.h"

namespace {

using testSupport::Named;

using folders::FolderAlias;
using folders::FolderAliases;
using folders::FolderSide;

class FolderWindowTest : public testSupport::WidgetTest {
protected:
    FolderWindowTest()
    {
        for (const char* name : {"a/one", "a/two", "b"})
            QDir(root.path()).mkpath(QString::fromLatin1(name));
        services.drives.drives = {{QStringLiteral("/"), QString()}};
    }
    QString Path(const char* relative) const { return root.path() + u'/' + QString::fromLatin1(relative); }

    // Which slots show in the popup, and the states of add and maintain.
    static QString AliasMenu(const FolderWindow& window)
    {
        QStringList shown;
        for (int slot = 0; slot < FolderAliases::MaxCount; ++slot) {
            if (window.AliasAction(slot)->isVisible())
                shown.append(window.AliasAction(slot)->text());
        }
        return shown.join(u',') + QLatin1String(window.AliasSeparator()->isVisible() ? " bar" : " nobar")
            + QLatin1String(window.AddAliasAction()->isEnabled() ? " add" : " noadd")
            + QLatin1String(window.MaintainAliasesAction()->isEnabled() ? " maintain" : " nomaintain");
    }

    QTemporaryDir root;
};

TEST_F(FolderWindowTest, FirstStartOpensTheCurrentFolderWithoutAliases)
{
    FolderWindow window(FolderSide::Input);
    ASSERT_TRUE(window.Load(Path("b")));
    EXPECT_EQ(window.Folder(), Path("b"));
    EXPECT_EQ(Named<QLineEdit>(window, "txtDir").text(), paths::ShortenPath(Path("b")));
    EXPECT_EQ(AliasMenu(window), QStringLiteral(" nobar add nomaintain"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(FolderWindowTest, UnreachableStartFolderOpensTheCurrentOneAndKeepsTheSetting)
{
    Seed("Dir_In", QStringLiteral("/no/such/drive"));
    FolderWindow window(FolderSide::Input);
    ASSERT_TRUE(window.Load(Path("a")));
    EXPECT_EQ(window.Folder(), Path("a"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
    window.StoreSettings();
    EXPECT_EQ(Stored("Dir_In"), QStringLiteral("/no/such/drive"));
    EXPECT_EQ(Stored("Dir_In_Yuko"), QStringLiteral("True"));
    EXPECT_EQ(Stored("OldDir_In"), Path("a"));
}

TEST_F(FolderWindowTest, TheLastFolderWhenTheInitialOneIsNotInForce)
{
    Seed("Dir_Out", Path("a"));
    Seed("Dir_Out_Yuko", QStringLiteral("False"));
    Seed("OldDir_Out", Path("a/two"));
    FolderWindow window(FolderSide::Output);
    ASSERT_TRUE(window.Load(Path("b")));
    EXPECT_EQ(window.Folder(), Path("a/two"));
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("自己解凍格納フォルダ (")));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("M Free)")));
}

TEST_F(FolderWindowTest, AnEmptySlotEndsTheStoredAliasesAndTheRestIsClearedAtExit)
{
    for (int slot : {0, 1, 2, 3}) {
        Seed(qPrintable(QStringLiteral("Dir_Out_DirName%1").arg(slot)), QStringLiteral("n%1").arg(slot));
        if (slot != 2)
            Seed(qPrintable(QStringLiteral("Dir_Out_DirDir%1").arg(slot)), Path("a"));
    }
    FolderWindow window(FolderSide::Output);
    ASSERT_TRUE(window.Load(Path("b")));
    EXPECT_EQ(AliasMenu(window), QStringLiteral("n0,n1 bar add maintain"));
    window.StoreSettings();
    EXPECT_EQ(Stored("Dir_Out_DirName1"), QStringLiteral("n1"));
    EXPECT_EQ(Stored("Dir_Out_DirName3"), QString()) << "slot 3 is lost";
}

TEST_F(FolderWindowTest, AddingAnAliasAsksForANameAndRefusesATakenOne)
{
    FolderWindow window(FolderSide::Input);
    ASSERT_TRUE(window.Load(Path("a/one")));
    for (const QString& answer :
         {QStringLiteral("Work"), QStringLiteral("Work"), QStringLiteral("work"), QString()})
        dialogs.inputAnswers.enqueue(answer);
    window.AddAlias();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].text,
              QStringLiteral("フォルダエリアス名を入力してください\n") + Path("a/one"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("フォルダエリアス名入力"));
    EXPECT_EQ(dialogs.asked[0].detail, paths::ShortenPath(Path("a/one")));
    window.AddAlias();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("同一のフォルダエリアス名は追加できません")});
    window.AddAlias(); // another letter case is another name
    window.AddAlias(); // cancelled
    EXPECT_EQ(AliasMenu(window), QStringLiteral("Work,work bar add maintain"));
    EXPECT_EQ(window.Aliases().At(1), (FolderAlias{QStringLiteral("work"), Path("a/one")}));
}

TEST_F(FolderWindowTest, TheTenthAliasSwitchesAddingOffAndTheDialogBringsItBack)
{
    FolderWindow window(FolderSide::Output);
    ASSERT_TRUE(window.Load(Path("a")));
    for (int i = 0; i < 10; ++i)
        dialogs.inputAnswers.enqueue(QStringLiteral("alias %1 & co").arg(i));
    for (int i = 0; i < 10; ++i)
        window.AddAlias();
    EXPECT_FALSE(window.AddAliasAction()->isEnabled());
    EXPECT_EQ(window.AliasAction(9)->text(), QStringLiteral("alias 9 && co"))
        << "an ampersand shows as itself";

    QString captionSeen;
    window.SetAliasEditor(
        [&](const QString& caption, const FolderAliases& aliases) -> std::optional<FolderAliases> {
            captionSeen = caption;
            return FolderAliases({aliases.At(3), aliases.At(0)});
        });
    window.MaintainAliases();
    EXPECT_EQ(captionSeen, QStringLiteral("自己解凍格納フォルダ")) << "the caption without the free space";
    EXPECT_EQ(AliasMenu(window), QStringLiteral("alias 3 && co,alias 0 && co bar add maintain"));

    window.SetAliasEditor(
        [](const QString&, const FolderAliases&) { return std::optional<FolderAliases>(); });
    window.MaintainAliases();
    EXPECT_EQ(window.Aliases().Count(), 2) << "cancelled: nothing changes";
    window.SetAliasEditor(
        [](const QString&, const FolderAliases&) { return std::optional(FolderAliases()); });
    window.MaintainAliases();
    EXPECT_EQ(AliasMenu(window), QStringLiteral(" nobar add nomaintain"));
}

TEST_F(FolderWindowTest, AnAliasOpensItsFolderOrTheCurrentOne)
{
    FolderWindow window(FolderSide::Input);
    ASSERT_TRUE(window.Load(Path("b")));
    window.SetAliases(
        FolderAliases({{QStringLiteral("one"), Path("a/one")}, {QStringLiteral("gone"), Path("gone")}}));
    window.AliasAction(0)->trigger();
    EXPECT_EQ(window.Folder(), Path("a/one"));
    window.AliasAction(1)->trigger();
    EXPECT_EQ(window.Folder(), Path("b"));
}

TEST_F(FolderWindowTest, EnterOpensTheHighlightedFolderAndBackspaceTheOneAbove)
{
    FolderWindow window(FolderSide::Input);
    ASSERT_TRUE(window.Load(Path("a")));
    FolderListView& list = Named<FolderListView>(window, "dlbDir");
    folders::FolderListModel& model = *static_cast<folders::FolderListModel*>(list.model());
    list.setCurrentIndex(model.index(model.RowOf(1)));
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(window.Folder(), Path("a/two"));
    QTest::keyClick(&list, Qt::Key_Backspace); // the open folder is highlighted: its parent
    EXPECT_EQ(window.Folder(), Path("a"));
    list.setCurrentIndex(model.index(model.RowOf(1)));
    QTest::keyClick(&list, Qt::Key_Backspace); // the subfolder listed above "two"
    EXPECT_EQ(window.Folder(), Path("a/one"));

    window.OpenFolder(QStringLiteral("/"));
    QTest::keyClick(&list, Qt::Key_Backspace);
    EXPECT_EQ(window.Folder(), QStringLiteral("/")) << "nothing above the root";
}

TEST_F(FolderWindowTest, OnlyAnotherDriveThatCanBeOpenedLeavesTheFolder)
{
    services.drives.drives = {
        {QStringLiteral("/"), QString()}, {Path("gone"), QStringLiteral("USB")}, {Path("a"), QString()}};
    FolderWindow window(FolderSide::Input);
    ASSERT_TRUE(window.Load(Path("b")));
    DriveBox& drives = *window.Drives();
    EXPECT_EQ(drives.itemText(1), Path("gone") + QStringLiteral("  [USB]"));
    EXPECT_EQ(drives.SelectedRoot(), QStringLiteral("/"));
    emit drives.activated(1);
    EXPECT_EQ(window.Folder(), Path("b"));
    EXPECT_EQ(drives.SelectedRoot(), QStringLiteral("/"));
    emit drives.activated(0);
    EXPECT_EQ(window.Folder(), Path("b")) << "re-picking the drive shown keeps the folder";
    emit drives.activated(2);
    EXPECT_EQ(window.Folder(), Path("a")) << "picking another drive opens its root";
    window.OpenFolder(Path("a/one"));
    emit drives.activated(2);
    EXPECT_EQ(window.Folder(), Path("a/one"));
    emit drives.activated(0);
    EXPECT_EQ(window.Folder(), QStringLiteral("/"));
}

TEST_F(FolderWindowTest, CopyOpensThisFolderInTheOtherWindow)
{
    FolderWindow input(FolderSide::Input), output(FolderSide::Output);
    ASSERT_TRUE(input.Load(Path("a/one")));
    ASSERT_TRUE(output.Load(Path("b")));
    input.SetOtherWindow(&output);
    input.CopyToOtherWindow();
    EXPECT_EQ(output.Folder(), Path("a/one"));
}

} // namespace
