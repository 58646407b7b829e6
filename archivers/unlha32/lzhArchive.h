// An LZH archive found in a file: a plain archive, or one behind a
// self-extractor (.EXE, X68000 .X, ...). The self-extractors' own decoder
// reads and checks every header (lzhDecoder.h); this class remembers where
// each member lies so it can be copied.
#pragma once

#include "archiveFormat.h"
#include "lzhDecoder.h"
#include "lzhParallelCheck.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tbarc {
class ArchiveStream;
}

namespace unlha32 {

class LzhArchive final : public tbarc::ArchiveFormat {
public:
    const char* FormatName() const override { return "LZH"; }
    const char* StubFileName(tbarc::SfxKind kind) const override;
    int Locate(const tbarc::InputFile& input, std::string& detail) override;
    void ExpectVerification() override { expectVerification_ = true; }
    std::vector<tbarc::EntryName> Entries() const override;
    int CheckStubDecodes(tbarc::SfxKind kind, const std::vector<bool>& leaveOut,
                         std::string& detail) const override;
    void AdaptStub(tbarc::SfxKind kind, const std::string& outputPath,
                   std::vector<char>& stub) const override;
    int WriteArchive(const tbarc::InputFile& input, const std::vector<bool>& leaveOut, bool verify,
                     tbarc::OutputFile& out, std::string& detail) override;

private:
    // TestMembers, on every core for a large archive.
    int Verify(tbarc::ArchiveStream& stream, const std::vector<bool>& leaveOut, std::string& detail);

    std::uint64_t start_ = 0;
    std::vector<LzhMember> members_;
    bool expectVerification_ = false;
    // The verification on every core, begun by Locate.
    std::unique_ptr<ParallelCheck> check_;
};

} // namespace unlha32
