// Reads an Unlha command line: s <options> "<archive>" "<output folder>/".
#pragma once

#include "request.h"

#include <string>

namespace unlha32 {

// kDone with the request filled in, or kBadCommand / kBadOption with why set.
int ParseLzhCommand(const char* commandLine, tbarc::Request& request, std::string& why);

} // namespace unlha32
