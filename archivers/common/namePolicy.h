// Which stored entry names a target system cannot hold. Such names are either
// dangerous (absolute paths, "..", drive letters, device names) or cannot be
// created there (characters Windows refuses, names longer than 8.3 on DOS and
// Windows 3.x). With -gu0 the libraries leave those entries out. The first
// half is the rule every self-extractor applies itself (safename.h), so -gu0
// leaves out exactly what a stub would refuse.
#pragma once

#include "sfxKind.h"

#include <string_view>

namespace tbarc {

enum class NameEncoding {
    Ansi, // the archive's code page; Shift_JIS lead bytes are honoured
    Utf8,
};

// rawName uses '/' or '\\' between folders, as stored in the archive.
// True when a self-extractor writes the name (the stubs' shared rules).
bool NameIsSafe(std::string_view rawName, NameEncoding encoding);
// True when every part fits the kind's file system: any name for Win32,
// 8.3 names for DOS and Win16.
bool NameFitsKind(std::string_view rawName, NameEncoding encoding, SfxKind kind);

} // namespace tbarc
