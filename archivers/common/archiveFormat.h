// What the conversion needs to know of an archive format; libunlha32 and
// libcab32 each implement it with their reader (the stubs' own LZH decoder,
// libmspack).
#pragma once

#include "namePolicy.h"
#include "resultCodes.h"
#include "sfxKind.h"

#include <string>
#include <vector>

namespace tbarc {

class InputFile;
class OutputFile;

struct EntryName {
    std::string raw; // as stored, folders separated by '/' or '\\'
    NameEncoding encoding = NameEncoding::Ansi;
    bool writable = true; // the self-extractor writes it (the stubs' shared name rules)
};

class ArchiveFormat {
public:
    virtual ~ArchiveFormat() = default;

    virtual const char* FormatName() const = 0;
    // The stub file in sfx/ for this kind, or nullptr when the format has none.
    virtual const char* StubFileName(SfxKind kind) const = 0;
    // Finds the archive in the input and checks its structure; kDone or an error
    // code (kNotAnArchive, kCorruptArchive, kUnsupportedArchive, ...). detail
    // gets a short explanation for the report.
    virtual int Locate(const InputFile& input, std::string& detail) = 0;
    // Said before Locate when WriteArchive will verify the entries: Locate
    // may then begin the checking while it reads the archive's structure.
    virtual void ExpectVerification() {}
    // The library's check of a file: by default, that Locate finds a whole archive.
    virtual bool Check(const InputFile& input)
    {
        std::string detail;
        return Locate(input, detail) == kDone;
    }
    virtual std::vector<EntryName> Entries() const = 0;
    // kDone when the stub of this kind can extract every entry that is not
    // left out; otherwise kUnsupportedMethod, with the entry named in detail.
    virtual int CheckStubDecodes(SfxKind kind, const std::vector<bool>& leaveOut, std::string& detail) const
    {
        (void)kind;
        (void)leaveOut;
        (void)detail;
        return kDone;
    }
    // Adapts the stub read from sfx/ to the file it starts, outputPath.
    virtual void AdaptStub(SfxKind kind, const std::string& outputPath, std::vector<char>& stub) const
    {
        (void)kind;
        (void)outputPath;
        (void)stub;
    }
    // Appends the archive to out: unchanged when nothing is left out, otherwise
    // rebuilt without the entries whose leaveOut flag is set. With verify,
    // every entry the self-extractor will write is decoded and checked on
    // the way (the bytes are read once); a damaged one fails the call
    // (kDamagedData, kUnsupportedMethod) with the entry named in detail.
    virtual int WriteArchive(const InputFile& input, const std::vector<bool>& leaveOut, bool verify,
                             OutputFile& out, std::string& detail) = 0;
};

} // namespace tbarc
