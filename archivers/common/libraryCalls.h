// What the exported functions of libunlha32 and libcab32 do; each library
// describes itself once and its exports call these.
#pragma once

#include "archiveFormat.h"
#include "commandSyntax.h"

#include <cstdint>
#include <memory>

#define TB_EXPORT extern "C" __attribute__((visibility("default")))

namespace tbarc {

struct Library {
    const char* lockName;    // names the busy flag, e.g. "unlha32"
    const char* busyMessage; // the report line while another call converts
    const CommandSyntax& syntax;
    std::unique_ptr<ArchiveFormat> (*makeFormat)();
};

// The main call: parse, take the lock, convert, fill the caller's report.
int MainCall(const Library& library, const char* commandLine, char* output, std::uint32_t outputSize);
// 1 while a call of this process holds the library, else 0.
int RunningCall(const Library& library);
// 1 when path holds a readable archive of the library's format, else 0.
int CheckArchiveCall(const Library& library, const char* path);

} // namespace tbarc
