#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>

#include "core/options.h"
#include "platform/fake_dialogs.h"
#include "platform/fake_settings_store.h"
#include "platform/services.h"
#include "ui/frmTollbrook.h"

namespace {

using platform::FakeSettingsStore;

const QString kCurrentApp = QStringLiteral("Corvale's Soft");
const QString kLegacyApp = QStringLiteral("Tollbrook2");
const QString kSection = QStringLiteral("Tollbrook2");

class FrmTollbrookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "frm_tollbrook_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    QString Stored(const char* key) {
        return store.Read(kCurrentApp, kSection, QString::fromLatin1(key), QStringLiteral("<absent>"));
    }

    FakeSettingsStore store;
    platform::FakeDialogs dialogs;
    platform::ScopedServices scope{{&store, &dialogs, nullptr, nullptr}};
};

TEST_F(FrmTollbrookTest, LoadTitlesTheDesk) {
    frmTollbrook window({});
    ASSERT_TRUE(window.MDIForm_Load());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tollbrook2 for Win32"));
    EXPECT_NE(window.mdiArea(), nullptr);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(store.writes.isEmpty()) << "nothing is stored before the close";
}

TEST_F(FrmTollbrookTest, CloseStoresThePlaceAndTheOptionsAndDropsTheLegacySettings) {
    store.Seed(kLegacyApp, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Main_Left"), QStringLiteral("1500"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Main_Top"), QStringLiteral("1200"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Main_Width"), QStringLiteral("9000"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Main_Height"), QStringLiteral("6000"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Cab"), QStringLiteral("False"));
    basTollbrook::LoadOptions();  // as the start-up does before the window loads
    {
        frmTollbrook window({});
        ASSERT_TRUE(window.MDIForm_Load());
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
    EXPECT_FALSE(store.HasApplication(kLegacyApp));
    EXPECT_EQ(store.writes.constLast().key, QStringLiteral("Font_Italic")) << "the options are written last";
}

TEST_F(FrmTollbrookTest, StoredPlaceThatIsNotANumberEndsTheStartWithItsMessage) {
    store.Seed(kCurrentApp, kSection, QStringLiteral("Main_Width"), QStringLiteral("wide"));
    frmTollbrook window({});
    EXPECT_FALSE(window.MDIForm_Load());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Tollbrook2 frmTollbrook MDIForm_Load ERR")});
    EXPECT_TRUE(store.writes.isEmpty());
}

}  // namespace
