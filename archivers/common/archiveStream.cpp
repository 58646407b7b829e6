#include "archiveStream.h"

#include "inputFile.h"
#include "outputFile.h"
#include "resultCodes.h"

#include <algorithm>

namespace tbarc {

ArchiveStream::ArchiveStream(const InputFile& input, OutputFile& out, std::vector<Part> parts)
    : input_(input), out_(out), parts_(std::move(parts)), error_(kDone)
{
    next_ = parts_.empty() ? 0 : parts_[0].start;
}

std::size_t ArchiveStream::ReadAt(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (error_ != kDone)
        return 0;
    length = input_.ReadAt(offset, buffer, length);
    if (length == 0)
        return 0;
    Take(offset, buffer, length);
    return error_ == kDone ? length : 0;
}

void ArchiveStream::Take(std::uint64_t offset, const void* bytes, std::size_t length)
{
    if (error_ != kDone)
        return;
    // Of an input held in memory the output takes the input's own bytes (Put).
    Pass(offset, input_.InMemory() ? input_.Contents().data() + offset : static_cast<const char*>(bytes),
         length);
}

void ArchiveStream::Pass(std::uint64_t offset, const char* bytes, std::size_t length)
{
    const std::uint64_t readEnd = offset + length;
    while (error_ == kDone && part_ < parts_.size()) {
        const Part& part = parts_[part_];
        if (next_ >= part.end) {
            if (++part_ < parts_.size())
                next_ = parts_[part_].start;
            continue;
        }
        if (readEnd <= next_ || length == 0)
            return; // bytes the output already has, or needs later
        if (offset > next_) {
            // The decoder skipped some of the part: those bytes come first.
            CopyTo(std::min(offset, part.end));
            continue;
        }
        const std::uint64_t upTo = std::min(part.end, readEnd);
        Put(bytes + (next_ - offset), static_cast<std::size_t>(upTo - next_), input_.InMemory());
        next_ = upTo;
        if (upTo == readEnd)
            return;
    }
}

void ArchiveStream::CopyTo(std::uint64_t to)
{
    if (input_.InMemory()) {
        const std::string_view bytes = input_.Contents();
        if (to > bytes.size()) {
            error_ = kCannotReadInput; // the input shrank under us
            return;
        }
        Put(bytes.data() + next_, static_cast<std::size_t>(to - next_), true);
        next_ = to;
        return;
    }
    buffer_.resize(1u << 20);
    while (error_ == kDone && next_ < to) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(to - next_, buffer_.size()));
        const std::size_t got = input_.ReadAt(next_, buffer_.data(), chunk);
        if (got == 0) {
            error_ = kCannotReadInput;
            return;
        }
        Put(buffer_.data(), got, false);
        next_ += got;
    }
}

void ArchiveStream::Put(const char* bytes, std::size_t length, bool inInput)
{
    // The bytes of an input held in memory stay there until the output is
    // committed: they need no copy of their own.
    if (const int rc = inInput ? out_.WriteLasting(bytes, length) : out_.Write(bytes, length); rc != kDone)
        error_ = rc;
}

int ArchiveStream::Finish()
{
    for (; error_ == kDone && part_ < parts_.size(); ++part_) {
        if (part_ > 0 && next_ < parts_[part_].start)
            next_ = parts_[part_].start;
        CopyTo(parts_[part_].end);
    }
    return error_;
}

} // namespace tbarc
