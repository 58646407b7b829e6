#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

#include "core/options.h"
#include "core/settings.h"
#include "platform/fake_settings_store.h"
#include "platform/ini_settings_store.h"
#include "platform/services.h"

namespace {

namespace bt = basTollbrook;
using platform::FakeSettingsStore;

const QString kCurrentApp = QStringLiteral("Corvale's Soft");
const QString kLegacyApp = QStringLiteral("Tollbrook2");
const QString kSection = QStringLiteral("Tollbrook2");

// Puts every option back where a fresh process has it.
void ResetToFreshProcess() {
    bt::Lzh = bt::Cab = bt::Lzh_X = bt::Lzh_Lha = bt::Lzh_Exe = bt::Cab_Exe = false;
    bt::Lzh_OptDos = bt::Lzh_OptWin16 = bt::Lzh_OptWin32 = bt::Cab_Opt = QString();
    bt::UCase = bt::Nozoku = bt::Auto = bt::AutoLog = bt::Resize = bt::Tip = false;
    bt::AutoExe = 0;
    bt::Font_Name = QString();
    bt::Font_Size = 0;
    bt::Font_Bold = bt::Font_Italic = false;
}

// Each option by key, as the text the settings store holds for it.
struct OptionAccess {
    QString key;
    std::function<QString()> get;
};

QString Bool(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

const QList<OptionAccess>& Options() {
    static const QList<OptionAccess> options = {
        {QStringLiteral("Lzh"), [] { return Bool(bt::Lzh); }},
        {QStringLiteral("Cab"), [] { return Bool(bt::Cab); }},
        {QStringLiteral("Lzh_X"), [] { return Bool(bt::Lzh_X); }},
        {QStringLiteral("Lzh_Lha"), [] { return Bool(bt::Lzh_Lha); }},
        {QStringLiteral("Lzh_Exe"), [] { return Bool(bt::Lzh_Exe); }},
        {QStringLiteral("Cab_Exe"), [] { return Bool(bt::Cab_Exe); }},
        {QStringLiteral("Lzh_OptDos"), [] { return bt::Lzh_OptDos; }},
        {QStringLiteral("Lzh_OptWin16"), [] { return bt::Lzh_OptWin16; }},
        {QStringLiteral("Lzh_OptWin32"), [] { return bt::Lzh_OptWin32; }},
        {QStringLiteral("Cab_Opt"), [] { return bt::Cab_Opt; }},
        {QStringLiteral("UCase"), [] { return Bool(bt::UCase); }},
        {QStringLiteral("Nozoku"), [] { return Bool(bt::Nozoku); }},
        {QStringLiteral("Auto"), [] { return Bool(bt::Auto); }},
        {QStringLiteral("AutoExe"), [] { return QString::number(bt::AutoExe); }},
        {QStringLiteral("AutoLog"), [] { return Bool(bt::AutoLog); }},
        {QStringLiteral("Resize"), [] { return Bool(bt::Resize); }},
        {QStringLiteral("Tip"), [] { return Bool(bt::Tip); }},
        {QStringLiteral("Font_Name"), [] { return bt::Font_Name; }},
        {QStringLiteral("Font_Size"), [] { return QString::number(bt::Font_Size); }},
        {QStringLiteral("Font_Bold"), [] { return Bool(bt::Font_Bold); }},
        {QStringLiteral("Font_Italic"), [] { return Bool(bt::Font_Italic); }},
    };
    return options;
}

// The defaults a new user gets, in the order the options are read and saved.
const QList<std::pair<QString, QString>> kDefaults = {
    {QStringLiteral("Lzh"), QStringLiteral("True")},
    {QStringLiteral("Cab"), QStringLiteral("True")},
    {QStringLiteral("Lzh_X"), QStringLiteral("False")},
    {QStringLiteral("Lzh_Lha"), QStringLiteral("False")},
    {QStringLiteral("Lzh_Exe"), QStringLiteral("False")},
    {QStringLiteral("Cab_Exe"), QStringLiteral("False")},
    {QStringLiteral("Lzh_OptDos"), QStringLiteral("s -+ -jyo -x1  -y1 -gm1")},
    {QStringLiteral("Lzh_OptWin16"), QStringLiteral("s -+ -jw2 -jyo -x1  -y1 -gm1")},
    {QStringLiteral("Lzh_OptWin32"), QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1")},
    {QStringLiteral("Cab_Opt"), QStringLiteral("-f")},
    {QStringLiteral("UCase"), QStringLiteral("True")},
    {QStringLiteral("Nozoku"), QStringLiteral("False")},
    {QStringLiteral("Auto"), QStringLiteral("False")},
    {QStringLiteral("AutoExe"), QStringLiteral("2")},
    {QStringLiteral("AutoLog"), QStringLiteral("True")},
    {QStringLiteral("Resize"), QStringLiteral("True")},
    {QStringLiteral("Tip"), QStringLiteral("True")},
    {QStringLiteral("Font_Name"), QStringLiteral("ＭＳ 明朝")},
    {QStringLiteral("Font_Size"), QStringLiteral("10")},
    {QStringLiteral("Font_Bold"), QStringLiteral("False")},
    {QStringLiteral("Font_Italic"), QStringLiteral("False")},
};

QString ValueOf(const QString& key) {
    for (const OptionAccess& option : Options()) {
        if (option.key == key) return option.get();
    }
    ADD_FAILURE() << "no option " << key.toStdString();
    return {};
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetToFreshProcess(); }
    void TearDown() override { ResetToFreshProcess(); }

    FakeSettingsStore store;
    platform::ScopedServices scope{{&store, nullptr, nullptr, nullptr}};
};

TEST_F(OptionsTest, FreshUserGetsEveryDefault) {
    bt::LoadOptions();
    ASSERT_EQ(Options().size(), kDefaults.size());
    for (const auto& [key, expected] : kDefaults) EXPECT_EQ(ValueOf(key), expected) << key.toStdString();
    EXPECT_TRUE(store.writes.isEmpty()) << "loading stores nothing";
}

TEST_F(OptionsTest, ReadsTheVersionProbeThenEveryOptionInOrder) {
    bt::LoadOptions();
    QStringList expected{QStringLiteral("Tollbrook2/Tollbrook2/Version")};
    for (const auto& [key, value] : kDefaults) expected.append(kCurrentApp + "/Tollbrook2/" + key);
    EXPECT_EQ(store.reads, expected);
}

TEST_F(OptionsTest, SaveWritesVersionAndEveryOptionInOrderThenDropsTheLegacyApplication) {
    store.Seed(kLegacyApp, kSection, QStringLiteral("Main_Left"), QStringLiteral("1035"));
    bt::LoadOptions();
    bt::SaveOptions();

    QList<FakeSettingsStore::Entry> expected{{kCurrentApp, kSection, QStringLiteral("Version"), QStringLiteral("1.02")}};
    for (const auto& [key, value] : kDefaults) expected.append({kCurrentApp, kSection, key, value});
    EXPECT_EQ(store.writes, expected);
    EXPECT_FALSE(store.HasApplication(kLegacyApp));
}

TEST_F(OptionsTest, SaveWritesTheCurrentValuesInTheirTextForms) {
    bt::LoadOptions();
    bt::Lzh = false;
    bt::AutoExe = 1;
    bt::Font_Size = -12;
    bt::Font_Name = QStringLiteral("IPAmj明朝");
    bt::SaveOptions();
    EXPECT_EQ(store.Read(kCurrentApp, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"));
    EXPECT_EQ(store.Read(kCurrentApp, kSection, QStringLiteral("AutoExe"), {}), QStringLiteral("1"));
    EXPECT_EQ(store.Read(kCurrentApp, kSection, QStringLiteral("Font_Size"), {}), QStringLiteral("-12"));
    EXPECT_EQ(store.Read(kCurrentApp, kSection, QStringLiteral("Font_Name"), {}), QStringLiteral("IPAmj明朝"));
}

TEST_F(OptionsTest, LegacyVersionSelectsTheLegacyLocation) {
    store.Seed(kLegacyApp, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    store.Seed(kCurrentApp, kSection, QStringLiteral("Cab"), QStringLiteral("False"));
    bt::LoadOptions();
    EXPECT_FALSE(bt::Lzh);
    EXPECT_TRUE(bt::Cab) << "the current location is not consulted";
}

TEST_F(OptionsTest, LegacyVersionOfExactlyZeroSelectsTheCurrentLocation) {
    store.Seed(kLegacyApp, kSection, QStringLiteral("Version"), QStringLiteral("0.00"));
    store.Seed(kLegacyApp, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    store.Seed(kCurrentApp, kSection, QStringLiteral("Cab"), QStringLiteral("False"));
    bt::LoadOptions();
    EXPECT_TRUE(bt::Lzh);
    EXPECT_FALSE(bt::Cab);
}

TEST_F(OptionsTest, UnconvertibleFontSizeStaysZeroOnAFreshStartWhileTheRestLoads) {
    store.Seed(kCurrentApp, kSection, QStringLiteral("Font_Size"), QStringLiteral("abc"));
    bt::LoadOptions();
    EXPECT_EQ(bt::Font_Size, 0);
    for (const auto& [key, expected] : kDefaults) {
        if (key == QStringLiteral("Font_Size")) continue;
        EXPECT_EQ(ValueOf(key), expected) << key.toStdString();
    }
}

TEST_F(OptionsTest, UnconvertibleValueKeepsWhatWasLoadedBefore) {
    bt::LoadOptions();
    store.Seed(kCurrentApp, kSection, QStringLiteral("Font_Size"), QStringLiteral("12"));
    store.Seed(kCurrentApp, kSection, QStringLiteral("Lzh"), QStringLiteral("False"));
    bt::LoadOptions();
    store.Seed(kCurrentApp, kSection, QStringLiteral("Font_Size"), QStringLiteral("abc"));
    store.Seed(kCurrentApp, kSection, QStringLiteral("Lzh"), QStringLiteral("yes"));
    bt::LoadOptions();
    EXPECT_EQ(bt::Font_Size, 12);
    EXPECT_FALSE(bt::Lzh);
}

struct StoredCase {
    const char* name;
    QString key;
    QString stored;
    QString loaded;  // the option afterwards, in its text form
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }
};

class StoredValues : public OptionsTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValues, LoadAsTheirType) {
    store.Seed(kCurrentApp, kSection, GetParam().key, GetParam().stored);
    bt::LoadOptions();
    EXPECT_EQ(ValueOf(GetParam().key), GetParam().loaded);
}

// On a fresh start a value that does not convert leaves False / 0.
INSTANTIATE_TEST_SUITE_P(
    Conversions, StoredValues,
    ::testing::Values(
        StoredCase{"UpperTrue", "Lzh_X", "TRUE", "True"},
        StoredCase{"LowerFalse", "Lzh", "false", "False"},
        StoredCase{"MixedCase", "Lzh_Lha", "tRuE", "True"},
        StoredCase{"Zero", "Cab", "0", "False"},
        StoredCase{"MinusOne", "Nozoku", "-1", "True"},
        StoredCase{"Two", "Auto", "2", "True"},
        StoredCase{"Fraction", "Auto", "0.5", "True"},
        StoredCase{"Spaces", "Auto", " True ", "True"},
        StoredCase{"Yes", "Lzh", "yes", "False"},
        StoredCase{"EmptyBoolean", "Tip", "", "False"},
        StoredCase{"AutoExeWin16", "AutoExe", "1", "1"},
        StoredCase{"IntegerHalfToEven", "AutoExe", "2.5", "2"},
        StoredCase{"IntegerRoundsUp", "Font_Size", "11.6", "12"},
        StoredCase{"IntegerTooLarge", "Font_Size", "70000", "0"},
        StoredCase{"IntegerNegative", "Font_Size", "-3", "-3"},
        StoredCase{"IntegerText", "AutoExe", "Win32", "0"},
        StoredCase{"TextAsIs", "Lzh_OptDos", " s -x1  ", " s -x1  "},
        StoredCase{"EmptyText", "Cab_Opt", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsTest, LegacyStaysWhenTheCurrentLocationRefusesWrites) {
    store.Seed(kLegacyApp, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.refuseWrites = true;
    bt::LoadOptions();
    bt::SaveOptions();
    EXPECT_TRUE(store.HasApplication(kLegacyApp));
}

TEST_F(OptionsTest, LegacyStaysWhenTheWritesDoNotReachTheDisk) {
    store.Seed(kLegacyApp, kSection, QStringLiteral("Version"), QStringLiteral("1.01"));
    store.failSync = true;
    bt::LoadOptions();
    bt::SaveOptions();
    EXPECT_TRUE(store.HasApplication(kLegacyApp));
}

// The same through the real settings files in a temporary configuration folder.
class OptionsOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override { ResetToFreshProcess(); }
    void TearDown() override { ResetToFreshProcess(); }

    QString FileOf(const QString& application) const {
        return root.filePath(application + QStringLiteral("/settings.ini"));
    }
    void Store(const QString& application, const QByteArray& content) {
        ASSERT_TRUE(QDir().mkpath(root.filePath(application)));
        QFile file(FileOf(application));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Loads and saves as one run of the program does, with a store of its own.
    void RunProgramOnce(const std::function<void()>& betweenLoadAndSave = {}) {
        platform::IniSettingsStore store(root.path());
        platform::ScopedServices scope({&store, nullptr, nullptr, nullptr});
        bt::LoadOptions();
        if (betweenLoadAndSave) betweenLoadAndSave();
        bt::SaveOptions();
    }

    QTemporaryDir root;
};

TEST_F(OptionsOnDiskTest, LegacySettingsAreMigratedOnTheFirstSave) {
    Store(kLegacyApp, "[Tollbrook2]\nVersion=1.01\nLzh=False\nMain_Left=1035\n");
    RunProgramOnce([] { EXPECT_FALSE(bt::Lzh); });

    EXPECT_FALSE(QFileInfo::exists(FileOf(kLegacyApp)));
    EXPECT_FALSE(QFileInfo::exists(root.filePath(kLegacyApp)));
    platform::IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrentApp, kSection, QStringLiteral("Lzh"), {}), QStringLiteral("False"));
    EXPECT_EQ(reopened.Read(kCurrentApp, kSection, QStringLiteral("Version"), {}), QStringLiteral("1.02"));

    ResetToFreshProcess();
    RunProgramOnce([] { EXPECT_FALSE(bt::Lzh) << "the next start reads the current location"; });
}

TEST_F(OptionsOnDiskTest, FirstSaveOfAFreshUserHoldsEveryOptionAndTheVersion) {
    RunProgramOnce();
    EXPECT_FALSE(QFileInfo::exists(root.filePath(kLegacyApp))) << "removing no legacy settings creates none";
    platform::IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrentApp, kSection, QStringLiteral("Version"), {}), QStringLiteral("1.02"));
    for (const auto& [key, expected] : kDefaults) {
        EXPECT_EQ(reopened.Read(kCurrentApp, kSection, key, QStringLiteral("<absent>")), expected)
            << key.toStdString();
    }
}

TEST_F(OptionsOnDiskTest, GarbageFileGivesDefaultsAndIsOnlyReplacedBySave) {
    const QByteArray garbage("\x89PNG\r\n\x1a\n\x00\x00garbage[", 19);
    Store(kCurrentApp, garbage);
    {
        platform::IniSettingsStore store(root.path());
        platform::ScopedServices scope({&store, nullptr, nullptr, nullptr});
        bt::LoadOptions();
    }
    for (const auto& [key, expected] : kDefaults) EXPECT_EQ(ValueOf(key), expected) << key.toStdString();
    EXPECT_EQ(Bytes(FileOf(kCurrentApp)), garbage);

    RunProgramOnce();
    platform::IniSettingsStore reopened(root.path());
    EXPECT_EQ(reopened.Read(kCurrentApp, kSection, QStringLiteral("Font_Name"), {}), QStringLiteral("ＭＳ 明朝"));
}

TEST_F(OptionsOnDiskTest, LegacyIsKeptWhenTheCurrentLocationCannotBeCreated) {
    const QByteArray legacy("[Tollbrook2]\nVersion=1.01\nLzh=False\n");
    Store(kLegacyApp, legacy);
    QFile blocker(root.filePath(kCurrentApp));  // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    RunProgramOnce();
    EXPECT_EQ(Bytes(FileOf(kLegacyApp)), legacy);
    EXPECT_TRUE(QFileInfo(root.filePath(kCurrentApp)).isFile());
}

}  // namespace
