#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/desk/mainWindow.h"
#include "ui/presentation/presentationChanges.h"
#include "ui/deskParts.h"
#include "ui/widgetTest.h"

namespace {

using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;
using testSupport::kSection;

using MainWindowTest = testSupport::WidgetTest;
using namespace testSupport;

TEST_F(MainWindowTest, LoadTitlesTheDesk)
{
    MainWindow window;
    ASSERT_TRUE(window.PrepareDesk());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tollbrook2 for Win32"));
    EXPECT_NE(window.findChild<QMdiArea*>(), nullptr);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(store.writes.isEmpty()) << "nothing is stored before the close";
}

TEST_F(MainWindowTest, CloseStoresThePlaceAndTheOptionsAndDropsTheLegacySettings)
{
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Main_Left"), QStringLiteral("1500"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Main_Top"), QStringLiteral("1200"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Main_Width"), QStringLiteral("9000"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Main_Height"), QStringLiteral("6000"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Cab"), QStringLiteral("False"));
    options::LoadOptions(); // as the start-up does before the window loads
    {
        MainWindow window;
        ASSERT_TRUE(window.PrepareDesk());
        window.close();
    }
    EXPECT_EQ(Stored("Main_WindowState"), QStringLiteral("0"));
    // Whole pixels at any usual resolution, so they come back as stored.
    EXPECT_EQ(Stored("Main_Left"), QStringLiteral("1500"));
    EXPECT_EQ(Stored("Main_Top"), QStringLiteral("1200"));
    EXPECT_EQ(Stored("Main_Width"), QStringLiteral("9000"));
    EXPECT_EQ(Stored("Main_Height"), QStringLiteral("6000"));
    EXPECT_EQ(Stored("Cab"), QStringLiteral("False"));
    EXPECT_EQ(Stored("Version"), QStringLiteral("1.02"));
    EXPECT_FALSE(store.HasApplication(kLegacyApplication));
    EXPECT_EQ(store.writes.constLast().key, QStringLiteral("Font_Italic")) << "the options are written last";
}

TEST_F(MainWindowTest, StoredPlaceThatIsNotANumberEndsTheStartWithItsMessage)
{
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Main_Width"), QStringLiteral("wide"));
    MainWindow window;
    EXPECT_FALSE(window.PrepareDesk());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Tollbrook2 frmTollbrook MDIForm_Load ERR")});
    EXPECT_TRUE(store.writes.isEmpty());
}

TEST_F(MainWindowTest, AWindowStateOutOfRangeOpensANormalDesk)
{
    for (const char* state : {"3", "-1"}) {
        store.Seed(kCurrentApplication, kSection, QStringLiteral("Main_WindowState"),
                   QString::fromLatin1(state));
        MainWindow window;
        EXPECT_TRUE(window.PrepareDesk()) << state;
        EXPECT_TRUE(dialogs.messages().isEmpty()) << state;
        EXPECT_EQ(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), Qt::WindowNoState);
    }
}

// The captions a person reads in the menu bar, top level first, each
// submenu's items after its own caption.
QStringList MenuCaptions(const QMenuBar& bar)
{
    QStringList captions;
    for (QAction* item : bar.actions()) {
        captions.append(item->text());
        if (item->menu()) {
            for (QAction* sub : item->menu()->actions())
                captions.append(QStringLiteral("  ") + sub->text());
        }
    }
    return captions;
}

TEST_F(MainWindowTest, UnderJapaneseTheMenuBarHasItsFixedCaptionsInOrder)
{
    MainWindow window;
    EXPECT_EQ(
        MenuCaptions(*window.menuBar()),
        (QStringList{"E(&x)it", "Fon(&t)", "(&L)og", "  Log(&C)opy", "  Log(&S)ave", "(&D)efault",
                     "  InDirDefault", "  OutDirDefault", "(&O)ption", "M(&k)dir", "(&H)elp", "(&A)bout"}));
    EXPECT_EQ(MenuActionOf(window, MenuCommand::LogSave).text(), QStringLiteral("Log(&S)ave"));
    EXPECT_EQ(MenuActionOf(window, MenuCommand::InitialOutputFolder).text(), QStringLiteral("OutDirDefault"));
}

TEST_F(MainWindowTest, MenuOffSwitchesTheTopLevelItemsOnly)
{
    MainWindow window;
    MenuOf(window).SetEnabled(false);
    for (QAction* item : window.menuBar()->actions())
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    EXPECT_TRUE(MenuActionOf(window, MenuCommand::LogCopy).isEnabled()) << "sub-items are left alone";
    MenuOf(window).SetEnabled(true);
    for (QAction* item : window.menuBar()->actions())
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
}

TEST_F(MainWindowTest, PanelButtonsCarryTheirCaptionsAndTooltipsFollowTheOption)
{
    MainWindow window;
    ASSERT_TRUE(window.PrepareDesk());
    EXPECT_EQ(ExecuteButtonOf(window, 0).text(), QStringLiteral("ＤＯＳ"));
    EXPECT_EQ(ExecuteButtonOf(window, 1).text(), QStringLiteral("Ｗｉｎ１６"));
    EXPECT_EQ(ExecuteButtonOf(window, 2).text(), QStringLiteral("Ｗｉｎ３２"));
    EXPECT_EQ(CancelButtonOf(window).text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_FALSE(CancelButtonOf(window).isEnabled());
    EXPECT_TRUE(ExecuteButtonOf(window, 2).toolTip().startsWith(QStringLiteral("Ｗｉｎ３２形式の自己解凍")));
    EXPECT_EQ(CancelButtonOf(window).toolTip(), QStringLiteral("実行中に中断します"));
    PresentationChanges::Current().AnnounceTooltips(false);
    for (int kind = 0; kind < 3; ++kind)
        EXPECT_TRUE(ExecuteButtonOf(window, kind).toolTip().isEmpty());
    EXPECT_TRUE(CancelButtonOf(window).toolTip().isEmpty());
}

} // namespace
