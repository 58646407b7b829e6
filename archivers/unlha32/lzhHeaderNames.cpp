#include "lzhHeaderNames.h"

namespace unlha32 {
namespace {

constexpr std::uint8_t kFileNameHeader = 0x01;
constexpr std::uint8_t kFolderNameHeader = 0x02;

std::uint32_t Little(const std::uint8_t* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

} // namespace

std::string StoredName(const std::uint8_t* raw, std::size_t length, int level)
{
    std::string folder;
    std::string name;
    std::size_t next = 0; // offset of the size field of the first extended header
    int sizeBytes = 2;
    if (level == 0 || level == 1) {
        if (length < 22 || 22u + raw[21] > length)
            return {};
        name.assign(reinterpret_cast<const char*>(raw + 22), raw[21]);
        if (level == 0)
            return name;
        next = static_cast<std::size_t>(raw[0]); // base header size + 2 - the size field
    } else if (level == 2) {
        next = 24;
    } else {
        next = 28;
        sizeBytes = 4;
    }
    while (next + sizeBytes <= length) {
        const std::uint32_t size = Little(raw + next, sizeBytes);
        if (size == 0 || size < static_cast<std::uint32_t>(sizeBytes) + 1
            || next + sizeBytes + size > length + sizeBytes)
            break;
        const std::uint8_t* body = raw + next + sizeBytes;
        const std::size_t bodyLength = size - sizeBytes - 1;
        if (next + sizeBytes + 1 + bodyLength > length)
            break;
        if (body[0] == kFileNameHeader)
            name.assign(reinterpret_cast<const char*>(body + 1), bodyLength);
        else if (body[0] == kFolderNameHeader)
            folder.assign(reinterpret_cast<const char*>(body + 1), bodyLength);
        next += size;
    }
    // Folder names use 0xFF between their parts.
    for (char& c : folder)
        if (static_cast<std::uint8_t>(c) == 0xFF)
            c = '/';
    if (!folder.empty() && folder.back() != '/' && !name.empty())
        folder += '/';
    return folder + name;
}

} // namespace unlha32
