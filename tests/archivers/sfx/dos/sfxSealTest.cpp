// Every kind of self-extractor checks the archive it carries against the
// seal the library wrote (offset, length, CRC-32) before it writes anything:
// one cut short (a download that stopped) or altered is refused whole, also
// by -t; bytes appended behind the archive, such as an Authenticode
// signature, change nothing. Run for real: the Win32 kinds and Win16 under
// Wine, DOS in DOSBox, and the native tool.
#include <gtest/gtest.h>

#include "sfx16Kit.h"

#include <functional>

using namespace sfx16;

namespace {

using namespace testSupport;

// Two members, the first ending well before the archive does; the second
// of `lines` lines.
Bytes TwoMembers(int lines = 3000)
{
    std::string second;
    for (int i = 0; i < lines; ++i)
        second += "line " + std::to_string(i) + "\r\n";
    return MakeLzhArchive({{"", "FIRST.TXT", "the first member"}, {"", "SECOND.TXT", second}}, 1);
}

// How a self-extractor is spoilt.
enum class Damage { None, CutAfterFirstMember, CutByOneByte, ByteAltered, BytesAppended };

struct Variant {
    const char* name; // its file, an 8.3 name
    Damage damage;
    int status; // exit status with -y, and with -t
};

const Variant kVariants[] = {
    {"WHOLE.EXE", Damage::None, 0},           {"FIRST.EXE", Damage::CutAfterFirstMember, 2},
    {"SHORT.EXE", Damage::CutByOneByte, 2},   {"ALTERED.EXE", Damage::ByteAltered, 2},
    {"LONGER.EXE", Damage::BytesAppended, 0},
};

Bytes Spoilt(Bytes exe, std::size_t archiveStart, std::size_t firstEnd, Damage damage)
{
    switch (damage) {
    case Damage::None: break;
    case Damage::CutAfterFirstMember: exe.resize(archiveStart + firstEnd); break;
    case Damage::CutByOneByte: exe.pop_back(); break;
    case Damage::ByteAltered: exe[exe.size() - 20] ^= 0x01; break;
    case Damage::BytesAppended: exe.insert(exe.end(), 4096, 0xCC); break;
    }
    return exe;
}

// Writes every variant of the self-extractor the library makes of archive
// with the kind's options into dir.
void WriteVariants(const fs::path& dir, const std::string& options, const Bytes& archive)
{
    TempFolder work;
    WriteBytes(work / "IN.LZH", archive);
    ASSERT_EQ(convert("-+ -gu1 " + options, work / "IN.LZH", work.Path()), 0);
    const Bytes exe = ReadBytes<Bytes>(work / "IN.EXE");
    const std::size_t start = exe.size() - archive.size();
    for (const Variant& v : kVariants)
        WriteBytes(dir / v.name, Spoilt(exe, start, firstMemberEnd(archive), v.damage));
}

// Runs every variant in dir under Wine, extracting (-y into X<name>) and
// testing (-t): both end with the variant's status; then checkWritten looks
// at what the extraction wrote.
void RunEachVariantUnderWine(const fs::path& dir,
                             const std::function<void(const Variant&, const fs::path&)>& checkWritten)
{
    std::vector<std::string> lines;
    for (const Variant& v : kVariants) {
        lines.push_back(std::string(v.name) + " -y -oX" + v.name);
        lines.push_back(std::string(v.name) + " -t");
    }
    const std::vector<int> status = runAllUnderWine(dir, lines);
    for (std::size_t i = 0; i < std::size(kVariants); ++i) {
        const Variant& v = kVariants[i];
        SCOPED_TRACE(v.name);
        EXPECT_EQ(status[2 * i], v.status);
        EXPECT_EQ(status[2 * i + 1], v.status) << "-t";
        checkWritten(v, dir / (std::string("X") + v.name));
    }
}

std::map<std::string, Bytes> Expected(const Variant& v, const Bytes& archive)
{
    TempFolder scratch;
    WriteBytes(scratch / "a.lzh", archive);
    return v.status == 0 ? lhasaFiles(scratch / "a.lzh") : std::map<std::string, Bytes>{};
}

TEST(Seal, Win32)
{
    TempFolder dir;
    const Bytes archive = TwoMembers();
    WriteVariants(dir.Path(), "-gw2", archive);
    RunEachVariantUnderWine(dir.Path(), [&](const Variant& v, const fs::path& out) {
        EXPECT_TRUE(foldedFilesBelow(out) == Expected(v, archive));
    });
}

TEST(Seal, Win16)
{
    // Wine passes no exit status of a 16-bit program: what was written tells.
    TempFolder dir;
    const Bytes archive = TwoMembers();
    WriteVariants(dir.Path(), "-jw2", archive);
    std::vector<std::string> lines;
    for (const Variant& v : kVariants)
        lines.push_back(std::string(v.name) + " -y -oX" + std::string(v.name).substr(0, 3));
    runAllUnderWine(dir.Path(), lines);
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        EXPECT_TRUE(foldedFilesBelow(dir / ("X" + std::string(v.name).substr(0, 3))) == Expected(v, archive));
    }
}

