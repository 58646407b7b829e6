// -gk: a library hands the finished self-extractor over unplaced, and it
// appears, with the library's own rules, only when its receiver places it.
#include "handOver.h"
#include "resultCodes.h"

#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace testSupport;

struct HandOverCase {
    const char* name;
    const char* soName;
    const char* prefix;
    bool cab;
    friend void PrintTo(const HandOverCase& c, std::ostream* os) { *os << c.name; }
};

class HandOver : public ::testing::TestWithParam<HandOverCase> {
protected:
    HandOver()
    {
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
        fcntl(ends[1], F_SETFL, O_NONBLOCK);
    }
    ~HandOver() override
    {
        close(ends[0]);
        close(ends[1]);
    }

    // The conversion of an archive into dir/out/ with these options.
    int Convert(kit::Library& lib, const std::string& input, const std::string& options)
    {
        const bool cab = GetParam().cab;
        return lib.Run(std::string(cab ? "-f " : "s -+ ") + options + " \"" + input + "\" \"" + (dir / "out")
                       + "/\"");
    }

    std::string Input()
    {
        if (GetParam().cab)
            return kit::MakeCab(dir.Path(), {{"a.txt", "cabinet member"}}, true);
        WriteBytes(dir / "in.lzh", kit::MakeLzh({{"a.txt", "archive member"}}));
        return dir / "in.lzh";
    }

    std::map<std::string, std::string> Stubs()
    {
        return GetParam().cab ? kit::CabStubs() : kit::FakeLzhStubs();
    }

    TempFolder dir;
    int ends[2];
};

TEST_P(HandOver, NothingAppearsUntilTheReceiverPlacesItAndThenTheSameBytes)
{
    kit::Library lib(GetParam().soName, GetParam().prefix, Stubs());
    const std::string input = Input();
    std::filesystem::create_directory(dir / "out");
    ASSERT_EQ(Convert(lib, input, ""), tbarc::kDone);
    const std::vector<std::string> placed = kit::ListFolder(dir / "out");
    ASSERT_EQ(placed.size(), 1u);
    const std::string expected = ReadBytes(dir / ("out/" + placed[0]));
    std::filesystem::remove(dir / ("out/" + placed[0]));

    // An older file of the name: kept until the hand-over is placed (-+).
    WriteBytes(dir / ("out/" + placed[0]), "older");
    ASSERT_EQ(Convert(lib, input, "-gk" + std::to_string(ends[0])), tbarc::kDone);
    EXPECT_EQ(ReadBytes(dir / ("out/" + placed[0])), "older") << "handed over, not placed";
    EXPECT_EQ(kit::ListFolder(dir / "out"), placed) << "no scratch name either";
    tbarc::HandedOver file;
    ASSERT_TRUE(tbarc::ReceiveHandedOver(ends[1], file));
    EXPECT_EQ(file.finalPath, dir / ("out/" + placed[0]));
    EXPECT_TRUE(file.replace);
    EXPECT_FALSE(tbarc::ReceiveHandedOver(ends[1], file)) << "one file for one conversion";
    ASSERT_EQ(tbarc::PlaceHandedOver(file), tbarc::kDone);
    EXPECT_EQ(ReadBytes(dir / ("out/" + placed[0])), expected);

    // Dropped instead: nothing stays.
    std::filesystem::remove(dir / ("out/" + placed[0]));
    ASSERT_EQ(Convert(lib, input, "-gk" + std::to_string(ends[0])), tbarc::kDone);
    ASSERT_TRUE(tbarc::ReceiveHandedOver(ends[1], file));
    tbarc::DiscardHandedOver(file);
    EXPECT_TRUE(kit::ListFolder(dir / "out").empty());
}

TEST_P(HandOver, OnlyAnOpenSocketIsTaken)
{
    kit::Library lib(GetParam().soName, GetParam().prefix, Stubs());
    const std::string input = Input();
    std::filesystem::create_directory(dir / "out");
    const int file = open(input.c_str(), O_RDONLY | O_CLOEXEC);
    for (const std::string& option :
         {std::string("-gk"), "-gk" + std::to_string(file), std::string("-gk999"), std::string("-gkx")})
        EXPECT_EQ(Convert(lib, input, option), tbarc::kBadOption) << option;
    close(file);
    EXPECT_TRUE(kit::ListFolder(dir / "out").empty());
}

INSTANTIATE_TEST_SUITE_P(Libraries, HandOver,
                         ::testing::Values(HandOverCase{"Unlha", "libunlha32.so", "Unlha", false},
                                           HandOverCase{"Cab", "libcab32.so", "Cab", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
