// Names that a system ignoring letter case takes for one file. The options a
// caller passes were written for such a system: there "a.EXE" and "A.EXE" are
// the same file, and whether an existing file may be replaced must not depend
// on the letter case of the archive's name.
#pragma once

#include <string>
#include <string_view>

namespace tbarc {

// The name with every letter upper-cased one character for another (the
// simple Unicode mappings), as such a system compares names; bytes that are
// no UTF-8 stay as they are.
std::string FoldedName(std::string_view name);

} // namespace tbarc
