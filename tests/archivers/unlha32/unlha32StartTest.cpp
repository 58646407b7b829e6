// Where an archive starts: a plain LZH archive at the file's first byte, an
// archive behind a self-extractor of ours (LZH or CAB) where its seal says,
// one inside any other program at the first header-shaped block behind the
// program's image. A damaged start is damage: the check says 0 and the
// conversion fails whole, never passing a later member or an inner cabinet
// off as the archive. A start not even shaped like a header is no archive.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using namespace testSupport;

constexpr int kNotAnArchive = 0x8004;
constexpr int kDamagedData = 0x800F;

std::string Hello()
{
    return ReadBytes(std::string(TB_SOURCE_DIR) + "/samples/hello.lzh");
}

std::string Changed(std::string bytes, std::size_t at, char to)
{
    bytes.at(at) = to;
    return bytes;
}

std::string Flipped(std::string bytes, std::size_t at)
{
    bytes.at(at) ^= 0x01;
    return bytes;
}

// A corpus self-extractor's program: its bytes up to where its archive starts.
std::string ProgramOf(const std::string& corpusFile, std::size_t archiveStart)
{
    return ReadBytes(kit::CorpusPath(corpusFile)).substr(0, archiveStart);
}
const std::string kLhaDos = "fragglet_lhasa/test/archives/lha213/sfx.exe";     // MZ, loads 1636 bytes
const std::string kX68000 = "fragglet_lhasa/test/archives/lha_x68k_213/sfx.x"; // HU, 3422 bytes

// Two members, the first with a method no tool writes.
std::string UnknownMethodFirst()
{
    const Bytes a = MakeLzhArchive({{"", "a.txt", "first", false, "-xh5-"}, {"", "b.txt", "second"}}, 1);
    return std::string(a.begin(), a.end());
}

// A stored cabinet that holds another cabinet, stored too. (In a plain file
// a cabinet may follow other data, as cabextract's search mode has it: a
// damaged outer cabinet there cannot be told from such data.)
std::string CabinetInCabinet(const TempFolder& dir)
{
    const std::string inner = ReadBytes(kit::MakeCab(dir / "inner", {{"b.txt", "inner data"}}, false));
    return ReadBytes(kit::MakeCab(dir / "outer", {{"a.txt", "outer data"}, {"inner.cab", inner}}, false));
}

// The cabinet header's folder count (offset 26) set to 0: libmspack refuses it.
std::string NoFolders(std::string cab)
{
    cab.at(26) = cab.at(27) = 0;
    return cab;
}

struct StartCase {
    std::string what;
    std::string file; // the input's name; .cab and cab*.exe go to libcab32
    std::function<std::string(const TempFolder&)> bytes;
    int code;
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.what;
}

