#include "namePolicy.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace tbarc {
namespace {

bool IsShiftJisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Splits at '/' and '\\', never at a Shift_JIS trail byte (which may be 0x5C).
// Each component is kept as bytes, with a flag per byte telling whether it is a
// single character (and so may be checked as ASCII).
struct Component {
    std::string bytes;
    std::vector<bool> single;
};

std::vector<Component> SplitName(std::string_view name, NameEncoding encoding, bool& absolute)
{
    std::vector<Component> parts(1);
    absolute = !name.empty() && (name[0] == '/' || name[0] == '\\');
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (encoding == NameEncoding::Ansi && IsShiftJisLead(c) && i + 1 < name.size()) {
            parts.back().bytes += name.substr(i, 2);
            parts.back().single.insert(parts.back().single.end(), {false, false});
            ++i;
        } else if (c == '/' || c == '\\') {
            parts.emplace_back();
        } else {
            parts.back().bytes += static_cast<char>(c);
            parts.back().single.push_back(true);
        }
    }
    return parts;
}

bool IsDeviceName(const std::string& component)
{
    // The device is reached whatever extension follows its name: "CON.TXT" too.
    std::string stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (auto& ch : stem)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    static const std::array<const char*, 4> fixed = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : fixed)
        if (stem == device)
            return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)
        && stem[3] >= '1' && stem[3] <= '9';
}

bool HasForbiddenCharacter(const Component& part)
{
    for (std::size_t i = 0; i < part.bytes.size(); ++i) {
        if (!part.single[i])
            continue;
        const auto c = static_cast<unsigned char>(part.bytes[i]);
        if (c < 0x20 || c == 0x7F)
            return true;
        switch (c) {
        case '<':
        case '>':
        case ':':
        case '"':
        case '|':
        case '?':
        case '*': return true;
        default: break;
        }
    }
    return false;
}

bool FitsEightDotThree(const std::string& component)
{
    const auto dot = component.find('.');
    if (dot == std::string::npos)
        return component.size() <= 8;
    return dot >= 1 && dot <= 8 && component.find('.', dot + 1) == std::string::npos
        && component.size() - dot - 1 <= 3;
}

} // namespace

bool NameFitsTarget(std::string_view rawName, NameEncoding encoding, SfxKind kind)
{
    bool absolute = false;
    const std::vector<Component> parts = SplitName(rawName, encoding, absolute);
    if (absolute)
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& text = parts[i].bytes;
        // "a//b" and a trailing separator (a folder entry) are harmless.
        if (text.empty())
            continue;
        if (text == "..")
            return false;
        if (text == ".")
            continue;
        if (HasForbiddenCharacter(parts[i]) || IsDeviceName(text))
            return false;
        // Windows drops trailing dots and blanks, so the name would change.
        if (text.back() == '.' || text.back() == ' ')
            return false;
        if (kind != SfxKind::Win32 && !FitsEightDotThree(text))
            return false;
    }
    return true;
}

} // namespace tbarc
