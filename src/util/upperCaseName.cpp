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
    // Runs between kept letters are upper-cased whole, so that characters
    // outside the Basic Multilingual Plane keep their surrogate pairs intact.
    QString result;
    result.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsKeptSmallLetter(text[i]))
            continue;
        result += text.mid(runStart, i - runStart).toUpper();
        if (i < text.size())
            result += text[i];
        runStart = i + 1;
    }
    return result;
}

} // namespace paths
