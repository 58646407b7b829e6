#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testSupport {

// Self-extractors made by hand, as the libraries make them: a stub, then an
// archive, with the stub's seal record (eight bytes "TB2SEAL\x1A", then the
// archive's offset, length and CRC-32, little-endian) filled in. Tests use
// them to run the stubs on archives the libraries would refuse to wrap.
template <typename Bytes>
Bytes Sealed(const Bytes& stub, const Bytes& archive);

// Where the seal record of a stub or self-extractor lies, if it has one.
template <typename Bytes>
std::optional<std::size_t> SealOffset(const Bytes& exe);

// CRC-32 (zlib's) of bytes.
std::uint32_t Crc32(const void* data, std::size_t size);

} // namespace testSupport
