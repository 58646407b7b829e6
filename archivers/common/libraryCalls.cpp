#include "libraryCalls.h"

#include "conversion.h"
#include "inputFile.h"
#include "libraryLock.h"
#include "report.h"
#include "resultCodes.h"

#include <new>

namespace tbarc {
namespace {

int RunCommand(const Library& library, const char* commandLine, Report& report, bool& writeReport)
{
    Request request;
    std::string why;
    if (const int rc = ParseCommand(library.syntax, commandLine, request, why); rc != kDone) {
        report.Line("Error " + HexCode(rc) + ": " + why);
        return rc;
    }
    writeReport = request.writeReport;
    LibraryLock lock(library.lockName);
    if (!lock.TryAcquire()) {
        report.Line("Error " + HexCode(kBusy) + ": " + library.busyMessage);
        return kBusy;
    }
    const auto format = library.makeFormat();
    return Convert(request, *format, report);
}

} // namespace

int MainCall(const Library& library, const char* commandLine, char* output, std::uint32_t outputSize)
{
    Report report;
    bool writeReport = true;
    int rc;
    try {
        rc = RunCommand(library, commandLine, report, writeReport);
    } catch (const std::bad_alloc&) {
        rc = kInternalError;
        report.Line("Error " + HexCode(rc) + ": out of memory");
    } catch (...) {
        rc = kInternalError;
    }
    report.CopyTo(output, outputSize, writeReport);
    return rc;
}

int RunningCall(const Library& library)
{
    return LibraryLock::IsHeld(library.lockName) ? 1 : 0;
}

int CheckArchiveCall(const Library& library, const char* path)
{
    try {
        if (path == nullptr)
            return 0;
        InputFile input;
        if (input.Open(path) != kDone)
            return 0;
        return library.makeFormat()->Check(input) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // namespace tbarc
