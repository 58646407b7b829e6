// UnlhaCheckArchive and CabCheckArchive over the whole real-world corpus.
//
// The rule: 1 exactly when the file holds an archive of the library's format
// that its reader (the self-extractors' own LZH decoder, libmspack) reads
// from the first header to the end:
// every header accepted (checksums right), every member's data inside the file,
// and the chain closed by the end marker (junk after it is fine; only LArc and
// PMarc archives, which have none, may simply end with the file). A cabinet must also decompress with correct
// block checksums, unless it is one part of a set (its data lies in other files).
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

using namespace testSupport;

// Files whose verdict differs from the manifest's, and why.
const std::map<std::string, std::string> kKnownDifferences = {
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_symlink_missing_target.lzh",
     "a Unix link entry without its '|target' is read as the empty file it is, then the member behind it"},
    {"kyz_libmspack/cabextract/test/bugs/cve-2010-2801-qtm-flush.cab",
     "libmspack (like cabextract 1.9) decodes it without error"},
};

class CorpusCheck : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        unlha_ = new kit::Library("libunlha32.so", "Unlha", {});
        cab_ = new kit::Library("libcab32.so", "Cab", {});
    }
    static void TearDownTestSuite()
    {
        delete unlha_;
        delete cab_;
    }
    static kit::Library* unlha_;
    static kit::Library* cab_;
};
kit::Library* CorpusCheck::unlha_ = nullptr;
kit::Library* CorpusCheck::cab_ = nullptr;

TEST_F(CorpusCheck, VerdictsMatchTheManifest)
{
    const auto rows = kit::ReadManifest();
    ASSERT_GT(rows.size(), 300u);
    for (const kit::CorpusEntry& row : rows) {
        const std::string path = kit::CorpusPath(row.file);
        const bool lzh = row.container == "lzh";
        const kit::Library& own = lzh ? *unlha_ : *cab_;
        const kit::Library& other = lzh ? *cab_ : *unlha_;
        int expected = row.validity == "valid" ? 1 : 0;
        if (kKnownDifferences.count(row.file))
            expected = 1 - expected;
        EXPECT_EQ(own.Check(path), expected) << row.file << " (" << row.validity << ")";
        EXPECT_EQ(other.Check(path), 0) << row.file << " is not of the other format";
    }
}

TEST_F(CorpusCheck, FindsArchivesBeyondLhasasSearchWindow)
{
    // lhasa looks for an archive behind a stub only in the first 64 KiB.
    const std::string path =
        kit::CorpusPath("fragglet_lhasa/test/archives/explzh_723/declha_sfx_unicode.exe");
    ASSERT_GT(ReadBytes(path).size(), 66000u);
    EXPECT_EQ(unlha_->Check(path), 1);
}

TEST_F(CorpusCheck, MissingAndSpecialFilesAreNoArchives)
{
    TempFolder dir;
    WriteBytes(dir / "empty.lzh", "");
    WriteBytes(dir / "only-end.lzh", std::string(1, '\0'));
    for (const std::string& path : {dir / "missing.lzh", dir.Path(), std::string("/dev/null"),
                                    dir / "empty.lzh", dir / "only-end.lzh"}) {
        EXPECT_EQ(unlha_->Check(path), 0) << path;
        EXPECT_EQ(cab_->Check(path), 0) << path;
    }
}

TEST_F(CorpusCheck, ACutArchiveFailsAtEveryLength)
{
    const std::string whole = kit::MakeLzh({{"a.txt", "first member"}, {"b.txt", "second one"}});
    TempFolder dir;
    // Cut anywhere, even just before the end marker: never "readable".
    for (std::size_t length = 1; length < whole.size(); ++length) {
        WriteBytes(dir / "cut.lzh", whole.substr(0, length));
        EXPECT_EQ(unlha_->Check(dir / "cut.lzh"), 0) << "cut at " << length;
    }
    WriteBytes(dir / "whole.lzh", whole);
    EXPECT_EQ(unlha_->Check(dir / "whole.lzh"), 1);
}

} // namespace

