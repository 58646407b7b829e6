#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/iniSettingsStore.h"
#include "support/fileBytes.h"
#include "support/storedSettings.h"

namespace {

using platform::IniSettingsStore;

using testSupport::kSection;
using testSupport::ReadBytes;
using testSupport::WriteBytes;

const QString& kCurrent = testSupport::kCurrentApplication;
const QString& kLegacy = testSupport::kLegacyApplication;

class IniSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir root;
};

struct RoundTripCase {
    const char* name;
    QString text;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }
};

class IniRoundTrip : public IniSettingsStoreTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(IniRoundTrip, TextComesBackExactlyFromAFreshStore)
{
    const QString text = GetParam().text;
    {
        IniSettingsStore store(root.path());
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Value"), text));
        ASSERT_TRUE(store.Sync());
        EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Value"), QStringLiteral("?")), text);
    }
    IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrent, kSection, QStringLiteral("Value"), QStringLiteral("?")), text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IniRoundTrip,
    ::testing::Values(RoundTripCase{"Japanese", QStringLiteral("ＭＳ 明朝")},
                      RoundTripCase{"TwoSpaces", QStringLiteral("s -+ -jyo -x1  -y1 -gm1")},
                      RoundTripCase{"Win32Options", QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1")},
                      RoundTripCase{"Empty", QString()},
                      RoundTripCase{"OuterSpaces", QStringLiteral("  padded  ")},
                      RoundTripCase{"Comma", QStringLiteral("a, b")},
                      RoundTripCase{"AtSign", QStringLiteral("@Variant(x)")},
                      RoundTripCase{"Backslashes", QStringLiteral("C:\\My Files\\a.lzh")},
                      RoundTripCase{"Quotes", QStringLiteral("\"quoted\"")},
                      RoundTripCase{"IniSyntax", QStringLiteral("[x]=y;z#w")},
                      RoundTripCase{"LineBreaks", QStringLiteral("one\r\ntwo\tthree")},
                      RoundTripCase{"Apostrophe", QStringLiteral("Corvale's Soft")},
                      RoundTripCase{"Fraction", QStringLiteral("1035.5")},
                      RoundTripCase{"Negative", QStringLiteral("-9999")},
                      RoundTripCase{"TrueText", QStringLiteral("True")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniSettingsStoreTest, AbsentKeyGivesTheDefault)
{
    IniSettingsStore store(root.path());
    EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("True")),
              QStringLiteral("True"));
    EXPECT_FALSE(store.Contains(kCurrent, kSection, QStringLiteral("Lzh")));
    EXPECT_FALSE(QFileInfo::exists(store.FilePath(kCurrent))) << "reading creates nothing";
}

TEST_F(IniSettingsStoreTest, FileLivesUnderXdgConfigHomePerApplication)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.path()));
    {
        IniSettingsStore store;
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("False")));
        ASSERT_TRUE(store.Write(kLegacy, kSection, QStringLiteral("Version"), QStringLiteral("1.01")));
        ASSERT_TRUE(store.Sync());
    }
    qputenv("XDG_CONFIG_HOME", saved);
    const QByteArray current = ReadBytes(root.filePath(kCurrent + QStringLiteral("/settings.ini")));
    EXPECT_TRUE(current.contains("[Tollbrook2]")) << current.constData();
    EXPECT_TRUE(current.contains("Lzh=False")) << current.constData();
    EXPECT_TRUE(ReadBytes(root.filePath(kLegacy + QStringLiteral("/settings.ini"))).contains("Version=1.01"));
}

