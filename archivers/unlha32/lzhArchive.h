// An LZH archive found in a file: a plain archive, or one behind a
// self-extractor (.EXE, X68000 .X, ...). The self-extractors' own decoder
// reads and checks every header (lzhDecoder.h); this class remembers where
// each member lies so it can be copied.
#pragma once

#include "archiveFormat.h"
#include "lzhDecoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace unlha32 {

class LzhArchive final : public tbarc::ArchiveFormat {
public:
    const char* FormatName() const override { return "LZH"; }
    const char* StubFileName(tbarc::SfxKind kind) const override;
    int Locate(const tbarc::InputFile& input, std::string& detail) override;
    std::vector<tbarc::EntryName> Entries() const override;
    int CheckStubDecodes(tbarc::SfxKind kind, const std::vector<bool>& leaveOut,
                         std::string& detail) const override;
    void AdaptStub(tbarc::SfxKind kind, const std::string& outputPath,
                   std::vector<char>& stub) const override;
    int WriteArchive(const tbarc::InputFile& input, const std::vector<bool>& leaveOut, bool verify,
                     tbarc::OutputFile& out, std::string& detail) override;

private:
    std::uint64_t start_ = 0;
    std::vector<LzhMember> members_;
};

} // namespace unlha32
