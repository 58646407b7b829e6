// Windows 3.x knows a loaded program by the module name in its NE header: a
// second program with that name starts as another instance of the first one
// (its code, its file), so every Win16 self-extractor gets a name of its own.
#pragma once

#include <string>
#include <vector>

namespace unlha32 {

// Writes the module name for outputPath over the 8 characters the stub
// reserves for it (the first entry of its resident-name table, reached through
// the NE header). A stub without that layout is left as it is.
void NameWin16Module(std::vector<char>& stub, const std::string& outputPath);

} // namespace unlha32
