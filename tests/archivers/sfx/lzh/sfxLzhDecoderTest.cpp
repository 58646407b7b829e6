// The shared LZH decoder driven through its callbacks, in memory: name
// rules, every method and header level, damaged input.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "sfxLzhKit.h"
extern "C" {
#include "lzhdec.h"
}

using namespace sfxlzh;

namespace {

using testSupport::ReadBytes;

// lzh_io over an archive in memory; files land in `files` when kept.
struct MemoryIo {
    Bytes archive;
    std::size_t at = 0;
    std::map<std::string, Bytes> files;
    std::set<std::string> folders;
    std::map<std::string, int> results; // entry name -> LZH_* result
    Bytes writing;

    lzh_io io()
    {
        lzh_io io{};
        io.ctx = this;
        io.sep = '/';
        io.read = [](void* c, unsigned char* buf, unsigned short len) -> int {
            auto* m = static_cast<MemoryIo*>(c);
            std::size_t n =
                std::min<std::size_t>(len, m->archive.size() - std::min(m->at, m->archive.size()));
            if (n)
                std::memcpy(buf, m->archive.data() + m->at, n);
            m->at += n;
            return int(n);
        };
        io.seek = [](void* c, unsigned long offset) -> int {
            static_cast<MemoryIo*>(c)->at = offset;
            return 0;
        };
        io.mkdir = [](void* c, const char* path) -> int {
            static_cast<MemoryIo*>(c)->folders.insert(path);
            return 0;
        };
        io.create = [](void* c, const lzh_entry*) -> void* {
            auto* m = static_cast<MemoryIo*>(c);
            m->writing.clear();
            return &m->writing;
        };
        io.write = [](void*, void* f, const unsigned char* buf, unsigned short len) -> int {
            auto* out = static_cast<Bytes*>(f);
            out->insert(out->end(), buf, buf + len);
            return 0;
        };
        io.close = [](void* c, void* f, const lzh_entry* e, int keep) -> int {
            if (keep)
                static_cast<MemoryIo*>(c)->files[e->path] = *static_cast<Bytes*>(f);
            return 0;
        };
        io.note = [](void* c, int event, const lzh_entry* e, int result) -> int {
            if (event == LZH_EV_DONE)
                static_cast<MemoryIo*>(c)->results[e->name] = result;
            return 0;
        };
        return io;
    }

