// Where and under which name the self-extractor is written, and which write
// failures concern one file (0x8010) rather than the whole run.
#include "archivers/libraryKit.h"

#include "caseTwins.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace testSupport;

constexpr int kOutputIsInput = 0x8009;
constexpr int kOutputExists = 0x800A;
constexpr int kOutputNotWritable = 0x8010;

class OutputPlace : public testing::Test {
protected:
    // Converts in/<archive> into out/, with or without -+.
    int Convert(const std::string& archive, bool replace, std::string* report = nullptr)
    {
        return lib.Run(std::string("s ") + (replace ? "-+ " : "") + "-gw2 \"" + (dir / ("in/" + archive))
                           + "\" \"" + (dir / "out") + "/\"",
                       report);
    }
    std::string Input(const std::string& name)
    {
        WriteBytes(dir / ("in/" + name), archive);
        return dir / ("in/" + name);
    }
    std::string Made() const { return kit::Sealed(kit::FakeLzhStubs().at("lzh-win32.exe"), archive); }

    kit::Library lib{"libunlha32.so", "Unlha", kit::FakeLzhStubs()};
    TempFolder dir;
    const std::string archive = kit::MakeLzh({{"readme.txt", "hello"}});
};

TEST_F(OutputPlace, AFileDifferingOnlyInCaseIsTheSameFile)
{
    struct Case {
        const char* archive;
        const char* existing; // in out/, before the call
        const char* made;     // the output's name
    };
    const Case cases[] = {
        {"a.lzh", "A.EXE", "a.EXE"},
        {"B.LZH", "b.exe", "B.EXE"},
        {"Hello.lzh", "HELLO.EXE", "Hello.EXE"},
        {"c.lzh", "c.EXE", "c.EXE"},                                  // the same spelling, for comparison
        {"\xC3\xA4rger.lzh", "\xC3\x84RGER.EXE", "\xC3\xA4rger.EXE"}, // ä / Ä
        {"\xEF\xBD\x81.lzh", "\xEF\xBC\xA1.exe", "\xEF\xBD\x81.EXE"}, // full-width a / A
    };
    for (const Case& c : cases) {
        for (const bool replace : {false, true}) {
            std::filesystem::remove_all(dir / "out");
            WriteBytes(dir / (std::string("out/") + c.existing), std::string("the user's file"));
            Input(c.archive);
            std::string report;
            const int rc = Convert(c.archive, replace, &report);
            if (replace) {
                // Replaced as one file: the new one alone remains.
                EXPECT_EQ(rc, 0) << c.archive << report;
                EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{c.made}) << c.archive;
                EXPECT_EQ(ReadBytes(dir / (std::string("out/") + c.made)), Made()) << c.archive;
            } else {
                // Kept, whatever the case of the archive's name.
                EXPECT_EQ(rc, kOutputExists) << c.archive << report;
                EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{c.existing}) << c.archive;
                EXPECT_EQ(ReadBytes(dir / (std::string("out/") + c.existing)), "the user's file")
                    << c.archive;
            }
        }
    }
}

TEST_F(OutputPlace, SpellingsMadeOrRenamedBetweenTwoCallsAreSeen)
{
    // The first call lists out/; what happens there afterwards, by the
    // program (its upper-case rename) or anyone else, counts for the next.
    std::filesystem::create_directories(dir / "out");
    Input("first.lzh");
    ASSERT_EQ(Convert("first.lzh", true), 0);
    std::filesystem::rename(dir / "out/first.EXE", dir / "out/FIRST.EXE");
    WriteBytes(dir / "out/SECOND.EXE", std::string("made meanwhile"));
    Input("second.lzh");
    EXPECT_EQ(Convert("second.lzh", false), kOutputExists);
    EXPECT_EQ(ReadBytes(dir / "out/SECOND.EXE"), "made meanwhile");
    EXPECT_EQ(Convert("first.lzh", false), kOutputExists);
    EXPECT_EQ(Convert("first.lzh", true), 0);
    EXPECT_EQ(kit::ListFolder(dir / "out"), (std::vector<std::string>{"SECOND.EXE", "first.EXE"}));
}

TEST_F(OutputPlace, ASpellingThatIsTheArchiveOrAFolderIsNeverReplaced)
{
    // The archive itself under the other spelling of the output's name.
    const std::string exe = Input("self.exe");
    ASSERT_EQ(lib.Run("s -+ -gw2 \"" + exe + "\" \"" + (dir / "in") + "/\""), kOutputIsInput);
    EXPECT_EQ(ReadBytes(exe), archive);

    std::filesystem::create_directories(dir / "out/FOLDER.EXE");
    Input("folder.lzh");
    EXPECT_EQ(Convert("folder.lzh", true), kOutputNotWritable);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out/FOLDER.EXE"));
}

TEST_F(OutputPlace, ANameThatIsOnlyAnExtensionGivesOnlyTheExtension)
{
    // The program looks for the same name: ".lzh" -> ".EXE".
    struct Case {
        const char* archive;
        const char* made;
    };
    for (const Case c : {Case{".lzh", ".EXE"}, Case{"x.y.lzh", "x.y.EXE"}, Case{"README", "README.EXE"},
                         Case{"a.", "a.EXE"}}) {
        std::filesystem::remove_all(dir / "out");
        std::filesystem::create_directories(dir / "out");
        Input(c.archive);
        ASSERT_EQ(Convert(c.archive, true), 0) << c.archive;
        EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{c.made});
    }
}

TEST_F(OutputPlace, ANameTooLongForTheFolderFailsThatFileAlone)
{
    // 253 characters and ".X": the output's name, with ".EXE", is over 255.
    const std::string name = std::string(253, 'n') + ".X";
    Input(name);
    std::filesystem::create_directories(dir / "out");
    std::string report;
    EXPECT_EQ(Convert(name, true, &report), kOutputNotWritable) << report;
    EXPECT_TRUE(kit::ListFolder(dir / "out").empty());
    // The folder still takes files.
    Input("next.lzh");
    EXPECT_EQ(Convert("next.lzh", true), 0);
}

TEST(FoldedName, ComparesAsASystemIgnoringCaseDoes)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"a.EXE", "A.exe", true},
        {"\xC3\xA4", "\xC3\x84", true},         // ä Ä
        {"\xCE\xB1", "\xCE\x91", true},         // α Α
        {"\xEF\xBD\x81", "\xEF\xBC\xA1", true}, // ａ Ａ
        {"\xE3\x81\x82", "\xE3\x81\x82", true}, // あ has no case
        {"a", "b", false},
        {"\x93\xfa.lzh", "\x93\xfa.LZH", true}, // no UTF-8: bytes kept, ASCII folded
        {"\x93\xfa", "\x93\xfb", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tbarc::FoldedName(c.a) == tbarc::FoldedName(c.b), c.same) << c.a << " " << c.b;
}

} // namespace
