#include "sfxLzhKit.h"

namespace sfxlzh {

std::map<std::string, Bytes> filesBelow(const fs::path& root)
{
    std::map<std::string, Bytes> files;
    if (!fs::exists(root))
        return files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (item.is_regular_file())
            files[fs::relative(item.path(), root).string()] = testSupport::ReadBytes<Bytes>(item.path());
    return files;
}

std::map<std::string, Bytes> caseFolded(const std::map<std::string, Bytes>& files)
{
    std::map<std::string, Bytes> folded;
    for (const auto& [path, content] : files) {
        std::string p = path;
        for (char& c : p)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        folded[p] = content;
    }
    return folded;
}

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
