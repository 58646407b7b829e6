#include "sfxLzhKit.h"

namespace sfxlzh {

fs::path dataDir()
{
    return fs::path(TB_SOURCE_DIR) / "tests/data/lzh";
}
fs::path binDir()
{
    return fs::path(TB_BINARY_DIR) / "bin";
}
fs::path stubPath()
{
    return fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx/lzh-win32.exe";
}

} // namespace sfxlzh
