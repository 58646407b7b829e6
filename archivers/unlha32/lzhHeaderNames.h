// The stored name of an LZH member, read from the raw header bytes lhasa has
// already checked. lhasa's own path field is cleaned ("../" and a leading "/"
// removed), which would hide exactly the names -gu0 must find.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace unlha32 {

std::string StoredName(const std::uint8_t* rawHeader, std::size_t length, int headerLevel);

} // namespace unlha32
