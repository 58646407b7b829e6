#include "ui/commands/deskCommands.h"

#include "archiver/archiver.h"
#include "support/fakeLibrary.h"
#include "ui/dialogs/aboutDialog.h"
#include "ui/dialogs/aliasDialog.h"
#include "ui/dialogs/initialFolderDialog.h"
#include "ui/desk/mainWindow.h"
#include "ui/dialogs/optionsDialog.h"
#include "ui/presentation/childLayout.h"
#include "ui/deskParts.h"
#include "util/paths.h"
#include "util/programMessages.h"
#include "ui/modalDialog.h"
#include "ui/widgetTest.h"

#include "core/archiveTypes.h"
#include "lists/historyModel.h"
#include "lists/workListModel.h"
#include "ui/children/folderWindow.h"
#include "ui/commands/mainMenu.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>

namespace {

using namespace testSupport;
class DeskCommandsTest : public testSupport::WidgetTest {
protected:
    // Runs a menu command that opens a modal dialog, and `inside` with it.
    void WhileModal(MenuCommand command, const std::function<void(QWidget&)>& inside)
    {
        WhileModal(window, command, inside);
    }
    static void WhileModal(MainWindow& desk, MenuCommand command, const std::function<void(QWidget&)>& inside)
    {
        testSupport::WhileModal([&desk, command] { MenuActionOf(desk, command).trigger(); }, inside);
    }
    static void Click(QWidget& dialog, const char* name) { testSupport::ClickChild(dialog, name); }
    QString ExecuteTip() { return ExecuteButtonOf(window, 0).toolTip(); }

    MainWindow window;
};

TEST_F(DeskCommandsTest, FontCommandAppliesAChangedFontToEveryDialogAndNothingElse)
{
    ASSERT_TRUE(window.PrepareDesk());
    dialogs.fontAnswers.enqueue({QStringLiteral("IPAGothic"), 14.5f, true, false});
    MenuActionOf(window, MenuCommand::Font).trigger();
    EXPECT_EQ(options::Current().fontSize, 14);
    for (QWidget* dialog : {static_cast<QWidget*>(&Named<OptionsDialog>(window, "frmOption")),
                            static_cast<QWidget*>(&Named<AboutDialog>(window, "frmAbout"))}) {
        EXPECT_EQ(dialog->font().pointSize(), 14) << dialog->objectName().toStdString();
        EXPECT_TRUE(dialog->font().bold());
    }

    // The same font again (the chooser hands back what it was given): no
    // window is touched.
    Named<AboutDialog>(window, "frmAbout").setFont(QFont(QStringLiteral("IPAMincho"), 9));
    MenuActionOf(window, MenuCommand::Font).trigger();
    EXPECT_EQ(Named<AboutDialog>(window, "frmAbout").font().pointSize(), 9);
}

TEST_F(DeskCommandsTest, OptionsOkAppliesTheChoicesAndSwitchesTooltipsEverywhere)
{
    ASSERT_TRUE(window.PrepareDesk());
    ASSERT_FALSE(ExecuteTip().isEmpty());
    WhileModal(MenuCommand::Options, [](QWidget& dialog) {
        Click(dialog, "ckbTip");
        Click(dialog, "ckbNozoku");
        Click(dialog, "btnOk");
    });
    EXPECT_FALSE(options::Current().showTooltips);
    EXPECT_TRUE(options::Current().leaveOutForeignNames);
    EXPECT_EQ(ExecuteTip(), QString());
    EXPECT_EQ(
        Named<OptionsDialog>(window, "frmOption").findChild<QWidget*>(QStringLiteral("ckbLZH"))->toolTip(),
        QString());
}

TEST_F(DeskCommandsTest, OptionsOkWithTooltipsOnAppliesThemAgain)
{
    ASSERT_TRUE(window.PrepareDesk());
    ExecuteButtonOf(window, 0).setToolTip(QStringLiteral("stale"));
    WhileModal(MenuCommand::Options, [](QWidget& dialog) {
        Click(dialog, "ckbUCase");
        Click(dialog, "btnOk");
    });
    EXPECT_EQ(ExecuteTip(), messages::Text(messages::ProgramMessage::DosTip));
    EXPECT_FALSE(options::Current().upperCaseNames);
}

TEST_F(DeskCommandsTest, OptionsCancelAfterDefaultsChangesNothing)
{
    options::Current().convertLzhX = true;
    options::Current().autoRunKind = 0;
    ASSERT_TRUE(window.PrepareDesk());
    WhileModal(MenuCommand::Options, [](QWidget& dialog) {
        Click(dialog, "btnInit");
        Click(dialog, "btnCancel");
    });
    EXPECT_TRUE(options::Current().convertLzhX);
    EXPECT_EQ(options::Current().autoRunKind, 0);
}

TEST_F(DeskCommandsTest, AboutShowsTheLibrariesStartUpFound)
{
    archiver::Libraries onlyCab;
    onlyCab.Set(archiver::kCab, std::make_shared<archiver::FakeArchiverLibrary>(), 7);
    MainWindow desk(onlyCab);
    ASSERT_TRUE(desk.PrepareDesk());
    QString row0;
    WhileModal(desk, MenuCommand::About, [&row0](QWidget& dialog) {
        row0 = dialog.findChild<QLabel*>(QStringLiteral("lblProg0"))->text() + QLatin1Char(' ')
            + dialog.findChild<QLabel*>(QStringLiteral("lblVer0"))->text();
        Click(dialog, "btnOk");
    });
    EXPECT_EQ(row0, QStringLiteral("CAB32.DLL Ver.0.07"));
}

TEST_F(DeskCommandsTest, EveryDialogControlIsReachedByTabAndNamedForScreenReaders)
{
    ASSERT_TRUE(window.PrepareDesk());
    Named<InitialFolderDialog>(window, "frmDefault")
        .SetPurpose(InitialFolderDialog::PurposeOf(folders::FolderSide::Output));
    for (const char* name : {"frmOption", "frmAbout", "frmMenuMente", "frmDefault"}) {
        QWidget* dialog = &Named(window, name);
        int controls = 0;
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            const auto* button = qobject_cast<QAbstractButton*>(control);
            const bool interactive = button || qobject_cast<QLineEdit*>(control)
                || qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractItemView*>(control);
            if (!interactive || control->objectName().isEmpty())
                continue; // the parts of composite controls
            ++controls;
            const std::string name = (dialog->objectName() + u'.' + control->objectName()).toStdString();
            EXPECT_TRUE(control->focusPolicy() & Qt::TabFocus) << name;
            const QString spoken =
                control->accessibleName().isEmpty() && button ? button->text() : control->accessibleName();
            EXPECT_FALSE(spoken.isEmpty()) << name;
        }
        EXPECT_GE(controls, 3) << dialog->objectName().toStdString();
    }
}

