// Which stored entry names a target system cannot hold. Such names are either
// dangerous (absolute paths, "..", drive letters, device names) or cannot be
// created there (characters Windows refuses, names longer than 8.3 on DOS and
// Windows 3.x). With -gu0 the libraries leave those entries out.
#pragma once

#include "sfxKind.h"

#include <string_view>

namespace tbarc {

enum class NameEncoding {
    Ansi, // the archive's code page; Shift_JIS lead bytes are honoured
    Utf8,
};

// rawName uses '/' or '\\' between folders, as stored in the archive.
bool NameFitsTarget(std::string_view rawName, NameEncoding encoding, SfxKind kind);

} // namespace tbarc
