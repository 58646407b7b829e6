// The self-extractor's file as OutputFile writes it: copied and lasting
// pieces in any mix reach the file in the order given, whatever is gathered
// and whatever goes at once, and the seal describes exactly the archive part.
#include "outputFile.h"
#include "resultCodes.h"

#include "support/sealedSfx.h"
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace testSupport;

std::uint32_t Little32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::string Filled(std::size_t length, char seed)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(seed + static_cast<char>(i * 7 % 251));
    return bytes;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Piece {
    std::size_t length;
    bool lasting;
};

// More pieces than one write gathers, two lasting for every copied one.
std::vector<Piece> ManyMixed()
{
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < 150; ++i)
        pieces.push_back({100 + i * 13, i % 3 != 0});
    return pieces;
}

TEST(OutputFile, PiecesReachTheFileInOrderAndTheSealDescribesTheArchive)
{
    constexpr std::size_t kStub = 4096;
    constexpr std::size_t kSealAt = 1000; // the stub's seal record
    struct Case {
        const char* what;
        std::vector<Piece> archive;
    };
    const Case cases[] = {
        {"one lasting piece, the usual small archive", {{100000, true}}},
        {"copied and lasting pieces mixed, more than one write gathers", ManyMixed()},
        {"a lasting piece beyond what is gathered", {{10, false}, {3u << 20, true}, {20, false}}},
        {"a large copied piece between lasting ones", {{5000, true}, {600000, false}, {7000, true}}},
        {"empty pieces", {{0, true}, {1, false}, {0, false}, {2, true}}},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        tbarc::OutputFile out;
        ASSERT_EQ(out.Create(dir.Path(), "OUT.EXE"), tbarc::kDone) << c.what;
        std::string expected = Filled(kStub, 'S');
        ASSERT_EQ(out.Write(expected.data(), expected.size()), tbarc::kDone) << c.what;
        out.BeginArchive();

        std::vector<std::string> kept; // lasting bytes stay until Commit
        kept.reserve(c.archive.size());
        std::string reused;
        std::string archive;
        for (std::size_t i = 0; i < c.archive.size(); ++i) {
            const std::string bytes = Filled(c.archive[i].length, static_cast<char>('a' + i % 26));
            archive += bytes;
            if (c.archive[i].lasting) {
                kept.push_back(bytes);
                ASSERT_EQ(out.WriteLasting(kept.back().data(), kept.back().size()), tbarc::kDone) << c.what;
            } else {
                reused = bytes;
                ASSERT_EQ(out.Write(reused.data(), reused.size()), tbarc::kDone) << c.what;
                reused.assign(reused.size(), 'X'); // a copied piece no longer needs its source
            }
        }
        ASSERT_EQ(out.Seal(kSealAt), tbarc::kDone) << c.what;
        ASSERT_EQ(out.Commit(true, nullptr), tbarc::kDone) << c.what;

        const std::string written = ReadAll(dir / "OUT.EXE");
        ASSERT_EQ(written.size(), kStub + archive.size()) << c.what;
        EXPECT_TRUE(written.compare(kStub, archive.size(), archive) == 0) << c.what;
        EXPECT_EQ(Little32(written, kSealAt + 8), kStub) << c.what;
        EXPECT_EQ(Little32(written, kSealAt + 12), archive.size()) << c.what;
        EXPECT_EQ(Little32(written, kSealAt + 16), Crc32(archive.data(), archive.size())) << c.what;
        // Outside its record the stub is as written.
        expected.replace(kSealAt + 8, 12, written, kSealAt + 8, 12);
        EXPECT_TRUE(written.compare(0, kStub, expected) == 0) << c.what;
        EXPECT_EQ(out.BytesWritten(), written.size()) << c.what;
    }
}

} // namespace
