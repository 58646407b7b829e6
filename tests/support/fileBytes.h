#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QFile>
#include <QString>
#endif

namespace testSupport {

// The whole file, empty when it cannot be read. Bytes is the container the
// test works with: std::string or std::vector<std::uint8_t>.
template <typename Bytes = std::string>
Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the file whole, making the folders above it first. Bytes is any
// container of bytes with data() and size().
template <typename Bytes>
requires requires(const Bytes& bytes)
{
    bytes.data();
    bytes.size();
}
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    WriteBytes<std::string_view>(path, bytes);
}

// Every regular file below root with its bytes, by its path relative to
// root; empty when root does not exist.
template <typename Bytes = std::string>
std::map<std::string, Bytes> FilesBelow(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    std::map<std::string, Bytes> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->is_regular_file())
            files[fs::relative(it->path(), root).string()] = ReadBytes<Bytes>(it->path());
    }
    return files;
}

// The same files by their paths in lower case: lhasa lower-cases the
// all-capital names of MS-DOS archives, where the self-extractors keep the
// names as stored (Windows and DOS ignore case).
template <typename Bytes>
std::map<std::string, Bytes> CaseFolded(const std::map<std::string, Bytes>& files)
{
    std::map<std::string, Bytes> folded;
    for (const auto& [path, content] : files) {
        std::string lower = path;
        for (char& c : lower) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        folded[lower] = content;
    }
    return folded;
}

#ifdef QT_CORE_LIB
// The same for the suites that work with Qt's types.
inline QByteArray ReadBytes(const QString& path)
{
    return QByteArray::fromStdString(ReadBytes(QFile::encodeName(path).toStdString()));
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    WriteBytes(QFile::encodeName(path).toStdString(), bytes);
}
#endif

} // namespace testSupport
