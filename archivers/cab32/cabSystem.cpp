#include "cabSystem.h"

#include "archiveStream.h"
#include "inputFile.h"

#include <algorithm>

#include <cstdlib>
#include <cstring>

namespace cab32 {
namespace {

struct Handle {
    CabSystem* view; // null: a sink for extracted data
    off_t position;
};

mspack_file* Open(mspack_system* self, const char* /*name*/, int mode)
{
    auto* system = reinterpret_cast<CabSystem*>(self);
    if (mode != MSPACK_SYS_OPEN_READ && mode != MSPACK_SYS_OPEN_WRITE)
        return nullptr;
    auto* h = static_cast<Handle*>(std::malloc(sizeof(Handle)));
    if (h == nullptr)
        return nullptr;
    h->view = mode == MSPACK_SYS_OPEN_READ ? system : nullptr;
    h->position = 0;
    return reinterpret_cast<mspack_file*>(h);
}

void Close(mspack_file* file)
{
    std::free(file);
}

// Pieces of this size are read ahead.
constexpr std::size_t kAheadBytes = 256u << 10;

std::size_t ReadFromInput(CabSystem& view, std::uint64_t at, void* buffer, std::size_t length)
{
    return view.stream != nullptr ? view.stream->ReadAt(at, buffer, length)
                                  : view.input->ReadAt(at, buffer, length);
}

// length bytes at `at` in the input, from the piece read ahead, which moves
// on when the reads leave it.
std::size_t ReadThroughAhead(CabSystem& view, std::uint64_t at, char* buffer, std::size_t length)
{
    ReadAhead& ahead = *view.ahead;
    const std::uint64_t viewEnd = view.offset + view.size;
    std::size_t done = 0;
    while (done < length) {
        const std::uint64_t next = at + done;
        if (next >= ahead.start && next < ahead.start + ahead.length) {
            const std::size_t n = static_cast<std::size_t>(
                std::min<std::uint64_t>(length - done, ahead.start + ahead.length - next));
            std::memcpy(buffer + done, ahead.bytes.data() + (next - ahead.start), n);
            done += n;
            continue;
        }
        if (length - done >= kAheadBytes)
            return done + ReadFromInput(view, next, buffer + done, length - done);
        ahead.bytes.resize(kAheadBytes);
        ahead.start = next;
        ahead.length =
            ReadFromInput(view, next, ahead.bytes.data(),
                          static_cast<std::size_t>(std::min<std::uint64_t>(kAheadBytes, viewEnd - next)));
        if (ahead.length == 0)
            break;
    }
    return done;
}

// length bytes at `at` in the view, from the bytes held where they have
// them, otherwise from the input.
std::size_t ReadHeld(CabSystem& view, std::uint64_t at, char* buffer, std::size_t length)
{
    std::size_t done = 0;
    for (const HeldBytes& held : *view.held) {
        if (done == length)
            break;
        const std::uint64_t next = at + done;
        if (next >= held.start + held.length)
            continue;
        if (next < held.start) {
            const auto before =
                static_cast<std::size_t>(std::min<std::uint64_t>(length - done, held.start - next));
            const std::size_t got = ReadFromInput(view, view.offset + next, buffer + done, before);
            done += got;
            if (got < before)
                return done;
            if (done == length)
                break;
        }
        const std::uint64_t from = at + done - held.start;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(length - done, held.length - from));
        std::memcpy(buffer + done, held.bytes + from, n);
        done += n;
    }
    return done < length ? done + ReadFromInput(view, view.offset + at + done, buffer + done, length - done)
                         : done;
}

int Read(mspack_file* file, void* buffer, int bytes)
{
    auto* h = reinterpret_cast<Handle*>(file);
    if (h->view == nullptr || bytes < 0)
        return -1;
    CabSystem& view = *h->view;
    const auto position = static_cast<std::uint64_t>(h->position);
    const std::size_t length = position >= view.size
        ? 0
        : static_cast<std::size_t>(std::min<std::uint64_t>(bytes, view.size - position));
    if (view.budget != nullptr) {
        if (*view.budget < length)
            return -1;
        *view.budget -= length;
    }
    std::size_t got;
    if (view.held != nullptr)
        got = ReadHeld(view, position, static_cast<char*>(buffer), length);
    else if (view.ahead != nullptr && !view.input->InMemory())
        got = ReadThroughAhead(view, view.offset + position, static_cast<char*>(buffer), length);
    else
        got = ReadFromInput(view, view.offset + position, buffer, length);
    h->position += static_cast<off_t>(got);
    return static_cast<int>(got);
}

int Write(mspack_file* file, void* /*buffer*/, int bytes)
{
    auto* h = reinterpret_cast<Handle*>(file);
    if (h->view != nullptr || bytes < 0)
        return -1;
    h->position += bytes;
    return bytes;
}

int Seek(mspack_file* file, off_t offset, int mode)
{
    auto* h = reinterpret_cast<Handle*>(file);
    const off_t size = h->view != nullptr ? static_cast<off_t>(h->view->size) : h->position;
    off_t target;
    switch (mode) {
    case MSPACK_SYS_SEEK_START: target = offset; break;
    case MSPACK_SYS_SEEK_CUR: target = h->position + offset; break;
    case MSPACK_SYS_SEEK_END: target = size + offset; break;
    default: return -1;
    }
    if (target < 0 || target > size)
        return -1;
    h->position = target;
    return 0;
}

off_t Tell(mspack_file* file)
{
    return reinterpret_cast<Handle*>(file)->position;
}

void Message(mspack_file*, const char*, ...)
{
    // Warnings are not shown: the check answers with its result alone.
}

void* Alloc(mspack_system*, std::size_t bytes)
{
    return std::malloc(bytes);
}

void Free(void* p)
{
    std::free(p);
}

void Copy(void* src, void* dest, std::size_t bytes)
{
    std::memmove(dest, src, bytes);
}

} // namespace

CabSystem MakeCabSystem(const tbarc::InputFile& input, std::uint64_t offset, std::uint64_t size)
{
    CabSystem system{};
    system.base.open = Open;
    system.base.close = Close;
    system.base.read = Read;
    system.base.write = Write;
    system.base.seek = Seek;
    system.base.tell = Tell;
    system.base.message = Message;
    system.base.alloc = Alloc;
    system.base.free = Free;
    system.base.copy = Copy;
    system.base.null_ptr = nullptr;
    system.input = &input;
    system.offset = offset;
    system.size = size;
    system.stream = nullptr;
    system.budget = nullptr;
    system.ahead = nullptr;
    system.held = nullptr;
    return system;
}

} // namespace cab32
