#include "fileMessages.h"

#include <cerrno>
#include <cstring>

#include <sys/socket.h>

namespace tbarc {

ssize_t SendWithFiles(int socket, const void* data, std::size_t size, const std::vector<int>& files)
{
    iovec bytes{const_cast<void*>(data), size};
    std::vector<char> control(files.empty() ? 0 : CMSG_SPACE(sizeof(int) * files.size()));
    msghdr message{};
    message.msg_iov = &bytes;
    message.msg_iovlen = 1;
    if (!files.empty()) {
        message.msg_control = control.data();
        message.msg_controllen = control.size();
        cmsghdr* rights = CMSG_FIRSTHDR(&message);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int) * files.size());
        std::memcpy(CMSG_DATA(rights), files.data(), sizeof(int) * files.size());
    }
    ssize_t sent;
    do
        sent = sendmsg(socket, &message, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent;
}

ssize_t ReceiveWithFiles(int socket, void* data, std::size_t size, std::size_t mostFiles,
                         std::vector<int>& files, bool& cut)
{
    iovec bytes{data, size};
    std::vector<char> control(CMSG_SPACE(sizeof(int) * mostFiles));
    msghdr message{};
    message.msg_iov = &bytes;
    message.msg_iovlen = 1;
    message.msg_control = control.data();
    message.msg_controllen = control.size();
    ssize_t received;
    do
        received = recvmsg(socket, &message, MSG_CMSG_CLOEXEC);
    while (received < 0 && errno == EINTR);
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS)
            continue;
        const std::size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
        for (std::size_t i = 0; i < count; ++i) {
            int file;
            std::memcpy(&file, CMSG_DATA(c) + i * sizeof(int), sizeof(int));
            files.push_back(file);
        }
    }
    cut = (message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) != 0;
    return received;
}

} // namespace tbarc
