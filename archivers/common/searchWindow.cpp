#include "searchWindow.h"

#include "inputFile.h"

#include <algorithm>

namespace tbarc {
namespace {

std::uint32_t Little(const unsigned char* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// The end of a PE image's last section in the file, 0 when the file has
// no PE header or its section table does not fit.
std::uint64_t PeImageEnd(const InputFile& input, std::uint32_t peHeader)
{
    unsigned char header[24];
    if (input.ReadAt(peHeader, header, sizeof header) != sizeof header || Little(header, 4) != 0x00004550)
        return 0;
    const std::uint32_t sections = Little(header + 6, 2);
    std::uint64_t table = std::uint64_t{peHeader} + 24 + Little(header + 20, 2);
    std::uint64_t end = 0;
    for (std::uint32_t i = 0; i < sections; ++i, table += 40) {
        unsigned char section[40];
        if (input.ReadAt(table, section, sizeof section) != sizeof section)
            return 0;
        end = std::max<std::uint64_t>(end, std::uint64_t{Little(section + 20, 4)} + Little(section + 16, 4));
    }
    return end;
}

// Where the program of an executable ends in its file: the overlay of a PE
// image, otherwise the end of what DOS loads of an MZ program (for an NE
// program that is its DOS part: the window then covers the Windows part).
std::uint64_t ImageEnd(const InputFile& input)
{
    unsigned char mz[64];
    if (input.ReadAt(0, mz, sizeof mz) != sizeof mz || mz[0] != 'M' || mz[1] != 'Z')
        return 0;
    if (const std::uint64_t pe = PeImageEnd(input, Little(mz + 0x3C, 4)); pe > 0 && pe <= input.Size())
        return pe;
    const std::uint32_t lastPage = Little(mz + 2, 2), pages = Little(mz + 4, 2);
    const std::uint64_t end = std::uint64_t{pages} * 512 - (lastPage != 0 ? 512 - lastPage : 0);
    return end <= input.Size() ? end : 0;
}

} // namespace

SearchWindow ArchiveSearchWindow(const InputFile& input)
{
    SearchWindow window;
    window.start = ImageEnd(input);
    window.end = std::min(input.Size(), window.start + kSearchWindowSize);
    return window;
}

} // namespace tbarc
