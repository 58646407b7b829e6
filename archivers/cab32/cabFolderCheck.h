// The verification of a large cabinet of several folders on every core. The
// cabinet's head and then its folders' data are read in order through the
// stream (so the output is written in order, with exactly the bytes
// checked), each folder held in memory while a thread decodes its files with
// a decompressor of its own. It gives what the one-thread verification gives
// for a cabinet whose file table lists the files folder by folder, as
// cabinet makers write it: the first failure in folder order, otherwise the
// file table's own faults.
#pragma once

#include "cabLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tbarc {
class ArchiveStream;
class InputFile;
} // namespace tbarc

namespace cab32 {

// How many threads verify the cabinet (tbarc::CheckThreads): 1 for one of a
// single folder, for folders whose data does not follow in their order
// after the file table, or with a folder too large to hold in memory.
unsigned FolderCheckThreads(const CabLayout& layout, std::uint64_t length);

struct CabinetToCheck {
    const tbarc::InputFile& input;
    tbarc::ArchiveStream* stream; // reads go through it when set
    std::uint64_t base;           // where the cabinet starts in the input
    std::uint64_t length;
    const CabLayout& layout;
};

// Decodes every file not left out on `threads` threads: kDone, or the code
// and detail of the failure.
int TestFoldersOnThreads(const CabinetToCheck& cabinet, const std::vector<bool>& leaveOut, unsigned threads,
                         std::string& detail);

} // namespace cab32
