// The four functions libcab32 exports.
#include "cab32.h"

#include "cabArchive.h"
#include "cabCommand.h"
#include "conversion.h"
#include "inputFile.h"
#include "libraryLock.h"
#include "report.h"
#include "resultCodes.h"

#include <new>

#define TB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr const char* kLockName = "cab32";
constexpr unsigned short kVersion = 100;

int RunCommand(const char* commandLine, tbarc::Report& report, bool& writeReport)
{
    tbarc::Request request;
    std::string why;
    if (const int rc = cab32::ParseCabCommand(commandLine, request, why); rc != tbarc::kDone) {
        report.Line("Error " + tbarc::HexCode(rc) + ": " + why);
        return rc;
    }
    writeReport = request.writeReport;
    tbarc::LibraryLock lock(kLockName);
    if (!lock.TryAcquire()) {
        report.Line("Error " + tbarc::HexCode(tbarc::kBusy) + ": CAB32 is busy");
        return tbarc::kBusy;
    }
    cab32::CabArchive archive;
    return tbarc::Convert(request, archive, report);
}

} // namespace

TB_EXPORT int Cab(void* /*window*/, const char* commandLine, char* output, uint32_t outputSize)
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

TB_EXPORT unsigned short CabGetVersion(void)
{
    return kVersion;
}

TB_EXPORT int CabGetRunning(void)
{
    return tbarc::LibraryLock::IsHeld(kLockName) ? 1 : 0;
}

TB_EXPORT int CabCheckArchive(const char* path, int /*mode*/)
{
    try {
        if (path == nullptr)
            return 0;
        tbarc::InputFile input;
        if (input.Open(path) != tbarc::kDone)
            return 0;
        cab32::CabArchive archive;
        return archive.Check(input) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
