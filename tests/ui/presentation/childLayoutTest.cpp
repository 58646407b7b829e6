#include <gtest/gtest.h>

#include "ui/presentation/childLayout.h"

namespace {

using childLayout::Place;
using childLayout::Rect;

TEST(ChildLayout, TilesTwoColumnsOfThreeWithEvenRounding)
{
    const struct {
        double width, height;
        int halfWidth, thirdHeight;
    } cases[] = {
        {9000, 6000, 4500, 2000},
        {8999, 6001, 4500, 2000}, // 4499.5 goes to the even 4500
        {9001, 6002, 4500, 2001}, // 4500.5 goes to the even 4500; 2000.67 to 2001
        {1, 1, 0, 0},
    };
    for (const auto& c : cases) {
        const auto tiles = childLayout::Tiles(c.width, c.height);
        ASSERT_TRUE(tiles) << c.width;
        const int w = c.halfWidth, h = c.thirdHeight;
        EXPECT_EQ(*tiles,
                  (std::array<Rect, 6>{Rect{0, 0, w, h}, Rect{0, h, w, h}, Rect{0, 2 * h, w, h},
                                       Rect{w, 0, w, h}, Rect{w, h, w, h}, Rect{w, 2 * h, w, h}}))
            << c.width << " x " << c.height;
    }
    EXPECT_FALSE(childLayout::Tiles(70000, 6000)) << "a half width beyond 16 bits";
    EXPECT_FALSE(childLayout::Tiles(9000, 120000));
}

TEST(ChildLayout, CancelButtonKeepsItsGapOrStaysWhenTheWindowIsTooNarrow)
{
    EXPECT_EQ(childLayout::CancelButtonLeft(3000, 1200), 1740);
    EXPECT_EQ(childLayout::CancelButtonLeft(1261, 1200), 1);
    EXPECT_FALSE(childLayout::CancelButtonLeft(1260, 1200)) << "a left edge of 0 is not positive";
    EXPECT_FALSE(childLayout::CancelButtonLeft(800, 1200));
}

TEST(ChildLayout, FullListInsideTheMargin)
{
    EXPECT_EQ(childLayout::FullList(4000, 3000), (Place{60, 60, 3880, 2880}));
    EXPECT_EQ(childLayout::FullList(4000, 120), (Place{60, 60, 3880, std::nullopt}))
        << "too low keeps height";
    EXPECT_FALSE(childLayout::FullList(120, 3000)) << "too narrow moves nothing";
}

TEST(ChildLayout, ListWithButtonsPutsTheButtonsBelowTheListLeftToRight)
{
    const auto layout = childLayout::ListWithButtons(5000, 3000, {400, 500, 600}, 360);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->list, (Place{60, 60, 4880, 2460}));
    ASSERT_EQ(layout->buttons.size(), 3);
    // The second button at the first one's width + 120, the third 60 after the second.
    EXPECT_EQ(layout->buttons[0], (Place{60, 2580, 400, std::nullopt}));
    EXPECT_EQ(layout->buttons[1], (Place{520, 2580, 500, std::nullopt}));
    EXPECT_EQ(layout->buttons[2], (Place{1080, 2580, 600, std::nullopt}));

    // Too low for its buttons: the list keeps its height, the rest still moves.
    const auto low = childLayout::ListWithButtons(5000, 500, {400, 400}, 360);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->list.height, std::nullopt);
    EXPECT_EQ(low->list.width, 4880);
    EXPECT_EQ(low->buttons[1].top, -40 + 120);
    EXPECT_FALSE(childLayout::ListWithButtons(100, 3000, {400}, 360));
}

TEST(ChildLayout, FolderWindowStacksDrivesFoldersAndText)
{
    const auto layout = childLayout::FolderWindow(4000, 3000, 300, 285);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->drives, (Place{60, 60, 3880, std::nullopt}));
    EXPECT_EQ(layout->folders, (Place{60, 420, 3880, 2175}));
    EXPECT_EQ(layout->text, (Place{60, 2655, 3880, std::nullopt}));
    const auto low = childLayout::FolderWindow(4000, 700, 300, 285);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->folders.height, std::nullopt);
    EXPECT_EQ(low->text.top, 420 - 125 + 60);
}

TEST(LayoutArithmetic, HalvesGoToTheEvenNeighbourAndOverflowIsRefused)
{
    const struct {
        double value;
        std::optional<short> expected;
    } cases[] = {
        {10.5, 10},
        {11.5, 12},
        {-0.5, 0},
        {-1.5, -2},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {-32768.6, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(childLayout::ToLayoutInteger(c.value), c.expected) << c.value;
}

TEST(LayoutArithmetic, TwipsAndPixelsAtTheUsualResolutions)
{
    EXPECT_EQ(childLayout::ToPixels(1440, 96), 96);
    EXPECT_EQ(childLayout::ToPixels(60, 96), 4);
    EXPECT_FLOAT_EQ(childLayout::ToTwips(96, 96), 1440);
    EXPECT_FLOAT_EQ(childLayout::ToTwips(4, 120), 48);
}

} // namespace
