#include "ui/deskRig.h"
#include "folders/folderAliases.h"
#include "ui/modalDialog.h"
#include "support/fileBytes.h"
#include "ui/children/folderWindow.h"
#include "ui/desk/runPanel.h"
#include "util/paths.h"
#include "util/sharedMessages.h"

#include <QAction>
#include <QPushButton>

namespace {

using namespace testSupport;
using testSupport::ClickChild;
using testSupport::WhileModal;

// The menu commands on a loaded desk, driven as a person would: the menu
// item, then the controls of the modal dialog it opens.
class DeskMenuTest : public testSupport::DeskTest {
protected:
    void Run(MenuCommand command) { MenuActionOf(*window, command).trigger(); }
    QString Long(const QString& path) { return paths::GetLongPath(path); }
};

TEST_F(DeskMenuTest, LogCopyAndLogSaveWorkOnTheHistory)
{
    MainWindow& desk = Desk();
    HistoryWindowOf(desk).History().Add(QStringLiteral("[ /a/b.lzh ]"));
    HistoryWindowOf(desk).History().Add(QString::fromUtf8("全て終了しました"));
    Run(MenuCommand::LogCopy);
    const QString expected = QString::fromUtf8("[ /a/b.lzh ]\r\n全て終了しました\r\n");
    EXPECT_EQ(services.clipboard.Text(), expected);

    const QString log = output.path() + QStringLiteral("/RUN.LOG");
    dialogs.saveAnswers.enqueue(log);
    Run(MenuCommand::LogSave);
    EXPECT_EQ(testSupport::ReadBytes(log.toStdString()), expected.toUtf8().toStdString());
}

TEST_F(DeskMenuTest, NewFolderBecomesTheOutputFolder)
{
    MainWindow& desk = Desk();
    dialogs.inputAnswers.enqueue(QStringLiteral(" NEW "));
    Run(MenuCommand::NewFolder);
    EXPECT_EQ(OutputFolderOf(desk).Folder(), Long(output.path() + QStringLiteral("/NEW")));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // Back in the output folder, the same name again: it exists, so nothing
    // is made and the output folder stays.
    OutputFolderOf(desk).OpenFolder(output.path());
    dialogs.inputAnswers.enqueue(QStringLiteral("NEW"));
    Run(MenuCommand::NewFolder);
    EXPECT_EQ(dialogs.messages(), QStringList{messages::Text(messages::SharedMessage::FolderNotCreated)});
    EXPECT_EQ(OutputFolderOf(desk).Folder(), Long(output.path()));
}

TEST_F(DeskMenuTest, InitialFolderDialogHandsBackOnOkOnly)
{
    MainWindow& desk = Desk();
    const folders::StartFolders before = OutputFolderOf(desk).Start();
    ASSERT_TRUE(before.initialInForce);
    WhileModal([this] { Run(MenuCommand::InitialOutputFolder); },
               [](QWidget& dialog) {
                   ClickChild(dialog, "cbxDrive");
                   ClickChild(dialog, "btnCancel");
               });
    EXPECT_EQ(OutputFolderOf(desk).Start(), before);

    WhileModal([this] { Run(MenuCommand::InitialOutputFolder); },
               [](QWidget& dialog) {
                   EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("btnOk"))->isEnabled());
                   ClickChild(dialog, "cbxDrive");
                   ClickChild(dialog, "btnOk");
               });
    EXPECT_FALSE(OutputFolderOf(desk).Start().initialInForce);
    EXPECT_EQ(OutputFolderOf(desk).Start().initialFolder, Long(output.path())) << "the folder stays";
    EXPECT_TRUE(InputFolderOf(desk).Start().initialInForce) << "the other side is not touched";
}

TEST_F(DeskMenuTest, AliasMaintenanceHandsBackOnOkOnly)
{
    MainWindow& desk = Desk();
    const folders::FolderAliases two(
        {{QStringLiteral("in"), input.path()}, {QStringLiteral("out"), output.path()}});
    InputFolderOf(desk).SetAliases(two);
    WhileModal([&desk] { InputFolderOf(desk).MaintainAliases(); },
               [](QWidget& dialog) {
                   ClickChild(dialog, "btnDelAll");
                   ClickChild(dialog, "btnCancel");
               });
    EXPECT_EQ(InputFolderOf(desk).Aliases(), two);

    WhileModal([&desk] { InputFolderOf(desk).MaintainAliases(); },
               [](QWidget& dialog) {
                   EXPECT_EQ(dialog.windowTitle(),
                             QString::fromUtf8("圧縮ファイル格納フォルダのエリアスメンテナンス"));
                   ClickChild(dialog, "btnDel");
                   ClickChild(dialog, "btnOk");
               });
    EXPECT_EQ(InputFolderOf(desk).Aliases(),
              folders::FolderAliases({{QStringLiteral("out"), output.path()}}));
}

TEST_F(DeskMenuTest, OptionsOkDropsOnlyTheArchivesOfTypesNoLongerTaken)
{
    libraries.Set(archiver::kCab, std::make_shared<archiver::FakeArchiverLibrary>());
    const QString lzh = Archive(QStringLiteral("a.lzh"));
    const QString cab = Archive(QStringLiteral("b.cab"));
    MainWindow& desk = Desk({lzh, cab});
    ASSERT_EQ(WorkListOf(desk).Work().Count(), 2);

    WhileModal([this] { Run(MenuCommand::Options); },
               [](QWidget& dialog) {
                   ClickChild(dialog, "ckbTip");
                   ClickChild(dialog, "btnOk");
               });
    EXPECT_EQ(WorkListOf(desk).Work().Count(), 2) << "no type changed: the work list stays whole";

    WhileModal([this] { Run(MenuCommand::Options); },
               [](QWidget& dialog) {
                   ClickChild(dialog, "ckbLZH");
                   ClickChild(dialog, "btnOk");
               });
    EXPECT_EQ(WorkListOf(desk).Work().Entries(), QStringList{Long(cab)});
    EXPECT_TRUE(ExecuteButtonOf(desk, 0).isEnabled());

    WhileModal([this] { Run(MenuCommand::Options); },
               [](QWidget& dialog) {
                   ClickChild(dialog, "ckbCAB");
                   ClickChild(dialog, "btnOk");
               });
    EXPECT_EQ(WorkListOf(desk).Work().Count(), 0);
    EXPECT_FALSE(ExecuteButtonOf(desk, 0).isEnabled());
}

TEST_F(DeskMenuTest, UnreadableDialogPlacesEndTheStartWithTheirTexts)
{
    // The dialogs load in turn; each case breaks the next one's place.
    const struct {
        const char* key;
        const char* message;
    } cases[] = {
        {"MenuMente_Top", "frmMenuMente Form_Load ERR"},
        {"Default_Width", "Tollbrook2 frmDefault Form_Load ERR"},
    };
    for (const auto& c : cases) {
        dialogs.asked.clear();
        Seed(c.key, QStringLiteral("wide"));
        MainWindow desk(libraries);
        EXPECT_FALSE(desk.PrepareDesk());
        EXPECT_EQ(dialogs.messages(), QStringList{QString::fromLatin1(c.message)});
    }
}

} // namespace
