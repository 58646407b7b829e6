#include "searchWindow.h"

#include "inputFile.h"

extern "C" {
#include "sfximage.h"
}

#include <algorithm>
#include <cstring>
#include <string_view>

#include <strings.h>

namespace tbarc {
namespace {

unsigned long ReadForImage(const void* context, unsigned long offset, unsigned char* buffer,
                           unsigned long size)
{
    return static_cast<const InputFile*>(context)->ReadAt(offset, buffer, size);
}

std::uint32_t Big32(const unsigned char* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The end of an X68000 .X program in its file: the 64-byte header, then the
// text, data, relocation, symbol and three debug tables its header counts.
// 0 when they claim more than the file holds.
std::uint64_t X68000ImageEnd(const InputFile& input)
{
    unsigned char header[64];
    if (input.ReadAt(0, header, sizeof header) != sizeof header)
        return 0;
    std::uint64_t end = sizeof header;
    for (const int field : {0x0C, 0x10, 0x18, 0x1C, 0x20, 0x24, 0x28})
        end += Big32(header + field);
    return end <= input.Size() ? end : 0;
}

// The end of PMarc's self-extractor: its program poses as a first member
// of method "-pms-" (a level-0 header: its size, then at offset 7 the
// length of the data behind it), and the archive follows that member.
std::uint64_t PmarcImageEnd(const InputFile& input)
{
    unsigned char header[11];
    if (input.ReadAt(0, header, sizeof header) != sizeof header)
        return 0;
    const std::uint64_t end = 2 + std::uint64_t{header[0]}
        + (std::uint32_t{header[7]} | std::uint32_t{header[8]} << 8 | std::uint32_t{header[9]} << 16
           | std::uint32_t{header[10]} << 24);
    return end <= input.Size() ? end : 0;
}

bool NamedCom(const InputFile& input)
{
    const std::string_view path = input.Path();
    return path.size() > 4 && strncasecmp(path.data() + path.size() - 4, ".com", 4) == 0;
}

SearchWindow From(ArchivePlace place, const InputFile& input, std::uint64_t start)
{
    return {place, start, std::min(input.Size(), start + kSearchWindowSize)};
}

SearchWindow InProgram(const InputFile& input, std::uint64_t imageEnd)
{
    return From(ArchivePlace::InProgram, input, imageEnd);
}

} // namespace

SearchWindow ArchiveSearchWindow(const InputFile& input)
{
    unsigned char head[7] = {};
    input.ReadAt(0, head, sizeof head);
    if (head[0] == 'M' && head[1] == 'Z') {
        const sfx_file file{ReadForImage, &input, input.Size()};
        sfx_found_seal seal;
        if (sfx_own_seal(&file, &seal) != 0)
            return From(ArchivePlace::Sealed, input, seal.offset);
        return InProgram(input, sfx_image_end(&file));
    }
    // X68000 .X: "HU", a reserved 0 and the load mode (0-2).
    if (head[0] == 'H' && head[1] == 'U' && head[2] == 0 && head[3] <= 2)
        return InProgram(input, X68000ImageEnd(input));
    if (std::memcmp(head + 2, "-pms-", 5) == 0)
        return InProgram(input, PmarcImageEnd(input));
    // Programs with no header field that says where they end: Atari ST
    // (0x601A, then a text size below 16 MiB; LHarc's self-extractor keeps
    // its archive inside the text), Amiga (a hunk header; the archive in an
    // overlay), and DOS or CP/M .COM files, which have no header at all.
    const bool atari = head[0] == 0x60 && head[1] == 0x1A && head[2] == 0;
    const bool amiga = std::memcmp(head, "\0\0\x03\xF3", 4) == 0;
    if (atari || amiga || NamedCom(input))
        return InProgram(input, 0);
    return From(ArchivePlace::Plain, input, 0);
}

} // namespace tbarc
