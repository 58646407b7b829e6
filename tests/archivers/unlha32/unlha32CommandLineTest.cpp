// How a library command line splits into words.
#include "commandLine.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words; // quoted words are marked with a leading '@'
};

std::vector<std::string> Describe(const std::vector<tbarc::Word>& words)
{
    std::vector<std::string> out;
    for (const auto& w : words)
        out.push_back((w.quoted ? "@" : "") + w.text);
    return out;
}

class SplitCommandLine : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLine, GivesTheWords)
{
    const auto words = tbarc::SplitCommandLine(GetParam().line);
    ASSERT_TRUE(words.has_value());
    EXPECT_EQ(Describe(*words), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLine,
    testing::Values(SplitCase{"s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1 \"/in/a.lzh\" \"/out/\"",
                              {"s", "-+", "-gw2", "-jyo", "-x1", "-y1", "-gm1", "-gu1", "@/in/a.lzh",
                               "@/out/"}},
                    SplitCase{"", {}}, SplitCase{"   \t ", {}},
                    SplitCase{"-f \"/a b/c.cab\" \"/o p/\"", {"-f", "@/a b/c.cab", "@/o p/"}},
                    SplitCase{"\"\" x", {"@", "x"}},
                    SplitCase{"\"/in/say \"hi\".lzh\" \"/o/\"", {"@/in/say \"hi\".lzh", "@/o/"}},
                    SplitCase{"\"/in/a\" b\"", {"@/in/a", "b\""}}, SplitCase{"ab\"c d", {"ab\"c", "d"}},
                    SplitCase{"\"/o/\"\t", {"@/o/"}}));

TEST(SplitCommandLineErrors, AnUnclosedQuoteIsRefused)
{
    for (const char* line : {"s \"/in/a.lzh", "s \"/in/a.lzh\" \"/out/", "\"", "s \"a\"b"})
        EXPECT_FALSE(tbarc::SplitCommandLine(line).has_value()) << line;
}

} // namespace
