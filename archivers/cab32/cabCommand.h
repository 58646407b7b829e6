// The Cab command line: -f <options> "<cabinet>" "<output folder>/".
#pragma once

#include "commandSyntax.h"

namespace cab32 {

extern const tbarc::CommandSyntax kCabSyntax;

} // namespace cab32
