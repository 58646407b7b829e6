// Every conversion decodes each entry the self-extractor will write on its
// way into the output: a damaged or unextractable archive is refused with its
// own code and leaves nothing behind; -gt0 wraps it unchecked.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using namespace testSupport;

constexpr int kDamagedData = 0x800F;
constexpr int kUnsupportedMethod = 0x800E;
constexpr int kCorruptArchive = 0x8007;

std::string Lzh(const std::vector<LzhEntry>& entries, int level = 1)
{
    const Bytes archive = MakeLzhArchive(entries, level);
    return std::string(archive.begin(), archive.end());
}

std::string Flipped(std::string bytes, std::size_t at)
{
    bytes.at(at) ^= 0x5A;
    return bytes;
}

// A cabinet made by gcab, compressed, of text long enough for several blocks.
std::string TextCab(const TempFolder& dir)
{
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += std::to_string(i) + " ";
    return ReadBytes(kit::MakeCab(dir.Path(), {{"big.txt", text}, {"small.txt", "small"}}, true));
}

// A cabinet larger than the 4 MiB read whole, so read from disk: a file of
// bytes that do not compress, and a small one behind it.
std::string LargeCab(const TempFolder& dir)
{
    std::string noise(5u << 20, '\0');
    std::uint32_t state = 21;
    for (char& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return ReadBytes(kit::MakeCab(dir.Path(), {{"noise.bin", noise}, {"small.txt", "small"}}, true));
}

std::string WithLength(std::string cab, std::uint32_t length)
{
    for (int i = 0; i < 4; ++i)
        cab[8 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    return cab;
}

// More archive than the verification reads on one thread (over 4 MiB): 48
// stored members of 120 KB, each of its own bytes.
std::vector<LzhEntry> ManyEntries()
{
    std::vector<LzhEntry> entries;
    for (int i = 0; i < 48; ++i) {
        std::string data(120000, '\0');
        for (std::size_t j = 0; j < data.size(); ++j)
            data[j] = static_cast<char>((j * 31 + std::size_t(i) * 7) % 251);
        entries.push_back({"", "m" + std::to_string(i) + ".bin", data});
    }
    return entries;
}

std::string ManyMembers()
{
    return Lzh(ManyEntries());
}

struct VerifyCase {
    std::string what;
    const char* file; // the input's name: .lzh goes to libunlha32, .cab to libcab32
    std::function<std::string(const TempFolder&)> bytes;
    int code;           // with the verification on (the default)
    int codeUnverified; // with -gt0
};

void PrintTo(const VerifyCase& c, std::ostream* os)
{
    *os << c.what;
}

class Verification : public testing::TestWithParam<VerifyCase> {};

TEST_P(Verification, RefusesWhatTheSelfExtractorCouldNotExtract)
{
    const VerifyCase& c = GetParam();
    const bool cab = std::string(c.file).ends_with(".cab");
    kit::Library lib(cab ? "libcab32.so" : "libunlha32.so", cab ? "Cab" : "Unlha",
                     cab ? kit::CabStubs() : kit::FakeLzhStubs());
    TempFolder dir;
    const std::string input = dir / c.file;
    WriteBytes(input, c.bytes(dir));
    const std::string out = dir / "out";
    std::filesystem::create_directory(out);
    const std::string command = cab ? "-f" : "s -+ -gw2";
    std::string report;
    EXPECT_EQ(lib.Run(command + " \"" + input + "\" \"" + out + "/\"", &report), c.code) << report;
    if (c.code != 0) {
        EXPECT_TRUE(kit::ListFolder(out).empty()) << "a refused archive leaves nothing";
        EXPECT_NE(report.find("Error"), std::string::npos) << report;
    }
    EXPECT_EQ(lib.Run(command + " -gt0 \"" + input + "\" \"" + out + "/\"", &report), c.codeUnverified)
        << report;
    if (c.codeUnverified == 0) {
        EXPECT_EQ(kit::ListFolder(out).size(), 1u);
    }
}

const std::string kData = "data that the entry holds, long enough to be worth a flip";

// A whole cabinet, one with a byte of its data changed, one whose length
// field is too small: small (held in memory) and large (read from disk).
std::vector<VerifyCase> CabCases()
{
    std::vector<VerifyCase> cases;
    using Maker = std::string (*)(const TempFolder&);
    for (const auto& [size, make] : {std::pair<std::string, Maker>{"", TextCab}, {"large ", LargeCab}}) {
        cases.push_back({"a whole " + size + "cabinet", "a.cab", make, 0, 0});
        cases.push_back({"a byte of MSZIP data changed near the end of a " + size + "cabinet", "a.cab",
                         [make](const TempFolder& d) {
                             const std::string cab = make(d);
                             return Flipped(cab, cab.size() - 100);
                         },
                         kDamagedData, 0});
        cases.push_back({"a " + size + "cabinet whose length field is too small", "a.cab",
                         [make](const TempFolder& d) {
                             const std::string cab = make(d);
                             return WithLength(cab, static_cast<std::uint32_t>(cab.size() - 200));
                         },
                         kDamagedData, 0});
    }
    return cases;
}

std::vector<VerifyCase> AllCases()
{
    std::vector<VerifyCase> cases{
        VerifyCase{"a whole LZH archive", "a.lzh",
                   [](const TempFolder&) {
                       return ReadBytes(std::string(TB_SOURCE_DIR) + "/tests/data/lzh/lh5_h2.lzh");
                   },
                   0, 0},
        VerifyCase{"a byte of -lh5- data changed", "a.lzh",
                   [](const TempFolder&) {
                       const std::string a =
                           ReadBytes(std::string(TB_SOURCE_DIR) + "/tests/data/lzh/lh5_h2.lzh");
                       return Flipped(a, a.size() / 3);
                   },
                   kDamagedData, 0},
        VerifyCase{"a byte of -lh7- data changed in a large archive read from disk", "a.lzh",
                   [](const TempFolder&) {
                       // more than the 4 MiB read whole: copied through the stream
                       std::string a = ReadBytes(std::string(TB_SOURCE_DIR) + "/tests/data/lzh/lh7_h1.lzh");
                       const std::string big = Lzh({{"", "big.bin", std::string(5u << 20, 'b')}});
                       std::string both = big.substr(0, big.size() - 1) + a;
                       return Flipped(both, both.size() - a.size() / 2);
                   },
                   kDamagedData, 0},
        VerifyCase{"a large archive of many members", "a.lzh",
                   [](const TempFolder&) { return ManyMembers(); }, 0, 0},
        VerifyCase{"a byte changed in the last of many members of a large archive", "a.lzh",
                   [](const TempFolder&) {
                       const std::string a = ManyMembers();
                       return Flipped(a, a.size() - 100);
                   },
                   kDamagedData, 0},
        VerifyCase{"a byte changed in the first of many members", "a.lzh",
                   [](const TempFolder&) { return Flipped(ManyMembers(), 1000); }, kDamagedData, 0},
        VerifyCase{"a header damaged late in a large archive", "a.lzh",
                   [](const TempFolder&) {
                       const std::string a = ManyMembers();
                       return Flipped(a, a.find("m40.bin"));
                   },
                   kCorruptArchive, kCorruptArchive},
        VerifyCase{"a byte changed in the first and in the last of many members", "a.lzh",
                   [](const TempFolder&) {
                       const std::string a = ManyMembers();
                       return Flipped(Flipped(a, 1000), a.size() - 100);
                   },
                   kDamagedData, 0},
        VerifyCase{"a byte of stored data changed (CRC-16)", "a.lzh",
                   [](const TempFolder&) {
                       const std::string a = Lzh({{"", "a.txt", kData}, {"", "b.txt", kData}});
                       return Flipped(a, a.size() - 10);
                   },
                   kDamagedData, 0},
        VerifyCase{"an unknown method in a later member", "a.lzh",
                   [](const TempFolder&) {
                       return Lzh({{"", "a.txt", kData}, {"", "b.txt", kData, false, "-xh5-"}});
                   },
                   kUnsupportedMethod, kUnsupportedMethod},
        VerifyCase{"an unknown method in the first member", "a.lzh",
                   [](const TempFolder&) {
                       return Lzh({{"", "a.txt", kData, false, "-xh5-"}, {"", "b.txt", kData}}, 2);
                   },
                   kUnsupportedMethod, kUnsupportedMethod},
        VerifyCase{"a cabinet whose length field is too large", "a.cab",
                   [](const TempFolder& d) {
                       const std::string cab = TextCab(d);
                       return WithLength(cab, static_cast<std::uint32_t>(cab.size() + 200));
                   },
                   kCorruptArchive, kCorruptArchive}};
    const std::vector<VerifyCase> cabinets = CabCases();
    cases.insert(cases.end(), cabinets.begin(), cabinets.end());
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Archives, Verification, testing::ValuesIn(AllCases()), [](const auto& info) {
    std::string name;
    for (const char ch : std::string(info.param.what))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

// The damaged member has a name the DOS kind cannot hold: with -gu1 the DOS
// self-extractor would write it under an 8.3 name, so its damage counts; -gu0
// leaves it out of the self-extractor, and out of the check. In a small
// archive and in one large enough to be verified on every core, there with
// the damaged member first (checked while the headers are still being read,
// before it is known to be left out) or last.
struct LeftOutCase {
    const char* name;
    std::vector<LzhEntry> before, after; // the entries around the damaged one
};

class VerificationLeftOut : public testing::TestWithParam<LeftOutCase> {};

TEST_P(VerificationLeftOut, AnEntryLeftOutIsNeitherWrappedNorChecked)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const LeftOutCase& c = GetParam();
    std::vector<LzhEntry> entries = c.before, written = c.before;
    entries.push_back({"", "long-name.text", kData});
    for (std::vector<LzhEntry>* list : {&entries, &written}) {
        list->insert(list->end(), c.after.begin(), c.after.end());
        list->push_back({"", "last.txt", kData});
    }
    std::string archive = Lzh(entries);
    archive = Flipped(archive, archive.find(kData, archive.find("long-name.text")) + 5);
    WriteBytes(dir / "a.lzh", archive);
    const std::string line = " \"" + (dir / "a.lzh") + "\" \"" + dir.Path() + "/\"";
    EXPECT_EQ(lib.Run("s -+ -gu1" + line), kDamagedData);
    EXPECT_FALSE(kit::Exists(dir / "a.EXE"));
    EXPECT_EQ(lib.Run("s -+ -gu0" + line), 1);
    // (not EXPECT_EQ: a large archive's bytes would flood the log)
    EXPECT_TRUE(ReadBytes(dir / "a.EXE") == kit::Sealed(kit::FakeLzhStubs().at("lzh-dos.exe"), Lzh(written)))
        << "the self-extractor holds the kept entries";
}

INSTANTIATE_TEST_SUITE_P(Archives, VerificationLeftOut,
                         testing::Values(LeftOutCase{"small", {{"", "ok.txt", kData}}, {}},
                                         LeftOutCase{"large", ManyEntries(), {}},
                                         LeftOutCase{"large_left_out_first", {}, ManyEntries()}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
