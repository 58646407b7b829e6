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
    const std::uint64_t at = view.offset + position;
    const std::size_t got = view.stream != nullptr ? view.stream->ReadAt(at, buffer, length)
                                                   : view.input->ReadAt(at, buffer, length);
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
    return system;
}

} // namespace cab32
