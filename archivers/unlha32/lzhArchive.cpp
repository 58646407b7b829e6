#include "lzhArchive.h"

#include "inputFile.h"
#include "lzhHeaderNames.h"
#include "lzhStubMethods.h"
#include "outputFile.h"
#include "win16ModuleName.h"
#include "resultCodes.h"

#include <lha_reader.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace unlha32 {
namespace {

using tbarc::InputFile;

// lhasa reads through this window onto the file, starting at a candidate header.
struct Window {
    const InputFile* file;
    std::uint64_t position;
};

int WindowRead(void* handle, void* buffer, std::size_t length)
{
    auto* w = static_cast<Window*>(handle);
    const std::size_t got = w->file->ReadAt(w->position, buffer, length);
    w->position += got;
    return static_cast<int>(got);
}

int WindowSkip(void* handle, std::size_t length)
{
    auto* w = static_cast<Window*>(handle);
    w->position += length;
    return w->position <= w->file->Size();
}

const LHAInputStreamType kWindowType = {WindowRead, WindowSkip, nullptr};

// The same test lhasa makes before reading a header: "-lh?-", "-lz?-", "-pm?-".
bool LooksLikeHeader(const std::uint8_t* p)
{
    if (p[2] != '-' || p[6] != '-')
        return false;
    if (p[3] == 'l' && p[4] == 'h')
        return true;
    if (p[3] == 'l' && p[4] == 'z')
        return p[5] == '4' || p[5] == '5' || p[5] == 's';
    return p[3] == 'p' && p[4] == 'm' && p[5] != 's';
}

struct ReaderDeleter {
    void operator()(LHAReader* r) const { lha_reader_free(r); }
};
struct StreamDeleter {
    void operator()(LHAInputStream* s) const { lha_input_stream_free(s); }
};

enum class Walk { NoHeader, Complete, Broken };

// Reads the member chain from `start` with lhasa. Complete means: at least one
// member, every header accepted by lhasa (header checksum or CRC right), every
// member's data inside the file, and the chain ends with the end-of-archive
// byte (0); only LArc and PMarc archives may end at the end of the file.
Walk WalkChain(const InputFile& file, std::uint64_t start, std::vector<LzhMember>& members,
               std::string& detail)
{
    members.clear();
    Window window{&file, start};
    std::unique_ptr<LHAInputStream, StreamDeleter> stream(lha_input_stream_new(&kWindowType, &window));
    if (!stream)
        return Walk::NoHeader;
    std::unique_ptr<LHAReader, ReaderDeleter> reader(lha_reader_new(stream.get()));
    if (!reader)
        return Walk::NoHeader;
    lha_reader_set_dir_policy(reader.get(), LHA_READER_DIR_PLAIN);

    std::uint64_t next = start;
    bool anyLhMethod = false;
    while (LHAFileHeader* header = lha_reader_next_file(reader.get())) {
        LzhMember member;
        member.start = next;
        member.end = next + header->raw_data_len + header->compressed_length;
        member.method.assign(header->compress_method, strnlen(header->compress_method, 5));
        member.rawName = StoredName(header->raw_data, header->raw_data_len, header->header_level);
        members.push_back(std::move(member));
        anyLhMethod = anyLhMethod || std::strncmp(header->compress_method, "-lh", 3) == 0;
        next = members.back().end;
        if (next > file.Size()) {
            detail = "member " + std::to_string(members.size()) + " runs past the end of the file";
            return Walk::Broken;
        }
    }
    if (members.empty())
        return Walk::NoHeader;
    if (next == file.Size()) {
        // LArc and PMarc end their archives at the end of the file; an LHA
        // archive that stops there instead of at its end marker was cut.
        if (!anyLhMethod)
            return Walk::Complete;
        detail = "the end marker is missing";
        return Walk::Broken;
    }
    std::uint8_t marker = 0xFF;
    file.ReadAt(next, &marker, 1);
    if (marker == 0)
        return Walk::Complete;
    detail =
        "header " + std::to_string(members.size() + 1) + " at offset " + std::to_string(next) + " is damaged";
    return Walk::Broken;
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
    constexpr std::size_t kChunk = 1 << 16;
    constexpr std::size_t kLookAhead = 7;
    std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(kChunk + kLookAhead, input.Size()));
    // A file that starts with a header is a plain archive: it must be whole
    // from there, never rescued by a later member that happens to be intact.
    // Otherwise the archive starts at the first place where lhasa reads a
    // complete header; strings like "-lh5-" in a stub's code fail that test.
    for (std::uint64_t base = 0; base < input.Size(); base += kChunk) {
        const std::size_t got = input.ReadAt(base, buffer.data(), buffer.size());
        if (got < kLookAhead)
            break;
        for (std::size_t i = 0; i + kLookAhead <= got && i < kChunk; ++i) {
            if (buffer[i + 2] != '-' || !LooksLikeHeader(&buffer[i]))
                continue;
            const Walk walk = WalkChain(input, base + i, members_, detail);
            if (walk == Walk::Complete) {
                start_ = base + i;
                return tbarc::kDone;
            }
            if (walk == Walk::Broken)
                return tbarc::kCorruptArchive;
            if (base + i == 0) {
                detail = "the first header is damaged";
                return tbarc::kCorruptArchive;
            }
        }
    }
    detail = "no LZH archive found";
    return tbarc::kNotAnArchive;
}

std::vector<tbarc::EntryName> LzhArchive::Entries() const
{
    std::vector<tbarc::EntryName> names;
    for (const LzhMember& m : members_)
        names.push_back({m.rawName, tbarc::NameEncoding::Ansi});
    return names;
}

int LzhArchive::CheckStubDecodes(tbarc::SfxKind kind, const std::vector<bool>& leaveOut,
                                 std::string& detail) const
{
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (leaveOut[i] || StubDecodes(kind, members_[i].method))
            continue;
        detail = members_[i].rawName + ": the " + tbarc::SfxKindName(kind) + " self-extractor cannot decode "
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

int LzhArchive::WriteArchive(const InputFile& input, const std::vector<bool>& leaveOut,
                             tbarc::OutputFile& out)
{
    bool any = false;
    for (bool b : leaveOut)
        any = any || b;
    if (!any)
        return out.CopyFrom(input, start_, input.Size() - start_);
    // Members are self-contained (header, then data): copy the kept ones in
    // order, adjacent runs in one go, and close with the end-of-archive byte.
    std::size_t i = 0;
    while (i < members_.size()) {
        if (leaveOut[i]) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < members_.size() && !leaveOut[j + 1])
            ++j;
        if (const int rc = out.CopyFrom(input, members_[i].start, members_[j].end - members_[i].start);
            rc != tbarc::kDone)
            return rc;
        i = j + 1;
    }
    const std::uint8_t endMarker = 0;
    return out.Write(&endMarker, 1);
}

} // namespace unlha32
