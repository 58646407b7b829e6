#include "conversion.h"

#include "inputFile.h"
#include "outputFile.h"
#include "resultCodes.h"
#include "stubLocator.h"

#include <sys/stat.h>

namespace tbarc {
namespace {

int Fail(Report& report, int code, const std::string& why)
{
    report.Line("Error " + HexCode(code) + ": " + why);
    return code;
}

} // namespace

std::string FileBaseName(const std::string& path)
{
    const auto slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

int Convert(const Request& request, ArchiveFormat& format, Report& report)
{
    const char* stubName = format.StubFileName(request.kind);
    if (stubName == nullptr)
        return Fail(report, kUnsupportedKind,
                    std::string("no ") + SfxKindName(request.kind) + " self-extractor for " +
                        format.FormatName() + " archives");

    InputFile input;
    if (input.Open(request.archive) != kDone)
        return Fail(report, kCannotReadInput, "cannot read " + request.archive);
    std::string detail;
    if (const int rc = format.Locate(input, detail); rc != kDone)
        return Fail(report, rc, request.archive + ": " + detail);

    struct stat folder;
    if (stat(request.folder.empty() ? "." : request.folder.c_str(), &folder) != 0 ||
        !S_ISDIR(folder.st_mode))
        return Fail(report, kFolderNotWritable, "no output folder " + request.folder);

    const std::string fileName = FileBaseName(request.archive) + ".EXE";
    OutputFile out;
    std::string finalPath = request.folder;
    if (!finalPath.empty() && finalPath.back() != '/')
        finalPath += '/';
    finalPath += fileName;
    struct stat existing;
    if (lstat(finalPath.c_str(), &existing) == 0) {
        if (existing.st_dev == input.Stat().st_dev && existing.st_ino == input.Stat().st_ino)
            return Fail(report, kOutputIsInput, finalPath + " is the archive itself");
        if (S_ISDIR(existing.st_mode))
            return Fail(report, kFolderNotWritable, finalPath + " is a folder");
        if (!request.replaceExisting)
            return Fail(report, kOutputExists, finalPath + " exists (-+ replaces it)");
    }

    const StubBytes cachedStub = ReadStub(stubName);
    if (!cachedStub)
        return Fail(report, kUnsupportedKind,
                    std::string("the ") + SfxKindName(request.kind) + " stub " + stubName +
                        " is not installed");

    const std::vector<EntryName> entries = format.Entries();
    std::vector<bool> leaveOut(entries.size(), false);
    std::size_t leftOut = 0;
    if (request.leaveOutForeignNames) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!NameFitsTarget(entries[i].raw, entries[i].encoding, request.kind)) {
                leaveOut[i] = true;
                ++leftOut;
                report.Line("left out: " + entries[i].raw);
            }
        }
        if (leftOut == entries.size())
            return Fail(report, kNothingLeft, "every entry would be left out");
    }
    if (const int rc = format.CheckStubDecodes(request.kind, leaveOut, detail); rc != kDone)
        return Fail(report, rc, request.archive + ": " + detail);

    // The stub read is shared by every call of this process: adapt a copy.
    std::vector<char> stub = *cachedStub;
    format.AdaptStub(request.kind, finalPath, stub);
    int rc = out.Create(request.folder, fileName);
    if (rc == kDone)
        rc = out.Write(stub.data(), stub.size());
    if (rc == kDone)
        rc = format.WriteArchive(input, leaveOut, out);
    if (rc == kDone)
        rc = out.Commit(request.replaceExisting,
                        request.keepArchiveTime ? &input.Stat().st_mtim : nullptr);
    if (rc != kDone)
        return Fail(report, rc,
                    rc == kDiskFull ? "not enough space for " + finalPath
                    : rc == kOutputExists ? finalPath + " exists (-+ replaces it)"
                                          : "cannot write " + finalPath);

    report.Line("Made " + finalPath + " (" + SfxKindName(request.kind) + " " +
                format.FormatName() + " self-extractor, " + std::to_string(out.BytesWritten()) +
                " bytes)");
    if (leftOut > 0)
        report.Line("entries left out: " + std::to_string(leftOut));
    return leftOut > static_cast<std::size_t>(kMaxLeftOutCount) ? kMaxLeftOutCount
                                                                : static_cast<int>(leftOut);
}

} // namespace tbarc
