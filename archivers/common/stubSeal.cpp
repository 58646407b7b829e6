#include "stubSeal.h"

#include "sfxseal.h"

#include <algorithm>
#include <cstring>

namespace tbarc {

std::optional<std::size_t> FindSealSlot(const std::vector<char>& stub)
{
    const char* magic = SFX_SEAL_MAGIC;
    const auto end = stub.end();
    const auto first = std::search(stub.begin(), end, magic, magic + SFX_SEAL_MAGIC_SIZE);
    if (first == end || end - first < SFX_SEAL_SIZE)
        return std::nullopt;
    if (std::search(first + 1, end, magic, magic + SFX_SEAL_MAGIC_SIZE) != end)
        return std::nullopt;
    return static_cast<std::size_t>(first - stub.begin());
}

} // namespace tbarc
