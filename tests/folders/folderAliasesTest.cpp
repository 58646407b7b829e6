#include <gtest/gtest.h>

#include "folders/folderAliases.h"
#include "support/fakeServices.h"
#include "support/printQString.h"
#include "support/storedSettings.h"

namespace {

using folders::FolderAlias;
using folders::FolderAliases;
using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;
using testSupport::kSection;

class FolderAliasesTest : public ::testing::Test {
protected:
    void Seed(const QString& application, const QString& key, const QString& text)
    {
        services.settings.Seed(application, kSection, key, text);
    }
    QString Stored(const QString& key)
    {
        return services.settings.Read(kCurrentApplication, kSection, key, QStringLiteral("<absent>"));
    }

    testSupport::FakeServices services;
};

FolderAliases Numbered(int count)
{
    FolderAliases aliases;
    for (int i = 0; i < count; ++i)
        aliases.Add({QStringLiteral("alias%1").arg(i), QStringLiteral("/data/%1").arg(i)});
    return aliases;
}

TEST(FolderAliasesRules, AddKeepsSlotOrderAndRefusesTheEleventhAndIncompleteOnes)
{
    FolderAliases aliases = Numbered(9);
    EXPECT_FALSE(aliases.IsFull());
    EXPECT_FALSE(aliases.Add({QStringLiteral("no folder"), QString()}));
    EXPECT_FALSE(aliases.Add({QString(), QStringLiteral("/no/name")}));
    EXPECT_TRUE(aliases.Add({QStringLiteral("tenth"), QStringLiteral("/t")}));
    EXPECT_TRUE(aliases.IsFull());
    EXPECT_EQ(aliases.LastSlot(), 9);
    EXPECT_FALSE(aliases.Add({QStringLiteral("eleventh"), QStringLiteral("/e")}));
    EXPECT_EQ(aliases.At(9).name, QStringLiteral("tenth"));
    EXPECT_EQ(FolderAliases().LastSlot(), -1);
}

TEST(FolderAliasesRules, NamesCompareWithLetterCase)
{
    const FolderAliases aliases({{QStringLiteral("Work"), QStringLiteral("/w")}});
    EXPECT_TRUE(aliases.HasName(QStringLiteral("Work")));
    EXPECT_FALSE(aliases.HasName(QStringLiteral("work")));
    EXPECT_FALSE(aliases.HasName(QStringLiteral("Work ")));
}

TEST(FolderAliasesRules, ListFromTheDialogEndsAtTheFirstIncompleteEntry)
{
    const FolderAliases aliases({{QStringLiteral("a"), QStringLiteral("/a")},
                                 {QStringLiteral("b"), QString()},
                                 {QStringLiteral("c"), QStringLiteral("/c")}});
    EXPECT_EQ(aliases.Count(), 1);
}

TEST_F(FolderAliasesTest, KeysCarryThePrefixAndTheSlotDigit)
{
    EXPECT_EQ(folders::AliasNameKey(QStringLiteral("Dir_In"), 0), QStringLiteral("Dir_In_DirName0"));
    EXPECT_EQ(folders::AliasFolderKey(QStringLiteral("Dir_Out"), 9), QStringLiteral("Dir_Out_DirDir9"));
}

TEST_F(FolderAliasesTest, ReadingStopsAtTheFirstSlotWithAnEmptyPart)
{
    // Slots 0, 1 and 3 stored, slot 2 without its folder: slot 3 is never read.
    for (int slot : {0, 1, 2, 3}) {
        Seed(kCurrentApplication, QStringLiteral("Dir_In_DirName%1").arg(slot),
             QStringLiteral("n%1").arg(slot));
        if (slot != 2)
            Seed(kCurrentApplication, QStringLiteral("Dir_In_DirDir%1").arg(slot),
                 QStringLiteral("/d%1").arg(slot));
    }
    const FolderAliases aliases = folders::ReadAliases(settings::kCurrent, QStringLiteral("Dir_In"));
    ASSERT_EQ(aliases.Count(), 2);
    EXPECT_EQ(aliases.At(1), (FolderAlias{QStringLiteral("n1"), QStringLiteral("/d1")}));
    EXPECT_TRUE(folders::ReadAliases(settings::kCurrent, QStringLiteral("Dir_Out")).IsEmpty());
}

TEST_F(FolderAliasesTest, ReadingFromTheLegacyPlaceWhenAsked)
{
    Seed(kLegacyApplication, QStringLiteral("Dir_Out_DirName0"), QStringLiteral("old"));
    Seed(kLegacyApplication, QStringLiteral("Dir_Out_DirDir0"), QStringLiteral("/old"));
    EXPECT_EQ(folders::ReadAliases(settings::kLegacy, QStringLiteral("Dir_Out")).Count(), 1);
    EXPECT_TRUE(folders::ReadAliases(settings::kCurrent, QStringLiteral("Dir_Out")).IsEmpty());
}

TEST_F(FolderAliasesTest, StoringWritesEverySlotAndEmptiesTheUnusedOnes)
{
    for (int slot = 0; slot < 10; ++slot) {
        Seed(kCurrentApplication, QStringLiteral("Dir_Out_DirName%1").arg(slot), QStringLiteral("stale"));
        Seed(kCurrentApplication, QStringLiteral("Dir_Out_DirDir%1").arg(slot), QStringLiteral("/stale"));
    }
    folders::StoreAliases(Numbered(3), QStringLiteral("Dir_Out"));
    EXPECT_EQ(Stored(QStringLiteral("Dir_Out_DirName2")), QStringLiteral("alias2"));
    EXPECT_EQ(Stored(QStringLiteral("Dir_Out_DirDir2")), QStringLiteral("/data/2"));
    for (int slot = 3; slot < 10; ++slot) {
        EXPECT_EQ(Stored(QStringLiteral("Dir_Out_DirName%1").arg(slot)), QString()) << slot;
        EXPECT_EQ(Stored(QStringLiteral("Dir_Out_DirDir%1").arg(slot)), QString()) << slot;
    }
    EXPECT_EQ(services.settings.writes.size(), 20);
    EXPECT_EQ(folders::ReadAliases(settings::kCurrent, QStringLiteral("Dir_Out")), Numbered(3));
}

} // namespace
