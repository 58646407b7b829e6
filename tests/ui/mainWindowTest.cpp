#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/mainWindow.h"
#include "ui/runPanel.h"
#include "widgetTest.h"

namespace {

using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;
using testSupport::kSection;

using MainWindowTest = testSupport::WidgetTest;

TEST_F(MainWindowTest, LoadTitlesTheDesk)
{
    MainWindow window;
    ASSERT_TRUE(window.PrepareDesk());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tollbrook2 for Win32"));
    EXPECT_NE(window.childArea(), nullptr);
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

TEST_F(MainWindowTest, MenuBarHasTheFixedEnglishCaptionsInOrder)
{
    MainWindow window;
    EXPECT_EQ(
        MenuCaptions(*window.menuBar()),
        (QStringList{"E(&x)it", "Fon(&t)", "(&L)og", "  Log(&C)opy", "  Log(&S)ave", "(&D)efault",
                     "  InDirDefault", "  OutDirDefault", "(&O)ption", "M(&k)dir", "(&H)elp", "(&A)bout"}));
    EXPECT_EQ(window.MenuAction(MenuCommand::LogSave)->text(), QStringLiteral("Log(&S)ave"));
    EXPECT_EQ(window.MenuAction(MenuCommand::InitialOutputFolder)->text(), QStringLiteral("OutDirDefault"));
}

TEST_F(MainWindowTest, MenuOffSwitchesTheTopLevelItemsOnly)
{
    MainWindow window;
    window.menu().SetEnabled(false);
    for (QAction* item : window.menuBar()->actions())
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    EXPECT_TRUE(window.MenuAction(MenuCommand::LogCopy)->isEnabled()) << "sub-items are left alone";
    window.menu().SetEnabled(true);
    for (QAction* item : window.menuBar()->actions())
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
}

TEST_F(MainWindowTest, PanelButtonsCarryTheirCaptionsAndTooltipsFollowTheOption)
{
    MainWindow window;
    ASSERT_TRUE(window.PrepareDesk());
    const RunPanel& panel = window.runPanel();
    EXPECT_EQ(panel.ExecuteButton(0)->text(), QStringLiteral("ＤＯＳ"));
    EXPECT_EQ(panel.ExecuteButton(1)->text(), QStringLiteral("Ｗｉｎ１６"));
    EXPECT_EQ(panel.ExecuteButton(2)->text(), QStringLiteral("Ｗｉｎ３２"));
    EXPECT_EQ(panel.CancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_FALSE(panel.CancelButton()->isEnabled());
    EXPECT_TRUE(panel.ExecuteButton(2)->toolTip().startsWith(QStringLiteral("Ｗｉｎ３２形式の自己解凍")));
    EXPECT_EQ(panel.CancelButton()->toolTip(), QStringLiteral("実行中に中断します"));
    window.ApplyTooltipsEverywhere(false);
    for (int kind = 0; kind < 3; ++kind)
        EXPECT_TRUE(panel.ExecuteButton(kind)->toolTip().isEmpty());
    EXPECT_TRUE(panel.CancelButton()->toolTip().isEmpty());
}

// A dialog as the desk's commands see it, recording what reached it.
struct RecordingDialog : Presentable {
    QStringList* calls;
    QString name;
    RecordingDialog(QStringList* calls, QString name) : calls(calls), name(std::move(name)) {}
    void ApplyFont() override { calls->append(name + QStringLiteral(" font")); }
    void ApplyTooltips(bool show) override
    {
        calls->append(name + (show ? QStringLiteral(" tips") : QStringLiteral(" no tips")));
    }
    void StoreSettings() override { calls->append(name + QStringLiteral(" store")); }
};

TEST_F(MainWindowTest, AttachedDialogsTakeFontTooltipsAndStoreInTheirOrder)
{
    QStringList calls;
    RecordingDialog about(&calls, "about"), initial(&calls, "initial"), optionsDialog(&calls, "options"),
        aliases(&calls, "aliases");
    MainWindow window;
    ASSERT_TRUE(window.PrepareDesk());
    // Attached out of order: the order of the slots counts.
    window.AttachDialog(DeskDialog::Aliases, aliases);
    window.AttachDialog(DeskDialog::Options, optionsDialog);
    window.AttachDialog(DeskDialog::About, about);
    window.AttachDialog(DeskDialog::InitialFolders, initial);
    window.ApplyFontEverywhere();
    window.ApplyTooltipsEverywhere(false);
    window.close();
    EXPECT_EQ(calls,
              (QStringList{"about font", "initial font", "options font", "aliases font", "about no tips",
                           "initial no tips", "options no tips", "aliases no tips", "about store",
                           "initial store", "options store", "aliases store"}));
}

} // namespace
