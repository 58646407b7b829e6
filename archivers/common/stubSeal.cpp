#include "stubSeal.h"

#include "sfxseal.h"

#include <cstring>

namespace tbarc {

std::optional<std::size_t> FindSealSlot(const std::vector<char>& stub)
{
    // memmem: the C library's search, many times faster than a byte-wise one
    // over a stub of some ten thousand bytes, searched once per conversion.
    const char* begin = stub.data();
    const char* end = begin + stub.size();
    const auto find = [&](const char* from) {
        const void* at =
            memmem(from, static_cast<std::size_t>(end - from), SFX_SEAL_MAGIC, SFX_SEAL_MAGIC_SIZE);
        return at == nullptr ? end : static_cast<const char*>(at);
    };
    const char* first = find(begin);
    if (first == end || end - first < SFX_SEAL_SIZE)
        return std::nullopt;
    if (find(first + 1) != end)
        return std::nullopt;
    return static_cast<std::size_t>(first - begin);
}

} // namespace tbarc