    // Finds and extracts the archive; returns lzh_run's result.
    int extract(int mode = LZH_MODE_EXTRACT)
    {
        static lzh_state state;
        lzh_io callbacks = io();
        unsigned long offset = 0;
        lzh_init(&state, &callbacks);
        int r = lzh_find(&state, 0, 0xFFFFFFFFUL, &offset);
        if (r == LZH_OK)
            r = lzh_run(&state, offset, mode);
        lzh_done(&state);
        return r;
    }
};

std::map<std::string, Bytes> expectedContent()
{
    MemoryIo m;
    m.archive = ReadBytes<Bytes>(dataDir() / "lh0_h0.lzh");
    EXPECT_EQ(m.extract(), LZH_OK);
    return m.files;
}

// ---- Every method at every header level ---------------------------------

class EveryMethod : public testing::TestWithParam<std::string> {};

TEST_P(EveryMethod, DecodesToTheStoredContent)
{
    static const auto expected = expectedContent();
    ASSERT_EQ(expected.size(), 2u);
    MemoryIo m;
    m.archive = ReadBytes<Bytes>(dataDir() / (GetParam() + ".lzh"));
    ASSERT_FALSE(m.archive.empty());
    EXPECT_EQ(m.extract(), LZH_OK);
    EXPECT_EQ(m.files, expected);
    EXPECT_TRUE(m.folders.count("sub"));
}

std::vector<std::string> generatedArchives()
{
    std::vector<std::string> names;
    for (const char* method : {"lh0", "lh1", "lh4", "lh5", "lh6", "lh7", "lzs", "lz5"})
        for (int level = 0; level <= 3; level++)
            names.push_back(std::string(method) + "_h" + std::to_string(level));
    return names;
}

INSTANTIATE_TEST_SUITE_P(Generated, EveryMethod, testing::ValuesIn(generatedArchives()));

// ---- Names -----------------------------------------------------------------

struct NameCase {
    const char* label;
    int level;
    std::string dir, name;
    std::string path; // expected path, "" when refused
    int result;
};

class NameRules : public testing::TestWithParam<NameCase> {};

TEST_P(NameRules, WritesOnlyInsideTheDestination)
{
    const NameCase& c = GetParam();
    MemoryIo m;
    m.archive = MakeLzhArchive({{c.dir, c.name, "data"}, {"", "after.txt", "next"}}, c.level);
    int r = m.extract();
    EXPECT_EQ(r, c.result);
    EXPECT_EQ(m.files.count("after.txt"), 1u) << "entries after a refused one still extracted";
    if (c.path.empty()) {
        EXPECT_EQ(m.files.size(), 1u);
    } else {
        ASSERT_EQ(m.files.count(c.path), 1u);
        EXPECT_EQ(m.files[c.path], Bytes({'d', 'a', 't', 'a'}));
    }
}

const NameCase nameCases[] = {
    {"plain", 1, "", "a.txt", "a.txt", LZH_OK},
    {"folders_backslash", 1, "", "sub\\deep\\a.txt", "sub/deep/a.txt", LZH_OK},
    {"folders_slash", 0, "", "sub/a.txt", "sub/a.txt", LZH_OK},
    {"folder_header", 2,
     "sub\xFF"
     "deep\xFF",
     "a.txt", "sub/deep/a.txt", LZH_OK},
    {"sjis_trail_5c_not_a_separator", 1, "", "\x95\x5C.txt", "\x95\x5C.txt", LZH_OK},
    {"sjis_in_folder", 1, "", "\x95\x5C\\\x95\x5C.txt", "\x95\x5C/\x95\x5C.txt", LZH_OK},
    {"sjis_level2_folder", 2, "\x95\x5C\xFF", "\x95\x5C.txt", "\x95\x5C/\x95\x5C.txt", LZH_OK},
    {"lone_lead_byte_kept_apart", 1, "", "ab\x95/x.txt", "ab_/x.txt", LZH_OK},
    {"dot_folder_dropped", 1, "", ".\\a.txt", "a.txt", LZH_OK},
    {"device_lookalike", 1, "", "console.txt", "console.txt", LZH_OK},
    {"com10_is_no_device", 1, "", "com10.txt", "com10.txt", LZH_OK},
    {"dotdot", 1, "", "..\\a.txt", "", LZH_E_NAME},
    {"dotdot_inside", 1, "", "sub\\..\\..\\a.txt", "", LZH_E_NAME},
    {"dotdot_folder_header", 2, "sub\xFF..\xFF..\xFF", "a.txt", "", LZH_E_NAME},
    {"absolute_backslash", 1, "", "\\abs.txt", "", LZH_E_NAME},
    {"absolute_slash", 0, "", "/tmp/abs.txt", "", LZH_E_NAME},
    {"absolute_folder_header", 2, "\xFFtmp\xFF", "abs.txt", "", LZH_E_NAME},
    {"drive_letter", 1, "", "C:\\evil.txt", "", LZH_E_NAME},
    {"drive_relative", 1, "", "C:evil.txt", "", LZH_E_NAME},
    {"stream", 1, "", "a.txt:hidden", "", LZH_E_NAME},
    {"device_con", 1, "", "CON", "", LZH_E_NAME},
    {"device_nul_extension", 1, "", "nul.txt", "", LZH_E_NAME},
    {"device_com1", 1, "", "sub\\com1.log", "", LZH_E_NAME},
    {"device_lpt9", 2, "", "LPT9", "", LZH_E_NAME},
    {"device_aux_space", 1, "", "aux .txt", "", LZH_E_NAME},
    {"dots_only", 1, "", "...", "", LZH_E_NAME},
    {"control_character", 1, "", "a\x1b[2J.txt", "", LZH_E_NAME},
    {"wildcard", 1, "", "a?.txt", "", LZH_E_NAME},
    {"symbolic_link", 1, "", "link|/etc/passwd", "", LZH_E_LINK},
};

INSTANTIATE_TEST_SUITE_P(Table, NameRules, testing::ValuesIn(nameCases),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- Damaged input ---------------------------------------------------------

struct Damage {
    const char* label;
    void (*apply)(Bytes& archive);
};

class DamagedArchive : public testing::TestWithParam<std::tuple<std::string, Damage>> {};

TEST_P(DamagedArchive, FailsWithoutAWrongFile)
{
    static const auto expected = expectedContent();
    MemoryIo m;
    m.archive = ReadBytes<Bytes>(dataDir() / (std::get<0>(GetParam()) + ".lzh"));
    std::get<1>(GetParam()).apply(m.archive);
    EXPECT_NE(m.extract(), LZH_OK);
    for (const auto& [path, content] : m.files) {
        ASSERT_TRUE(expected.count(path)) << path;
        EXPECT_EQ(content, expected.at(path)) << path;
    }
}

// The first entry's data starts after its header; damage lands in it.
const Damage damages[] = {
    {"flipped_byte", [](Bytes& a) { a[a.size() / 4] ^= 0x5A; }},
    {"zeroed_run", [](Bytes& a) { std::fill(a.begin() + 200, a.begin() + 260, 0); }},
    {"truncated_half", [](Bytes& a) { a.resize(a.size() / 2); }},
    {"truncated_end_mark", [](Bytes& a) { a.resize(a.size() - 40); }},
    {"header_checksum",
     [](Bytes& a) {
         a[1] ^= 0xFF;
         a[a.size() / 4] ^= 0x5A;
     }},
    {"all_ones", [](Bytes& a) { std::fill(a.begin() + 100, a.end(), 0xFF); }},
};

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedArchive,
    testing::Combine(testing::Values("lh1_h1", "lh4_h1", "lh5_h0", "lh6_h2", "lh7_h2", "lzs_h1", "lz5_h0"),
                     testing::ValuesIn(damages)),
    [](const auto& info) { return std::get<0>(info.param) + "_" + std::get<1>(info.param).label; });

// ---- Entries longer than the dictionary --------------------------------------

// big.txt (200000 bytes, runs and short repeated patterns) then big.bin (49152
// bytes): matches reach back across the dictionary's wrap and across every
// point where decoded output is handed on.
class LargeEntries : public testing::TestWithParam<std::string> {};

TEST_P(LargeEntries, DecodeIntact)
{
    MemoryIo m;
    m.archive = ReadBytes<Bytes>(dataDir() / "large" / ("big_" + GetParam() + ".lzh"));
    ASSERT_FALSE(m.archive.empty());
    EXPECT_EQ(m.extract(), LZH_OK); // the CRC-16 of each entry agrees
    EXPECT_EQ(m.files["big.txt"].size(), 200000u);
    EXPECT_EQ(m.files["big.bin"].size(), 49152u);
}

// Damage in big.txt, early and late in its data: it is never written, and
// the run fails.
TEST_P(LargeEntries, DamageAnywhereInAnEntryFailsIt)
{
    const Bytes intact = ReadBytes<Bytes>(dataDir() / "large" / ("big_" + GetParam() + ".lzh"));
    ASSERT_GT(intact.size(), 20000u);
    for (std::size_t at : {std::size_t(200), std::size_t(9000), std::size_t(19000)}) {
        for (std::uint8_t flip : {0x01, 0x5A, 0xFF}) {
            MemoryIo m;
            m.archive = intact;
            m.archive[at] ^= flip;
            EXPECT_NE(m.extract(), LZH_OK) << at << " " << int(flip);
            EXPECT_EQ(m.files.count("big.txt"), 0u) << at << " " << int(flip);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, LargeEntries, testing::Values("lh4", "lh5", "lh6", "lh7"));

// overlaps.txt (3752 bytes): for every distance from 1 to 40, random
// characters that repeat themselves from that distance back for 40 bytes or
// more, so that the matches overlap their own output at each distance,
// around those from which a decoder may copy 8 or 16 bytes at a time.
class OverlappingMatches : public testing::TestWithParam<std::string> {};

TEST_P(OverlappingMatches, DecodeIntact)
{
    MemoryIo m;
    m.archive = ReadBytes<Bytes>(dataDir() / "large" / ("overlaps_" + GetParam() + ".lzh"));
    ASSERT_FALSE(m.archive.empty());
    EXPECT_EQ(m.extract(), LZH_OK); // the CRC-16 agrees
    EXPECT_EQ(m.files["overlaps.txt"].size(), 3752u);
}

INSTANTIATE_TEST_SUITE_P(Methods, OverlappingMatches, testing::Values("lh5", "lh7"));

// An -lh4- block of one match that reaches 8192 bytes back, past the 4096-byte
// dictionary (-lh4- codes positions up to 8191): the distance wraps around the
// dictionary as in the stubs' ring, so the match copies three of its initial
// blanks.
TEST(Dictionary, ADistanceBeyondItWrapsAround)
{
    const std::string bits = std::string("0000000000000001") // one symbol in the block
        + "00000" + "00000"                                  // code-length code: one code of length 0
        + "000000000" + "100000000"                          // literals/lengths: only 256 (length 3)
        + "0000" + "1101"                                    // positions: only 13 (12 more bits)
        + "111111111111";                                    // 4096 + 4095: distance 8192
    Bytes stream;
    for (std::size_t i = 0; i < bits.size(); i += 8)
        stream.push_back(static_cast<std::uint8_t>(std::stoi(bits.substr(i, 8), nullptr, 2)));
    MemoryIo m;
    m.archive = MakeLzhArchive({{"", "wrap.txt", "   ", false, "-lh4-"}}, 0);
    // level 0: the header's size, its checksum, the method, the packed size
    const std::size_t dataAt = 2 + m.archive[0];
    m.archive.erase(m.archive.begin() + long(dataAt), m.archive.begin() + long(dataAt) + 3);
    m.archive.insert(m.archive.begin() + long(dataAt), stream.begin(), stream.end());
    m.archive[7] = static_cast<std::uint8_t>(stream.size());
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < dataAt; ++i)
        sum = static_cast<std::uint8_t>(sum + m.archive[i]);
    m.archive[1] = sum;
    EXPECT_EQ(m.extract(), LZH_OK);
    EXPECT_EQ(m.files["wrap.txt"], Bytes({' ', ' ', ' '}));
}

// A block whose symbol count reads 0 holds 65536 symbols (the count is 16
// bits and counted down after each symbol), then the next block follows:
// here 65536 "A" and one "B", every symbol of code length 0.
TEST(Blocks, ACountOfZeroIsSixtyFiveThousandFiveHundredThirtySix)
{
    const auto block = [](const char* count, const char* literal) {
        return std::string(count) + "00000" + "00000" // code-length code: one code of length 0
            + "000000000" + literal                   // literals/lengths: only this one
            + "0000" + "0000";                        // positions: only 0
    };
    const std::string bits = block("0000000000000000", "001000001") + block("0000000000000001", "001000010");
    Bytes stream;
    for (std::size_t i = 0; i < bits.size(); i += 8)
        stream.push_back(static_cast<std::uint8_t>(std::stoi(bits.substr(i, 8), nullptr, 2)));
    const std::string expected = std::string(65536, 'A') + "B";
    MemoryIo m;
    m.archive = MakeLzhArchive({{"", "zero.txt", expected, false, "-lh5-"}}, 0);
    // level 0: the header's size, its checksum, the method, the packed size
    const std::size_t dataAt = 2 + m.archive[0];
    m.archive.erase(m.archive.begin() + long(dataAt), m.archive.begin() + long(dataAt + expected.size()));
    m.archive.insert(m.archive.begin() + long(dataAt), stream.begin(), stream.end());
    m.archive[7] = static_cast<std::uint8_t>(stream.size());
    m.archive[8] = m.archive[9] = m.archive[10] = 0;
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < dataAt; ++i)
        sum = static_cast<std::uint8_t>(sum + m.archive[i]);
    m.archive[1] = sum;
    EXPECT_EQ(m.extract(), LZH_OK);
    EXPECT_EQ(m.files["zero.txt"], Bytes(expected.begin(), expected.end()));
}

// ---- Finding the archive -----------------------------------------------------

TEST(FindArchive, SkipsWhatPrecedesTheArchive)
{
    MemoryIo m;
    std::string stub = "MZ" + std::string(3000, 'x');
    m.archive.assign(stub.begin(), stub.end());
    Bytes archive = MakeLzhArchive({{"", "a.txt", "hello"}}, 1);
    m.archive.insert(m.archive.end(), archive.begin(), archive.end());
    EXPECT_EQ(m.extract(), LZH_OK);
    EXPECT_EQ(m.files["a.txt"], Bytes({'h', 'e', 'l', 'l', 'o'}));
}

TEST(FindArchive, ADamagedFirstHeaderIsReportedNotSkippedSilently)
{
    MemoryIo m;
    m.archive = MakeLzhArchive({{"", "a.txt", "hello"}, {"", "b.txt", "world"}}, 1);
    m.archive[1] ^= 0x01; // checksum of the first header
    EXPECT_EQ(m.extract(), LZH_E_FORMAT);
    EXPECT_EQ(m.files.count("a.txt"), 0u);
    EXPECT_EQ(m.files["b.txt"], Bytes({'w', 'o', 'r', 'l', 'd'}));
}

TEST(FindArchive, ReportsAFileWithoutArchive)
{
    MemoryIo m;
    m.archive.assign(5000, 'z');
    EXPECT_EQ(m.extract(), LZH_E_NOTFOUND);
}

TEST(Modes, TestAndListWriteNothing)
{
    for (int mode : {LZH_MODE_TEST, LZH_MODE_LIST}) {
        MemoryIo m;
        m.archive = ReadBytes<Bytes>(dataDir() / "lh5_h2.lzh");
        EXPECT_EQ(m.extract(mode), LZH_OK);
        EXPECT_TRUE(m.files.empty());
        EXPECT_TRUE(m.folders.empty());
        EXPECT_EQ(m.results.size(), 2u);
    }
}

// The decoder's CRC-16 (sixteen bytes per step natively, long blocks folded by
// carry-less multiplication where the processor has it) against the
// bit-by-bit definition, at every alignment, across steps and when continued.
TEST(Crc16, AgreesWithTheBitByBitDefinition)
{
    const auto bitByBit = [](unsigned short crc, const unsigned char* p, std::size_t length) {
        while (length--) {
            crc ^= *p++;
            for (int bit = 0; bit < 8; ++bit)
                crc = static_cast<unsigned short>((crc & 1) ? (crc >> 1) ^ 0xA001u : crc >> 1);
        }
        return crc;
    };
    unsigned char bytes[400];
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = static_cast<unsigned char>(i * i * 151 + i * 7 + 13);
    for (std::size_t start = 0; start < 8; ++start) {
        for (std::size_t length = 0; start + length <= sizeof bytes; ++length) {
            const unsigned short whole = lzh_crc16(0, bytes + start, static_cast<unsigned short>(length));
            ASSERT_EQ(whole, bitByBit(0, bytes + start, length)) << start << " " << length;
            const std::size_t half = length / 2;
            const unsigned short first = lzh_crc16(0x1234, bytes + start, static_cast<unsigned short>(half));
            EXPECT_EQ(lzh_crc16(first, bytes + start + half, static_cast<unsigned short>(length - half)),
                      bitByBit(0x1234, bytes + start, length))
                << start << " " << length;
        }
    }
}

} // namespace
