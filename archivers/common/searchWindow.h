// Where an archive may start in a file, so that a damaged start is never
// taken for junk in front of an archive, and a search stays bounded:
// - a plain LZH archive (a file that is no program) starts at its first
//   byte; in a plain file a cabinet may lie behind other data, which
//   cabextract's search mode finds too;
// - a self-extractor of ours says where its archive starts (its seal,
//   sfximage.h);
// - in any other program the archive lies behind the program's own image:
//   the search begins where that image ends (behind a PE image's sections,
//   an NE image's segments and resources, what DOS loads of any other MZ
//   program, or the parts an X68000 .X program's header counts) and covers
//   a window behind that point. A program whose end no header records (a
//   DOS or CP/M .COM, an Amiga or Atari ST program) is searched from its
//   start.
#pragma once

#include <cstdint>

namespace tbarc {

class InputFile;

enum class ArchivePlace {
    Plain,     // an LZH archive must start at start (0)
    Sealed,    // the archive must start at start, where the seal says
    InProgram, // the archive is the first one in [start, end)
};

// A search tries offsets in [start, end); each candidate it tries costs
// reads, which are bounded by a budget as well.
struct SearchWindow {
    ArchivePlace place = ArchivePlace::Plain;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

constexpr std::uint64_t kSearchWindowSize = 1u << 20;
// Bytes the candidates of one search may read in all.
constexpr std::uint64_t kSearchReadBudget = 64u << 20;

SearchWindow ArchiveSearchWindow(const InputFile& input);

} // namespace tbarc
