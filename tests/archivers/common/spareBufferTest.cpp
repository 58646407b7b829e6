// The buffers calls in a row hand on to each other: the room comes back on
// the same thread only, and neither many nor very large buffers stay kept.
#include "spareBuffer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using tbarc::ByteBuffer;

ByteBuffer WithRoom(std::size_t room)
{
    ByteBuffer buffer;
    buffer.reserve(room);
    return buffer;
}

// Empties this thread's spares so that each case starts from none.
void TakeAllSpares()
{
    while (tbarc::TakeSpareBuffer().capacity() != 0) {
    }
}

TEST(SpareBuffer, RoomHandedBackIsTakenAgainOnTheSameThreadOnly)
{
    TakeAllSpares();
    ByteBuffer buffer = WithRoom(100000);
    buffer.resize(1000, 'x');
    const char* bytes = buffer.data();
    tbarc::ReturnSpareBuffer(std::move(buffer));

    std::size_t otherThreadRoom = 1;
    std::thread([&] { otherThreadRoom = tbarc::TakeSpareBuffer().capacity(); }).join();
    EXPECT_EQ(otherThreadRoom, 0u);

    const ByteBuffer again = tbarc::TakeSpareBuffer();
    EXPECT_EQ(again.data(), bytes);
    EXPECT_EQ(again.size(), 1000u) << "bytes kept as they were";
    EXPECT_EQ(tbarc::TakeSpareBuffer().capacity(), 0u) << "taken once";
}

TEST(SpareBuffer, KeepsAFewOfModerateSize)
{
    struct Case {
        const char* what;
        std::vector<std::size_t> handedBack;
        std::vector<std::size_t> takenAgain; // rooms, last handed back first
    };
    const std::vector<Case> cases = {
        {"two kept", {1000, 2000}, {2000, 1000}},
        {"a third is freed", {1000, 2000, 3000}, {2000, 1000}},
        {"very large is freed", {1000, 64u << 20}, {1000}},
        {"empty is not kept", {0, 1000}, {1000}},
    };
    for (const Case& c : cases) {
        TakeAllSpares();
        for (std::size_t room : c.handedBack)
            tbarc::ReturnSpareBuffer(WithRoom(room));
        std::vector<std::size_t> taken;
        while (true) {
            const std::size_t room = tbarc::TakeSpareBuffer().capacity();
            if (room == 0)
                break;
            taken.push_back(room);
        }
        EXPECT_EQ(taken, c.takenAgain) << c.what;
    }
}

} // namespace
