// Reads a library command line: <command> <options> "<archive>" "<output folder>/".
// Both libraries share the options that choose the kind, the name rule, the
// output time and the report; each adds its own command word and extras.
#pragma once

#include "request.h"

#include <string>

namespace tbarc {

struct CommandSyntax {
    const char* command;     // the first word, e.g. "s"
    const char* commandHelp; // why, when the first word is another one
    const char* archiveNoun; // "an archive", "a cabinet"
    Request defaults;        // what a line without options asks for
    bool kindsConflict;      // -gw2 with -jw2 is a bad option; otherwise the last one wins
    // The library's own options: true when option was one of them.
    bool (*extraOption)(const std::string& option, Request& request);
};

// kDone with the request filled in, or kBadCommand / kBadOption with why set.
int ParseCommand(const CommandSyntax& syntax, const char* commandLine, Request& request, std::string& why);

} // namespace tbarc
