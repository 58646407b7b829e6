// The four functions libunlha32 exports.
#include "unlha32.h"

#include "libraryCalls.h"
#include "lzhArchive.h"
#include "lzhCommand.h"

namespace {

const tbarc::Library kUnlha32 = {
    "unlha32", "UNLHA32 is busy", unlha32::kLzhSyntax,
    []() -> std::unique_ptr<tbarc::ArchiveFormat> { return std::make_unique<unlha32::LzhArchive>(); }};

} // namespace

TB_EXPORT int Unlha(void* /*window*/, const char* commandLine, char* output, uint32_t outputSize)
{
    return tbarc::MainCall(kUnlha32, commandLine, output, outputSize);
}

TB_EXPORT unsigned short UnlhaGetVersion(void)
{
    return 100;
}

TB_EXPORT int UnlhaGetRunning(void)
{
    return tbarc::RunningCall(kUnlha32);
}

TB_EXPORT int UnlhaCheckArchive(const char* path, int /*mode*/)
{
    return tbarc::CheckArchiveCall(kUnlha32, path);
}
