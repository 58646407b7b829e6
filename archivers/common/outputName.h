// The name of the self-extractor made of an archive. One rule, read by the
// libraries when they write the file and by the program when it looks for
// it, so the two never disagree.
#pragma once

#include <string>
#include <string_view>

namespace tbarc {

// A file's name without its folder and without its last extension: what
// stands before the last full stop of the name, so "a.b.lzh" gives "a.b",
// "README" stays "README" and ".lzh" gives "".
inline std::string FileBaseName(std::string_view path)
{
    const auto slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}

// "<base name>.EXE" for the archive at archivePath.
inline std::string SelfExtractorName(std::string_view archivePath)
{
    return FileBaseName(archivePath) + ".EXE";
}

} // namespace tbarc
