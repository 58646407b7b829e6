#include "report.h"

#include <cstdio>
#include <cstring>

namespace tbarc {

void Report::Line(const std::string& text)
{
    text_ += text;
    text_ += '\n';
}

void Report::CopyTo(char* output, std::uint32_t outputSize, bool enabled) const
{
    if (output == nullptr || outputSize == 0)
        return;
    const std::size_t n = enabled ? std::min<std::size_t>(text_.size(), outputSize - 1) : 0;
    std::memcpy(output, text_.data(), n);
    output[n] = '\0';
}

std::string HexCode(int code)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(code));
    return buf;
}

} // namespace tbarc
