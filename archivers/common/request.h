// One conversion request as read from a library command line.
#pragma once

#include "sfxKind.h"

#include <string>

namespace tbarc {

struct Request {
    SfxKind kind = SfxKind::Win32;
    bool leaveOutForeignNames = false; // -gu0
    bool replaceExisting = false;      // -+ (LZH); always for the CAB command -f
    bool keepArchiveTime = false;      // -y1
    bool writeReport = true;           // -gm1 (default) / -gm0
    bool verify = true;                // -gt1 (default): decode every entry before wrapping it; -gt0
    int handOverSocket = -1;           // -gk<socket>: hand the finished file over there (handOver.h)
    std::string archive;
    std::string folder;
};

} // namespace tbarc
