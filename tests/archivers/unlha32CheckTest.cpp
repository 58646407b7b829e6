// UnlhaCheckArchive and CabCheckArchive over the whole real-world corpus.
//
// The rule: 1 exactly when the file holds an archive of the library's format
// that its reader (the self-extractors' own LZH decoder, libmspack) reads
// from the first header to the end:
// every header accepted (checksums right), every member's data inside the file,
// and the chain closed by the end marker (junk after it is fine; only LArc and
// PMarc archives, which have none, may simply end with the file). A cabinet must also decompress with correct
// block checksums, unless it is one part of a set (its data lies in other files).
#include "unlha32TestKit.h"

#include <gtest/gtest.h>

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
