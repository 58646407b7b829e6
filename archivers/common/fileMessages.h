// Bytes with open files beside them over a Unix socket (SCM_RIGHTS): how a
// finished self-extractor is handed over, and how the program's workers pass
// such files on to their run.
#pragma once

#include <cstddef>
#include <vector>

#include <sys/types.h>

namespace tbarc {

// Sends the bytes with the files attached to the first of them (the files
// stay the sender's to close); the bytes sent, or -1. No SIGPIPE.
ssize_t SendWithFiles(int socket, const void* data, std::size_t size, const std::vector<int>& files);

// Receives up to size bytes and the files that came with them (appended to
// files, close-on-exec; at most mostFiles are taken whole); the bytes
// received, or -1. cut: the files, or a datagram's bytes, did not all fit.
ssize_t ReceiveWithFiles(int socket, void* data, std::size_t size, std::size_t mostFiles,
                         std::vector<int>& files, bool& cut);

} // namespace tbarc
