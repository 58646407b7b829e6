#include "app/automaticStart.h"
#include "support/fakeServices.h"
#include "support/storedSettings.h"
#include "util/sharedMessages.h"

#include <gtest/gtest.h>

namespace {

using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;
using testSupport::kSection;

class RemovalSwitch : public ::testing::Test {
protected:
    RemovalSwitch()
    {
        store.Seed(kCurrentApplication, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
        store.Seed(kLegacyApplication, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    }

    testSupport::FakeServices services;
    platform::FakeSettingsStore& store = services.settings;
    platform::FakeDialogs& dialogs = services.dialogs;
};

TEST_F(RemovalSwitch, YesDeletesTheCurrentSectionOnly)
{
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::Yes);
    const WindowlessStart start = StartWithoutWindow({"/U"});
    ASSERT_TRUE(start.exitStatus);
    EXPECT_EQ(*start.exitStatus, 0);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].text,
              QStringLiteral("Tollbrook2") + messages::Text(messages::SharedMessage::RemoveSettingsQuestion));
    EXPECT_EQ(dialogs.asked[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_FALSE(store.Contains(kCurrentApplication, kSection, QStringLiteral("Lzh")));
    EXPECT_TRUE(store.Contains(kLegacyApplication, kSection, QStringLiteral("Version")));
}

TEST_F(RemovalSwitch, NoKeepsEverything)
{
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::No);
    const WindowlessStart start = StartWithoutWindow({"/u"});
    ASSERT_TRUE(start.exitStatus);
    EXPECT_EQ(*start.exitStatus, 0);
    EXPECT_TRUE(store.Contains(kCurrentApplication, kSection, QStringLiteral("Lzh")));
    EXPECT_TRUE(store.writes.isEmpty());
}

TEST_F(RemovalSwitch, SwitchWithMoreTextIsTakenAsNames)
{
    const WindowlessStart start = StartWithoutWindow({"/U", "/x"});
    EXPECT_FALSE(start.exitStatus);
    EXPECT_EQ(start.archiveNames, QStringList({"/U", "/x"}));
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(store.Contains(kCurrentApplication, kSection, QStringLiteral("Lzh")));
}

} // namespace
