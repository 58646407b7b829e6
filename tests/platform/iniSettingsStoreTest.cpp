#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include "support/fakeDialogs.h"
#include "platform/iniSettingsStore.h"
#include "platform/services.h"
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

struct PartlyReadCase {
    const char* name;
    QByteArray bytes;
    QMap<QString, QString> values; // what reads back; "" for an absent key
    QList<int> skipped;
    friend void PrintTo(const PartlyReadCase& c, std::ostream* os) { *os << c.name; }
};

// A store on a temporary root; fake dialogs see that it says nothing itself.
class DamagedSettingsTest : public IniSettingsStoreTest {
protected:
    QString Path() const { return IniSettingsStore(root.path()).FilePath(kCurrent); }
    QStringList Folder() const
    {
        return QDir(root.filePath(kCurrent)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    platform::FakeDialogs dialogs;
    platform::ScopedServices dialogsInstalled{{.dialogs = &dialogs}};
};

class PartlyRead : public DamagedSettingsTest, public ::testing::WithParamInterface<PartlyReadCase> {};

TEST_P(PartlyRead, TheOtherLinesCountAndTheFileIsKeptBeforeItIsWrittenOver)
{
    const PartlyReadCase& c = GetParam();
    WriteBytes(Path(), c.bytes);
    const QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(Path(), privateFile));
    {
        IniSettingsStore store(root.path());
        for (auto value = c.values.begin(); value != c.values.end(); ++value)
            EXPECT_EQ(store.Read(kCurrent, kSection, value.key(), {}), value.value())
                << value.key().toStdString();
        ASSERT_EQ(store.PartlyReadFiles().size(), 1);
        EXPECT_EQ(store.PartlyReadFiles()[0].path, Path());
        EXPECT_EQ(store.PartlyReadFiles()[0].skippedLines, c.skipped);
    }
    EXPECT_EQ(ReadBytes(Path()), c.bytes) << "reading never rewrites the file";
    EXPECT_EQ(Folder(), QStringList{QStringLiteral("settings.ini")}) << "nor copies it";
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // A copy of an older damaged file stays as it is; the next number is taken.
    WriteBytes(Path() + QStringLiteral(".damaged"), "an older copy");
    QList<platform::KeptCopy> kept;
    {
        IniSettingsStore store(root.path());
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Written"), QStringLiteral("1")));
        EXPECT_EQ(ReadBytes(Path()), c.bytes) << "nothing changes before the sync";
        ASSERT_TRUE(store.Sync());
        kept = store.TakeKeptCopies();
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Written"), QStringLiteral("2")));
        ASSERT_TRUE(store.Sync());
        EXPECT_TRUE(store.TakeKeptCopies().isEmpty()) << "kept once, given once";
    }
    EXPECT_EQ(Folder(),
              QStringList({QStringLiteral("settings.ini"), QStringLiteral("settings.ini.damaged"),
                           QStringLiteral("settings.ini.damaged.1")}));
    EXPECT_EQ(ReadBytes(Path() + QStringLiteral(".damaged")), QByteArray("an older copy"));
    EXPECT_EQ(ReadBytes(Path() + QStringLiteral(".damaged.1")), c.bytes);
    EXPECT_EQ(QFile::permissions(Path() + QStringLiteral(".damaged.1")), QFile::permissions(Path()))
        << "the copy is as private as the file";
    EXPECT_EQ(QFile::permissions(Path()) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), privateFile);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].path, Path());
    EXPECT_EQ(kept[0].copyPath, Path() + QStringLiteral(".damaged.1"));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "the store says nothing itself";

    IniSettingsStore reopened(root.path());
    EXPECT_TRUE(reopened.PartlyReadFiles().isEmpty()) << "written whole";
    EXPECT_EQ(reopened.Read(kCurrent, kSection, QStringLiteral("Written"), {}), QStringLiteral("2"));
    for (auto value = c.values.begin(); value != c.values.end(); ++value)
        EXPECT_EQ(reopened.Read(kCurrent, kSection, value.key(), {}), value.value())
            << value.key().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, PartlyRead,
    ::testing::Values(
        PartlyReadCase{"LineWithoutEquals",
                       "[Tollbrook2]\nLzh=False\nstray line\nCab=False\n",
                       {{"Lzh", "False"}, {"Cab", "False"}},
                       {3}},
        PartlyReadCase{"ByteThatIsNoUtf8",
                       "[Tollbrook2]\r\nLzh=False\r\nDir_In=/x/\xff/y\r\nFont_Name=\xEF\xBC\xAD\r\n",
                       {{"Lzh", "False"}, {"Dir_In", ""}, {"Font_Name", QStringLiteral("Ｍ")}},
                       {3}},
        PartlyReadCase{"SectionWithoutItsBracket",
                       "[Other\nLzh=True\n[Tollbrook2]\nLzh=False\nTip=False",
                       {{"Lzh", "False"}, {"Tip", "False"}},
                       {1, 2}},
        // Qt's reader takes only ';' for a comment: "#k=1" is a key,
        // and a '#' line without '=' would make it refuse the file.
        PartlyReadCase{"HashLineBesideAnUnreadableOne",
                       "[Tollbrook2]\nLzh=False\n# edited by hand\nstray line\n#k=1\n",
                       {{"Lzh", "False"}, {"#k", "1"}},
                       {3, 4}},
        PartlyReadCase{
            "HashLineAlone", "[Tollbrook2]\n#edited by hand\nLzh=False\n", {{"Lzh", "False"}}, {2}},
        PartlyReadCase{"NothingReadable",
                       QByteArray("\x00\xff\xfe[[[=\n[Tollbrook2\nLzh=False\n\xc3\x28", 34),
                       {{"Lzh", ""}},
                       {1, 2, 3, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

// A file that comes back damaged the same way (restored from a backup, say)
// is kept once: its copy is the earlier one, not another hundred.
TEST_F(DamagedSettingsTest, AFileDamagedTheSameWayAgainKeepsOneCopy)
{
    const QByteArray bytes = "[Tollbrook2]\nLzh=False\nstray line\n";
    for (int start = 0; start < 3; ++start) {
        WriteBytes(Path(), bytes);
        IniSettingsStore store(root.path());
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Written"), QString::number(start)));
        ASSERT_TRUE(store.Sync()) << start;
        const QList<platform::KeptCopy> kept = store.TakeKeptCopies();
        ASSERT_EQ(kept.size(), 1) << start;
        EXPECT_EQ(kept[0].copyPath, Path() + QStringLiteral(".damaged")) << start;
    }
    EXPECT_EQ(Folder(),
              QStringList({QStringLiteral("settings.ini"), QStringLiteral("settings.ini.damaged")}));
    EXPECT_EQ(ReadBytes(Path() + QStringLiteral(".damaged")), bytes);
}

// The readable lines of a file read in part are held in memory: nothing in
// the temporary folder that a process ended by a signal would leave there.
TEST_F(DamagedSettingsTest, AFileReadInPartPutsNothingInTheTemporaryFolder)
{
    QTemporaryDir temporary;
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    WriteBytes(Path(), "[Tollbrook2]\nLzh=False\nstray line\n");
    {
        IniSettingsStore store(root.path());
        EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"));
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Cab"), QStringLiteral("False")));
        EXPECT_EQ(store.Read(kCurrent, kSection, QStringLiteral("Cab"), {}), QStringLiteral("False"));
        EXPECT_TRUE(store.Contains(kCurrent, kSection, QStringLiteral("Cab")));
        EXPECT_EQ(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList());
    }
    qputenv("TMPDIR", saved);
}

struct StoreFailureCase {
    const char* name;
    std::function<void(const QString& path)> prepare; // puts something in the settings file's place
    platform::StoreFailureReason why;
    friend void PrintTo(const StoreFailureCase& c, std::ostream* os) { *os << c.name; }
};

class StoreFailure : public DamagedSettingsTest, public ::testing::WithParamInterface<StoreFailureCase> {};

// Every sync after the first still fails, but the file is given once.
TEST_P(StoreFailure, TheFileAndWhyAreGivenOnce)
{
    GetParam().prepare(Path());
    IniSettingsStore store(root.path());
    for (int close = 0; close < 2; ++close) {
        store.Write(kCurrent, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
        EXPECT_FALSE(store.Sync()) << close;
        const QList<platform::StoreFailure> failures = store.TakeStoreFailures();
        if (close == 0)
            EXPECT_EQ(failures, QList<platform::StoreFailure>({{Path(), GetParam().why}}));
        else
            EXPECT_TRUE(failures.isEmpty());
    }
    EXPECT_TRUE(store.TakeKeptCopies().isEmpty()) << "no copy is told of a file not written over";
}

INSTANTIATE_TEST_SUITE_P(
    Places, StoreFailure,
    ::testing::Values(
        StoreFailureCase{"Folder", [](const QString& path) { QDir().mkpath(path); },
                         platform::StoreFailureReason::NotAFile},
        StoreFailureCase{"DanglingLink",
                         [](const QString& path) {
                             QDir().mkpath(QFileInfo(path).absolutePath());
                             QFile::link(QStringLiteral("/nonexistent-tollbrook2/settings.ini"), path);
                         },
                         platform::StoreFailureReason::DanglingLink},
        StoreFailureCase{"FolderThatIsAFile",
                         [](const QString& path) {
                             WriteBytes(QFileInfo(path).absolutePath(), "a file where the folder belongs");
                         },
                         platform::StoreFailureReason::NotWritten},
        StoreFailureCase{"NoRoomForACopy",
                         [](const QString& path) {
                             WriteBytes(path, "[Tollbrook2]\nstray line\n");
                             QDir().mkpath(path + QStringLiteral(".damaged"));
                             for (int number = 1; number < 100; ++number)
                                 QDir().mkpath(path + QStringLiteral(".damaged.%1").arg(number));
                         },
                         platform::StoreFailureReason::NoCopyKept}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedSettingsTest, RemovingAFileReadInPartKeepsItsCopy)
{
    const QByteArray bytes = "[Tollbrook2]\nVersion=1.01\nstray line\n";
    const QString legacy = IniSettingsStore(root.path()).FilePath(kLegacy);
    WriteBytes(legacy, bytes);
    IniSettingsStore store(root.path());
    EXPECT_EQ(store.Read(kLegacy, kSection, QStringLiteral("Version"), {}), QStringLiteral("1.01"));
    EXPECT_TRUE(store.DeleteApplication(kLegacy));
    EXPECT_FALSE(QFileInfo::exists(legacy));
    EXPECT_EQ(ReadBytes(legacy + QStringLiteral(".damaged")), bytes);
    EXPECT_EQ(store.TakeKeptCopies().size(), 1);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

// A store that goes without a sync writes what it holds, but a file read in
// part only through Sync(), whose caller tells the user of the copy.
TEST_F(DamagedSettingsTest, TheDestructorNeverWritesOverAFileReadInPart)
{
    const QByteArray bytes = "[Tollbrook2]\nLzh=False\nstray line\n";
    WriteBytes(Path(), bytes);
    const QString legacy = IniSettingsStore(root.path()).FilePath(kLegacy);
    {
        IniSettingsStore store(root.path());
        ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Written"), QStringLiteral("1")));
        ASSERT_TRUE(store.Write(kLegacy, kSection, QStringLiteral("Written"), QStringLiteral("1")));
    }
    EXPECT_EQ(ReadBytes(Path()), bytes);
    EXPECT_EQ(Folder(), QStringList{QStringLiteral("settings.ini")}) << "no copy nobody is told of";
    EXPECT_EQ(IniSettingsStore(root.path()).Read(kLegacy, kSection, QStringLiteral("Written"), {}),
              QStringLiteral("1"))
        << "a whole file is written";
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(DamagedSettingsTest, ALinkedSettingsFileIsWrittenThroughTheLinkKeepingItsMode)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"read whole", "[Tollbrook2]\nLzh=False\n"},
        {"read in part", "[Tollbrook2]\nLzh=False\nstray line\n"},
    };
    const QString dotfiles = root.filePath(QStringLiteral("dotfiles"));
    QDir().mkpath(dotfiles);
    QDir().mkpath(root.filePath(kCurrent));
    const QString target = dotfiles + QStringLiteral("/tollbrook2.ini");
    for (const Case& c : cases) {
        QFile::remove(Path());
        WriteBytes(target, c.bytes);
        QFile::setPermissions(target,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        ASSERT_TRUE(QFile::link(QStringLiteral("../dotfiles/tollbrook2.ini"), Path()));
        {
            IniSettingsStore store(root.path());
            ASSERT_TRUE(store.Write(kCurrent, kSection, QStringLiteral("Cab"), QStringLiteral("False")));
            ASSERT_TRUE(store.Sync()) << c.name;
        }
        EXPECT_TRUE(QFileInfo(Path()).isSymLink()) << c.name;
        EXPECT_EQ(QFile::permissions(target),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                      | QFileDevice::WriteUser | QFileDevice::ReadGroup)
            << c.name;
        IniSettingsStore reopened(root.path());
        EXPECT_EQ(reopened.Read(kCurrent, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"))
            << c.name;
        EXPECT_EQ(reopened.Read(kCurrent, kSection, QStringLiteral("Cab"), {}), QStringLiteral("False"))
            << c.name;
        EXPECT_EQ(QDir(dotfiles).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("tollbrook2.ini")})
            << c.name << ": nothing left beside the file";
    }
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
