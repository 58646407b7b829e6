#include "app/automaticStart.h"
#include "platform/fake_dialogs.h"
#include "platform/fake_settings_store.h"
#include "platform/services.h"
#include "util/resAll.h"

#include <gtest/gtest.h>

namespace {

const QString Company = QStringLiteral("Corvale's Soft");
const QString Legacy = QStringLiteral("Tollbrook2");
const QString Section = QStringLiteral("Tollbrook2");

class RemovalSwitch : public ::testing::Test {
protected:
    RemovalSwitch()
    {
        store.Seed(Company, Section, QStringLiteral("Lzh"), QStringLiteral("False"));
        store.Seed(Legacy, Section, QStringLiteral("Version"), QStringLiteral("1.01"));
    }

    platform::FakeSettingsStore store;
    platform::FakeDialogs dialogs;
    platform::ScopedServices services{platform::Services{&store, &dialogs, nullptr, nullptr}};
};

TEST_F(RemovalSwitch, YesDeletesTheCurrentSectionOnly)
{
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::Yes);
    const WindowlessStart start = StartWithoutWindow({QStringLiteral("/U")});
    ASSERT_TRUE(start.exitStatus);
    EXPECT_EQ(*start.exitStatus, 0);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Tollbrook2") + resAll::GetText(20));
    EXPECT_EQ(dialogs.asked[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_FALSE(store.Contains(Company, Section, QStringLiteral("Lzh")));
    EXPECT_TRUE(store.Contains(Legacy, Section, QStringLiteral("Version")));
}

TEST_F(RemovalSwitch, NoKeepsEverything)
{
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::No);
    const WindowlessStart start = StartWithoutWindow({QStringLiteral("/u")});
    ASSERT_TRUE(start.exitStatus);
    EXPECT_EQ(*start.exitStatus, 0);
    EXPECT_TRUE(store.Contains(Company, Section, QStringLiteral("Lzh")));
    EXPECT_TRUE(store.writes.isEmpty());
}

TEST_F(RemovalSwitch, SwitchWithMoreTextIsTakenAsNames)
{
    const WindowlessStart start = StartWithoutWindow({QStringLiteral("/U"), QStringLiteral("/x")});
    EXPECT_FALSE(start.exitStatus);
    EXPECT_EQ(start.commandLineText, QStringLiteral("/U /x"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(store.Contains(Company, Section, QStringLiteral("Lzh")));
}

} // namespace
