// LZH archives read with the self-extractors' own decoder (lzhdec.c, built
// natively), so the library accepts, names and checks exactly what a stub
// will extract: the same header rules, the same name rules, the same
// decoding.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tbarc {
class ArchiveStream;
class InputFile;
} // namespace tbarc

namespace unlha32 {

struct LzhMember {
    std::uint64_t start = 0; // offset of the header in the file
    std::uint64_t end = 0;   // offset just past the compressed data
    std::string name;        // stored path and name, folders separated by '/'
    std::string method;      // "-lh5-", ...
    bool writable = true;    // a stub writes it (no link, a name the shared rules allow)
};

enum class Walk { NoHeader, Complete, Broken };

// Reads the member chain from start. Complete means: at least one member,
// every header read (checksum or CRC right), every member's data inside the
// file, and the chain ends with the end-of-archive byte (0); only LArc and
// PMarc archives may end at the end of the file. Broken explains itself in
// detail. walked, when given, sees the members after each one inside the file.
Walk WalkMembers(const tbarc::InputFile& input, std::uint64_t start, std::vector<LzhMember>& members,
                 std::string& detail,
                 const std::function<void(const std::vector<LzhMember>&)>& walked = nullptr);

// Decodes every member that is not left out on this thread, reading the
// archive through stream (which copies it on the way), and checks its CRC-16. kDone, or the
// first failure (kDamagedData, kUnsupportedMethod, kCannotReadInput, a
// write error of the stream) with the member named in detail.
int TestMembers(tbarc::ArchiveStream& stream, std::uint64_t start, const std::vector<LzhMember>& members,
                const std::vector<bool>& leaveOut, std::string& detail);

// TestMembers for members whose bytes (from the first one's header to the
// end of the last one's data, then the end-of-archive byte) are in memory:
// length bytes at bytes. The same results, the member named in detail.
int TestMembersInMemory(const std::uint8_t* bytes, std::size_t length, const std::vector<LzhMember>& members,
                        const std::vector<bool>& leaveOut, std::string& detail);

} // namespace unlha32
