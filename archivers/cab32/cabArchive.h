// A cabinet found in a file: a plain .CAB, or one inside a self-extractor.
// libmspack finds and reads it; CabLayout knows where its records lie.
#pragma once

#include "archiveFormat.h"
#include "cabLayout.h"

#include <cstdint>
#include <string>

namespace tbarc {
class ArchiveStream;
}

namespace cab32 {

class CabArchive final : public tbarc::ArchiveFormat {
public:
    const char* FormatName() const override { return "CAB"; }
    const char* StubFileName(tbarc::SfxKind kind) const override;
    // The cabinet's headers must be whole and it must stand alone: kDone with
    // base_, length_, plain_ and layout_ set, or an error code.
    int Locate(const tbarc::InputFile& input, std::string& detail) override;
    std::vector<tbarc::EntryName> Entries() const override;
    int WriteArchive(const tbarc::InputFile& input, const std::vector<bool>& leaveOut, bool verify,
                     tbarc::OutputFile& out, std::string& detail) override;

    // The check: headers whole and, for a cabinet that stands alone, every
    // file's data decompresses with correct block checksums.
    bool Check(const tbarc::InputFile& input) override;

private:
    // Decodes every file not left out within the cabinet's own length, as
    // the self-extractor will see it, reading through stream when set.
    int TestFiles(const tbarc::InputFile& input, tbarc::ArchiveStream* stream,
                  const std::vector<bool>& leaveOut, std::string& detail) const;

    std::uint64_t base_ = 0;
    std::uint64_t length_ = 0;
    bool plain_ = false;
    CabLayout layout_;
};

} // namespace cab32
