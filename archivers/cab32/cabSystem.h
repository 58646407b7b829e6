// libmspack's I/O layer pointed at a view of one input file: every name
// opened for reading is that view, every name opened for writing is a sink
// that only counts. The decompressor then reads the archive we already hold
// open and "extracts" without touching the disk, which is all a check needs.
// The view starts where the cabinet does and ends where its length says, as
// the self-extractor's own view of it will; reads may go through an
// ArchiveStream (which copies them into the output) and may count against a
// budget.
#pragma once

#include <mspack.h>

#include <cstdint>
#include <vector>

namespace tbarc {
class ArchiveStream;
class InputFile;
} // namespace tbarc

namespace cab32 {

// Input read ahead of libmspack, which asks for a few hundred bytes at a
// time: from a file not held in memory the view then reads large pieces.
struct ReadAhead {
    std::vector<char> bytes;
    std::uint64_t start = 0; // their place in the input
    std::size_t length = 0;
};

// Bytes of the view held in memory, from `start` (a place in the view).
struct HeldBytes {
    std::uint64_t start = 0;
    const std::uint8_t* bytes = nullptr;
    std::size_t length = 0;
};

struct CabSystem {
    mspack_system base; // must stay first: libmspack hands this pointer back
    const tbarc::InputFile* input;
    std::uint64_t offset;         // where the view starts in the input
    std::uint64_t size;           // its length
    tbarc::ArchiveStream* stream; // reads go through it when set
    std::uint64_t* budget;        // reads count against it when set
    ReadAhead* ahead;             // reads go through it when set
    // Reads take what these hold (in the order of their places) before they
    // go to the input, when set.
    const std::vector<HeldBytes>* held;
};

CabSystem MakeCabSystem(const tbarc::InputFile& input, std::uint64_t offset, std::uint64_t size);

} // namespace cab32
