// Helpers of the DOS and Win16 self-extractor tests: the stubs, the library,
// reference extractions, damaged and unsafe archives, NE module names, Wine
// runs and one DOSBox start for a whole list of program runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sfxLzhKit.h"

namespace sfx16 {

using sfxlzh::Bytes;
using sfxlzh::dataDir;
namespace fs = std::filesystem;

fs::path dosStub();
fs::path win16Stub();

// The stub followed by the archive, its seal filled in, as the library
// writes a self-extractor.
Bytes withStub(const fs::path& stub, const Bytes& archive);

// What lhasa extracts from the archive, names case-folded (DOS upper-cases
// them, lhasa lower-cases all-capital names).
std::map<std::string, Bytes> lhasaFiles(const fs::path& archive);
std::map<std::string, Bytes> foldedFilesBelow(const fs::path& root);

// lh5_h2.lzh with one byte of its first entry's compressed data changed.
Bytes damagedArchive();
// A stored archive whose entries try to leave the destination (parent
// folders, an absolute name, a drive letter, a device name), then one
// harmless entry GOOD.TXT.
Bytes unsafeArchive();
// Names a DOS file system cannot hold as they are.
Bytes longNamesArchive();

// Every path below root whose file name contains `part` (case-insensitive).
std::vector<fs::path> filesNamed(const fs::path& root, const std::string& part);

// The module name of an NE program (the first entry of its resident-name
// table) and the offset of its first character; nothing unless the MZ and NE
// headers hold and the table's entries end with a 0 before the next table.
struct ModuleName {
    std::size_t offset;
    std::string name;
};
std::optional<ModuleName> moduleName(const Bytes& exe);

// Converts with libunlha32 of the build: options, then the archive and the
// output folder; the library's result.
int convert(const std::string& options, const fs::path& archive, const fs::path& out);
// The same with libcab32 (the -f command).
int convertCab(const std::string& options, const fs::path& cabinet, const fs::path& out);

// Runs the command lines one after another in one Wine session (cmd) in dir
// and returns each one's exit status (-1 when none was recorded; Wine does
// not pass a 16-bit program's on). Each line's output goes to OUT<i>.TXT.
std::vector<int> runAllUnderWine(const fs::path& dir, const std::vector<std::string>& lines,
                                 const std::string& env = "");

// Where the first member of an LZH archive of levels 0 to 2 ends.
std::size_t firstMemberEnd(const Bytes& archive);

// Runs the lines of a batch file with Wine's cmd in `dir`; env is put in
// front of the command.
void runUnderWine(const fs::path& dir, const std::vector<std::string>& lines, const std::string& env = "");

// One program run in DOSBox: `program` (an 8.3 name in the folder) with
// its arguments; `input`, when set, is typed in through standard input.
struct DosRun {
    std::string program;
    std::string args;
    std::string input;
};

// Runs every program in one DOSBox start with `dir` as drive C: and returns
// each one's errorlevel (-1 when the run left no result).
std::vector<int> runInDosbox(const fs::path& dir, const std::vector<DosRun>& runs);

} // namespace sfx16
