// The four functions libcab32 exports.
#include "cab32.h"

#include "cabArchive.h"
#include "cabCommand.h"
#include "libraryCalls.h"

namespace {

const tbarc::Library kCab32 = {
    "cab32", "CAB32 is busy", cab32::kCabSyntax,
    []() -> std::unique_ptr<tbarc::ArchiveFormat> { return std::make_unique<cab32::CabArchive>(); }};

} // namespace

TB_EXPORT int Cab(void* /*window*/, const char* commandLine, char* output, uint32_t outputSize)
{
    return tbarc::MainCall(kCab32, commandLine, output, outputSize);
}

TB_EXPORT unsigned short CabGetVersion(void)
{
    return 100;
}

TB_EXPORT int CabGetRunning(void)
{
    return tbarc::RunningCall(kCab32);
}

TB_EXPORT int CabCheckArchive(const char* path, int /*mode*/)
{
    return tbarc::CheckArchiveCall(kCab32, path);
}
