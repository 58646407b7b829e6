#include "run/stopRequest.h"

#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace run {

CancelRequest::CancelRequest() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelRequest::~CancelRequest()
{
    if (fd_ >= 0)
        close(fd_);
}

void CancelRequest::Request()
{
    const std::uint64_t one = 1;
    if (fd_ >= 0)
        (void)!write(fd_, &one, sizeof one);
}

bool CancelRequest::Requested()
{
    std::uint64_t count = 0;
    if (fd_ >= 0 && read(fd_, &count, sizeof count) == sizeof count && count > 0)
        requested_ = true;
    return requested_;
}

} // namespace run
