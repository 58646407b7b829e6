// A top-level window comes up wholly on a screen, however large it was
// stored or however the screens have changed since.
#include "ui/presentation/screenFit.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenFit, TheWindowComesUpWhollyOnAScreen)
{
    const QRect left(0, 0, 1280, 994);     // a panel at the bottom
    const QRect right(1280, 0, 1024, 768); // a second screen beside it
    const QMargins frame(4, 28, 4, 4);
    const QSize small(200, 150);
    const struct {
        const char* what;
        QRect wanted;
        QList<QRect> screens;
        QSize minimum;
        QRect fit;
    } cases[] = {
        {"fits already", {100, 100, 533, 533}, {left}, small, {100, 100, 533, 533}},
        {"taller than the screen (scale 2)", {136, 174, 533, 1066}, {left}, small, {136, 28, 533, 962}},
        {"wider and taller", {136, 174, 1600, 1200}, {left}, small, {4, 28, 1272, 962}},
        {"past the right edge", {1000, 100, 533, 533}, {left}, small, {743, 100, 533, 533}},
        {"above the top", {100, -300, 533, 533}, {left}, small, {100, 28, 533, 533}},
        {"on the second screen", {1400, 100, 533, 533}, {left, right}, small, {1400, 100, 533, 533}},
        {"mostly on the second screen, past its bottom",
         {1400, 500, 533, 533},
         {left, right},
         small,
         {1400, 231, 533, 533}},
        {"on a screen gone since", {2400, 100, 533, 533}, {left}, small, {743, 100, 533, 533}},
        // What the contents need places the window; its size grows to it
        // only when it shows.
        {"needs more than the screen", {300, 0, 533, 1066}, {left}, {1216, 1000}, {60, 28, 533, 962}},
        {"needs more than it asked", {300, 100, 533, 533}, {left}, {1216, 533}, {60, 100, 533, 533}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(presentation::FitOnScreens(c.wanted, c.screens, frame, c.minimum), c.fit) << c.what;
}

} // namespace
