#include "lzhStubMethods.h"

#include <algorithm>
#include <iterator>

namespace unlha32 {
namespace {

// Every stub is built from the same decoder (archivers/sfx/lzh); the 16-bit
// ones leave out -lh1-, -lzs- and -lz5- to stay under 20 KiB. -lhd- is a
// folder entry, no data.
const char* const kEveryStub[] = {"-lh0-", "-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lz4-", "-lhd-"};
const char* const kWin32Only[] = {"-lh1-", "-lzs-", "-lz5-"};

bool Listed(const char* const* first, const char* const* last, const std::string& method)
{
    return std::any_of(first, last, [&](const char* m) { return method == m; });
}

} // namespace

bool StubDecodes(tbarc::SfxKind kind, const std::string& method)
{
    if (Listed(std::begin(kEveryStub), std::end(kEveryStub), method))
        return true;
    return kind == tbarc::SfxKind::Win32 && Listed(std::begin(kWin32Only), std::end(kWin32Only), method);
}

} // namespace unlha32
