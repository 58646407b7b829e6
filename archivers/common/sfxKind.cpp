#include "sfxKind.h"

namespace tbarc {

const char* SfxKindName(SfxKind kind)
{
    switch (kind) {
    case SfxKind::Dos: return "DOS";
    case SfxKind::Win16: return "Win16";
    case SfxKind::Win32: return "Win32";
    }
    return "?";
}

} // namespace tbarc