TEST(Seal, Dos)
{
    TempFolder dir;
    const Bytes archive = TwoMembers();
    WriteVariants(dir.Path(), "", archive);
    std::vector<DosRun> runs;
    for (const Variant& v : kVariants) {
        const std::string stem = std::string(v.name).substr(0, std::string(v.name).find('.'));
        runs.push_back({v.name, "-y -oX" + stem.substr(0, 7), ""});
        runs.push_back({v.name, "-t", ""});
    }
    const std::vector<int> levels = runInDosbox(dir.Path(), runs);
    for (std::size_t i = 0; i < std::size(kVariants); ++i) {
        const Variant& v = kVariants[i];
        SCOPED_TRACE(v.name);
        EXPECT_EQ(levels[2 * i], v.status);
        EXPECT_EQ(levels[2 * i + 1], v.status) << "-t";
        const std::string stem = std::string(v.name).substr(0, std::string(v.name).find('.'));
        EXPECT_TRUE(foldedFilesBelow(dir / ("X" + stem.substr(0, 7))) == Expected(v, archive));
    }
}

TEST(Seal, NativeTool)
{
    // The small archive and one larger than any single read of the check.
    for (const int lines : {3000, 30000}) {
        TempFolder dir;
        const Bytes archive = TwoMembers(lines);
        WriteVariants(dir.Path(), "-gw2", archive);
        const std::string tool = std::string(TB_BINARY_DIR) + "/bin/tb-sfx-lzh";
        for (const Variant& v : kVariants) {
            SCOPED_TRACE(std::string(v.name) + ", " + std::to_string(archive.size()) + " bytes");
            const fs::path out = dir / (std::string("X") + v.name);
            EXPECT_EQ(
                Shell(Quote(tool) + " -y -o" + Quote(out) + " " + Quote(dir / v.name) + " >/dev/null 2>&1"),
                v.status);
            EXPECT_TRUE(foldedFilesBelow(out) == Expected(v, archive));
        }
    }
}

TEST(Seal, Cabinet)
{
    TempFolder dir;
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    fs::create_directories(dir / "src");
    WriteBytes(dir / "src/FIRST.TXT", std::string("the first file"));
    WriteBytes(dir / "src/SECOND.TXT", text);
    ASSERT_EQ(Shell("cd " + Quote(dir / "src") + " && gcab -c -z ../IN.CAB FIRST.TXT SECOND.TXT"), 0);
    ASSERT_EQ(convertCab("", dir / "IN.CAB", dir.Path()), 0);
    const Bytes cab = ReadBytes<Bytes>(dir / "IN.CAB"), exe = ReadBytes<Bytes>(dir / "IN.EXE");
    const std::size_t start = exe.size() - cab.size();
    // A cabinet's "first member" is its first data block: cut in the middle.
    for (const Variant& v : kVariants)
        WriteBytes(dir / v.name, Spoilt(exe, start, cab.size() / 2, v.damage));
    RunEachVariantUnderWine(dir.Path(), [&](const Variant& v, const fs::path& out) {
        const auto files = FilesBelow<Bytes>(out);
        EXPECT_EQ(files.size(), v.status == 0 ? 2u : 0u);
        if (v.status == 0) {
            EXPECT_TRUE(files == FilesBelow<Bytes>(dir / "src"));
        }
    });
}

// An Authenticode signature goes at the end of the file: a signed
// self-extractor still checks and extracts.
TEST(Seal, SignedWin32SelfExtractorsStillExtract)
{
    TempFolder dir;
    ASSERT_EQ(Shell("cd " + Quote(dir.Path())
                    + " && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2"
                      " -subj '/CN=Tollbrook2 test' >/dev/null 2>&1"),
              0);
    const Bytes archive = TwoMembers();
    WriteBytes(dir / "IN.LZH", archive);
    ASSERT_EQ(convert("-+ -gw2", dir / "IN.LZH", dir.Path()), 0);
    fs::create_directories(dir / "src");
    WriteBytes(dir / "src/A.TXT", std::string("alpha"));
    ASSERT_EQ(Shell("cd " + Quote(dir / "src") + " && gcab -c -z ../CAB.CAB A.TXT"), 0);
    ASSERT_EQ(convertCab("", dir / "CAB.CAB", dir.Path()), 0);
    for (const char* name : {"IN", "CAB"}) {
        ASSERT_EQ(Shell("cd " + Quote(dir.Path())
                        + " && osslsigncode sign -certs cert.pem -key key.pem -n test -in " + name
                        + ".EXE -out S" + name + ".EXE >/dev/null 2>&1"),
                  0);
        ASSERT_EQ(Shell("cd " + Quote(dir.Path()) + " && osslsigncode verify -CAfile cert.pem -in S" + name
                        + ".EXE >/dev/null 2>&1"),
                  0)
            << "signed " << name;
        EXPECT_GT(fs::file_size(dir / ("S" + std::string(name) + ".EXE")),
                  fs::file_size(dir / (std::string(name) + ".EXE")));
    }
    const std::vector<int> status =
        runAllUnderWine(dir.Path(), {"SIN.EXE -y -oXIN", "SIN.EXE -t", "SCAB.EXE -y -oXCAB"});
    EXPECT_EQ(status, (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(foldedFilesBelow(dir / "XIN") == lhasaFiles(dir / "IN.LZH"));
    EXPECT_TRUE(FilesBelow<Bytes>(dir / "XCAB") == FilesBelow<Bytes>(dir / "src"));
}

} // namespace
