#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>

#include "core/options.h"
#include "support/fakeServices.h"
#include "support/storedSettings.h"
#include "ui/mainWindow.h"

namespace {

using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;
using testSupport::kSection;

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "uiMainWindowTest";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }

    QString Stored(const char* key)
    {
        return store.Read(kCurrentApplication, kSection, QString::fromLatin1(key),
                          QStringLiteral("<absent>"));
    }

    testSupport::FakeServices services;
    platform::FakeSettingsStore& store = services.settings;
    platform::FakeDialogs& dialogs = services.dialogs;
};

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

} // namespace
