#include "cabLayout.h"

#include "inputFile.h"

#include <cstring>

namespace cab32 {
namespace {

constexpr std::uint32_t kHeaderSize = 36;
constexpr std::uint16_t kHasPrevious = 0x0001;
constexpr std::uint16_t kHasNext = 0x0002;
constexpr std::uint16_t kHasReserve = 0x0004;
constexpr std::uint32_t kFileRecordFixed = 16;
constexpr std::uint32_t kFolderRecordFixed = 8;
constexpr std::size_t kMaxHead = 64u << 20;

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// Skips a NUL-terminated string at `at`; false when it runs past the buffer.
bool SkipString(const std::vector<std::uint8_t>& b, std::size_t& at)
{
    const void* nul = at < b.size() ? std::memchr(b.data() + at, 0, b.size() - at) : nullptr;
    if (nul == nullptr)
        return false;
    at = static_cast<const std::uint8_t*>(nul) - b.data() + 1;
    return true;
}

} // namespace

std::optional<CabLayout> ReadCabLayout(const tbarc::InputFile& input, std::uint64_t base)
{
    CabLayout layout;
    std::vector<std::uint8_t> header(kHeaderSize + 4);
    if (input.ReadAt(base, header.data(), header.size()) < kHeaderSize)
        return std::nullopt;
    layout.length = U32(header, 8);
    layout.filesOffset = U32(header, 16);
    layout.folderCount = static_cast<std::uint16_t>(U16(header, 26));
    const std::uint32_t fileCount = U16(header, 28);
    const std::uint32_t flags = U16(header, 30);
    if (layout.filesOffset >= layout.length || layout.filesOffset > kMaxHead)
        return std::nullopt;

    // The head is read in one piece: header, folder records, file records.
    std::vector<std::uint8_t>& head = layout.head;
    const std::size_t headLimit = std::min<std::size_t>(layout.length, kMaxHead);
    head.resize(std::min<std::size_t>(headLimit, layout.filesOffset + fileCount * (kFileRecordFixed + 256u)));
    head.resize(input.ReadAt(base, head.data(), head.size()));

    std::size_t at = kHeaderSize;
    std::uint32_t folderReserve = 0;
    if (flags & kHasReserve) {
        if (head.size() < at + 4)
            return std::nullopt;
        folderReserve = head[at + 2];
        at += 4 + U16(head, at);
    }
    for (const std::uint16_t link : {kHasPrevious, kHasNext}) {
        if ((flags & link) && !(SkipString(head, at) && SkipString(head, at)))
            return std::nullopt;
    }
    layout.foldersOffset = static_cast<std::uint32_t>(at);
    layout.folderRecordSize = kFolderRecordFixed + folderReserve;
    const std::size_t foldersEnd = at + layout.folderCount * layout.folderRecordSize;
    if (foldersEnd > layout.filesOffset || foldersEnd > head.size())
        return std::nullopt;
    for (std::uint32_t f = 0; f < layout.folderCount; ++f)
        layout.folderStarts.push_back(U32(head, at + f * layout.folderRecordSize));

    at = layout.filesOffset;
    for (std::uint32_t i = 0; i < fileCount; ++i) {
        CabFileRecord record;
        record.offset = static_cast<std::uint32_t>(at);
        if (at + kFileRecordFixed > head.size())
            return std::nullopt;
        record.folder = static_cast<std::uint16_t>(U16(head, at + 8));
        record.attribs = static_cast<std::uint16_t>(U16(head, at + 14));
        std::size_t nameAt = at + kFileRecordFixed;
        at = nameAt;
        if (!SkipString(head, at))
            return std::nullopt;
        record.name.assign(reinterpret_cast<const char*>(head.data() + nameAt), at - nameAt - 1);
        record.size = static_cast<std::uint32_t>(at - record.offset);
        layout.files.push_back(std::move(record));
    }
    layout.filesEnd = static_cast<std::uint32_t>(at);
    head.resize(at);
    return layout;
}

std::optional<std::vector<std::uint8_t>> HeadWithout(const CabLayout& layout,
                                                     const std::vector<bool>& leaveOut)
{
    std::vector<std::uint8_t> head(layout.head.begin(), layout.head.begin() + layout.filesOffset);
    std::uint32_t removed = 0;
    std::uint32_t kept = 0;
    for (std::size_t i = 0; i < layout.files.size(); ++i) {
        const CabFileRecord& r = layout.files[i];
        if (leaveOut[i]) {
            removed += r.size;
            continue;
        }
        head.insert(head.end(), layout.head.begin() + r.offset, layout.head.begin() + r.offset + r.size);
        ++kept;
    }
    Put32(head, 8, layout.length - removed);
    Put16(head, 28, kept);
    for (std::uint32_t f = 0; f < layout.folderCount; ++f) {
        const std::uint32_t dataStart = layout.folderStarts[f];
        if (dataStart < layout.filesEnd)
            return std::nullopt;
        Put32(head, layout.foldersOffset + f * layout.folderRecordSize, dataStart - removed);
    }
    return head;
}

} // namespace cab32
