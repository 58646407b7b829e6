#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/settings.h"
#include "util/programMessages.h"
#include "support/fakeServices.h"
#include "support/storedSettings.h"

namespace {

using platform::FakeSettingsStore;

struct SingleCase {
    const char* name;
    float value;
    QString text;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const SingleCase& c, std::ostream* os) { *os << c.name; }
};

class SingleText : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleText, WritesTheShortTextAndReadsTheSameNumberBack)
{
    EXPECT_EQ(settings::FromSingle(GetParam().value), GetParam().text);
    EXPECT_EQ(settings::ToSingle(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Twips, SingleText,
                         ::testing::Values(SingleCase{"Whole", 1035.0f, "1035"},
                                           SingleCase{"Half", 1035.5f, "1035.5"},
                                           SingleCase{"Tenth", 7654.3f, "7654.3"},
                                           SingleCase{"Negative", -9999.0f, "-9999"},
                                           SingleCase{"Zero", 0.0f, "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsConversionTest, NumbersThatAreNotNumbersAreRefused)
{
    for (const char* text : {"", "abc", "1,5", "nan", "inf", "12px", "yes"}) {
        EXPECT_FALSE(settings::ToSingle(QString::fromLatin1(text)).has_value()) << text;
        EXPECT_FALSE(settings::ToInteger(QString::fromLatin1(text)).has_value()) << text;
        EXPECT_FALSE(settings::ToBoolean(QString::fromLatin1(text)).has_value()) << text;
    }
    // Beyond single precision, but still a number, so a true Boolean.
    EXPECT_FALSE(settings::ToSingle(QStringLiteral("1e40")).has_value());
    EXPECT_EQ(settings::ToBoolean(QStringLiteral("1e40")), true);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    testSupport::FakeServices services;
    FakeSettingsStore& store = services.settings;
};

struct ProbeCase {
    const char* name;
    const char* legacyLeft; // null: the legacy location does not hold the key
    bool legacy;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.name; }
};

class GeometryProbe : public SettingsStoreTest, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(GeometryProbe, LegacyLocationOnlyWhenItHoldsTheWindowsLeftKey)
{
    if (GetParam().legacyLeft) {
        store.Seed(settings::kLegacy.application, settings::kLegacy.section, QStringLiteral("InFile_Left"),
                   QString::fromLatin1(GetParam().legacyLeft));
    }
    store.Seed(settings::kLegacy.application, settings::kLegacy.section, QStringLiteral("Main_Left"),
               QStringLiteral("500"));
    const settings::Location& location = settings::GeometryLocation(QStringLiteral("InFile_Left"));
    EXPECT_EQ(location.application,
              GetParam().legacy ? settings::kLegacy.application : settings::kCurrent.application);
    EXPECT_TRUE(store.writes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Probes, GeometryProbe,
    ::testing::Values(ProbeCase{"Absent", nullptr, false}, ProbeCase{"TheNoValueMarker", "-9999", false},
                      ProbeCase{"MarkerAsFraction", "-9999.0", false}, ProbeCase{"Stored", "1035", true},
                      ProbeCase{"Negative", "-5", true}, ProbeCase{"NotANumber", "abc", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsStoreTest, TypedReadsUseTheDefaultForAnAbsentKeyAndKeepTheTargetOnFailure)
{
    store.Seed(settings::kCurrent.application, settings::kCurrent.section, QStringLiteral("Main_Top"),
               QStringLiteral("x"));
    float top = 42;
    EXPECT_FALSE(settings::ReadSingle(settings::kCurrent, QStringLiteral("Main_Top"), 1000, top));
    EXPECT_EQ(top, 42);
    float left = 42;
    EXPECT_TRUE(settings::ReadSingle(settings::kCurrent, QStringLiteral("Main_Left"), 1000, left));
    EXPECT_EQ(left, 1000);
    short state = 7;
    EXPECT_TRUE(settings::ReadInteger(settings::kCurrent, QStringLiteral("Main_WindowState"), 0, state));
    EXPECT_EQ(state, 0);
}

TEST_F(SettingsStoreTest, WritesGoToTheCurrentLocation)
{
    EXPECT_TRUE(settings::WriteSingle(QStringLiteral("Main_Left"), 1035.5f));
    EXPECT_TRUE(settings::WriteBoolean(QStringLiteral("Dir_In_Yuko"), false));
    EXPECT_EQ(store.writes,
              (QList<FakeSettingsStore::Entry>{{testSupport::kCurrentApplication, testSupport::kSection,
                                                QStringLiteral("Main_Left"), QStringLiteral("1035.5")},
                                               {testSupport::kCurrentApplication, testSupport::kSection,
                                                QStringLiteral("Dir_In_Yuko"), QStringLiteral("False")}}));
}

TEST_F(SettingsStoreTest, RemovalDeletesTheCurrentSectionAndLeavesTheLegacyOne)
{
    store.Seed(settings::kCurrent.application, settings::kCurrent.section, QStringLiteral("Lzh"),
               QStringLiteral("False"));
    store.Seed(settings::kCurrent.application, QStringLiteral("Other"), QStringLiteral("Kept"),
               QStringLiteral("1"));
    store.Seed(settings::kLegacy.application, settings::kLegacy.section, QStringLiteral("Lzh"),
               QStringLiteral("False"));
    EXPECT_TRUE(settings::RemoveStoredSettings());
    EXPECT_FALSE(
        store.Contains(settings::kCurrent.application, settings::kCurrent.section, QStringLiteral("Lzh")));
    EXPECT_TRUE(
        store.Contains(settings::kCurrent.application, QStringLiteral("Other"), QStringLiteral("Kept")));
    EXPECT_TRUE(
        store.Contains(settings::kLegacy.application, settings::kLegacy.section, QStringLiteral("Lzh")));
    EXPECT_FALSE(settings::RemoveStoredSettings()) << "nothing left to remove";
}

} // namespace

namespace {

// The store keeps copies quietly; the caller's word is one box per copy,
// naming the file and where its copy is, and each copy is told once.
TEST_F(SettingsStoreTest, KeptCopiesAreToldOnceEach)
{
    store.keptCopies = {{QStringLiteral("/c/a.ini"), QStringLiteral("/c/a.ini.damaged")},
                        {QStringLiteral("/c/b.ini"), QStringLiteral("/c/b.ini.damaged.3")}};
    settings::TellKeptCopies();
    ASSERT_EQ(services.dialogs.messages().size(), 2);
    EXPECT_TRUE(services.dialogs.messages()[0].contains(QStringLiteral("/c/a.ini.damaged")));
    EXPECT_TRUE(services.dialogs.messages()[1].contains(QStringLiteral("/c/b.ini.damaged.3")));
    settings::TellKeptCopies();
    EXPECT_EQ(services.dialogs.messages().size(), 2);
}

// A settings file that could not be written is told once, with the file and
// the reason in the program's words.
TEST_F(SettingsStoreTest, StoreFailuresAreToldOnceEachWithTheirReason)
{
    using messages::ProgramMessage;
    using platform::StoreFailureReason;
    const QTemporaryDir temporary;
    const QString dangling = QDir(temporary.path()).filePath(QStringLiteral("link.ini"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent-tollbrook2/x.ini"), dangling));
    const struct {
        platform::StoreFailure failure;
        QString reason;
    } cases[] = {
        {{QStringLiteral("/c/folder.ini"), StoreFailureReason::NotAFile},
         messages::Text(ProgramMessage::SettingsNotAFile)},
        {{dangling, StoreFailureReason::DanglingLink},
         messages::Text(ProgramMessage::SettingsDanglingLink)
             .arg(QStringLiteral("/nonexistent-tollbrook2/x.ini"))},
        {{QStringLiteral("/c/full.ini"), StoreFailureReason::NotWritten},
         messages::Text(ProgramMessage::SettingsNotWritten)},
        {{QStringLiteral("/c/odd.ini"), StoreFailureReason::NotUnderstood},
         messages::Text(ProgramMessage::SettingsNotUnderstood)},
        {{QStringLiteral("/c/nocopy.ini"), StoreFailureReason::NoCopyKept},
         messages::Text(ProgramMessage::SettingsNoCopyKept)},
    };
    for (const auto& c : cases)
        store.storeFailures.append(c.failure);
    settings::TellStoreFailures();
    ASSERT_EQ(services.dialogs.messages().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(
            services.dialogs.messages()[static_cast<qsizetype>(i)],
            messages::Text(ProgramMessage::SettingsNotStored).arg(cases[i].failure.path, cases[i].reason));
    settings::TellStoreFailures();
    EXPECT_EQ(services.dialogs.messages().size(), std::size(cases));
}

} // namespace