TEST_F(IniSettingsStoreTest, DeleteSectionRemovesOnlyThatSection)
{
    IniSettingsStore store(root.path());
    store.Write(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    store.Write(kCurrent, QStringLiteral("Other"), QStringLiteral("Kept"), QStringLiteral("1"));
    ASSERT_TRUE(store.Sync());

    EXPECT_TRUE(store.DeleteSection(kCurrent, kSection));
    EXPECT_FALSE(store.DeleteSection(kCurrent, kSection)) << "nothing left to delete";
    ASSERT_TRUE(store.Sync());

    IniSettingsStore reopened(root.path());
    EXPECT_FALSE(reopened.Contains(kCurrent, kSection, QStringLiteral("Lzh")));
    EXPECT_EQ(reopened.Read(kCurrent, QStringLiteral("Other"), QStringLiteral("Kept"), {}),
              QStringLiteral("1"));
}

TEST_F(IniSettingsStoreTest, DeleteApplicationRemovesItsFileOnly)
{
    IniSettingsStore store(root.path());
    store.Write(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    store.Write(kLegacy, kSection, QStringLiteral("Lzh"), QStringLiteral("True"));
    ASSERT_TRUE(store.Sync());

    EXPECT_TRUE(store.DeleteApplication(kLegacy));
    EXPECT_FALSE(QFileInfo::exists(store.FilePath(kLegacy)));
    EXPECT_FALSE(QFileInfo::exists(root.filePath(kLegacy))) << "the emptied folder goes too";
    EXPECT_FALSE(store.DeleteApplication(kLegacy)) << "nothing left to delete";
    EXPECT_FALSE(store.Contains(kLegacy, kSection, QStringLiteral("Lzh")));
    ASSERT_TRUE(store.Sync());
    EXPECT_FALSE(QFileInfo::exists(store.FilePath(kLegacy))) << "a later sync does not bring it back";
    EXPECT_EQ(IniSettingsStore(root.path()).Read(kCurrent, kSection, QStringLiteral("Lzh"), {}),
              QStringLiteral("False"));
}

TEST_F(IniSettingsStoreTest, DeleteApplicationDropsPendingWrites)
{
    IniSettingsStore store(root.path());
    store.Write(kLegacy, kSection, QStringLiteral("Lzh"), QStringLiteral("True"));
    EXPECT_FALSE(store.DeleteApplication(kLegacy)) << "it never reached the disk";
    ASSERT_TRUE(store.Sync());
    EXPECT_FALSE(QFileInfo::exists(store.FilePath(kLegacy)));
}

TEST_F(IniSettingsStoreTest, SyncLeavesNoTemporaryFiles)
{
    IniSettingsStore store(root.path());
    for (int i = 0; i < 3; ++i) {
        store.Write(kCurrent, kSection, QStringLiteral("Main_Left"), QString::number(i));
        ASSERT_TRUE(store.Sync());
    }
    EXPECT_EQ(QDir(root.filePath(kCurrent)).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("settings.ini")});
}

TEST_F(IniSettingsStoreTest, DamagedFileReadsAsEmptyAndIsReplacedOnlyBySuccessfulSync)
{
    const QByteArray garbage("\x00\xff\xfe[[[=\n[Tollbrook2\nLzh=False\n\xc3\x28", 34);
    const QString path = IniSettingsStore(root.path()).FilePath(kCurrent);
    WriteBytes(path, garbage);
    {
        IniSettingsStore store(root.path());
        EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("True")),
                  QStringLiteral("True"));
        EXPECT_FALSE(store.Contains(kCurrent, kSection, QStringLiteral("Lzh")));
    }
    EXPECT_EQ(ReadBytes(path), garbage) << "reading never rewrites the file";

    IniSettingsStore store(root.path());
    ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Cab"), QStringLiteral("False")));
    EXPECT_EQ(ReadBytes(path), garbage) << "nothing changes before the sync";
    ASSERT_TRUE(store.Sync());
    EXPECT_NE(ReadBytes(path), garbage);

    IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrent, kSection, QStringLiteral("Cab"), {}), QStringLiteral("False"));
    EXPECT_FALSE(reopened.Contains(kCurrent, kSection, QStringLiteral("Lzh")))
        << "nothing of the damaged file is carried over";
    EXPECT_EQ(QDir(root.filePath(kCurrent)).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("settings.ini")});
}

TEST_F(IniSettingsStoreTest, HandEditedFileWithByteOrderMarkAndCrLfIsRead)
{
    const QString path = IniSettingsStore(root.path()).FilePath(kCurrent);
    WriteBytes(path,
               "\xEF\xBB\xBF; edited by hand\r\n[Tollbrook2]\r\nLzh=False\r\nFont_Name=\xEF\xBC\xAD\r\n");
    IniSettingsStore store(root.path());
    EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"));
    EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Font_Name"), {}), QStringLiteral("Ｍ"));
    ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Cab"), QStringLiteral("True")));
    ASSERT_TRUE(store.Sync());
    IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrent, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"))
        << "the edited values are kept";
}

TEST_F(IniSettingsStoreTest, UnreadableFileIsLeftAloneAndWritesFail)
{
    // A folder where the settings file should be cannot be read, even by root.
    const QString path = IniSettingsStore(root.path()).FilePath(kCurrent);
    ASSERT_TRUE(QDir().mkpath(path));
    IniSettingsStore store(root.path());
    EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Tip"), QStringLiteral("True")),
              QStringLiteral("True"));
    EXPECT_FALSE(store.Write(kCurrent, kSection, QStringLiteral("Tip"), QStringLiteral("False")));
    EXPECT_FALSE(store.Sync());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(store.Sync()) << "a failure is reported once";
}

TEST_F(IniSettingsStoreTest, FolderThatCannotBeCreatedFailsTheWriteAndTheSync)
{
    WriteBytes(root.filePath(kCurrent), "a file where the application folder belongs");
    IniSettingsStore store(root.path());
    EXPECT_FALSE(store.Write(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("False")));
    EXPECT_TRUE(store.Write(kLegacy, kSection, QStringLiteral("Lzh"), QStringLiteral("False")));
    EXPECT_FALSE(store.Sync());
    EXPECT_EQ(IniSettingsStore(root.path()).Read(kLegacy, kSection, QStringLiteral("Lzh"), {}),
              QStringLiteral("False"))
        << "the other application was still written";
}

} // namespace
