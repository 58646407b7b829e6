#include "namePolicy.h"

#include "safename.h"

#include <string>

namespace tbarc {
namespace {

bool FitsEightDotThree(std::string_view part)
{
    const auto dot = part.find('.');
    if (dot == std::string_view::npos)
        return part.size() <= 8;
    return dot >= 1 && dot <= 8 && part.find('.', dot + 1) == std::string_view::npos
        && part.size() - dot - 1 <= 3;
}

const unsigned char* Bytes(std::string_view name)
{
    return reinterpret_cast<const unsigned char*>(name.data());
}

} // namespace

bool NameIsSafe(std::string_view rawName, NameEncoding encoding)
{
    // Longer names than a 16-bit count are no names any archive stores.
    if (rawName.size() > 0xFFFF)
        return false;
    return safename_check(Bytes(rawName), static_cast<unsigned short>(rawName.size()),
                          encoding == NameEncoding::Utf8, '/', nullptr, 0)
        == SAFENAME_OK;
}

bool NameFitsKind(std::string_view rawName, NameEncoding encoding, SfxKind kind)
{
    if (kind == SfxKind::Win32)
        return true;
    // The parts as the stubs split them: never at a Shift_JIS trail byte.
    const bool utf8 = encoding == NameEncoding::Utf8;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rawName.size();) {
        const unsigned short width = i < rawName.size()
            ? safename_width(Bytes(rawName) + i,
                             static_cast<unsigned short>(std::min<std::size_t>(rawName.size() - i, 2)), utf8)
            : 1;
        if (i == rawName.size() || (width == 1 && (rawName[i] == '/' || rawName[i] == '\\'))) {
            const std::string_view part = rawName.substr(start, i - start);
            if (!part.empty() && part != "." && !FitsEightDotThree(part))
                return false;
            start = i + 1;
        }
        i += width;
    }
    return true;
}

} // namespace tbarc