std::vector<StartCase> Cases()
{
    std::vector<StartCase> cases = {
        {"hello.lzh", "a.lzh", [](const TempFolder&) { return Hello(); }, 0},
        {"hello.lzh with -lh5, for -lh5-", "a.lzh",
         [](const TempFolder&) { return Changed(Hello(), 6, ','); }, kNotAnArchive},
        {"a text file", "a.lzh",
         [](const TempFolder&) { return std::string("just some text, no archive\n"); }, kNotAnArchive},
        {"an empty file", "a.lzh", [](const TempFolder&) { return std::string(); }, kNotAnArchive},
        {"the end marker alone", "a.lzh", [](const TempFolder&) { return std::string(1, '\0'); },
         kNotAnArchive},
        {"a bad header sum with a method no tool writes", "a.lzh",
         [](const TempFolder&) { return Flipped(UnknownMethodFirst(), 1); }, kDamagedData},
        {"junk in front of an archive, shaped like a header", "a.lzh",
         [](const TempFolder&) {
             return std::string("\x20\x00-lzx-", 7) + std::string(57, 'j')
                 + kit::MakeLzh({{"a.txt", "behind"}});
         },
         kDamagedData},
        {"behind a DOS self-extractor of another maker", "a.exe",
         [](const TempFolder&) { return ProgramOf(kLhaDos, 1636) + Hello(); }, 0},
        {"behind a DOS self-extractor of another maker, the first header sum wrong", "a.exe",
         [](const TempFolder&) { return ProgramOf(kLhaDos, 1636) + Flipped(Hello(), 1); }, kDamagedData},
        {"behind an X68000 program", "a.x",
         [](const TempFolder&) { return ProgramOf(kX68000, 3422) + Hello(); }, 0},
        {"behind an X68000 program, the first header sum wrong", "a.x",
         [](const TempFolder&) { return ProgramOf(kX68000, 3422) + Flipped(Hello(), 1); }, kDamagedData},
        {"a self-extractor of ours", "a.exe",
         [](const TempFolder&) { return kit::Sealed(kit::BuiltStub("lzh-win32.exe"), Hello()); }, 0},
        {"a self-extractor of ours, its first method id changed", "a.exe",
         [](const TempFolder&) { return kit::Sealed(kit::BuiltStub("lzh-win32.exe"), Flipped(Hello(), 3)); },
         kDamagedData},
        {"a cabinet", "a.cab", [](const TempFolder& d) { return CabinetInCabinet(d); }, 0},
        {"a CAB self-extractor of ours", "cab.exe",
         [](const TempFolder& d) {
             return kit::Sealed(kit::BuiltStub("cab-win32.exe"), CabinetInCabinet(d));
         },
         0},
        {"a CAB self-extractor of ours, its cabinet's header damaged", "cab.exe",
         [](const TempFolder& d) {
             return kit::Sealed(kit::BuiltStub("cab-win32.exe"), NoFolders(CabinetInCabinet(d)));
         },
         kDamagedData},
    };
    // Each kind of ours: where its seal says, a block not even shaped like a
    // header is no LZH archive, and no later member is taken for one.
    for (const char* stub : {"lzh-dos.exe", "lzh-win16.exe", "lzh-win32.exe"})
        cases.push_back(
            {std::string("a self-extractor of ours (") + stub
                 + "), its first header no longer shaped like one",
             "a.exe",
             [stub](const TempFolder&) { return kit::Sealed(kit::BuiltStub(stub), Flipped(Hello(), 6)); },
             kNotAnArchive});
    // One byte of the first header's method field changed: a damaged header
    // while the field keeps its shape, no archive once its dashes go.
    for (const std::size_t at : {2, 3, 4, 6})
        cases.push_back({"hello.lzh, byte " + std::to_string(at) + " flipped", "a.lzh",
                         [at](const TempFolder&) { return Flipped(Hello(), at); },
                         at == 2 || at == 6 ? kNotAnArchive : kDamagedData});
    return cases;
}

class ArchiveStart : public testing::TestWithParam<StartCase> {};

TEST_P(ArchiveStart, TheCheckAndTheConversionAgreeAndADamagedStartFailsWhole)
{
    const StartCase& c = GetParam();
    const bool cab = c.file.starts_with("cab") || c.file.ends_with(".cab");
    kit::Library lib(cab ? "libcab32.so" : "libunlha32.so", cab ? "Cab" : "Unlha",
                     cab ? kit::CabStubs() : kit::FakeLzhStubs());
    TempFolder dir;
    const std::string input = dir / c.file;
    WriteBytes(input, c.bytes(dir));
    std::filesystem::create_directory(dir / "out");
    std::string report;
    EXPECT_EQ(lib.Run(std::string(cab ? "-f" : "s -+ -gw2") + " \"" + input + "\" \"" + (dir / "out") + "/\"",
                      &report),
              c.code)
        << report;
    EXPECT_EQ(kit::ListFolder(dir / "out").size(), c.code == 0 ? 1u : 0u) << report;
    EXPECT_EQ(lib.Check(input), c.code == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ArchiveStart, testing::ValuesIn(Cases()), [](const auto& info) {
    std::string name;
    for (const char ch : info.param.what)
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

} // namespace
