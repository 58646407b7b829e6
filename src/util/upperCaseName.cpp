// Upper-casing an output file name.
#include "util/paths.h"

namespace paths {
namespace {

// Small letters that the upper-case form of a name leaves alone: full-width
// a-z, Greek alpha-omega and Cyrillic a-ya.
bool IsKeptSmallLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0xFF41 && u <= 0xFF5A) || (u >= 0x03B1 && u <= 0x03C9) || (u >= 0x0430 && u <= 0x044F);
}

} // namespace

QString UpperCaseName(const QString& text)
{
    // Character by character with the simple mappings: a letter whose full
    // upper-case form is several letters (ß, ﬁ) keeps its place as it is, so
    // a name never grows.
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair)
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        const char32_t upper = IsKeptSmallLetter(text[i]) ? c : QChar::toUpper(c);
        const char32_t kept = QChar::requiresSurrogates(upper) == pair ? upper : c;
        if (pair) {
            result += QChar(QChar::highSurrogate(kept));
            result += QChar(QChar::lowSurrogate(kept));
            ++i;
        } else {
            result += QChar(char16_t(kept));
        }
    }
    return result;
}

} // namespace paths
