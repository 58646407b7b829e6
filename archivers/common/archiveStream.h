// The archive's bytes on their way from the input into the self-extractor.
// The format's decoder reads the input through ReadAt while it verifies the
// archive; each byte of the parts to copy goes to the output the first time
// it is read, in order. So the archive is read once, whether it is verified
// or not, and what the output gets is exactly what was checked. Finish
// copies what the decoder did not read (or everything, without a decoder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tbarc {

class InputFile;
class OutputFile;

class ArchiveStream {
public:
    struct Part {
        std::uint64_t start = 0; // a stretch of the input, copied in the order given
        std::uint64_t end = 0;
    };

    ArchiveStream(const InputFile& input, OutputFile& out, std::vector<Part> parts);

    // Up to length bytes of the input at offset, for the decoder; 0 at the
    // end of the input and, once writing failed, always (Error() says why).
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t length);
    // Bytes of the input at offset that the decoder read without the stream
    // (ahead of it): the output takes them as if ReadAt had brought them.
    void Take(std::uint64_t offset, const void* bytes, std::size_t length);
    // Copies the rest of the parts; kDone or the result code of the failure.
    int Finish();
    int Error() const { return error_; }
    const InputFile& Input() const { return input_; }

private:
    // Passes what a read brought, [offset, offset + length), to the output.
    void Pass(std::uint64_t offset, const char* bytes, std::size_t length);
    // Copies [next_, to) of the input, which the decoder skipped.
    void CopyTo(std::uint64_t to);
    // inInput: the bytes are the input's own, held in memory.
    void Put(const char* bytes, std::size_t length, bool inInput);

    const InputFile& input_;
    OutputFile& out_;
    std::vector<Part> parts_;
    std::size_t part_ = 0;
    std::uint64_t next_ = 0; // the next input offset the output needs
    int error_;
    std::vector<char> buffer_; // for the bytes the decoder did not read
};

} // namespace tbarc
