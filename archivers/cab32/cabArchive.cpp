#include "cabArchive.h"

#include "archiveStream.h"
#include "cabDecompressor.h"
#include "cabFolderCheck.h"
#include "cabSystem.h"
#include "inputFile.h"
#include "outputFile.h"
#include "resultCodes.h"
#include "searchWindow.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace cab32 {
namespace {

constexpr char kSignature[] = {'M', 'S', 'C', 'F'};

bool SignatureAt(const tbarc::InputFile& input, std::uint64_t offset)
{
    char signature[sizeof kSignature] = {};
    return input.ReadAt(offset, signature, sizeof signature) == sizeof signature
        && std::memcmp(signature, kSignature, sizeof kSignature) == 0;
}

// Whether libmspack opens a cabinet that starts at offset; its header fields
// in length and flags. The reads count against budget when it is set.
bool OpensAt(const tbarc::InputFile& input, std::uint64_t offset, std::uint64_t* budget,
             std::uint64_t& length, int& flags)
{
    CabSystem system = MakeCabSystem(input, offset, input.Size() - offset);
    system.budget = budget;
    // Where the reads are counted (the search) only what libmspack asks for is read.
    ReadAhead ahead;
    if (budget == nullptr)
        system.ahead = &ahead;
    Decompressor d(system);
    if (!d.Open())
        return false;
    length = d.cabinet->length;
    flags = d.cabinet->flags;
    return true;
}

} // namespace

const char* CabArchive::StubFileName(tbarc::SfxKind kind) const
{
    return kind == tbarc::SfxKind::Win32 ? "cab-win32.exe" : nullptr;
}

int CabArchive::Locate(const tbarc::InputFile& input, std::string& detail)
{
    // A self-extractor of ours holds its cabinet where its seal says: one
    // that does not open there is damaged, never a reason to look further
    // (a cabinet stored inside it would pass for it). A file that starts
    // with a cabinet is that cabinet; in any other file, as in cabextract's
    // search mode, the first place in the search window (searchWindow.h)
    // where libmspack opens a cabinet is the archive.
    const tbarc::SearchWindow window = tbarc::ArchiveSearchWindow(input);
    const bool sealed = window.place == tbarc::ArchivePlace::Sealed;
    const bool signatureFirst = SignatureAt(input, window.start);
    int flags = 0;
    base_ = window.start;
    plain_ = window.place == tbarc::ArchivePlace::Plain && signatureFirst
        && OpensAt(input, 0, nullptr, length_, flags);
    bool found = plain_ || (sealed && OpensAt(input, base_, nullptr, length_, flags));
    if (!found && !sealed) {
        std::vector<char> bytes(static_cast<std::size_t>(window.end - window.start));
        bytes.resize(input.ReadAt(window.start, bytes.data(), bytes.size()));
        std::uint64_t budget = tbarc::kSearchReadBudget;
        const std::string_view view(bytes.data(), bytes.size()), signature(kSignature, sizeof kSignature);
        for (std::size_t at = view.find(signature); !found && at != std::string_view::npos;
             at = view.find(signature, at + 1)) {
            base_ = window.start + at;
            found = OpensAt(input, base_, &budget, length_, flags);
        }
    }
    if (!found) {
        if (signatureFirst) {
            detail = "the cabinet's headers are damaged";
            return tbarc::kDamagedData;
        }
        detail = sealed ? "no cabinet where the self-extractor's seal places it" : "no cabinet found";
        return tbarc::kNotAnArchive;
    }
    if (base_ + length_ > input.Size()) {
        detail = "the cabinet is cut short";
        return tbarc::kCorruptArchive;
    }
    auto layout = ReadCabLayout(input, base_);
    if (!layout) {
        detail = "the cabinet's file table is damaged";
        return tbarc::kCorruptArchive;
    }
    layout_ = std::move(*layout);
    if ((flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB)) != 0) {
        // Its other parts are not in this file, so its data cannot be tested.
        detail = "the cabinet is one part of a cabinet set";
        return tbarc::kUnsupportedArchive;
    }
    return tbarc::kDone;
}

