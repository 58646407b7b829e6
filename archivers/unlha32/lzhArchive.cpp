#include "lzhArchive.h"

#include "archiveStream.h"
#include "checkThreads.h"
#include "inputFile.h"
#include "lzhStubMethods.h"
#include "outputFile.h"
#include "resultCodes.h"
#include "searchWindow.h"
#include "win16ModuleName.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace unlha32 {
namespace {

using tbarc::InputFile;

// Whether the seven bytes at p look like the start of a header: the method
// field "-???-" at offset 2, its id of ASCII letters and digits as LZH
// tools write them (-lh5-, -lzs-, -pm2-), known to the decoder or not.
bool HeaderShaped(const unsigned char* p)
{
    const auto alnum = [](unsigned char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    return p[2] == '-' && p[6] == '-' && alnum(p[3]) && alnum(p[4]) && alnum(p[5]);
}

bool HeaderShapedAt(const InputFile& input, std::uint64_t at)
{
    unsigned char p[7];
    return input.ReadAt(at, p, sizeof p) == sizeof p && HeaderShaped(p);
}

// The first header-shaped place in the window, read in one piece.
std::optional<std::uint64_t> FirstHeaderShape(const InputFile& input, const tbarc::SearchWindow& window)
{
    std::vector<unsigned char> bytes(static_cast<std::size_t>(window.end - window.start) + 6);
    bytes.resize(input.ReadAt(window.start, bytes.data(), bytes.size()));
    for (std::size_t at = 0; at + 7 <= bytes.size(); ++at) {
        if (HeaderShaped(bytes.data() + at))
            return window.start + at;
    }
    return std::nullopt;
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
    // A plain archive starts with its first header, one behind a
    // self-extractor of ours where its seal says, one inside any other
    // program with the first header-shaped block behind the program's
    // image (searchWindow.h). A header there that cannot be read is damage:
    // never junk to pass over for a later member that happens to be intact.
    const tbarc::SearchWindow window = tbarc::ArchiveSearchWindow(input);
    std::uint64_t start = window.start;
    if (window.place == tbarc::ArchivePlace::InProgram) {
        const std::optional<std::uint64_t> found = FirstHeaderShape(input, window);
        if (!found) {
            detail = "no LZH archive found";
            return tbarc::kNotAnArchive;
        }
        start = *found;
    }
    // A large archive to verify is checked on every core from its first
    // members on, while the walk goes on.
    std::function<void(const std::vector<LzhMember>&)> walked;
    if (const unsigned threads = tbarc::CheckThreads(input.Size() > start ? input.Size() - start : 0);
        expectVerification_ && threads > 1) {
        check_ = std::make_unique<ParallelCheck>(input, threads);
        walked = [this](const std::vector<LzhMember>& members) { check_->Walked(members); };
    }
    const Walk walk = WalkMembers(input, start, members_, detail, walked);
    if (walk == Walk::Complete) {
        start_ = start;
        return tbarc::kDone;
    }
    check_.reset();
    if (walk == Walk::Broken)
        return tbarc::kCorruptArchive;
    // Damage needs an archive to damage: a file that does not start with
    // a header's shape (a text file named .lzh, an empty file, one holding
    // just the end marker) is no archive at all.
    if (!HeaderShapedAt(input, start)) {
        detail = window.place == tbarc::ArchivePlace::Sealed
            ? "no LZH archive where the self-extractor's seal places it"
            : "no LZH archive found";
        return tbarc::kNotAnArchive;
    }
    detail = "the first header, at offset " + std::to_string(start) + ", is damaged";
    return tbarc::kDamagedData;
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
        if (const int rc = Verify(stream, leaveOut, detail); rc != tbarc::kDone)
            return rc;
    }
    if (const int rc = stream.Finish(); rc != tbarc::kDone)
        return rc;
    const std::uint8_t endMarker = 0;
    return any ? out.Write(&endMarker, 1) : tbarc::kDone;
}

int LzhArchive::Verify(tbarc::ArchiveStream& stream, const std::vector<bool>& leaveOut, std::string& detail)
{
    const unsigned threads = ThreadsFor(members_);
    if (threads <= 1) {
        check_.reset(); // what it began is not needed
        return TestMembers(stream, start_, members_, leaveOut, detail);
    }
    if (!check_)
        check_ = std::make_unique<ParallelCheck>(stream.Input(), threads);
    const int rc = check_->Test(stream, members_, leaveOut, detail);
    check_.reset();
    return rc;
}

} // namespace unlha32
