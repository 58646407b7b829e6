#include "lists/archiveTypes.h"

#include <gtest/gtest.h>

namespace {

ArchiveTypes Types(bool lzh, bool cab, bool lzhExe, bool cabExe, bool lzhX, bool lzhLha)
{
    return ArchiveTypes{lzh, cab, lzhExe, cabExe, lzhX, lzhLha};
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