int CabArchive::TestFiles(const tbarc::InputFile& input, tbarc::ArchiveStream* stream,
                          const std::vector<bool>& leaveOut, std::string& detail) const
{
    if (const unsigned threads = FolderCheckThreads(layout_, length_); threads > 1)
        return TestFoldersOnThreads({input, stream, base_, length_, layout_}, leaveOut, threads, detail);
    CabSystem system = MakeCabSystem(input, base_, length_);
    system.stream = stream;
    ReadAhead ahead;
    system.ahead = &ahead;
    Decompressor d(system);
    if (d.cabd == nullptr)
        return tbarc::kInternalError;
    const bool opened = d.Open();
    if (stream != nullptr && stream->Error() != tbarc::kDone)
        return stream->Error();
    if (!opened) {
        detail = kHeadersOutsideLength;
        return tbarc::kDamagedData;
    }
    std::size_t i = 0;
    for (mscabd_file* f = d.cabinet->files; f != nullptr; f = f->next, ++i) {
        if (i < leaveOut.size() && leaveOut[i])
            continue;
        const int rc = d.Decode(f, detail);
        if (stream != nullptr && stream->Error() != tbarc::kDone)
            return stream->Error();
        if (rc != tbarc::kDone)
            return rc;
    }
    if (i != layout_.files.size()) {
        detail = kFolderMissing;
        return tbarc::kDamagedData;
    }
    return tbarc::kDone;
}

bool CabArchive::Check(const tbarc::InputFile& input)
{
    std::string detail;
    const int rc = Locate(input, detail);
    if (rc == tbarc::kUnsupportedArchive)
        return true; // one part of a set: readable, its data lies partly elsewhere
    return rc == tbarc::kDone && TestFiles(input, nullptr, {}, detail) == tbarc::kDone;
}

std::vector<tbarc::EntryName> CabArchive::Entries() const
{
    std::vector<tbarc::EntryName> names;
    for (const CabFileRecord& r : layout_.files) {
        const auto encoding =
            (r.attribs & kUtf8NameAttrib) ? tbarc::NameEncoding::Utf8 : tbarc::NameEncoding::Ansi;
        names.push_back({r.name, encoding, tbarc::NameIsSafe(r.name, encoding)});
    }
    return names;
}

int CabArchive::WriteArchive(const tbarc::InputFile& input, const std::vector<bool>& leaveOut, bool verify,
                             tbarc::OutputFile& out, std::string& detail)
{
    std::vector<tbarc::ArchiveStream::Part> parts;
    if (std::none_of(leaveOut.begin(), leaveOut.end(), [](bool b) { return b; })) {
        // A plain .CAB is copied whole; an embedded one exactly as long as it is.
        parts = {plain_ ? tbarc::ArchiveStream::Part{0, input.Size()}
                        : tbarc::ArchiveStream::Part{base_, base_ + length_}};
    } else {
        // Folders and their data blocks stay as they are; a left-out file's
        // bytes remain in its folder's stream, only its record goes.
        const auto head = HeadWithout(layout_, leaveOut);
        if (!head) {
            detail = "its folder data lies inside its file table, which cannot be rebuilt";
            return tbarc::kUnsupportedArchive;
        }
        if (const int rc = out.Write(head->data(), head->size()); rc != tbarc::kDone)
            return rc;
        parts = {{base_ + layout_.filesEnd, base_ + length_}};
    }
    tbarc::ArchiveStream stream(input, out, std::move(parts));
    if (verify) {
        if (const int rc = TestFiles(input, &stream, leaveOut, detail); rc != tbarc::kDone)
            return rc;
    }
    return stream.Finish();
}

} // namespace cab32
