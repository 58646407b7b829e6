#include "ui/dialogs/initialFolderDialog.h"

#include "util/paths.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"
#include "ui/widgetTest.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using folders::FolderSide;

class InitialFolderDialogTest : public testSupport::WidgetTest {
protected:
    InitialFolderDialogTest()
    {
        QDir(folder.path()).mkdir(QStringLiteral("inner"));
        dialog.SetPurpose(InitialFolderDialog::PurposeOf(FolderSide::Output));
    }
    // As the desk's command opens it: purpose, folder and flag, then shown.
    void Open(const QString& start, bool inForce)
    {
        dialog.SetFolder(start);
        dialog.SetInForce(inForce);
        dialog.show();
    }
    QWidget* Control(const char* name) { return dialog.findChild<QWidget*>(QString::fromLatin1(name)); }
    bool OkEnabled() { return Control("btnOk")->isEnabled(); }
    QString Long(const QString& path) { return paths::GetLongPath(path); }

    QTemporaryDir folder;
    InitialFolderDialog dialog;
};

TEST_F(InitialFolderDialogTest, OkWaitsForAChangeMadeWhileTheDialogShows)
{
    const struct {
        const char* change;
        std::function<void(InitialFolderDialog&)> make;
        bool enablesOk;
    } cases[] = {
        {"nothing", [](InitialFolderDialog&) {}, false},
        {"the flag",
         [](InitialFolderDialog& d) { d.findChild<QCheckBox*>(QStringLiteral("cbxDrive"))->click(); }, true},
        {"the temporary folder", [](InitialFolderDialog& d) { d.CopyTemporaryFolder(); }, true},
        {"the same folder again", [this](InitialFolderDialog& d) { d.SetFolder(folder.path()); }, false},
    };
    for (const auto& c : cases) {
        Open(folder.path(), true);
        EXPECT_FALSE(OkEnabled()) << c.change;
        c.make(dialog);
        EXPECT_EQ(OkEnabled(), c.enablesOk) << c.change;
        dialog.hide();
    }
}

TEST_F(InitialFolderDialogTest, FlagSwitchesTheFolderControlsButKeepsTheFolder)
{
    Open(folder.path() + QStringLiteral("/inner"), true);
    for (const char* name : {"lblDrive", "drvDrive", "dlbDir", "txtDir"})
        EXPECT_TRUE(Control(name)->isEnabled()) << name;
    qobject_cast<QAbstractButton*>(Control("cbxDrive"))->click();
    for (const char* name : {"lblDrive", "drvDrive", "dlbDir", "txtDir"})
        EXPECT_FALSE(Control(name)->isEnabled()) << name;
    EXPECT_FALSE(dialog.InForce());
    EXPECT_EQ(dialog.Folder(), Long(folder.path() + QStringLiteral("/inner")));
}

TEST_F(InitialFolderDialogTest, OutputLabelShowsTheFreeSpaceInputLabelDoesNot)
{
    Open(folder.path(), true);
    const QString label = dialog.findChild<QLabel*>(QStringLiteral("lblDrive"))->text();
    // The free space itself moves while other programs write.
    const QRegularExpression withFreeSpace(
        QRegularExpression::escape(messages::Text(messages::ProgramMessage::InitialOutputFolder))
        + QStringLiteral(R"( \([0-9,]+\.[0-9]M Free\)$)"));
    EXPECT_TRUE(withFreeSpace.match(label).hasMatch()) << label.toStdString();

    dialog.SetPurpose(InitialFolderDialog::PurposeOf(FolderSide::Input));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblDrive"))->text(),
              messages::Text(messages::ProgramMessage::InitialInputFolder));
}

TEST_F(InitialFolderDialogTest, FoldersComeFromTheCopyCommandsOrFallBackToTheCurrentFolder)
{
    QTemporaryDir other;
    dialog.SetCopySources(folder.path(), other.path());
    Open(QStringLiteral("/no/such/folder"), true);
    EXPECT_EQ(dialog.Folder(), Long(QDir::currentPath()));
    dialog.CopyOutputFolder();
    EXPECT_EQ(dialog.Folder(), Long(other.path()));
    dialog.CopyInputFolder();
    EXPECT_EQ(dialog.Folder(), Long(folder.path()));
    dialog.CopyTemporaryFolder();
    EXPECT_EQ(dialog.Folder(), Long(paths::GetTempDir()));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtDir"))->text(),
              paths::ShortenPath(Long(paths::GetTempDir())));
    ASSERT_EQ(dialog.findChild<QMenu*>()->actions().size(), 3);
    EXPECT_EQ(dialog.findChild<QMenu*>()->actions()[2]->text(),
              messages::Text(messages::ProgramMessage::CopyFromTemporaryFolder));
}

TEST_F(InitialFolderDialogTest, TooltipsComeFromThePurpose)
{
    const InitialFolderDialog::Purpose input = InitialFolderDialog::PurposeOf(FolderSide::Input);
    dialog.SetPurpose(input);
    dialog.ApplyTooltips(true);
    EXPECT_EQ(Control("cbxDrive")->toolTip(), input.inForceTip);
    EXPECT_EQ(Control("drvDrive")->toolTip(), input.driveTip);
    EXPECT_EQ(Control("dlbDir")->toolTip(), input.folderTip);
    EXPECT_EQ(Control("txtDir")->toolTip(), input.textTip);
    EXPECT_EQ(Control("btnOk")->toolTip(), messages::Text(messages::SharedMessage::OkButtonTip));
    // The box is named by the label beside it, whatever its tooltip says.
    EXPECT_EQ(Control("cbxDrive")->accessibleName(), input.label);
    // Another purpose while tooltips show: its texts replace the first one's.
    const InitialFolderDialog::Purpose output = InitialFolderDialog::PurposeOf(FolderSide::Output);
    dialog.SetPurpose(output);
    EXPECT_EQ(Control("drvDrive")->toolTip(), output.driveTip);
    EXPECT_EQ(Control("txtDir")->accessibleName(), output.textTip);
    EXPECT_EQ(Control("cbxDrive")->accessibleName(), output.label);
    dialog.ApplyTooltips(false);
    for (const char* name : {"cbxDrive", "drvDrive", "dlbDir", "txtDir", "btnOk", "btnCancel"})
        EXPECT_EQ(Control(name)->toolTip(), QString()) << name;
}

TEST_F(InitialFolderDialogTest, WithoutTheFlagTheFolderIsAlwaysInForce)
{
    InitialFolderDialog::Purpose fixed = InitialFolderDialog::PurposeOf(FolderSide::Input);
    fixed.offersInForce = false;
    dialog.SetPurpose(fixed);
    Open(folder.path(), false);
    EXPECT_FALSE(Control("cbxDrive")->isVisible());
    EXPECT_TRUE(dialog.InForce());
    EXPECT_TRUE(Control("dlbDir")->isEnabled());
}

} // namespace
