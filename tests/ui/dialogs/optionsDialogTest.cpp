#include "ui/dialogs/optionsDialog.h"

#include "support/printQString.h"
#include "ui/widgetTest.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using messages::ProgramMessage;
using messages::SharedMessage;

// Every choice of the dialog by its internal name, with the option it edits.
const char* const kChoices[] = {"ckbLZH",     "ckbLZH_EXE", "ckbLZH_X",  "ckbLZH_LHA", "ckbCAB",
                                "ckbCAB_EXE", "ckbUCase",   "ckbNozoku", "ckbAuto",    "obtExe0",
                                "obtExe1",    "obtExe2",    "ckbLog",    "ckbResize",  "ckbTip"};

class OptionsDialogTest : public testSupport::WidgetTest {
protected:
    template <typename Widget = QAbstractButton>
    Widget* Control(const char* name)
    {
        auto* control = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    bool Shown(const char* name) { return Control<QWidget>(name)->isVisibleTo(&dialog); }
    QPushButton* Ok() { return Control<QPushButton>("btnOk"); }

    static options::Options Stored()
    {
        options::Options options = options::Defaults();
        options.convertLzhExe = true;
        options.convertLzhX = true;
        options.convertCabExe = true;
        options.autoRun = true;
        options.autoRunKind = 1;
        options.autoRunCopiesHistory = false;
        options.showTooltips = false;
        options.lzhDosOptions = QStringLiteral("s -custom");
        return options;
    }

    OptionsDialog dialog;
};

TEST_F(OptionsDialogTest, ShowsTheGivenOptionsAndOkWaitsForAChange)
{
    const options::Options given = Stored();
    for (const char* name : kChoices) {
        dialog.SetOptions(given);
        EXPECT_FALSE(Ok()->isEnabled()) << "nothing changed yet";
        QAbstractButton* choice = Control(name);
        // A radio button already selected does not change when clicked: pick another one.
        if (choice->isChecked() && qobject_cast<QRadioButton*>(choice))
            choice = Control("obtExe0");
        choice->click();
        EXPECT_TRUE(Ok()->isEnabled()) << name;
    }
    dialog.SetOptions(given);
    EXPECT_EQ(dialog.ChosenOptions().convertLzhExe, true);
    EXPECT_EQ(dialog.ChosenOptions().autoRunKind, 1);
    EXPECT_EQ(dialog.ChosenOptions().lzhDosOptions, QStringLiteral("s -custom")) << "not edited here";
    EXPECT_TRUE(Control("obtExe1")->isChecked());
    EXPECT_FALSE(Control("ckbTip")->isChecked());
}

TEST_F(OptionsDialogTest, HiddenSubOptionsKeepTheirValues)
{
    dialog.SetOptions(Stored());
    for (const char* name :
         {"ckbLZH_EXE", "ckbLZH_X", "ckbLZH_LHA", "obtExe0", "obtExe1", "obtExe2", "ckbLog"})
        EXPECT_TRUE(Shown(name)) << name;

    Control("ckbLZH")->click();
    Control("ckbAuto")->click();
    Control("ckbCAB")->click();
    for (const char* name :
         {"ckbLZH_EXE", "ckbLZH_X", "ckbLZH_LHA", "obtExe0", "obtExe1", "obtExe2", "ckbLog"})
        EXPECT_FALSE(Shown(name)) << name;
    EXPECT_TRUE(Shown("ckbCAB_EXE")) << "the CAB sub-option is always shown";

    const options::Options chosen = dialog.ChosenOptions();
    EXPECT_FALSE(chosen.convertLzh);
    EXPECT_FALSE(chosen.autoRun);
    EXPECT_FALSE(chosen.convertCab);
    EXPECT_TRUE(chosen.convertLzhExe);
    EXPECT_TRUE(chosen.convertLzhX);
    EXPECT_FALSE(chosen.convertLzhLha);
    EXPECT_TRUE(chosen.convertCabExe);
    EXPECT_EQ(chosen.autoRunKind, 1);
    EXPECT_FALSE(chosen.autoRunCopiesHistory);

    Control("ckbLZH")->click();
    EXPECT_TRUE(Shown("ckbLZH_X"));
    EXPECT_TRUE(Control("ckbLZH_X")->isChecked());
}

TEST_F(OptionsDialogTest, KeepsItsSizeWhenSubOptionsHideAndShow)
{
    dialog.SetOptions(Stored());
    dialog.show();
    QApplication::processEvents();
    const QSize shown = dialog.size();
    for (const char* choice : {"ckbLZH", "ckbAuto", "ckbLZH", "ckbAuto"}) {
        Control(choice)->click();
        QApplication::processEvents();
        EXPECT_EQ(dialog.size(), shown) << "after " << choice;
    }
}

TEST_F(OptionsDialogTest, MissingLibrariesDisableTheirTypesButShowTheValues)
{
    const struct {
        bool lzh;
        bool cab;
    } cases[] = {{false, true}, {true, false}, {false, false}, {true, true}};
    for (const auto& c : cases) {
        dialog.SetLibrariesAvailable(c.lzh, c.cab);
        dialog.SetOptions(Stored());
        for (const char* name : {"ckbLZH", "ckbLZH_EXE", "ckbLZH_X", "ckbLZH_LHA"})
            EXPECT_EQ(Control(name)->isEnabled(), c.lzh) << name;
        EXPECT_EQ(Control("ckbCAB")->isEnabled(), c.cab);
        EXPECT_TRUE(Control("ckbCAB_EXE")->isEnabled());
        EXPECT_TRUE(Control("ckbLZH_EXE")->isChecked());
        EXPECT_TRUE(Control("ckbCAB")->isChecked());
    }
}

TEST_F(OptionsDialogTest, DefaultsButtonShowsTheDefaultsAndEnablesOk)
{
    dialog.SetOptions(Stored());
    Control("btnInit")->click();
    EXPECT_TRUE(Ok()->isEnabled());
    const options::Options chosen = dialog.ChosenOptions();
    const options::Options defaults = options::Defaults();
    EXPECT_EQ(chosen.convertLzh, defaults.convertLzh);
    EXPECT_EQ(chosen.convertLzhExe, defaults.convertLzhExe);
    EXPECT_EQ(chosen.convertLzhX, defaults.convertLzhX);
    EXPECT_EQ(chosen.convertCabExe, defaults.convertCabExe);
    EXPECT_EQ(chosen.autoRun, defaults.autoRun);
    EXPECT_EQ(chosen.autoRunKind, 2);
    EXPECT_EQ(chosen.autoRunCopiesHistory, defaults.autoRunCopiesHistory);
    EXPECT_EQ(chosen.showTooltips, defaults.showTooltips);
    EXPECT_EQ(chosen.lzhDosOptions, QStringLiteral("s -custom")) << "option strings are not the dialog's";
    EXPECT_FALSE(Shown("ckbLog"));
}

TEST_F(OptionsDialogTest, KindOutOfRangeShowsAndStoresDos)
{
    options::Options stored = Stored();
    stored.autoRunKind = 7;
    dialog.SetOptions(stored);
    EXPECT_TRUE(Control("obtExe0")->isChecked());
    EXPECT_EQ(dialog.ChosenOptions().autoRunKind, 0);
}

TEST_F(OptionsDialogTest, TooltipsComeFromTheCatalogueOrAreCleared)
{
    const struct {
        const char* name;
        QString tip;
    } tips[] = {
        {"ckbLZH", messages::Text(ProgramMessage::LzhOptionTip)},
        {"ckbLZH_EXE", messages::Text(ProgramMessage::LzhExeOptionTip)},
        {"ckbLZH_X", messages::Text(ProgramMessage::LzhXOptionTip)},
        {"ckbLZH_LHA", messages::Text(ProgramMessage::LzhLhaOptionTip)},
        {"ckbCAB", messages::Text(ProgramMessage::CabOptionTip)},
        {"ckbCAB_EXE", messages::Text(ProgramMessage::CabExeOptionTip)},
        {"ckbUCase", messages::Text(ProgramMessage::UpperCaseOptionTip)},
        {"ckbNozoku", messages::Text(ProgramMessage::LeaveOutOptionTip)},
        {"ckbAuto", messages::Text(ProgramMessage::AutoRunOptionTip)},
        {"obtExe0", messages::Text(ProgramMessage::AutoRunDosTip)},
        {"obtExe1", messages::Text(ProgramMessage::AutoRunWin16Tip)},
        {"obtExe2", messages::Text(ProgramMessage::AutoRunWin32Tip)},
        {"ckbLog", messages::Text(SharedMessage::CopyHistoryOptionTip)},
        {"ckbResize", messages::Text(SharedMessage::ResizeOptionTip)},
        {"ckbTip", messages::Text(SharedMessage::TooltipOptionTip)},
        {"btnOk", messages::Text(SharedMessage::OkButtonTip)},
        {"btnInit", messages::Text(SharedMessage::DefaultsButtonTip)},
        {"btnCancel", messages::Text(SharedMessage::CancelButtonTip)},
    };
    dialog.ApplyTooltips(true);
    for (const auto& tip : tips) {
        EXPECT_FALSE(tip.tip.isEmpty()) << tip.name;
        EXPECT_EQ(Control<QWidget>(tip.name)->toolTip(), tip.tip) << tip.name;
    }
    dialog.ApplyTooltips(false);
    for (const auto& tip : tips)
        EXPECT_EQ(Control<QWidget>(tip.name)->toolTip(), QString()) << tip.name;
}

TEST_F(OptionsDialogTest, CaptionsAreTheCataloguesAndTheFixedSubOptions)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Option"));
    EXPECT_EQ(Control("ckbLZH")->text(), QString::fromUtf8("LZH圧縮ファイル作成対象(.LZH)"));
    EXPECT_EQ(Control("ckbLZH_X")->text(), QStringLiteral(".X"));
    EXPECT_EQ(Control("ckbCAB_EXE")->text(), QStringLiteral(".EXE"));
    EXPECT_EQ(Control("obtExe1")->text(), QString::fromUtf8("Ｗｉｎ１６"));
    EXPECT_EQ(Control("btnOk")->text(), QString::fromUtf8("設定"));
    EXPECT_EQ(Control("btnInit")->text(), QString::fromUtf8("初期値"));
    EXPECT_EQ(Control("btnCancel")->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
}

TEST_F(OptionsDialogTest, OkAcceptsAndCancelOrEscapeRejects)
{
    dialog.SetOptions(Stored());
    Control("ckbUCase")->click();
    Ok()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    dialog.SetOptions(Stored());
    Control("btnCancel")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.show();
    dialog.setResult(QDialog::Accepted);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(OptionsDialogRules, TooltipsAreAppliedAgainWhenOnOrSwitched)
{
    EXPECT_TRUE(OptionsDialog::TooltipsNeedApplying(true, true));
    EXPECT_TRUE(OptionsDialog::TooltipsNeedApplying(false, true));
    EXPECT_TRUE(OptionsDialog::TooltipsNeedApplying(true, false));
    EXPECT_FALSE(OptionsDialog::TooltipsNeedApplying(false, false));
}

} // namespace
