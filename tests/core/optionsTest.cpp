#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

#include "core/options.h"
#include "core/settings.h"
#include "platform/iniSettingsStore.h"
#include "support/fakeServices.h"
#include "support/fileBytes.h"
#include "support/storedSettings.h"

namespace {

using testSupport::ReadBytes;
using testSupport::WriteBytes;

using platform::FakeSettingsStore;
using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;
using testSupport::kSection;

// Puts every option back where a fresh process has it.
void ResetToFreshProcess()
{
    options::Current() = {};
}

// What a new user starts with: every key and its stored text, in the order
// the options are read and stored.
const QList<std::pair<QString, QString>>& Defaults()
{
    static const QList<std::pair<QString, QString>> defaults = [] {
        QList<std::pair<QString, QString>> pairs;
        const QString text =
            QString::fromUtf8(ReadBytes(QStringLiteral(TB_SOURCE_DIR "/tests/data/options/defaults.txt")));
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(u'#'))
                pairs.append({line.section(u'=', 0, 0), line.section(u'=', 1)});
        }
        return pairs;
    }();
    return defaults;
}

// One option of `from` in its stored text form.
QString ValueOf(const QString& key, const options::Options& from = options::Current())
{
    for (const options::Option& option : options::kOptions) {
        if (QLatin1String(option.key) == key)
            return options::StoredText(from, option);
    }
    ADD_FAILURE() << "no option " << key.toStdString();
    return {};
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetToFreshProcess(); }
    void TearDown() override { ResetToFreshProcess(); }

    testSupport::FakeServices services;
    FakeSettingsStore& store = services.settings;
};

TEST_F(OptionsTest, FreshUserGetsEveryDefault)
{
    options::LoadOptions();
    ASSERT_EQ(options::kOptions.size(), Defaults().size());
    const options::Options defaults = options::Defaults();
    for (const auto& [key, expected] : Defaults()) {
        EXPECT_EQ(ValueOf(key), expected) << key.toStdString();
        EXPECT_EQ(ValueOf(key, defaults), expected) << key.toStdString();
    }
    EXPECT_TRUE(store.writes.isEmpty()) << "loading stores nothing";
}

TEST_F(OptionsTest, ReadsTheVersionProbeThenEveryOptionInOrder)
{
    options::LoadOptions();
    QStringList expected{QStringLiteral("Tollbrook2/Tollbrook2/Version")};
    for (const auto& [key, value] : Defaults())
        expected.append(kCurrentApplication + "/Tollbrook2/" + key);
    EXPECT_EQ(store.reads, expected);
}

TEST_F(OptionsTest, SaveWritesVersionAndEveryOptionInOrderThenDropsTheLegacyApplication)
{
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Main_Left"), QStringLiteral("1035"));
    options::LoadOptions();
    options::SaveOptions();

    QList<FakeSettingsStore::Entry> expected{
        {kCurrentApplication, kSection, QStringLiteral("Version"), QStringLiteral("1.02")}};
    for (const auto& [key, value] : Defaults())
        expected.append({kCurrentApplication, kSection, key, value});
    EXPECT_EQ(store.writes, expected);
    EXPECT_FALSE(store.HasApplication(kLegacyApplication));
}

