#include "support/lzhArchive.h"

#include <utility>

namespace testSupport {

std::uint16_t LzhCrc16(const Bytes& data, std::uint16_t crc)
{
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int k = 0; k < 8; k++)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

namespace {

void Put16(Bytes& b, unsigned v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutText(Bytes& b, const std::string& s)
{
    b.insert(b.end(), s.begin(), s.end());
}

Bytes Header(const LzhEntry& e, int level)
{
    const Bytes data(e.data.begin(), e.data.end());
    const std::uint16_t crc = LzhCrc16(data);
    Bytes h;
    const std::string method = !e.method.empty() ? e.method : e.folder ? "-lhd-" : "-lh0-";
    if (level == 0 || level == 1) {
        std::string name = e.dir.empty() ? e.name : e.dir + "\\" + e.name;
        h = {0, 0};
        PutText(h, method);
        Put32(h, std::uint32_t(data.size()));
        Put32(h, std::uint32_t(data.size()));
        Put32(h, 0x5A210000); // 2025-01-01 00:00 (MS-DOS stamp)
        h.push_back(0x20);
        h.push_back(std::uint8_t(level));
        h.push_back(std::uint8_t(name.size()));
        PutText(h, name);
        Put16(h, crc);
        if (level == 1) {
            h.push_back('M');
            Put16(h, 0); // no extended headers
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
    PutText(h, method);
    Put32(h, std::uint32_t(data.size()));
    Put32(h, std::uint32_t(data.size()));
    Put32(h, 1735689600); // 2025-01-01 00:00 UTC
    h.push_back(0x20);
    h.push_back(2);
    Put16(h, crc);
    h.push_back('M');
    std::size_t crcAt = 0;
    auto ext = [&](std::uint8_t type, const Bytes& body) {
        Put16(h, unsigned(body.size() + 3));
        h.push_back(type);
        if (type == 0)
            crcAt = h.size();
        h.insert(h.end(), body.begin(), body.end());
    };
    ext(0x00, {0, 0});
    ext(0x01, Bytes(e.name.begin(), e.name.end()));
    if (!e.dir.empty())
        ext(0x02, Bytes(e.dir.begin(), e.dir.end()));
    Put16(h, 0);
    if ((h.size() & 0xFF) == 0)
        h.push_back(0); // a size ending in 0x00 reads as the end
    h[0] = h.size() & 0xFF;
    h[1] = (h.size() >> 8) & 0xFF;
    const std::uint16_t hcrc = LzhCrc16(h);
    h[crcAt] = hcrc & 0xFF;
    h[crcAt + 1] = hcrc >> 8;
    return h;
}

} // namespace

Bytes MakeLzhArchive(const std::vector<LzhEntry>& entries, int level)
{
    Bytes out;
    for (const LzhEntry& e : entries) {
        Bytes h = Header(e, level);
        out.insert(out.end(), h.begin(), h.end());
        out.insert(out.end(), e.data.begin(), e.data.end());
    }
    out.push_back(0);
    return out;
}

Bytes MakeManyEntriesArchive(std::size_t badCrc, std::size_t intact, std::size_t folders)
{
    Bytes bad = Header({"", "B", ""}, 0);
    bad[bad.size() - 2] = 0x34; // the CRC-16 of no data is 0
    bad[bad.size() - 1] = 0x12;
    unsigned sum = 0;
    for (std::size_t i = 2; i < bad.size(); i++)
        sum += bad[i];
    bad[1] = std::uint8_t(sum);
    const Bytes good = Header({"", "G", ""}, 0);
    const Bytes folder = Header({"", "D", "", true}, 0);
    Bytes out;
    out.reserve(bad.size() * badCrc + good.size() * intact + folder.size() * folders + 1);
    const std::pair<const Bytes*, std::size_t> runs[] = {{&bad, badCrc}, {&good, intact}, {&folder, folders}};
    for (const auto& [header, count] : runs)
        for (std::size_t n = 0; n < count; n++)
            out.insert(out.end(), header->begin(), header->end());
    out.push_back(0);
    return out;
}

PolicyNames RefusedAndKeptNames()
{
    return {{
                {"", ".", "dot"},
                {"", "CONIN$", "conin"},
                {"", "clock$.txt", "clock"},
                {"", "COM0", "com0"},
                {"", "COM\xB9.txt", "com superscript one"},
                {"",
                 "A\x7F"
                 "B",
                 "delete"},
                {"", "B.TXT.", "trailing dot"},
                {"", "C.TXT ", "trailing blank"},
                {"..\xFF", "UP.TXT", "up a folder"},
                {"", "..\xFFX.TXT", "up with 0xFF"},
                {"", "SUB2\\..\\..\\Y", "up two"},
                {"",
                 "\x95\x5C"
                 "CON",
                 "con behind a trail byte"},
                {"", "OK.TXT", "ok"},
                {"SUB\xFF", "IN.TXT", "in a folder"},
            },
            2};
}

} // namespace testSupport
