#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "support/fakeDialogs.h"
#include "support/fakeSettingsStore.h"
#include "support/memoryClipboard.h"
#include "platform/services.h"
#include "platform/settingsStore.h"

namespace {

TEST(ServicesTest, ProcessStartsWithEveryServicePresent)
{
    const platform::Services& current = platform::services();
    EXPECT_NE(current.settings, nullptr);
    EXPECT_NE(current.dialogs, nullptr);
    EXPECT_NE(current.clipboard, nullptr);
    EXPECT_NE(current.drives, nullptr);
}

TEST(ServicesTest, ScopedServicesReplaceTheGivenOnesAndRestoreThemAfterwards)
{
    const platform::Services before = platform::services();
    platform::FakeSettingsStore settings;
    platform::FakeDialogs dialogs;
    {
        platform::ScopedServices scope({.settings = &settings, .dialogs = &dialogs});
        EXPECT_EQ(platform::services().settings, &settings);
        EXPECT_EQ(platform::services().dialogs, &dialogs);
        EXPECT_EQ(platform::services().clipboard, before.clipboard) << "null keeps the current one";
        {
            platform::MemoryClipboard clipboard;
            platform::ScopedServices inner({.clipboard = &clipboard});
            EXPECT_EQ(platform::services().clipboard, &clipboard);
            EXPECT_EQ(platform::services().settings, &settings);
        }
        EXPECT_EQ(platform::services().clipboard, before.clipboard);
    }
    EXPECT_EQ(platform::services().settings, before.settings);
    EXPECT_EQ(platform::services().dialogs, before.dialogs);
}

TEST(MemoryClipboardTest, HoldsTheLastTextUntilCleared)
{
    platform::MemoryClipboard clipboard;
    clipboard.SetText(QStringLiteral("一行目\r\n"));
    EXPECT_EQ(clipboard.Text(), QStringLiteral("一行目\r\n"));
    clipboard.Clear();
    EXPECT_EQ(clipboard.Text(), QString());
}

} // namespace
