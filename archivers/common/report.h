// The short text a main call leaves in the caller's output buffer.
#pragma once

#include <cstdint>
#include <string>

namespace tbarc {

class Report {
public:
    void Line(const std::string& text);
    const std::string& Text() const { return text_; }
    // Copies as much as fits, always NUL-terminated; nothing when size is 0.
    void CopyTo(char* output, std::uint32_t outputSize, bool enabled) const;

private:
    std::string text_;
};

std::string HexCode(int code);

} // namespace tbarc
