#include <gtest/gtest.h>

#include "folders/startFolders.h"
#include "support/fakeServices.h"
#include "support/printQString.h"
#include "support/storedSettings.h"

namespace {

using folders::FolderSide;
using folders::StartFolders;
using testSupport::kCurrentApplication;
using testSupport::kSection;

class StartFoldersTest : public ::testing::Test {
protected:
    void Seed(const char* key, const QString& text)
    {
        services.settings.Seed(kCurrentApplication, kSection, QString::fromLatin1(key), text);
    }
    QString Stored(const char* key)
    {
        return services.settings.Read(kCurrentApplication, kSection, QString::fromLatin1(key),
                                      QStringLiteral("<absent>"));
    }

    testSupport::FakeServices services;
    const QString here = QStringLiteral("/home/user");
};

TEST_F(StartFoldersTest, NothingStoredStartsInTheCurrentFolder)
{
    const auto read = folders::ReadStartFolders(FolderSide::Input, settings::kCurrent, here);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (StartFolders{here, true, here}));
}

TEST_F(StartFoldersTest, TheFlagChoosesBetweenTheInitialAndTheLastFolder)
{
    Seed("Dir_Out", QStringLiteral("/fixed"));
    Seed("OldDir_Out", QStringLiteral("/last"));
    Seed("Dir_Out_Yuko", QStringLiteral("True"));
    EXPECT_EQ(folders::ReadStartFolders(FolderSide::Output, settings::kCurrent, here)->StartFolder(),
              QStringLiteral("/fixed"));
    Seed("Dir_Out_Yuko", QStringLiteral("False"));
    EXPECT_EQ(folders::ReadStartFolders(FolderSide::Output, settings::kCurrent, here)->StartFolder(),
              QStringLiteral("/last"));
    // The input side has keys of its own.
    EXPECT_EQ(folders::ReadStartFolders(FolderSide::Input, settings::kCurrent, here)->StartFolder(), here);
}

TEST_F(StartFoldersTest, AFlagThatIsNoBooleanCannotBeRead)
{
    Seed("Dir_In_Yuko", QStringLiteral("maybe"));
    EXPECT_FALSE(folders::ReadStartFolders(FolderSide::Input, settings::kCurrent, here));
}

TEST_F(StartFoldersTest, StoringKeepsTheInitialFolderAndRecordsTheOpenOne)
{
    folders::StoreStartFolders(FolderSide::Input,
                               StartFolders{QStringLiteral("/gone"), true, QStringLiteral("/x")},
                               QStringLiteral("/open"));
    EXPECT_EQ(Stored("Dir_In"), QStringLiteral("/gone"));
    EXPECT_EQ(Stored("Dir_In_Yuko"), QStringLiteral("True"));
    EXPECT_EQ(Stored("OldDir_In"), QStringLiteral("/open"));
    EXPECT_EQ(Stored("Dir_Out"), QStringLiteral("<absent>"));
}

} // namespace
