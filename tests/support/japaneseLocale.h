#pragma once

#include <string>

namespace testSupport {

// Environment settings, to put in front of a command, that give Wine the
// Japanese code page 932 through a ja_JP.UTF-8 locale made once in the build
// tree; empty when no such locale can be made.
std::string JapaneseLocaleEnv();

} // namespace testSupport
