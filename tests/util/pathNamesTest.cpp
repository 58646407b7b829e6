#include "util/paths.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

#include <QString>

using paths::PathStyle;

namespace {

// One example written in both path styles: the Windows form with its drive
// root and backslashes, and its POSIX twin rooted at "/".
struct Twin {
    const char* windows;
    const char* posix;
};

struct NameCase {
    Twin path;
    bool tarFlag;
    bool doubleArchiveFlag;
    Twin expected;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.path.windows << " | " << c.path.posix << " tar=" << c.tarFlag
        << " double=" << c.doubleArchiveFlag;
}

template <typename Split>
void ExpectBothStyles(const NameCase& c, Split split)
{
    EXPECT_EQ(split(QString::fromUtf8(c.path.windows), PathStyle::Windows),
              QString::fromUtf8(c.expected.windows));
    EXPECT_EQ(split(QString::fromUtf8(c.path.posix), PathStyle::Posix), QString::fromUtf8(c.expected.posix));
}

// ---------------------------------------------------------------- ShortenPath

class ShortenPathTest : public testing::TestWithParam<NameCase> {};

TEST_P(ShortenPathTest, ShowsFirstTwoAndLastTwoPieces)
{
    ExpectBothStyles(GetParam(), [](const QString& p, PathStyle s) { return paths::ShortenPath(p, s); });
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ShortenPathTest,
    testing::Values(
        NameCase{{R"(C:\A\B\C\D\F.LZH)", "/A/B/C/D/F.LZH"},
                 false,
                 false,
                 {R"(C:\A\...\D\F.LZH)", "/A/.../D/F.LZH"}},
        NameCase{{R"(C:\A\B\C\D\)", "/A/B/C/D/"}, false, false, {R"(C:\A\...\D\)", "/A/.../D/"}},
        NameCase{{R"(C:\A\B\F.LZH)", "/A/B/F.LZH"}, false, false, {R"(C:\A\B\F.LZH)", "/A/B/F.LZH"}},
        NameCase{
            {R"(C:\A\B\C\F.LZH)", "/A/B/C/F.LZH"}, false, false, {R"(C:\A\...\C\F.LZH)", "/A/.../C/F.LZH"}},
        NameCase{{"", ""}, false, false, {"", ""}},
        NameCase{{R"(C:\Long Folder\Mid\Deeper\Last\アーカイブ.lzh)",
                  "/Long Folder/Mid/Deeper/Last/アーカイブ.lzh"},
                 false,
                 false,
                 {R"(C:\Long Folder\...\Last\アーカイブ.lzh)", "/Long Folder/.../Last/アーカイブ.lzh"}}));

TEST(ShortenPath, LeavesAbsurdlyDeepPathsWhole)
{
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        const QString sep = style == PathStyle::Windows ? QStringLiteral("\\") : QStringLiteral("/");
        const QString deep = QStringLiteral("d") + sep.repeated(300) + QStringLiteral("F.LZH");
        EXPECT_EQ(paths::ShortenPath(deep, style), deep);
        const QString deepButAllowed = QStringLiteral("d") + sep.repeated(255) + QStringLiteral("F.LZH");
        EXPECT_EQ(paths::ShortenPath(deepButAllowed, style),
                  QStringLiteral("d") + sep + sep + QStringLiteral("...") + sep + sep
                      + QStringLiteral("F.LZH"));
    }
}

// ---------------------------------------------------------------- GetFileName

class GetFileNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(GetFileNameTest, TakesThePartAfterTheLastSeparator)
{
    ExpectBothStyles(GetParam(), [](const QString& p, PathStyle s) { return paths::GetFileName(p, s); });
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GetFileNameTest,
    testing::Values(NameCase{{"F.LZH", "F.LZH"}, false, false, {"", ""}},
                    NameCase{{R"(C:\A\)", "/A/"}, false, false, {"", ""}},
                    NameCase{{R"(C:\A\F.LZH)", "/A/F.LZH"}, false, false, {"F.LZH", "F.LZH"}},
                    NameCase{{R"(C:\F)", "/F"}, false, false, {"F", "F"}},
                    // Each style splits only at its own separator.
                    NameCase{{"C:/A/F.LZH", R"(/A\B\F.LZH)"}, false, false, {"", R"(A\B\F.LZH)"}}));

// ---------------------------------------------------------------- GetBaseName

class GetBaseNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(GetBaseNameTest, DropsTheExtension)
{
    const NameCase& c = GetParam();
    ExpectBothStyles(c, [&c](const QString& p, PathStyle s) {
        return paths::GetBaseName(p, c.tarFlag, c.doubleArchiveFlag, s);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GetBaseNameTest,
    testing::Values(NameCase{{R"(C:\X\ARC.TAR.GZ)", "/X/ARC.TAR.GZ"}, false, false, {"ARC.TAR", "ARC.TAR"}},
                    NameCase{{R"(C:\X\README)", "/X/README"}, false, false, {"README", "README"}},
                    NameCase{{R"(C:\X\.LZH)", "/X/.LZH"}, false, false, {"", ""}},
                    NameCase{{R"(C:\X\A.B.LZH)", "/X/A.B.LZH"}, false, false, {"A.B", "A.B"}},
                    NameCase{{R"(C:\X\ARC.tar.gz)", "/X/ARC.tar.gz"}, true, false, {"ARC", "ARC"}},
                    NameCase{{R"(C:\X\A.TAR.GZ)", "/X/A.TAR.GZ"}, true, false, {"A", "A"}},
                    NameCase{{R"(C:\X\ARC.TAR.Z)", "/X/ARC.TAR.Z"}, true, false, {"ARC", "ARC"}},
                    NameCase{{R"(C:\X\ARC.Tar.Bz2)", "/X/ARC.Tar.Bz2"}, true, false, {"ARC", "ARC"}},
                    // The last full stop must stand at the sixth character or later.
                    NameCase{{R"(C:\X\.TAR.GZ)", "/X/.TAR.GZ"}, true, false, {".TAR", ".TAR"}},
                    // Each flag answers only for its own family.
                    NameCase{{R"(C:\X\ARC.TAR.GZ)", "/X/ARC.TAR.GZ"}, false, true, {"ARC.TAR", "ARC.TAR"}},
                    NameCase{{R"(C:\X\ARC.LZH.ZIP)", "/X/ARC.LZH.ZIP"}, true, false, {"ARC.LZH", "ARC.LZH"}},
                    NameCase{{R"(C:\X\ARC.lzh.zip)", "/X/ARC.lzh.zip"}, false, true, {"ARC", "ARC"}},
                    NameCase{{R"(C:\X\ARC.ZIP.LZH)", "/X/ARC.ZIP.LZH"}, true, true, {"ARC", "ARC"}},
                    NameCase{{R"(C:\X\ARC.TXT.LZH)", "/X/ARC.TXT.LZH"}, true, true, {"ARC.TXT", "ARC.TXT"}},
                    NameCase{{R"(C:\X\)", "/X/"}, true, true, {"", ""}},
                    NameCase{{"ARC.LZH", "ARC.LZH"}, false, false, {"", ""}},
                    // A full stop in a folder name is not an extension.
                    NameCase{{R"(C:\X.DIR\README)", "/X.DIR/README"}, false, false, {"README", "README"}}));

// -------------------------------------------------------------- GetFolderPart

class GetFolderPartTest : public testing::TestWithParam<NameCase> {};

TEST_P(GetFolderPartTest, TakesThePartBeforeTheLastSeparator)
{
    ExpectBothStyles(GetParam(), [](const QString& p, PathStyle s) { return paths::GetFolderPart(p, s); });
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GetFolderPartTest,
    testing::Values(NameCase{{R"(C:\F.LZH)", "/F.LZH"}, false, false, {R"(C:\)", "/"}},
                    NameCase{{"F.LZH", "F.LZH"}, false, false, {"", ""}},
                    NameCase{{R"(C:\A\)", "/A/"}, false, false, {R"(C:\A)", "/A"}},
                    NameCase{{R"(C:\A\B\F.LZH)", "/A/B/F.LZH"}, false, false, {R"(C:\A\B)", "/A/B"}},
                    NameCase{{R"(C:\)", "/"}, false, false, {R"(C:\)", "/"}}));

// --------------------------------------------------------------- GetExtension

class GetExtensionTest : public testing::TestWithParam<NameCase> {};

TEST_P(GetExtensionTest, KeepsTheLeadingFullStopAndTheCase)
{
    const NameCase& c = GetParam();
    ExpectBothStyles(c, [&c](const QString& p, PathStyle s) {
        return paths::GetExtension(p, c.tarFlag, c.doubleArchiveFlag, s);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GetExtensionTest,
    testing::Values(
        NameCase{{R"(C:\X.DIR\README)", "/X.DIR/README"}, false, false, {"", ""}},
        NameCase{{R"(C:\X\ARC.Lzh)", "/X/ARC.Lzh"}, false, false, {".Lzh", ".Lzh"}},
        NameCase{{R"(C:\X\ARC.lzh.zip)", "/X/ARC.lzh.zip"}, false, true, {".lzh.zip", ".lzh.zip"}},
        NameCase{{R"(C:\X\ARC.lzh.zip)", "/X/ARC.lzh.zip"}, false, false, {".zip", ".zip"}},
        NameCase{{R"(C:\X\ARC.tar.gz)", "/X/ARC.tar.gz"}, true, false, {".tar.gz", ".tar.gz"}},
        NameCase{{R"(C:\X\ARC.TAR.BZ2)", "/X/ARC.TAR.BZ2"}, true, false, {".TAR.BZ2", ".TAR.BZ2"}},
        NameCase{{R"(C:\X\ARC.TAR.GZ)", "/X/ARC.TAR.GZ"}, false, true, {".GZ", ".GZ"}},
        NameCase{{R"(C:\X\ARC.ZIP.ZIP)", "/X/ARC.ZIP.ZIP"}, true, false, {".ZIP", ".ZIP"}},
        NameCase{{R"(C:\X\ARC.)", "/X/ARC."}, false, false, {".", "."}},
        NameCase{{"README", "README"}, false, false, {"", ""}},
        NameCase{{"ARC.LZH", "ARC.LZH"}, false, false, {".LZH", ".LZH"}},
        // The sixth-character rule counts from the start of the whole path.
        NameCase{{"A.TAR.GZ", "A.TAR.GZ"}, true, false, {".TAR.GZ", ".TAR.GZ"}},
        NameCase{{".TAR.GZ", ".TAR.GZ"}, true, false, {".GZ", ".GZ"}}));

} // namespace
