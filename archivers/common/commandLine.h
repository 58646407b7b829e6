// Splits a library command line into words the way a Windows command line is
// split: runs of blanks separate words, a double quote at the start of a word
// groups everything up to the matching closing quote (one followed by a blank
// or the end of the line), so a path may hold blanks and even double quotes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tbarc {

struct Word {
    std::string text;
    bool quoted = false; // a quoted word is always a path, never an option
    // Where text stands in the line: a quoted word's quotes lie just outside.
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Returns nothing when a quoted word has no closing quote.
std::optional<std::vector<Word>> SplitCommandLine(const char* line);

} // namespace tbarc