TEST_F(OptionsTest, SaveWritesTheCurrentValuesInTheirTextForms)
{
    options::LoadOptions();
    options::Current().convertLzh = false;
    options::Current().autoRunKind = 1;
    options::Current().fontSize = -12;
    options::Current().fontName = QStringLiteral("IPAmj明朝");
    options::SaveOptions();
    EXPECT_EQ(store.Read(kCurrentApplication, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"));
    EXPECT_EQ(store.Read(kCurrentApplication, kSection, QStringLiteral("AutoExe"), {}), QStringLiteral("1"));
    EXPECT_EQ(store.Read(kCurrentApplication, kSection, QStringLiteral("Font_Size"), {}),
              QStringLiteral("-12"));
    EXPECT_EQ(store.Read(kCurrentApplication, kSection, QStringLiteral("Font_Name"), {}),
              QStringLiteral("IPAmj明朝"));
}

TEST_F(OptionsTest, LegacyVersionSelectsTheLegacyLocation)
{
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Cab"), QStringLiteral("False"));
    options::LoadOptions();
    EXPECT_FALSE(options::Current().convertLzh);
    EXPECT_TRUE(options::Current().convertCab) << "the current location is not consulted";
}

TEST_F(OptionsTest, LegacyVersionOfExactlyZeroSelectsTheCurrentLocation)
{
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Version"), QStringLiteral("0.00"));
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Cab"), QStringLiteral("False"));
    options::LoadOptions();
    EXPECT_TRUE(options::Current().convertLzh);
    EXPECT_FALSE(options::Current().convertCab);
}

TEST_F(OptionsTest, UnconvertibleValueTakesItsDefaultAndIsReportedWhileTheRestLoads)
{
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Font_Size"), QStringLiteral("abc"));
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Lzh"), QStringLiteral("maybe"));
    const QList<options::InvalidStoredValue> invalid = options::LoadOptions();
    ASSERT_EQ(invalid.size(), 2);
    EXPECT_EQ(invalid[0].key + u'=' + invalid[0].text, QStringLiteral("Lzh=maybe"));
    EXPECT_EQ(invalid[1].key + u'=' + invalid[1].text, QStringLiteral("Font_Size=abc"));
    for (const auto& [key, expected] : Defaults())
        EXPECT_EQ(ValueOf(key), expected) << key.toStdString();
}

TEST_F(OptionsTest, AFontSizeOutOfRangeTakesItsDefaultAndIsReported)
{
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Font_Size"), QStringLiteral("32767"));
    const QList<options::InvalidStoredValue> invalid = options::LoadOptions();
    ASSERT_EQ(invalid.size(), 1);
    EXPECT_EQ(invalid[0].key + u'=' + invalid[0].text + u'/' + invalid[0].defaultText,
              QStringLiteral("Font_Size=32767/10"));
    EXPECT_EQ(options::Current().fontSize, 10);
}

TEST_F(OptionsTest, UnconvertibleValueTakesTheDefaultNotWhatWasLoadedBefore)
{
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Font_Size"), QStringLiteral("12"));
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    EXPECT_TRUE(options::LoadOptions().isEmpty());
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Font_Size"), QStringLiteral("abc"));
    store.Seed(kCurrentApplication, kSection, QStringLiteral("Lzh"), QStringLiteral("yes"));
    EXPECT_EQ(options::LoadOptions().size(), 2);
    EXPECT_EQ(options::Current().fontSize, 10);
    EXPECT_TRUE(options::Current().convertLzh);
}

struct StoredCase {
    const char* name;
    QString key;
    QString stored;
    QString loaded; // the option afterwards, in its text form
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }
};

class StoredValues : public OptionsTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValues, LoadAsTheirType)
{
    store.Seed(kCurrentApplication, kSection, GetParam().key, GetParam().stored);
    options::LoadOptions();
    EXPECT_EQ(ValueOf(GetParam().key), GetParam().loaded);
}

