#include "handOver.h"

#include "folderNames.h"
#include "outputFile.h"
#include "report.h"
#include "resultCodes.h"
#include "separateFiles.h"

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbarc {
namespace {

// The names travel as one text: final path, NUL, scratch path, then a byte
// each for marked and replace. Paths hold no NUL.
constexpr std::size_t kMostMessage = 2 * 4096 + 4;

} // namespace

bool SendHandedOver(int socket, const HandedOver& file)
{
    std::string text = file.finalPath + '\0' + file.scratchPath + '\0';
    text += file.marked ? '1' : '0';
    text += file.replace ? '1' : '0';
    if (text.size() > kMostMessage)
        return false;
    iovec data{text.data(), text.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* rights = CMSG_FIRSTHDR(&message);
    rights->cmsg_level = SOL_SOCKET;
    rights->cmsg_type = SCM_RIGHTS;
    rights->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(rights), &file.fd, sizeof(int));
    ssize_t sent;
    do
        sent = sendmsg(socket, &message, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(text.size());
}

bool ReceiveHandedOver(int socket, HandedOver& file)
{
    std::string text(kMostMessage, '\0');
    iovec data{text.data(), text.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t received;
    do
        received = recvmsg(socket, &message, MSG_CMSG_CLOEXEC);
    while (received < 0 && errno == EINTR);
    int fd = -1;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS && c->cmsg_len == CMSG_LEN(sizeof(int)))
            std::memcpy(&fd, CMSG_DATA(c), sizeof(int));
    }
    // A message is sent whole (a datagram or one short write): what is cut
    // or has no file is no hand-over.
    const bool whole = received >= 4 && (message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) == 0;
    text.resize(received > 0 ? static_cast<std::size_t>(received) : 0);
    const std::size_t end = text.find('\0');
    const std::size_t scratchEnd = end == std::string::npos ? end : text.find('\0', end + 1);
    if (!whole || fd < 0 || scratchEnd == std::string::npos || scratchEnd + 3 != text.size()) {
        if (fd >= 0)
            close(fd);
        return false;
    }
    file.fd = fd;
    file.finalPath = text.substr(0, end);
    file.scratchPath = text.substr(end + 1, scratchEnd - end - 1);
    file.marked = text[scratchEnd + 1] == '1';
    file.replace = text[scratchEnd + 2] == '1';
    return true;
}

int PlaceHandedOver(HandedOver& file)
{
    const std::size_t slash = file.finalPath.rfind('/');
    const std::string folder = file.finalPath.substr(0, slash + 1);
    const std::string fileName = file.finalPath.substr(slash + 1);
    struct stat folderNow;
    FolderNames::Matches found;
    if (stat(folder.empty() ? "." : folder.c_str(), &folderNow) == 0)
        found = KnownFolderNames().Match(folder, folderNow, fileName, kScratchPrefix);
    const int rc = OutputFile::Place(file);
    if (rc == kDone)
        RemoveReplacedSpellings(folder, fileName, found.twins, nullptr);
    return rc;
}

void DiscardHandedOver(HandedOver& file)
{
    // Removed while still held, so no cleaner can have taken the name for
    // one of its own meanwhile.
    if (!file.scratchPath.empty())
        unlink(file.scratchPath.c_str());
    if (file.fd >= 0)
        close(file.fd);
    file.fd = -1;
    file.scratchPath.clear();
}

void RemoveReplacedSpellings(const std::string& folder, const std::string& fileName,
                             const std::vector<std::string>& twins, Report* report)
{
    for (const std::string& twin : twins) {
        if (SeparateFiles(folder, fileName, twin) && unlink((folder + twin).c_str()) == 0
            && report != nullptr)
            report->Line("replaced " + folder + twin);
    }
}

} // namespace tbarc
