#include "core/archiveTypes.h"

#include "support/fakeLibrary.h"

#include <gtest/gtest.h>

namespace {

// Both libraries found; the options decide.
ArchiveTypes Types(bool lzh, bool cab, bool lzhExe, bool cabExe, bool lzhX, bool lzhLha)
{
    options::Options options;
    options.convertLzh = lzh;
    options.convertCab = cab;
    options.convertLzhExe = lzhExe;
    options.convertCabExe = cabExe;
    options.convertLzhX = lzhX;
    options.convertLzhLha = lzhLha;
    archiver::Libraries libraries;
    libraries.Set(archiver::kLzh, std::make_shared<archiver::FakeArchiverLibrary>());
    libraries.Set(archiver::kCab, std::make_shared<archiver::FakeArchiverLibrary>());
    return ArchiveTypes::From(options, libraries);
}

TEST(ArchiveTypes, PatternFollowsTheUsableTypes)
{
    struct Case {
        ArchiveTypes types;
        const char* pattern;
    };
    const Case cases[] = {
        {Types(true, true, false, false, false, false), "*.LZH;*.CAB"},
        {Types(true, true, true, true, true, true), "*.LZH;*.CAB;*.EXE;*.X;*.LHA"},
        {Types(false, true, false, true, false, false), "*.CAB;*.EXE"},
        {Types(false, false, true, true, true, true), "abcdzyxw.___"},
        {Types(false, true, true, false, true, true), "*.CAB"},
        {Types(true, false, false, true, false, true), "*.LZH;*.LHA"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.types.MakePattern(), QString::fromLatin1(c.pattern)) << c.pattern;
}

TEST(ArchiveTypes, ExpCheckByExtension)
{
    const ArchiveTypes lzhOnly = Types(true, false, false, false, false, false);
    const ArchiveTypes everything = Types(true, true, true, true, true, true);
    const ArchiveTypes xWithoutLzh = Types(false, true, false, false, true, false);
    struct Case {
        const ArchiveTypes& types;
        const char* path;
        bool accepted;
    };
    const Case cases[] = {
        {lzhOnly, "/a/b.lzh", true},          {lzhOnly, "/a/B.LZH", true},
        {lzhOnly, "/a/b.cab", false},         {lzhOnly, "/a/b.lha", false},
        {lzhOnly, "/a/b.exe", false},         {everything, "/a/b.Lha", true},
        {everything, "/a/b.exe", true},       {everything, "/a/b.x", true},
        {everything, "/a/b.zip", false},      {everything, "/a/README", false},
        {everything, "/a.lzh/README", false}, {xWithoutLzh, "/a/b.x", false},
        {xWithoutLzh, "/a/b.cab", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.types.AcceptsType(QString::fromLatin1(c.path)), c.accepted) << c.path;
}

} // namespace

// A kind whose library was not found is not converted, whatever its options.
TEST(ArchiveTypes, AKindWithoutItsLibraryIsNotConverted)
{
    options::Options all = options::Defaults();
    all.convertLzhExe = all.convertCabExe = all.convertLzhX = all.convertLzhLha = true;
    archiver::Libraries onlyCab;
    onlyCab.Set(archiver::kCab, std::make_shared<archiver::FakeArchiverLibrary>());
    const ArchiveTypes types = ArchiveTypes::From(all, onlyCab);
    EXPECT_EQ(types.MakePattern(), QStringLiteral("*.CAB;*.EXE"));
    const auto exe = types.CandidatesFor(QStringLiteral("/a/b.exe"));
    ASSERT_EQ(exe.size(), 1);
    EXPECT_EQ(exe[0].kind, archiver::kCab);
    EXPECT_TRUE(exe[0].checked);
    EXPECT_TRUE(types.CandidatesFor(QStringLiteral("/a/b.x")).isEmpty());
}
