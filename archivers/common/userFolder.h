#pragma once

#include <string>

namespace tbarc {

// The libraries' own folder under one of the user's XDG base folders:
// $<variable>/tollbrook2-archivers, or $HOME/<homeDefault>/tollbrook2-archivers
// without the variable (".config", ".local/state"); empty when neither is an
// absolute path.
std::string UserFolder(const char* variable, const char* homeDefault);

} // namespace tbarc
