// The archive being converted, opened read-only; it is never written.
#pragma once

#include "spareBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace tbarc {

// What a verification says when the file no longer holds what it found there.
extern const char* const kInputChanged;

class InputFile {
public:
    // Files up to this size are read whole when opened: the format readers make
    // many small reads (one per header field), which are then plain copies.
    static constexpr std::uint64_t kReadWholeLimit = 4u << 20;

    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // kDone, or kCannotReadInput for a missing, unreadable or special file.
    int Open(const std::string& path);

    // The path it was opened under: a DOS or CP/M program (.COM) has no
    // header that says so, only its name.
    const std::string& Path() const { return path_; }
    int Fd() const { return fd_; }
    std::uint64_t Size() const { return static_cast<std::uint64_t>(stat_.st_size); }
    const struct stat& Stat() const { return stat_; }
    // Reads up to length bytes at offset; returns the count read (short at the end).
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const;
    // True when the file was read whole at Open; Contents() then holds it.
    bool InMemory() const { return inMemory_; }
    std::string_view Contents() const { return {bytes_.data(), length_}; }

private:
    std::size_t ReadFromFile(std::uint64_t offset, void* buffer, std::size_t length) const;

    std::string path_;
    int fd_ = -1;
    struct stat stat_ {};
    bool inMemory_ = false;
    ByteBuffer bytes_; // the whole file in its first length_ bytes
    std::size_t length_ = 0;
};

} // namespace tbarc
