#include <QTimer>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "coreApplicationTest.h"
#include "run/backgroundCall.h"
#include <gtest/gtest.h>

namespace {

// The calls turn the caller's event loop, which needs an application.
using BackgroundCallTest = CoreApplicationTest;

TEST_F(BackgroundCallTest, ACallRunsElsewhereAndItsResultOrFailureComesBack)
{
    BackgroundCall background;
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ranOn;
    EXPECT_EQ(background.Run([&] {
        ranOn = std::this_thread::get_id();
        return 7;
    }),
              7);
    EXPECT_NE(ranOn, caller);
    EXPECT_THROW(background.Run([]() -> int { throw std::runtime_error("library fault"); }),
                 std::runtime_error);
    EXPECT_EQ(background.Run([] { return 8; }), 8) << "the worker goes on after a failure";
}

TEST_F(BackgroundCallTest, ALongCallKeepsTheEventLoopTurning)
{
    BackgroundCall background;
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    background.Run([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return 0;
    });
    EXPECT_TRUE(fired) << "events are handled while a long call runs";
}

// An event handled while a long call waits may make a call of its own: it
// gets its result, and the long call still ends with its own.
TEST_F(BackgroundCallTest, ACallMadeWhileAnotherWaitsRunsAtOnce)
{
    BackgroundCall background;
    int inner = 0;
    std::thread::id innerRanOn;
    QTimer::singleShot(0, [&] {
        inner = background.Run([&] {
            innerRanOn = std::this_thread::get_id();
            return 9;
        });
    });
    const int outer = background.Run([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return 4;
    });
    EXPECT_EQ(outer, 4);
    EXPECT_EQ(inner, 9);
    EXPECT_EQ(innerRanOn, std::this_thread::get_id()) << "not queued behind the busy worker";
}

} // namespace
