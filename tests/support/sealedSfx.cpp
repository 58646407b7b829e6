#include "sealedSfx.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace testSupport {
namespace {

constexpr char kMagic[] = "TB2SEAL\x1A";
constexpr std::size_t kMagicSize = 8;

template <typename Bytes>
void Put32(Bytes& b, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<typename Bytes::value_type>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::uint32_t Crc32(const void* data, std::size_t size)
{
    return static_cast<std::uint32_t>(crc32_z(0, static_cast<const Bytef*>(data), size));
}

template <typename Bytes>
std::optional<std::size_t> SealOffset(const Bytes& exe)
{
    const auto at = std::search(exe.begin(), exe.end(), kMagic, kMagic + kMagicSize,
                                [](auto a, char b) { return static_cast<char>(a) == b; });
    if (at == exe.end() || exe.end() - at < 20)
        return std::nullopt;
    return static_cast<std::size_t>(at - exe.begin());
}

template <typename Bytes>
Bytes Sealed(const Bytes& stub, const Bytes& archive)
{
    Bytes exe = stub;
    exe.insert(exe.end(), archive.begin(), archive.end());
    if (const auto seal = SealOffset(stub)) {
        Put32(exe, *seal + 8, static_cast<std::uint32_t>(stub.size()));
        Put32(exe, *seal + 12, static_cast<std::uint32_t>(archive.size()));
        Put32(exe, *seal + 16, Crc32(archive.data(), archive.size()));
    }
    return exe;
}

template std::string Sealed(const std::string&, const std::string&);
template std::vector<std::uint8_t> Sealed(const std::vector<std::uint8_t>&, const std::vector<std::uint8_t>&);
template std::optional<std::size_t> SealOffset(const std::string&);
template std::optional<std::size_t> SealOffset(const std::vector<std::uint8_t>&);

} // namespace testSupport
