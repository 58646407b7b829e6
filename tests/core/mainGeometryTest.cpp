#include <gtest/gtest.h>

#include <ostream>

#include "core/mainGeometry.h"
#include "core/settings.h"
#include "support/fakeServices.h"

namespace {

using core::MainGeometry;
using enum core::WindowState;
using platform::FakeSettingsStore;

class MainGeometryTest : public ::testing::Test {
protected:
    void Seed(const settings::Location& at, const char* key, const char* text)
    {
        store.Seed(at.application, at.section, QString::fromLatin1(key), QString::fromLatin1(text));
    }

    testSupport::FakeServices services;
    FakeSettingsStore& store = services.settings;
};

TEST_F(MainGeometryTest, NothingStoredGivesTheDefaultPlace)
{
    EXPECT_EQ(core::ReadMainGeometry(), (MainGeometry{1000, 1000, 8000, 8000, Normal}));
}

TEST_F(MainGeometryTest, ReadsTheCurrentLocation)
{
    Seed(settings::kCurrent, "Main_Left", "120");
    Seed(settings::kCurrent, "Main_Top", "240.5");
    Seed(settings::kCurrent, "Main_Width", "9000");
    Seed(settings::kCurrent, "Main_Height", "7000");
    Seed(settings::kCurrent, "Main_WindowState", "2");
    EXPECT_EQ(core::ReadMainGeometry(), (MainGeometry{120, 240.5f, 9000, 7000, Maximized}));
}

TEST_F(MainGeometryTest, LegacyLocationWinsWhenItHoldsMainLeft)
{
    Seed(settings::kLegacy, "Main_Left", "300");
    Seed(settings::kLegacy, "Main_Width", "6000");
    Seed(settings::kCurrent, "Main_Left", "120");
    Seed(settings::kCurrent, "Main_Top", "240");
    EXPECT_EQ(core::ReadMainGeometry(), (MainGeometry{300, 1000, 6000, 8000, Normal}));
}

struct BrokenCase {
    const char* name;
    const char* key;
    const char* text;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenGeometry : public MainGeometryTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenGeometry, StopsTheStart)
{
    Seed(settings::kCurrent, GetParam().key, GetParam().text);
    EXPECT_EQ(core::ReadMainGeometry(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Values, BrokenGeometry,
                         ::testing::Values(BrokenCase{"LeftText", "Main_Left", "left"},
                                           BrokenCase{"HeightEmpty", "Main_Height", ""},
                                           BrokenCase{"StateText", "Main_WindowState", "max"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainGeometryTest, AStateOutOfRangeGivesANormalWindowAndIsReported)
{
    Seed(settings::kCurrent, "Main_Width", "9000");
    for (const char* state : {"3", "-1", "32767"}) {
        Seed(settings::kCurrent, "Main_WindowState", state);
        QList<options::InvalidStoredValue> outOfRange;
        EXPECT_EQ(core::ReadMainGeometry(&outOfRange), (MainGeometry{1000, 1000, 9000, 8000, Normal}))
            << state;
        ASSERT_EQ(outOfRange.size(), 1) << state;
        EXPECT_EQ(outOfRange[0].key, QStringLiteral("Main_WindowState"));
        EXPECT_EQ(outOfRange[0].text, QString::fromLatin1(state));
        EXPECT_EQ(outOfRange[0].defaultText, QStringLiteral("0"));
    }
}

struct ClampCase {
    const char* name;
    MainGeometry stored;
    MainGeometry shown;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.name; }
};

class Clamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(Clamp, BringsTheWindowIntoView)
{
    // A 1280 x 1024 pixel screen at 96 dots per inch.
    EXPECT_EQ(core::ClampIntoView(GetParam().stored, 19200, 15360), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Places, Clamp,
    ::testing::Values(
        ClampCase{"InView", {500, 600, 9000, 7000, Normal}, {500, 600, 9000, 7000, Normal}},
        ClampCase{"LeftNegative", {-5, 600, 9000, 7000, Normal}, {1000, 600, 9000, 7000, Normal}},
        ClampCase{"LeftBeyondScreen", {19201, 600, 9000, 7000, Normal}, {1000, 600, 9000, 7000, Normal}},
        ClampCase{"LeftAtScreenEdge", {19200, 600, 9000, 7000, Normal}, {19200, 600, 9000, 7000, Normal}},
        ClampCase{"TopBeyondScreen", {500, 15361, 9000, 7000, Normal}, {500, 1000, 9000, 7000, Normal}},
        ClampCase{"TooNarrow", {500, 600, 1500, 7000, Normal}, {500, 600, 8000, 7000, Normal}},
        ClampCase{"NarrowestKept", {500, 600, 2000, 7000, Normal}, {500, 600, 2000, 7000, Normal}},
        ClampCase{"TooLow", {500, 600, 9000, 499, Normal}, {500, 600, 9000, 8000, Normal}},
        ClampCase{"LowestKept", {500, 600, 9000, 500, Normal}, {500, 600, 9000, 500, Normal}},
        ClampCase{"StateUntouched", {-1, -1, 0, 0, Maximized}, {1000, 1000, 8000, 8000, Maximized}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainGeometryTest, NormalWindowStoresStateAndPlace)
{
    core::StoreMainGeometry(MainGeometry{120, 240.5f, 9000, 7000, Normal});
    const QString app = settings::kCurrent.application;
    const QString sec = settings::kCurrent.section;
    EXPECT_EQ(
        store.writes,
        (QList<FakeSettingsStore::Entry>{{app, sec, QStringLiteral("Main_WindowState"), QStringLiteral("0")},
                                         {app, sec, QStringLiteral("Main_Left"), QStringLiteral("120")},
                                         {app, sec, QStringLiteral("Main_Top"), QStringLiteral("240.5")},
                                         {app, sec, QStringLiteral("Main_Width"), QStringLiteral("9000")},
                                         {app, sec, QStringLiteral("Main_Height"), QStringLiteral("7000")}}));
}

TEST_F(MainGeometryTest, MaximisedWindowStoresOnlyItsState)
{
    Seed(settings::kCurrent, "Main_Left", "120");
    core::StoreMainGeometry(MainGeometry{0, 0, 19200, 15360, Maximized});
    EXPECT_EQ(store.writes,
              (QList<FakeSettingsStore::Entry>{{settings::kCurrent.application, settings::kCurrent.section,
                                                QStringLiteral("Main_WindowState"), QStringLiteral("2")}}));
    EXPECT_EQ(store.Read(settings::kCurrent.application, settings::kCurrent.section,
                         QStringLiteral("Main_Left"), {}),
              QStringLiteral("120"));
}

} // namespace
