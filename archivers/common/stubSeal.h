// The seal record of a self-extractor stub (archivers/sfx/common/sfxseal.h):
// the place where the library writes the archive's offset, length and
// CRC-32, which the stub checks before it extracts anything.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tbarc {

// The offset of the stub's seal record, nothing when the stub has none (or
// more than one, which no stub of ours has).
std::optional<std::size_t> FindSealSlot(const std::vector<char>& stub);

} // namespace tbarc
