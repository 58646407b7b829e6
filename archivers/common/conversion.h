// One conversion: archive in, <folder>/<base name>.EXE out (stub + archive).
#pragma once

#include "archiveFormat.h"
#include "outputName.h"
#include "report.h"
#include "request.h"

#include <string>

namespace tbarc {

// Returns the library's result code: kDone, the count of entries left out, or
// an error code; a failed conversion leaves nothing in the output folder.
int Convert(const Request& request, ArchiveFormat& format, Report& report);

} // namespace tbarc
