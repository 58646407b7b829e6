// Return codes shared by libunlha32 and libcab32 (documented in docs/archivers.md).
#pragma once

namespace tbarc {

enum ResultCode : int {
    kDone = 0,
    // 1..32767: the conversion succeeded and that many entries were left out.
    kMaxLeftOutCount = 32767,
    kBadCommand = 0x8001,         // unknown command, wrong argument count, unbalanced quotes
    kBadOption = 0x8002,          // unknown option, conflicting options, unsupported value
    kCannotReadInput = 0x8003,    // missing, unreadable or not a regular file
    kNotAnArchive = 0x8004,       // no archive of the library's format in the file
    kDiskFull = 0x8005,           // ENOSPC / EDQUOT while writing the output
    kFolderNotWritable = 0x8006,  // the output folder is missing, read-only, not permitted
    kCorruptArchive = 0x8007,     // an archive starts in the file but its structure is damaged
    kUnsupportedKind = 0x8008,    // no self-extractor stub for the asked kind
    kOutputIsInput = 0x8009,      // the output path names the input file itself
    kOutputExists = 0x800A,       // output exists and replacing it was not asked for
    kUnsupportedArchive = 0x800B, // readable, but cannot become a self-extractor (cabinet sets)
    kNothingLeft = 0x800C,        // every entry would be left out
    kInternalError = 0x800D,      // out of memory or an unexpected library failure
    kUnsupportedMethod = 0x800E,  // an entry's method is unknown, or one the asked kind's stub cannot decode
    kDamagedData = 0x800F,        // an entry fails its CRC or cannot be decoded (found by the verification)
    kOutputNotWritable = 0x8010,  // this one output file cannot be written (its name is too long or not
                                  // allowed on the output's file system, a folder stands in its place, it is
                                  // too large for the file system); other files may still be
    kBusy = 0x801F,               // another call of this process holds the library
    kCancelled = 0x8020,          // reserved: the libraries show no window that could cancel
};

} // namespace tbarc
