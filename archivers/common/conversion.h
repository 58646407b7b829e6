// One conversion: archive in, <folder>/<base name>.EXE out (stub + archive).
#pragma once

#include "archiveFormat.h"
#include "report.h"
#include "request.h"

#include <string>

namespace tbarc {

// A file's name without its folder and without its last extension.
std::string FileBaseName(const std::string& path);

// Returns the library's result code: kDone, the count of entries left out, or
// an error code; a failed conversion leaves nothing in the output folder.
int Convert(const Request& request, ArchiveFormat& format, Report& report);

} // namespace tbarc
