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

// <folder>/<archive base name>.EXE
std::string OutputPath(const Request& request)
{
    std::string path = request.folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + FileBaseName(request.archive) + ".EXE";
}

// The output folder exists, and the output path may be written: it is not
// the archive itself nor a folder, and a file already there is replaced
// only when the request asks for it.
int CheckOutputPlace(const Request& request, const InputFile& input, const std::string& outputPath,
                     Report& report)
{
    struct stat folder;
    if (stat(request.folder.empty() ? "." : request.folder.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return Fail(report, kFolderNotWritable, "no output folder " + request.folder);
    struct stat existing;
    if (lstat(outputPath.c_str(), &existing) != 0)
        return kDone;
    if (existing.st_dev == input.Stat().st_dev && existing.st_ino == input.Stat().st_ino)
        return Fail(report, kOutputIsInput, outputPath + " is the archive itself");
    if (S_ISDIR(existing.st_mode))
        return Fail(report, kFolderNotWritable, outputPath + " is a folder");
    if (!request.replaceExisting)
        return Fail(report, kOutputExists, outputPath + " exists (-+ replaces it)");
    return kDone;
}

// Which entries stay out of the self-extractor: with -gu0 those whose names
// the target system cannot hold, each reported.
struct LeftOutEntries {
    std::vector<bool> marks; // one per entry, true when it is left out
    std::size_t count = 0;
};

LeftOutEntries ChooseLeftOutEntries(const Request& request, const ArchiveFormat& format, Report& report)
{
    const std::vector<EntryName> entries = format.Entries();
    LeftOutEntries leftOut{std::vector<bool>(entries.size(), false)};
    if (!request.leaveOutForeignNames)
        return leftOut;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!NameFitsTarget(entries[i].raw, entries[i].encoding, request.kind)) {
            leftOut.marks[i] = true;
            ++leftOut.count;
            report.Line("left out: " + entries[i].raw);
        }
    }
    return leftOut;
}

// The stub, then the archive without its left-out entries, written under a
// scratch name and moved to outputPath at the end.
int WriteSelfExtractor(const Request& request, ArchiveFormat& format, const InputFile& input,
                       const std::vector<char>& cachedStub, const std::vector<bool>& leaveOut,
                       const std::string& outputPath, OutputFile& out, Report& report)
{
    // The stub read is shared by every call of this process: adapt a copy.
    std::vector<char> stub = cachedStub;
    format.AdaptStub(request.kind, outputPath, stub);
    int rc = out.Create(request.folder, FileBaseName(request.archive) + ".EXE");
    if (rc == kDone)
        rc = out.Write(stub.data(), stub.size());
    if (rc == kDone)
        rc = format.WriteArchive(input, leaveOut, out);
    if (rc == kDone)
        rc = out.Commit(request.replaceExisting, request.keepArchiveTime ? &input.Stat().st_mtim : nullptr);
    if (rc == kDone)
        return kDone;
    return Fail(report, rc,
                rc == kDiskFull           ? "not enough space for " + outputPath
                    : rc == kOutputExists ? outputPath + " exists (-+ replaces it)"
                                          : "cannot write " + outputPath);
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
                    std::string("no ") + SfxKindName(request.kind) + " self-extractor for "
                        + format.FormatName() + " archives");

    InputFile input;
    if (input.Open(request.archive) != kDone)
        return Fail(report, kCannotReadInput, "cannot read " + request.archive);
    std::string detail;
    if (const int rc = format.Locate(input, detail); rc != kDone)
        return Fail(report, rc, request.archive + ": " + detail);

    const std::string outputPath = OutputPath(request);
    if (const int rc = CheckOutputPlace(request, input, outputPath, report); rc != kDone)
        return rc;

    const StubBytes cachedStub = ReadStub(stubName);
    if (!cachedStub)
        return Fail(report, kUnsupportedKind,
                    std::string("the ") + SfxKindName(request.kind) + " stub " + stubName
                        + " is not installed");

    const LeftOutEntries leftOut = ChooseLeftOutEntries(request, format, report);
    if (request.leaveOutForeignNames && leftOut.count == leftOut.marks.size())
        return Fail(report, kNothingLeft, "every entry would be left out");
    if (const int rc = format.CheckStubDecodes(request.kind, leftOut.marks, detail); rc != kDone)
        return Fail(report, rc, request.archive + ": " + detail);

    OutputFile out;
    if (const int rc =
            WriteSelfExtractor(request, format, input, *cachedStub, leftOut.marks, outputPath, out, report);
        rc != kDone)
        return rc;

    report.Line("Made " + outputPath + " (" + SfxKindName(request.kind) + " " + format.FormatName()
                + " self-extractor, " + std::to_string(out.BytesWritten()) + " bytes)");
    if (leftOut.count > 0)
        report.Line("entries left out: " + std::to_string(leftOut.count));
    return leftOut.count > static_cast<std::size_t>(kMaxLeftOutCount) ? kMaxLeftOutCount
                                                                      : static_cast<int>(leftOut.count);
}

} // namespace tbarc
