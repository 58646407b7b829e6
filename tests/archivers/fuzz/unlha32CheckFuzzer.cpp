// libFuzzer target: UnlhaCheckArchive or CabCheckArchive (chosen at build time)
// on arbitrary bytes. The check must answer 0 or 1 and never crash, hang or leak.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#ifdef TB_FUZZ_CAB
#include "cab32.h"
#define CHECK CabCheckArchive
#else
#include "unlha32.h"
#define CHECK UnlhaCheckArchive
#endif

namespace {

const std::string& InputPath()
{
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp != nullptr ? tmp : "/tmp") + "/tb-check-fuzz-" + std::to_string(getpid());
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FILE* f = std::fopen(InputPath().c_str(), "wb");
    if (f == nullptr)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const int verdict = CHECK(InputPath().c_str(), 1);
    if (verdict != 0 && verdict != 1)
        std::abort();
    std::remove(InputPath().c_str());
    return 0;
}
