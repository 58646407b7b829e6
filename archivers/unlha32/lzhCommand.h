// The Unlha command line: s <options> "<archive>" "<output folder>/".
#pragma once

#include "commandSyntax.h"

namespace unlha32 {

extern const tbarc::CommandSyntax kLzhSyntax;

} // namespace unlha32
