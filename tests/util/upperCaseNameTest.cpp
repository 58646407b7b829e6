#include "util/paths.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

namespace {

TEST(UpperCaseName, UpperCasesAllButTheKeptSmallLetters)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"abc.lzh", "ABC.LZH"},
        {"/home/user/arc.lzh", "/HOME/USER/ARC.LZH"},
        {"ａｂｃｚ.lzh", "ａｂｃｚ.LZH"}, // full-width a to z stay
        {"αβγω.lzh", "αβγω.LZH"},         // Greek alpha to omega stay
        {"аборя.lzh", "аборя.LZH"},       // Cyrillic a to ya stay
        {"ϊѐ", "ΪЀ"},                     // just past the kept ranges
        {"éàü", "ÉÀÜ"},
        {"アーカイブ漢字ｶﾅ.lzh", "アーカイブ漢字ｶﾅ.LZH"}, // kana and kanji have no case
        {"\xF0\x90\x90\xA8x", "\xF0\x90\x90\x80X"},       // U+10428 outside the BMP
        // Letter by letter: whatever has no single upper-case letter stays.
        {"straße.lzh", "STRAßE.LZH"},
        {"ﬁle ŉ ǰ.lzh", "ﬁLE ŉ ǰ.LZH"},
        {"ǆ ǳ", "Ǆ Ǳ"},
        {"", ""},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(paths::UpperCaseName(text), QString::fromUtf8(c.expected)) << c.text;
        EXPECT_EQ(paths::UpperCaseName(text).size(), text.size()) << c.text;
    }
}

} // namespace
