#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testSupport {

// Small LZH archives made on the spot, byte by byte, for the tests of the
// libraries and of the self-extractors.
using Bytes = std::vector<std::uint8_t>;

// CRC-16 as LZH uses it.
std::uint16_t LzhCrc16(const Bytes& data, std::uint16_t crc = 0);

// One stored (-lh0-) entry of a hand-made archive; `name` is raw bytes,
// folders separated as the header level expects ('\\' at levels 0/1, the
// `dir` part with 0xFF at level 2).
struct LzhEntry {
    std::string dir;
    std::string name;
    std::string data;
    bool folder = false;
    std::string method = ""; // "-lh0-" (stored) unless given, "-lhd-" for a folder
};

// An archive of the entries at header level 0, 1 or 2, headers checksummed.
Bytes MakeLzhArchive(const std::vector<LzhEntry>& entries, int level);

// Many entries, made fast, for the counts a run reports: `badCrc` empty
// stored files whose header claims a CRC-16 other than that of no data, then
// `intact` empty stored files, then `folders` folder entries, at header
// level 0 under the names "B", "G" and "D" (one name each: a test run
// (-t) writes nothing, and a folder entry that is fine prints no line).
Bytes MakeManyEntriesArchive(std::size_t badCrc, std::size_t intact, std::size_t folders);

// Entries named every way the self-extractors' one set of name rules
// refuses (a lone dot, devices, control characters, trailing dots and
// blanks, climbing out, a device behind a Shift_JIS trail byte 0x5C), then
// the `kept` ones it lets through; every entry's data differs. Tests add
// names of their own behind them.
struct PolicyNames {
    std::vector<LzhEntry> entries;
    std::size_t kept;
};
PolicyNames RefusedAndKeptNames();

} // namespace testSupport
