// The three kinds of self-extractor and the stub file each one starts with.
#pragma once

namespace tbarc {

// The numbers are shared with the program, which stores them (the option
// AutoExe) and takes them from the index of its Execute buttons.
enum class SfxKind { Dos = 0, Win16 = 1, Win32 = 2 };

const char* SfxKindName(SfxKind kind);

} // namespace tbarc
