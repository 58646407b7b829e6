#include "lzhDecoder.h"

#include "archiveStream.h"
#include "inputFile.h"
#include "resultCodes.h"

extern "C" {
#include "lzhdec.h"
}

#include <cstring>
#include <memory>
#include <mutex>

namespace unlha32 {

namespace {

using tbarc::InputFile;

// What the decoder reads, and what each use of it learns; the decoder's
// callbacks get this as their context.
struct Reading {
    const InputFile* input = nullptr;
    tbarc::ArchiveStream* stream = nullptr; // reads go through it when set
    // Or, when set, the archive's bytes [memoryStart, memoryEnd) in memory.
    const std::uint8_t* memory = nullptr;
    std::uint64_t memoryStart = 0, memoryEnd = 0;
    std::uint64_t position = 0;
    lzh_state* state = nullptr;

    // The members met so far and where the next one starts.
    std::size_t count = 0;
    std::uint64_t nextStart = 0;
};

int Read(void* context, unsigned char* buffer, unsigned short length)
{
    auto* r = static_cast<Reading*>(context);
    std::size_t got = 0;
    if (r->memory != nullptr) {
        if (r->position < r->memoryEnd) {
            got = std::min<std::uint64_t>(length, r->memoryEnd - r->position);
            std::memcpy(buffer, r->memory + (r->position - r->memoryStart), got);
        }
    } else {
        got = r->stream != nullptr ? r->stream->ReadAt(r->position, buffer, length)
                                   : r->input->ReadAt(r->position, buffer, length);
    }
    r->position += got;
    return static_cast<int>(got);
}

int Seek(void* context, unsigned long offset)
{
    auto* r = static_cast<Reading*>(context);
    r->position = offset;
    if (r->memory != nullptr)
        return offset >= r->memoryStart && offset <= r->memoryEnd ? 0 : -1;
    return offset <= r->input->Size() ? 0 : -1;
}

// Neither the check nor the test writes a file.
int NoFolder(void*, const char*)
{
    return -1;
}
void* NoFile(void*, const lzh_entry*)
{
    return nullptr;
}
int NoWrite(void*, void*, const unsigned char*, unsigned short)
{
    return -1;
}
int NoClose(void*, void*, const lzh_entry*, int)
{
    return -1;
}

// The decoder and its state (large: tables, buffers) for one use.
class Decoder {
public:
    Decoder(Reading& reading, int (*note)(void*, int, const lzh_entry*, int))
    {
        // The decoder makes its CRC table on first use: once, before any thread does.
        static std::once_flag table;
        std::call_once(table, [] { lzh_crc16(0, nullptr, 0); });
        // lzh_init clears the state: it needs no clearing of its own first.
        state_ = std::make_unique_for_overwrite<lzh_state>();
        io_ = {};
        io_.ctx = &reading;
        io_.read = Read;
        io_.seek = Seek;
        io_.mkdir = NoFolder;
        io_.create = NoFile;
        io_.write = NoWrite;
        io_.close = NoClose;
        io_.note = note;
        io_.sep = '/';
        lzh_init(state_.get(), &io_);
        reading.state = state_.get();
    }
    ~Decoder() { lzh_done(state_.get()); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    lzh_state* State() { return state_.get(); }

private:
    lzh_io io_;
    std::unique_ptr<lzh_state> state_;
};

struct WalkReading : Reading {
    std::vector<LzhMember>* members = nullptr;
    const std::function<void(const std::vector<LzhMember>&)>* walked = nullptr;
    bool pastEnd = false;
    bool anyLhMethod = false;
};

int NoteMember(void* context, int event, const lzh_entry* e, int named)
{
    auto* r = static_cast<WalkReading*>(context);
    if (event != LZH_EV_BEGIN)
        return 0;
    LzhMember member;
    member.start = r->nextStart;
    member.end = r->state->next_header;
    member.name = e->name;
    member.method.assign(e->method, strnlen(e->method, 5));
    member.writable = named == LZH_OK;
    r->anyLhMethod = r->anyLhMethod || member.method.compare(0, 3, "-lh") == 0;
    r->nextStart = member.end;
    r->members->push_back(std::move(member));
    // A member that runs past the end of the file ends the walk: the decoder
    // cannot seek there.
    r->pastEnd = r->nextStart > r->input->Size();
    if (!r->pastEnd && *r->walked)
        (*r->walked)(*r->members);
    return r->pastEnd ? 1 : 0;
}

struct TestReading : Reading {
    const std::vector<LzhMember>* members = nullptr;
    const std::vector<bool>* leaveOut = nullptr;
    bool changed = false;
    int failure = tbarc::kDone;
    std::string detail;
};

int ResultCode(int lzhResult)
{
    switch (lzhResult) {
    case LZH_OK:
    case LZH_E_SKIPPED:
    case LZH_E_NAME: // refused by every stub (kept only by -gu1), never decoded
    case LZH_E_LINK: return tbarc::kDone;
    case LZH_E_METHOD: return tbarc::kUnsupportedMethod;
    case LZH_E_MEMORY: return tbarc::kInternalError;
    case LZH_E_READ: return tbarc::kCannotReadInput;
    default: return tbarc::kDamagedData;
    }
}

int NoteTest(void* context, int event, const lzh_entry* /*entry*/, int result)
{
    auto* r = static_cast<TestReading*>(context);
    if (event == LZH_EV_BEGIN) {
        const std::size_t i = r->count++;
        const std::uint64_t start = r->nextStart;
        r->nextStart = r->state->next_header;
        // The file must still hold the members the check read.
        if (r->changed || i >= r->members->size() || (*r->members)[i].start != start
            || (*r->members)[i].end != r->nextStart) {
            r->changed = true;
            return 1;
        }
        return (*r->leaveOut)[i] ? 1 : 0;
    }
    const std::size_t i = r->count - 1;
    if (r->changed || r->count == 0 || (*r->leaveOut)[i] || r->failure != tbarc::kDone)
        return 0;
    r->failure = ResultCode(result);
    if (r->failure != tbarc::kDone)
        r->detail = (*r->members)[i].name + ": " + lzh_strerror(result)
            + (result == LZH_E_METHOD ? " " + (*r->members)[i].method : std::string());
    return 0;
}

// Decodes the members from reading.nextStart on; the members met must be
// those of reading.members, as walked.
int RunTest(TestReading& reading, std::string& detail)
{
    Decoder decoder(reading, NoteTest);
    lzh_run(decoder.State(), static_cast<unsigned long>(reading.nextStart), LZH_MODE_TEST);
    // A failed write makes the stream read nothing more: its cause comes first.
    if (reading.stream != nullptr && reading.stream->Error() != tbarc::kDone)
        return reading.stream->Error();
    if (reading.changed || reading.count != reading.members->size()) {
        detail = tbarc::kInputChanged;
        return tbarc::kCannotReadInput;
    }
    detail = reading.detail;
    return reading.failure;
}

} // namespace

Walk WalkMembers(const InputFile& input, std::uint64_t start, std::vector<LzhMember>& members,
                 std::string& detail, const std::function<void(const std::vector<LzhMember>&)>& walked)
{
    members.clear();
    if (start > 0xFFFFFFFFu)
        return Walk::NoHeader;
    WalkReading reading;
    reading.input = &input;
    reading.members = &members;
    reading.walked = &walked;
    reading.nextStart = start;
    Decoder decoder(reading, NoteMember);
    const int result = lzh_run(decoder.State(), static_cast<unsigned long>(start), LZH_MODE_LIST);
    if (members.empty())
        return Walk::NoHeader;
    if (reading.pastEnd) {
        detail = "member " + std::to_string(members.size()) + " runs past the end of the file";
        return Walk::Broken;
    }
    if (result == LZH_E_FORMAT || result == LZH_E_READ) {
        detail = "header " + std::to_string(members.size() + 1) + " at offset "
            + std::to_string(reading.nextStart) + " is damaged";
        return Walk::Broken;
    }
    if (reading.nextStart == input.Size() && reading.anyLhMethod) {
        // LArc and PMarc end their archives at the end of the file; an LHA
        // archive that stops there instead of at its end marker was cut.
        detail = "the end marker is missing";
        return Walk::Broken;
    }
    return Walk::Complete;
}

int TestMembers(tbarc::ArchiveStream& stream, std::uint64_t start, const std::vector<LzhMember>& members,
                const std::vector<bool>& leaveOut, std::string& detail)
{
    TestReading reading;
    reading.input = &stream.Input();
    reading.stream = &stream;
    reading.members = &members;
    reading.leaveOut = &leaveOut;
    reading.nextStart = start;
    return RunTest(reading, detail);
}

int TestMembersInMemory(const std::uint8_t* bytes, std::size_t length, const std::vector<LzhMember>& members,
                        const std::vector<bool>& leaveOut, std::string& detail)
{
    TestReading reading;
    reading.memory = bytes;
    reading.memoryStart = members.front().start;
    reading.memoryEnd = reading.memoryStart + length;
    reading.members = &members;
    reading.leaveOut = &leaveOut;
    reading.nextStart = members.front().start;
    return RunTest(reading, detail);
}

} // namespace unlha32
