// Helpers shared by the LZH self-extractor tests: folder comparison and
// where the data and the built programs are. Processes, temporary folders,
// file bytes and hand-made archives come from tests/support.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/fileBytes.h"
#include "support/japaneseLocale.h"
#include "support/lzhArchive.h"
#include "support/shell.h"
#include "support/tempFolder.h"

namespace sfxlzh {

namespace fs = std::filesystem;
using testSupport::Bytes;
using testSupport::LzhEntry;
using testSupport::MakeLzhArchive;

// Every regular file below root, by relative path (raw bytes of the name).
std::map<std::string, Bytes> filesBelow(const fs::path& root);

// lhasa lower-cases the all-capital names of MS-DOS archives; the
// self-extractors keep names as stored (Windows and DOS ignore case).
std::map<std::string, Bytes> caseFolded(const std::map<std::string, Bytes>& files);

fs::path dataDir();  // tests/data/lzh of the source tree
fs::path binDir();   // build/bin
fs::path stubPath(); // the Win32 stub in the build tree

} // namespace sfxlzh
