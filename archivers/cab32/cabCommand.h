// Reads a Cab command line: -f <options> "<cabinet>" "<output folder>/".
#pragma once

#include "request.h"

#include <string>

namespace cab32 {

// kDone with the request filled in, or kBadCommand / kBadOption with why set.
int ParseCabCommand(const char* commandLine, tbarc::Request& request, std::string& why);

} // namespace cab32
