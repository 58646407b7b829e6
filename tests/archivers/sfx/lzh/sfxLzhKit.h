// Where the LZH self-extractor tests find their data and the built programs.
// Processes, temporary folders, file bytes and hand-made archives come from
// tests/support.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/fileBytes.h"
#include "support/japaneseLocale.h"
#include "support/lzhArchive.h"
#include "support/sealedSfx.h"
#include "support/shell.h"
#include "support/tempFolder.h"

namespace sfxlzh {

namespace fs = std::filesystem;
using testSupport::Bytes;
using testSupport::LzhEntry;
using testSupport::MakeLzhArchive;

fs::path dataDir();  // tests/data/lzh of the source tree
fs::path binDir();   // build/bin
fs::path stubPath(); // the Win32 stub in the build tree

} // namespace sfxlzh
