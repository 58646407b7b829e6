// The three kinds of self-extractor and the stub file each one starts with.
#pragma once

namespace tbarc {

enum class SfxKind { Dos, Win16, Win32 };

const char* SfxKindName(SfxKind kind);

} // namespace tbarc