// A value that does not convert gives the option its default.
INSTANTIATE_TEST_SUITE_P(
    Conversions, StoredValues,
    ::testing::Values(StoredCase{"UpperTrue", "Lzh_X", "TRUE", "True"},
                      StoredCase{"LowerFalse", "Lzh", "false", "False"},
                      StoredCase{"MixedCase", "Lzh_Lha", "tRuE", "True"},
                      StoredCase{"Zero", "Cab", "0", "False"}, StoredCase{"MinusOne", "Nozoku", "-1", "True"},
                      StoredCase{"Two", "Auto", "2", "True"}, StoredCase{"Fraction", "Auto", "0.5", "True"},
                      StoredCase{"Spaces", "Auto", " True ", "True"}, StoredCase{"Yes", "Lzh", "yes", "True"},
                      StoredCase{"EmptyBoolean", "Tip", "", "True"},
                      StoredCase{"AutoExeWin16", "AutoExe", "1", "1"},
                      StoredCase{"IntegerHalfToEven", "AutoExe", "2.5", "2"},
                      StoredCase{"IntegerRoundsUp", "Font_Size", "11.6", "12"},
                      StoredCase{"IntegerTooLarge", "Font_Size", "70000", "10"},
                      StoredCase{"FontSizeNegative", "Font_Size", "-3", "10"},
                      StoredCase{"FontSizeHuge", "Font_Size", "32767", "10"},
                      StoredCase{"FontSizeBelowTheChooser", "Font_Size", "5", "10"},
                      StoredCase{"FontSizeSmallest", "Font_Size", "6", "6"},
                      StoredCase{"FontSizeLargest", "Font_Size", "72", "72"},
                      StoredCase{"FontSizeAboveTheChooser", "Font_Size", "73", "10"},
                      StoredCase{"IntegerText", "AutoExe", "Win32", "2"},
                      StoredCase{"TextAsIs", "Lzh_OptDos", " s -x1  ", " s -x1  "},
                      StoredCase{"EmptyText", "Cab_Opt", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsTest, LegacyStaysWhenTheCurrentLocationRefusesWrites)
{
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.refuseWrites = true;
    options::LoadOptions();
    options::SaveOptions();
    EXPECT_TRUE(store.HasApplication(kLegacyApplication));
}

TEST_F(OptionsTest, LegacyStaysWhenTheWritesDoNotReachTheDisk)
{
    store.Seed(kLegacyApplication, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.failSync = true;
    options::LoadOptions();
    options::SaveOptions();
    EXPECT_TRUE(store.HasApplication(kLegacyApplication));
}

// The same through the real settings files in a temporary configuration folder.
class OptionsOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override { ResetToFreshProcess(); }
    void TearDown() override { ResetToFreshProcess(); }

    QString FileOf(const QString& application) const
    {
        return root.filePath(application + QStringLiteral("/settings.ini"));
    }
    void Store(const QString& application, const QByteArray& content)
    {
        WriteBytes(FileOf(application), content);
    }
    // Loads and saves as one run of the program does, with a store of its own.
    void RunProgramOnce(const std::function<void()>& betweenLoadAndSave = {})
    {
        platform::IniSettingsStore store(root.path());
        platform::ScopedServices scope({.settings = &store});
        options::LoadOptions();
        if (betweenLoadAndSave)
            betweenLoadAndSave();
        options::SaveOptions();
    }

    QTemporaryDir root;
};

TEST_F(OptionsOnDiskTest, LegacySettingsAreMigratedOnTheFirstSave)
{
    Store(kLegacyApplication, "[Tollbrook2]\nVersion=1.01\nLzh=False\nMain_Left=1035\n");
    RunProgramOnce([] { EXPECT_FALSE(options::Current().convertLzh); });

    EXPECT_FALSE(QFileInfo::exists(FileOf(kLegacyApplication)));
    EXPECT_FALSE(QFileInfo::exists(root.filePath(kLegacyApplication)));
    platform::IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrentApplication, kSection, QStringLiteral("Lzh"), {}),
              QStringLiteral("False"));
    EXPECT_EQ(reopened.Read(kCurrentApplication, kSection, QStringLiteral("Version"), {}),
              QStringLiteral("1.02"));

    ResetToFreshProcess();
    RunProgramOnce(
        [] { EXPECT_FALSE(options::Current().convertLzh) << "the next start reads the current location"; });
}

TEST_F(OptionsOnDiskTest, FirstSaveOfAFreshUserHoldsEveryOptionAndTheVersion)
{
    RunProgramOnce();
    EXPECT_FALSE(QFileInfo::exists(root.filePath(kLegacyApplication)))
        << "removing no legacy settings creates none";
    platform::IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrentApplication, kSection, QStringLiteral("Version"), {}),
              QStringLiteral("1.02"));
    for (const auto& [key, expected] : Defaults()) {
        EXPECT_EQ(reopened.Read(kCurrentApplication, kSection, key, QStringLiteral("<absent>")), expected)
            << key.toStdString();
    }
}

TEST_F(OptionsOnDiskTest, GarbageFileGivesDefaultsAndIsOnlyReplacedBySave)
{
    const QByteArray garbage("\x89PNG\r\n\x1a\n\x00\x00garbage[", 19);
    Store(kCurrentApplication, garbage);
    {
        platform::IniSettingsStore store(root.path());
        platform::ScopedServices scope({.settings = &store});
        options::LoadOptions();
    }
    for (const auto& [key, expected] : Defaults())
        EXPECT_EQ(ValueOf(key), expected) << key.toStdString();
    EXPECT_EQ(ReadBytes(FileOf(kCurrentApplication)), garbage);

    RunProgramOnce();
    platform::IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrentApplication, kSection, QStringLiteral("Font_Name"), {}),
              QStringLiteral("ＭＳ 明朝"));
}

TEST_F(OptionsOnDiskTest, LegacyIsKeptWhenTheCurrentLocationCannotBeCreated)
{
    const QByteArray legacy("[Tollbrook2]\nVersion=1.01\nLzh=False\n");
    Store(kLegacyApplication, legacy);
    QFile blocker(root.filePath(kCurrentApplication)); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    RunProgramOnce();
    EXPECT_EQ(ReadBytes(FileOf(kLegacyApplication)), legacy);
    EXPECT_TRUE(QFileInfo(root.filePath(kCurrentApplication)).isFile());
}

} // namespace
