// Where an archive inside another file (a self-extractor, an X68000 .X
// program) may start, so that a search for one stays bounded whatever the
// file: it begins where the program's own image ends (the overlay behind a
// PE image's last section, or behind the part of an MZ program DOS loads)
// and looks no further than a window behind that point. Each candidate a
// search tries costs reads; those are bounded by a budget as well.
#pragma once

#include <cstdint>

namespace tbarc {

class InputFile;

struct SearchWindow {
    std::uint64_t start = 0; // first offset a search tries
    std::uint64_t end = 0;   // offsets from here on are not tried
};

constexpr std::uint64_t kSearchWindowSize = 1u << 20;
// Bytes the candidates of one search may read in all.
constexpr std::uint64_t kSearchReadBudget = 64u << 20;

SearchWindow ArchiveSearchWindow(const InputFile& input);

} // namespace tbarc
