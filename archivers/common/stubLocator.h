// Finds and reads the self-extractor stubs, kept in sfx/ beside the library's
// own shared object (lib/tollbrook2/sfx/ in the build and install trees).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tbarc {

// The bytes of sfx/<fileName>, or nothing when the stub is missing or unreadable.
std::optional<std::vector<char>> ReadStub(const char* fileName);

} // namespace tbarc
