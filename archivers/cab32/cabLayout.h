// Where a cabinet keeps its folder and file records. Used only after libmspack
// has accepted the cabinet, to name the entries and to rebuild the file table
// when entries are left out (the data blocks stay untouched).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tbarc {
class InputFile;
}

namespace cab32 {

struct CabFileRecord {
    std::uint32_t offset = 0; // of the record, from the start of the cabinet
    std::uint32_t size = 0;   // of the record, name included
    std::uint16_t folder = 0;
    std::uint16_t attribs = 0;
    std::string name;
};

struct CabLayout {
    std::uint32_t length = 0;        // cbCabinet
    std::uint32_t filesOffset = 0;   // coffFiles
    std::uint32_t filesEnd = 0;      // just past the last file record
    std::uint32_t foldersOffset = 0; // first folder record
    std::uint32_t folderRecordSize = 0;
    std::uint16_t folderCount = 0;
    std::vector<std::uint32_t> folderStarts; // where each folder's data starts, in folder order
    std::vector<CabFileRecord> files;
    std::vector<std::uint8_t> head; // the cabinet's bytes [0, filesEnd)
};

constexpr std::uint16_t kUtf8NameAttrib = 0x80;

std::optional<CabLayout> ReadCabLayout(const tbarc::InputFile& input, std::uint64_t base);

// The cabinet's head without the marked file records, every length and offset
// behind them moved up; nothing when a folder's data lies inside the file table.
std::optional<std::vector<std::uint8_t>> HeadWithout(const CabLayout& layout,
                                                     const std::vector<bool>& leaveOut);

} // namespace cab32