TEST_F(DeskCommandsTest, HelpOpensTheManual)
{
    ASSERT_TRUE(window.PrepareDesk());
    MenuActionOf(window, MenuCommand::Help).trigger();
    ASSERT_EQ(services.documents.opened.size(), 1);
    EXPECT_TRUE(
        services.documents.opened.first().startsWith(paths::GetManualDir() + QStringLiteral("/manual")));
}

TEST_F(DeskCommandsTest, DialogsOpenWhereTheyWereOrCentred)
{
    Seed("Option_Left", QStringLiteral("1500"));
    Seed("Option_Top", QStringLiteral("1200"));
    Seed("About_Left", QStringLiteral("-50"));
    Seed("About_Top", QStringLiteral("1200"));
    ASSERT_TRUE(window.PrepareDesk());
    const int dpi = Named<OptionsDialog>(window, "frmOption").logicalDpiX();
    EXPECT_EQ(Named<OptionsDialog>(window, "frmOption").pos(),
              QPoint(childLayout::ToPixels(1500, dpi), childLayout::ToPixels(1200, dpi)));
    EXPECT_FALSE(Named<AboutDialog>(window, "frmAbout").testAttribute(Qt::WA_Moved))
        << "off the screen: centred on the desk";

    // A dialog that was shown keeps its place; one never shown stores none.
    WhileModal(MenuCommand::Options, [](QWidget& dialog) { Click(dialog, "btnCancel"); });
    window.close();
    EXPECT_EQ(Stored("Option_Left"), QStringLiteral("1500"));
    EXPECT_EQ(Stored("Option_Top"), QStringLiteral("1200"));
    for (const auto& write : store.writes)
        EXPECT_NE(write.key, QStringLiteral("About_Left"));
}

TEST_F(DeskCommandsTest, UnreadableOptionsPlaceEndsTheStartButTheAboutBoxCopes)
{
    Seed("About_Left", QStringLiteral("left"));
    EXPECT_TRUE(window.PrepareDesk());
    EXPECT_TRUE(dialogs.messages().isEmpty());

    Seed("Option_Top", QStringLiteral("top"));
    MainWindow another;
    EXPECT_FALSE(another.PrepareDesk());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Tollbrook2 frmOption Form_Load ERR")});
}

TEST_F(DeskCommandsTest, ExitClosesTheDeskAndStoresTheOptions)
{
    ASSERT_TRUE(window.PrepareDesk());
    window.show();
    MenuActionOf(window, MenuCommand::Exit).trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Stored("Font_Italic"), QStringLiteral("False"));
}

// The commands with only the parts they are built from, no desk around
// them: OK in the options dialog drops the archives of types no longer
// taken and tells the desk once; Cancel changes nothing and tells nobody.
TEST_F(DeskCommandsTest, BuiltFromItsPartsOptionsOkTrimsTheWorkListAndTellsTheDesk)
{
    archiver::Libraries libraries;
    libraries.Set(archiver::kLzh, std::make_shared<archiver::FakeArchiverLibrary>());
    libraries.Set(archiver::kCab, std::make_shared<archiver::FakeArchiverLibrary>());
    QWidget desk;
    QMenuBar bar(&desk);
    MainMenu menu(bar);
    HistoryModel history;
    FolderWindow input(folders::FolderSide::Input), output(folders::FolderSide::Output);
    WorkListModel work(
        [&libraries](const QString& path) { return ArchiveTypes::Current(libraries).AcceptsType(path); });
    ASSERT_TRUE(work.Add(QStringLiteral("/in/a.lzh")));
    ASSERT_TRUE(work.Add(QStringLiteral("/in/b.cab")));
    DeskCommands commands({desk, menu, history, input, output, work, libraries});
    ASSERT_TRUE(commands.PrepareDialogs());
    QSignalSpy accepted(&commands, &DeskCommands::OptionsAccepted);

    const auto options = [&menu](const char* button) {
        testSupport::WhileModal([&menu] { menu.Action(MenuCommand::Options)->trigger(); },
                                [button](QWidget& dialog) {
                                    Click(dialog, "ckbCAB");
                                    Click(dialog, button);
                                });
    };
    options("btnCancel");
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_EQ(work.Count(), 2);
    options("btnOk");
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(work.Entries(), QStringList{QStringLiteral("/in/a.lzh")});
    EXPECT_FALSE(options::Current().convertCab);
}

} // namespace
