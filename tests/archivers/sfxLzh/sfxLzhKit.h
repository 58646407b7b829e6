// Helpers shared by the LZH self-extractor tests: folder comparison, where
// the data and the built programs are, and a writer of small hand-made
// archives. Processes, temporary folders and file bytes come from
// tests/support.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/fileBytes.h"
#include "support/japaneseLocale.h"
#include "support/shell.h"
#include "support/tempFolder.h"

namespace sfxlzh {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Every regular file below root, by relative path (raw bytes of the name).
std::map<std::string, Bytes> filesBelow(const fs::path& root);

// lhasa lower-cases the all-capital names of MS-DOS archives; the
// self-extractors keep names as stored (Windows and DOS ignore case).
std::map<std::string, Bytes> caseFolded(const std::map<std::string, Bytes>& files);

fs::path dataDir();  // tests/data/lzh of the source tree
fs::path binDir();   // build/bin
fs::path stubPath(); // the Win32 stub in the build tree

// CRC-16 as LZH uses it.
std::uint16_t crc16(const Bytes& data, std::uint16_t crc = 0);

// One stored (-lh0-) entry of a hand-made archive; `name` is raw bytes,
// folders separated as the header level expects ('\\' at levels 0/1, the
// `dir` part with 0xFF at level 2).
struct Entry {
    std::string dir;
    std::string name;
    std::string data;
    bool folder = false;
};

// An archive of the entries at header level 0, 1 or 2, headers checksummed.
Bytes makeArchive(const std::vector<Entry>& entries, int level);

} // namespace sfxlzh
