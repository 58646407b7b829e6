// A libmspack cabinet decompressor over one CabSystem, closed with it, and
// the decoding of one file's data into the system's sink.
#pragma once

#include "cabSystem.h"

#include <string>

namespace cab32 {

// What the verification says of a cabinet libmspack does not open within its
// length, and of one whose file table names folders it does not have (libmspack
// passes over those records).
extern const char* const kHeadersOutsideLength;
extern const char* const kFolderMissing;

struct Decompressor {
    explicit Decompressor(CabSystem& system);
    ~Decompressor();
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Opens the cabinet the system views; false when libmspack refuses it.
    bool Open();
    // Decodes the file's data: kDone, or the code and detail of its failure.
    int Decode(mscabd_file* file, std::string& detail);

    mscab_decompressor* cabd;
    mscabd_cabinet* cabinet = nullptr;
};

} // namespace cab32