namespace {

// A level-2 archive of one stored entry whose header carries `padding`
// (writers may pad a header; the self-extractors' decoder takes at most 255
// bytes of it, lhasa any amount).
std::string PaddedArchive(const std::string& name, const std::string& data, const std::string& padding)
{
    Bytes a = MakeLzhArchive({{"", name, data}}, 2);
    const std::size_t size = a[0] | a[1] << 8;
    a.insert(a.begin() + static_cast<std::ptrdiff_t>(size), padding.begin(), padding.end());
    const std::size_t padded = size + padding.size();
    a[0] = padded & 0xFF;
    a[1] = (padded >> 8) & 0xFF;
    // The header CRC (extended header 0, right after the fixed part) covers the padding.
    constexpr std::size_t kCrcAt = 27;
    a[kCrcAt] = a[kCrcAt + 1] = 0;
    const std::uint16_t crc = LzhCrc16(Bytes(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(padded)));
    a[kCrcAt] = crc & 0xFF;
    a[kCrcAt + 1] = crc >> 8;
    return std::string(a.begin(), a.end());
}

} // namespace

TEST_F(CorpusCheck, AnArchiveHiddenInAHeaderIsSeenAsTheStubsWouldSeeIt)
{
    // The padding of the visible entry's header holds a second archive with
    // a name that leaves the destination.
    const std::string hidden = kit::MakeLzh({{"..\\evil.txt", "hidden"}, {"inner.txt", "hidden too"}});
    const std::string archive = PaddedArchive("visible.txt", "visible", hidden + std::string(300, ' '));
    TempFolder dir;
    WriteBytes(dir / "padded.lzh", archive);
    std::string listing;
    ASSERT_EQ(Shell("lhasa l " + Quote(dir / "padded.lzh") + " 2>&1", &listing), 0);
    ASSERT_NE(listing.find("visible.txt"), std::string::npos) << "lhasa reads the padded header: " << listing;
    // The library reads headers as the stubs do: a plain archive with such a
    // header is damaged, and so is one behind a program, where that header
    // is the first thing behind the program's image. The hidden archive is
    // never taken for the archive, and nothing is made of either file.
    WriteBytes(dir / "prog.exe", kit::BuiltStub("lzh-win32.exe") + archive);
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    std::filesystem::create_directory(dir / "out");
    for (const std::string& input : {dir / "padded.lzh", dir / "prog.exe"}) {
        EXPECT_EQ(unlha_->Check(input), 0) << input;
        EXPECT_EQ(lib.Run("s -+ -gw2 -gu0 \"" + input + "\" \"" + (dir / "out") + "/\""), 0x800F) << input;
    }
    EXPECT_TRUE(kit::ListFolder(dir / "out").empty());
}

TEST_F(CorpusCheck, TheSearchLooksOnlyWhereAProgramKeepsItsArchive)
{
    TempFolder dir;
    const std::string lzh = kit::MakeLzh({{"a.txt", "alpha"}});
    const std::string cab = ReadBytes(kit::MakeCab(dir.Path(), {{"a.txt", "alpha"}}, false));
    const std::string program = kit::BuiltStub("lzh-win32.exe"); // a PE image
    const std::string beyond(1u << 20, '\0');                    // the window behind its image
    for (const auto& [archive, library] : {std::pair{lzh, unlha_}, std::pair{cab, cab_}}) {
        WriteBytes(dir / "near.exe", program + archive);
        EXPECT_EQ(library->Check(dir / "near.exe"), 1);
        WriteBytes(dir / "far.exe", program + beyond + archive);
        EXPECT_EQ(library->Check(dir / "far.exe"), 0) << "found beyond the window";
        // A sparse file of 4 GiB with the archive at 3 GiB: no program keeps
        // one there, and the check does not read its way to it.
        {
            std::ofstream sparse(dir / "huge.exe", std::ios::binary);
            sparse.seekp(3ll << 30);
            sparse << archive;
        }
        std::filesystem::resize_file(dir / "huge.exe", 4ull << 30);
        EXPECT_EQ(library->Check(dir / "huge.exe"), 0);
    }
}
