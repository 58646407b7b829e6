#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
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
