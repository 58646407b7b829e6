#include "win16ModuleName.h"

#include "conversion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace unlha32 {
namespace {

constexpr std::size_t kNameLength = 8;

unsigned Word(const std::vector<char>& b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

char NameCharacter(char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return c;
    return '_';
}

// Four characters of the output's file name, then four of a hash of its whole
// path. The hash tells apart names that share their start or that lose their
// characters (Japanese names), and keeps a file called USER or GDI from
// taking the name of a Windows module.
std::string ModuleName(const std::string& outputPath)
{
    std::string name;
    for (char c : tbarc::FileBaseName(outputPath))
        name += NameCharacter(c);
    if (name.empty() || name[0] < 'A' || name[0] > 'Z')
        name.insert(name.begin(), 'X');
    name.resize(kNameLength / 2, '_');

    std::uint32_t hash = 2166136261u; // FNV-1a
    for (char c : outputPath)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t i = 0; i < kNameLength / 2; ++i, hash /= 36)
        name += digits[hash % 36];
    return name;
}

} // namespace

void NameWin16Module(std::vector<char>& stub, const std::string& outputPath)
{
    constexpr std::size_t kNewHeaderAt = 0x3C, kResidentNamesAt = 0x26, kModuleRefsAt = 0x28;
    if (stub.size() < 0x40 || stub[0] != 'M' || stub[1] != 'Z')
        return;
    const std::size_t ne = Word(stub, kNewHeaderAt) | std::size_t{Word(stub, kNewHeaderAt + 2)} << 16;
    if (ne > stub.size() - 0x40 || stub[ne] != 'N' || stub[ne + 1] != 'E')
        return;
    // The reserved entry: length 8, the name, ordinal 0, then at least the
    // table's closing 0 before the next table.
    const std::size_t entry = ne + Word(stub, ne + kResidentNamesAt);
    const std::size_t tableEnd = ne + Word(stub, ne + kModuleRefsAt);
    if (tableEnd > stub.size() || entry + 1 + kNameLength + 2 + 1 > tableEnd
        || static_cast<unsigned char>(stub[entry]) != kNameLength)
        return;
    const std::string name = ModuleName(outputPath);
    std::copy(name.begin(), name.end(), stub.begin() + static_cast<std::ptrdiff_t>(entry) + 1);
}

} // namespace unlha32
