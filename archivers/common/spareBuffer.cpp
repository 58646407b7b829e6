#include "spareBuffer.h"

#include <utility>

namespace tbarc {
namespace {

// An input read whole and an output gathered for one write are in use at
// once; their limits bound what stays kept per thread.
constexpr std::size_t kKeptBuffers = 2;
constexpr std::size_t kKeptRoom = 5u << 20;

std::vector<ByteBuffer>& Spares()
{
    thread_local std::vector<ByteBuffer> spares;
    return spares;
}

} // namespace

ByteBuffer TakeSpareBuffer()
{
    std::vector<ByteBuffer>& spares = Spares();
    if (spares.empty())
        return {};
    ByteBuffer buffer = std::move(spares.back());
    spares.pop_back();
    return buffer;
}

void ReturnSpareBuffer(ByteBuffer&& buffer)
{
    std::vector<ByteBuffer>& spares = Spares();
    if (buffer.capacity() == 0 || buffer.capacity() > kKeptRoom || spares.size() >= kKeptBuffers)
        return;
    spares.push_back(std::move(buffer));
}

} // namespace tbarc
