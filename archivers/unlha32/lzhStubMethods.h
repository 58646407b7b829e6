// Which compression methods the LZH stub of each self-extractor kind can
// decode. The conversion refuses an archive with an entry the chosen stub
// could not extract, rather than write a self-extractor that fails.
#pragma once

#include "sfxKind.h"

#include <string>

namespace unlha32 {

// method: the five characters of the header, e.g. "-lh5-".
bool StubDecodes(tbarc::SfxKind kind, const std::string& method);

} // namespace unlha32
