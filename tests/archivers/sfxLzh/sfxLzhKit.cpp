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

std::uint16_t crc16(const Bytes& data, std::uint16_t crc)
{
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int k = 0; k < 8; k++)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

namespace {

void put16(Bytes& b, unsigned v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void put32(Bytes& b, std::uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void putText(Bytes& b, const std::string& s)
{
    b.insert(b.end(), s.begin(), s.end());
}

Bytes header(const Entry& e, int level)
{
    const Bytes data(e.data.begin(), e.data.end());
    const std::uint16_t crc = crc16(data);
    Bytes h;
    const std::string method = e.folder ? "-lhd-" : "-lh0-";
    if (level == 0 || level == 1) {
        std::string name = e.dir.empty() ? e.name : e.dir + "\\" + e.name;
        h = {0, 0};
        putText(h, method);
        put32(h, std::uint32_t(data.size()));
        put32(h, std::uint32_t(data.size()));
        put32(h, 0x5A210000); // 2025-01-01 00:00 (MS-DOS stamp)
        h.push_back(0x20);
        h.push_back(std::uint8_t(level));
        h.push_back(std::uint8_t(name.size()));
        putText(h, name);
        put16(h, crc);
        if (level == 1) {
            h.push_back('M');
            put16(h, 0); // no extended headers
        }
        h[0] = std::uint8_t(h.size() - 2);
        unsigned sum = 0;
        for (std::size_t i = 2; i < h.size(); i++)
            sum += h[i];
        h[1] = std::uint8_t(sum);
        return h;
    }
    // Level 2: total size, fixed part, then CRC, name and folder headers.
    h = {0, 0};
    putText(h, method);
    put32(h, std::uint32_t(data.size()));
    put32(h, std::uint32_t(data.size()));
    put32(h, 1735689600); // 2025-01-01 00:00 UTC
    h.push_back(0x20);
    h.push_back(2);
    put16(h, crc);
    h.push_back('M');
    std::size_t crcAt = 0;
    auto ext = [&](std::uint8_t type, const Bytes& body) {
        put16(h, unsigned(body.size() + 3));
        h.push_back(type);
        if (type == 0)
            crcAt = h.size();
        h.insert(h.end(), body.begin(), body.end());
    };
    ext(0x00, {0, 0});
    ext(0x01, Bytes(e.name.begin(), e.name.end()));
    if (!e.dir.empty())
        ext(0x02, Bytes(e.dir.begin(), e.dir.end()));
    put16(h, 0);
    if ((h.size() & 0xFF) == 0)
        h.push_back(0); // a size ending in 0x00 reads as the end
    h[0] = h.size() & 0xFF;
    h[1] = (h.size() >> 8) & 0xFF;
    const std::uint16_t hcrc = crc16(h);
    h[crcAt] = hcrc & 0xFF;
    h[crcAt + 1] = hcrc >> 8;
    return h;
}

} // namespace

Bytes makeArchive(const std::vector<Entry>& entries, int level)
{
    Bytes out;
    for (const Entry& e : entries) {
        Bytes h = header(e, level);
        out.insert(out.end(), h.begin(), h.end());
        out.insert(out.end(), e.data.begin(), e.data.end());
    }
    out.push_back(0);
    return out;
}

} // namespace sfxlzh
