#include "commandLine.h"

namespace tbarc {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::optional<std::vector<Word>> SplitCommandLine(const char* line)
{
    std::vector<Word> words;
    if (line == nullptr)
        return words;
    const char* p = line;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (*p == '\0')
            return words;
        Word word;
        if (*p == '"') {
            word.quoted = true;
            ++p;
            word.begin = static_cast<std::size_t>(p - line);
            // A quote closes the word only where a blank or the end follows it;
            // any other quote belongs to the name.
            for (;;) {
                if (*p == '\0')
                    return std::nullopt;
                if (*p == '"' && (p[1] == '\0' || IsBlank(p[1]))) {
                    word.end = static_cast<std::size_t>(p - line);
                    ++p;
                    break;
                }
                word.text += *p++;
            }
        } else {
            word.begin = static_cast<std::size_t>(p - line);
            while (*p != '\0' && !IsBlank(*p))
                word.text += *p++;
            word.end = static_cast<std::size_t>(p - line);
        }
        words.push_back(std::move(word));
    }
}

} // namespace tbarc
