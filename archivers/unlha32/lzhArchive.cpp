#include "lzhArchive.h"

#include "archiveStream.h"
#include "inputFile.h"
#include "lzhStubMethods.h"
#include "outputFile.h"
#include "resultCodes.h"
#include "searchWindow.h"
#include "win16ModuleName.h"

#include <algorithm>
#include <cstring>

namespace unlha32 {
namespace {

using tbarc::InputFile;

enum class Start { Other, HeaderShape, KnownMethod };

// How a file starts: with the method field of a header ("-???-" at offset
// 2), and one of the methods LZH tools write ("-lh?-", "-lz4-", "-lz5-",
// "-lzs-", "-pm?-" but PMarc's self-extractor mark "-pms-").
Start HowItStarts(const InputFile& input)
{
    std::uint8_t p[7] = {};
    if (input.ReadAt(0, p, sizeof p) != sizeof p || p[0] == 0 || p[2] != '-' || p[6] != '-')
        return Start::Other;
    const bool known = (p[3] == 'l' && p[4] == 'h')
        || (p[3] == 'l' && p[4] == 'z' && p[5] != 0 && std::strchr("45s", p[5]))
        || (p[3] == 'p' && p[4] == 'm' && p[5] != 's');
    return known ? Start::KnownMethod : Start::HeaderShape;
}

} // namespace

const char* LzhArchive::StubFileName(tbarc::SfxKind kind) const
{
    switch (kind) {
    case tbarc::SfxKind::Dos: return "lzh-dos.exe";
    case tbarc::SfxKind::Win16: return "lzh-win16.exe";
    case tbarc::SfxKind::Win32: return "lzh-win32.exe";
    }
    return nullptr;
}

int LzhArchive::Locate(const InputFile& input, std::string& detail)
{
    // A file that starts with a header is a plain archive: it must be whole
    // from there, never rescued by a later member that happens to be intact.
    // One of a method no tool writes counts when the header is whole (its
    // member then cannot be converted, rather than be passed over).
    if (const Start start = HowItStarts(input); start != Start::Other) {
        switch (WalkMembers(input, 0, members_, detail)) {
        case Walk::Complete: start_ = 0; return tbarc::kDone;
        case Walk::Broken: return tbarc::kCorruptArchive;
        case Walk::NoHeader:
            if (start == Start::KnownMethod) {
                detail = "the first header is damaged";
                return tbarc::kCorruptArchive;
            }
        }
    }
    // Otherwise the archive starts at the first place behind the program's
    // image where a whole header is read; strings like "-lh5-" in a stub's
    // code fail that test. The search is bounded (searchWindow.h).
    const tbarc::SearchWindow window = tbarc::ArchiveSearchWindow(input);
    std::uint64_t budget = tbarc::kSearchReadBudget;
    for (std::uint64_t from = window.start; from < window.end;) {
        const std::optional<std::uint64_t> found = FindHeader(input, from, window.end, budget);
        if (!found)
            break;
        switch (WalkMembers(input, *found, members_, detail)) {
        case Walk::Complete: start_ = *found; return tbarc::kDone;
        case Walk::Broken: return tbarc::kCorruptArchive;
        case Walk::NoHeader: from = *found + 1; break;
        }
    }
    detail = "no LZH archive found";
    return tbarc::kNotAnArchive;
}

std::vector<tbarc::EntryName> LzhArchive::Entries() const
{
    std::vector<tbarc::EntryName> names;
    for (const LzhMember& m : members_)
        names.push_back({m.name, tbarc::NameEncoding::Ansi, m.writable});
    return names;
}

int LzhArchive::CheckStubDecodes(tbarc::SfxKind kind, const std::vector<bool>& leaveOut,
                                 std::string& detail) const
{
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (leaveOut[i] || StubDecodes(kind, members_[i].method))
            continue;
        detail = members_[i].name + ": the " + tbarc::SfxKindName(kind) + " self-extractor cannot decode "
            + members_[i].method;
        return tbarc::kUnsupportedMethod;
    }
    return tbarc::kDone;
}

void LzhArchive::AdaptStub(tbarc::SfxKind kind, const std::string& outputPath, std::vector<char>& stub) const
{
    if (kind == tbarc::SfxKind::Win16)
        NameWin16Module(stub, outputPath);
}

int LzhArchive::WriteArchive(const InputFile& input, const std::vector<bool>& leaveOut, bool verify,
                             tbarc::OutputFile& out, std::string& detail)
{
    // Members are self-contained (header, then data): without left-out
    // entries the archive goes whole, to the end of the file; otherwise the
    // kept members in order, adjacent runs as one part, and an end marker.
    const bool any = std::find(leaveOut.begin(), leaveOut.end(), true) != leaveOut.end();
    std::vector<tbarc::ArchiveStream::Part> parts;
    if (!any) {
        parts = {{start_, input.Size()}};
    } else {
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (leaveOut[i])
                continue;
            if (!parts.empty() && parts.back().end == members_[i].start)
                parts.back().end = members_[i].end;
            else
                parts.push_back({members_[i].start, members_[i].end});
        }
    }
    tbarc::ArchiveStream stream(input, out, std::move(parts));
    if (verify) {
        if (const int rc = TestMembers(stream, start_, members_, leaveOut, detail); rc != tbarc::kDone)
            return rc;
    }
    if (const int rc = stream.Finish(); rc != tbarc::kDone)
        return rc;
    const std::uint8_t endMarker = 0;
    return any ? out.Write(&endMarker, 1) : tbarc::kDone;
}

} // namespace unlha32
