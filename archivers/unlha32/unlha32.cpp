// The four functions libunlha32 exports.
#include "unlha32.h"

#include "conversion.h"
#include "inputFile.h"
#include "libraryLock.h"
#include "lzhArchive.h"
#include "lzhCommand.h"
#include "report.h"
#include "resultCodes.h"

#include <new>

#define TB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr const char* kLockName = "unlha32";
constexpr unsigned short kVersion = 100;

int RunCommand(const char* commandLine, tbarc::Report& report, bool& writeReport)
{
    tbarc::Request request;
    std::string why;
    if (const int rc = unlha32::ParseLzhCommand(commandLine, request, why); rc != tbarc::kDone) {
        report.Line("Error " + tbarc::HexCode(rc) + ": " + why);
        return rc;
    }
    writeReport = request.writeReport;
    tbarc::LibraryLock lock(kLockName);
    if (!lock.TryAcquire()) {
        report.Line("Error " + tbarc::HexCode(tbarc::kBusy) + ": UNLHA32 is busy");
        return tbarc::kBusy;
    }
    unlha32::LzhArchive archive;
    return tbarc::Convert(request, archive, report);
}

} // namespace

TB_EXPORT int Unlha(void* /*window*/, const char* commandLine, char* output, uint32_t outputSize)
{
    tbarc::Report report;
    bool writeReport = true;
    int rc;
    try {
        rc = RunCommand(commandLine, report, writeReport);
    } catch (const std::bad_alloc&) {
        rc = tbarc::kInternalError;
        report.Line("Error " + tbarc::HexCode(rc) + ": out of memory");
    } catch (...) {
        rc = tbarc::kInternalError;
    }
    report.CopyTo(output, outputSize, writeReport);
    return rc;
}

TB_EXPORT unsigned short UnlhaGetVersion(void)
{
    return kVersion;
}

TB_EXPORT int UnlhaGetRunning(void)
{
    return tbarc::LibraryLock::IsHeld(kLockName) ? 1 : 0;
}

TB_EXPORT int UnlhaCheckArchive(const char* path, int /*mode*/)
{
    try {
        if (path == nullptr)
            return 0;
        tbarc::InputFile input;
        if (input.Open(path) != tbarc::kDone)
            return 0;
        unlha32::LzhArchive archive;
        std::string detail;
        return archive.Locate(input, detail) == tbarc::kDone ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
