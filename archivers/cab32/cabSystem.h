// libmspack's I/O layer pointed at one input file: every name opened for
// reading is that file, every name opened for writing is a sink that only
// counts. The decompressor then reads the archive we already hold open and
// "extracts" without touching the disk, which is all a test needs.
#pragma once

#include <mspack.h>

namespace tbarc {
class InputFile;
}

namespace cab32 {

struct CabSystem {
    mspack_system base; // must stay first: libmspack hands this pointer back
    const tbarc::InputFile* input;
};

CabSystem MakeCabSystem(const tbarc::InputFile& input);

} // namespace cab32
