#include "conversion.h"

#include "folderNames.h"
#include "inputFile.h"
#include "outputFile.h"
#include "resultCodes.h"
#include "stubLocator.h"
#include "stubSeal.h"

#include <mutex>
#include <optional>
#include <utility>

#include <sys/stat.h>

namespace tbarc {
namespace {

int Fail(Report& report, int code, const std::string& why)
{
    report.Line("Error " + HexCode(code) + ": " + why);
    return code;
}

// The output folder as the request names it, ending with '/'.
std::string OutputFolder(const Request& request)
{
    std::string folder = request.folder.empty() ? std::string("./") : request.folder;
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

// Whether the file at path may be replaced by the output; kDone when nothing
// is there.
int CheckExisting(const Request& request, const InputFile& input, const std::string& path, Report& report)
{
    struct stat existing;
    if (lstat(path.c_str(), &existing) != 0)
        return kDone;
    if (existing.st_dev == input.Stat().st_dev && existing.st_ino == input.Stat().st_ino)
        return Fail(report, kOutputIsInput, path + " is the archive itself");
    if (S_ISDIR(existing.st_mode))
        return Fail(report, kOutputNotWritable, path + " is a folder");
    if (!request.replaceExisting)
        return Fail(report, kOutputExists, path + " exists (-+ replaces it)");
    return kDone;
}

// The output folder exists, and the output may be written: no file of its
// name, nor of a name that differs only in letter case (the same file where
// the options come from), is the archive itself or a folder, and such a file
// is replaced only when the request asks for it. found: from one look at the
// folder, the files of other spellings that the output replaces and the
// names of scratch files there.
int CheckOutputPlace(const Request& request, const InputFile& input, const std::string& folderPath,
                     const std::string& fileName, FolderNames::Matches& found, Report& report)
{
    struct stat folder;
    if (stat(folderPath.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return Fail(report, kFolderNotWritable, "no output folder " + request.folder);
    if (const int rc = CheckExisting(request, input, folderPath + fileName, report); rc != kDone)
        return rc;
    found = KnownFolderNames().Match(folderPath, folder, fileName, kScratchPrefix);
    for (const std::string& twin : found.twins) {
        if (const int rc = CheckExisting(request, input, folderPath + twin, report); rc != kDone)
            return rc;
    }
    return kDone;
}

// Which entries stay out of the self-extractor: with -gu0 those whose names
// the stubs refuse or the target system cannot hold, each reported.
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
        if (!entries[i].writable || !NameFitsKind(entries[i].raw, entries[i].encoding, request.kind)) {
            leftOut.marks[i] = true;
            ++leftOut.count;
            report.Line("left out: " + entries[i].raw);
        }
    }
    return leftOut;
}

// The stub, then the archive without its left-out entries (checked on the
// way unless the request says otherwise), then the stub's seal; written under
// a scratch name and moved to outputPath at the end.
int WriteSelfExtractor(const Request& request, ArchiveFormat& format, const InputFile& input,
                       const std::vector<char>& cachedStub, std::size_t sealSlot,
                       const std::vector<bool>& leaveOut, const std::string& outputPath, OutputFile& out,
                       Report& report)
{
    // The stub read is shared by every call of this process: adapt a copy,
    // kept from call to call on this thread so that it needs no new memory.
    thread_local std::vector<char> stub;
    stub.assign(cachedStub.begin(), cachedStub.end());
    format.AdaptStub(request.kind, outputPath, stub);
    std::string detail;
    int rc = out.Create(request.folder, SelfExtractorName(request.archive));
    if (rc == kDone)
        rc = out.Write(stub.data(), stub.size());
    if (rc == kDone) {
        out.BeginArchive();
        rc = format.WriteArchive(input, leaveOut, request.verify, out, detail);
    }
    if (rc == kDone)
        rc = out.Seal(sealSlot);
    const struct timespec* time = request.keepArchiveTime ? &input.Stat().st_mtim : nullptr;
    if (rc == kDone)
        rc = request.handOverSocket >= 0 ? out.HandOver(request.handOverSocket, request.replaceExisting, time)
                                         : out.Commit(request.replaceExisting, time);
    switch (rc) {
    case kDone: return kDone;
    case kDiskFull: return Fail(report, rc, "not enough space for " + outputPath);
    case kOutputExists: return Fail(report, rc, outputPath + " exists (-+ replaces it)");
    case kFolderNotWritable: return Fail(report, rc, "cannot write into the folder of " + outputPath);
    case kDamagedData:
    case kUnsupportedMethod:
    case kCannotReadInput:
        return Fail(report, rc,
                    request.archive + ": " + (detail.empty() ? "cannot be read to its end" : detail));
    case kUnsupportedArchive:
        return Fail(report, rc,
                    request.archive + ": " + (detail.empty() ? "too large for a self-extractor" : detail));
    default: return Fail(report, rc, "cannot write " + outputPath);
    }
}

// The seal slot of a stub as ReadStub shares it: the same bytes serve every
// call until the stub changes on disk, so they are searched once.
std::optional<std::size_t> SealSlotOf(const StubBytes& stub)
{
    static std::mutex mutex;
    static StubBytes searched;
    static std::optional<std::size_t> slot;
    const std::lock_guard<std::mutex> lock(mutex);
    if (stub != searched) {
        slot = FindSealSlot(*stub);
        searched = stub;
    }
    return slot;
}

} // namespace

int Convert(const Request& request, ArchiveFormat& format, Report& report)
{
    if (request.folder.empty())
        return Fail(report, kBadCommand, "the output folder is empty");
    const char* stubName = format.StubFileName(request.kind);
    if (stubName == nullptr)
        return Fail(report, kUnsupportedKind,
                    std::string("no ") + SfxKindName(request.kind) + " self-extractor for "
                        + format.FormatName() + " archives");

    InputFile input;
    if (input.Open(request.archive) != kDone)
        return Fail(report, kCannotReadInput, "cannot read " + request.archive);
    std::string detail;
    if (request.verify)
        format.ExpectVerification();
    if (const int rc = format.Locate(input, detail); rc != kDone)
        return Fail(report, rc, request.archive + ": " + detail);

    const std::string folderPath = OutputFolder(request);
    const std::string fileName = SelfExtractorName(request.archive);
    const std::string outputPath = folderPath + fileName;
    FolderNames::Matches found;
    if (const int rc = CheckOutputPlace(request, input, folderPath, fileName, found, report); rc != kDone)
        return rc;

    const StubBytes cachedStub = ReadStub(stubName);
    if (!cachedStub)
        return Fail(report, kUnsupportedKind,
                    std::string("the ") + SfxKindName(request.kind) + " stub " + stubName
                        + " is not installed");
    const std::optional<std::size_t> sealSlot = SealSlotOf(cachedStub);
    if (!sealSlot)
        return Fail(report, kUnsupportedKind,
                    std::string("the ") + SfxKindName(request.kind) + " stub " + stubName
                        + " has no seal record");

    const LeftOutEntries leftOut = ChooseLeftOutEntries(request, format, report);
    if (request.leaveOutForeignNames && leftOut.count == leftOut.marks.size())
        return Fail(report, kNothingLeft, "every entry would be left out");
    if (const int rc = format.CheckStubDecodes(request.kind, leftOut.marks, detail); rc != kDone)
        return Fail(report, rc, request.archive + ": " + detail);

    RemoveStaleScratchFiles(folderPath, std::move(found.starting));
    OutputFile out;
    if (const int rc = WriteSelfExtractor(request, format, input, *cachedStub, *sealSlot, leftOut.marks,
                                          outputPath, out, report);
        rc != kDone)
        return rc;
    // A file handed over is placed, and its other spellings removed, by
    // whoever placed it.
    if (request.handOverSocket < 0)
        RemoveReplacedSpellings(folderPath, fileName, found.twins, &report);

    report.Line((request.handOverSocket < 0 ? "Made " : "Made (handed over unplaced) ") + outputPath + " ("
                + SfxKindName(request.kind) + " " + format.FormatName() + " self-extractor, "
                + std::to_string(out.BytesWritten()) + " bytes)");
    if (leftOut.count > 0)
        report.Line("entries left out: " + std::to_string(leftOut.count));
    return leftOut.count > static_cast<std::size_t>(kMaxLeftOutCount) ? kMaxLeftOutCount
                                                                      : static_cast<int>(leftOut.count);
}

} // namespace tbarc
