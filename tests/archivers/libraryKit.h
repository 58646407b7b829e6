// Helpers shared by the archiver library tests: the libraries loaded from a
// staged copy with chosen stubs, small archives made on the spot, and the
// corpus. Temporary folders, file bytes and shell commands come from
// tests/support.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/fileBytes.h"
#include "support/lzhArchive.h"
#include "support/shell.h"
#include "support/tempFolder.h"

namespace kit {

std::string CorpusPath(const std::string& relative);
std::string BuiltStub(const std::string& name); // a stub from the build tree

std::vector<std::string> ListFolder(const std::string& path); // names, sorted, dot files too
bool Exists(const std::string& path);

// One of the two libraries, loaded from <dir>/lib<name>.so with <dir>/sfx/ holding
// exactly the given stubs (file name -> bytes).
class Library {
public:
    Library(const std::string& soName, const std::string& prefix,
            const std::map<std::string, std::string>& stubs);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    int Run(const std::string& commandLine, std::string* report = nullptr) const;
    int Run(const std::string& commandLine, char* output, std::uint32_t size) const;
    unsigned short Version() const { return version_(); }
    int Running() const { return running_(); }
    int Check(const std::string& path) const { return check_(path.c_str(), 1); }
    // Where the staged library looks for its stubs.
    std::string StubPath(const std::string& name) const { return dir_ / ("sfx/" + name); }

private:
    testSupport::TempFolder dir_;
    void* handle_ = nullptr;
    int (*main_)(void*, const char*, char*, std::uint32_t) = nullptr;
    unsigned short (*version_)() = nullptr;
    int (*running_)() = nullptr;
    int (*check_)(const char*, int) = nullptr;
};

// A recognisable stand-in for a stub: "MZ", a seal record, then fill up to size.
std::string FakeStub(char fill, std::size_t size);
// Stand-ins for the LZH stubs the DOS and Win32 kinds need.
std::map<std::string, std::string> FakeLzhStubs();
// What a library writes: the stub with its seal filled in, then the archive.
std::string Sealed(const std::string& stub, const std::string& archive);

// A level-0 LZH archive of stored (-lh0-) members: name -> contents.
std::string MakeLzh(const std::vector<std::pair<std::string, std::string>>& members);

// A cabinet made by gcab in folder (stored, or MSZIP when zip): name -> contents.
// Returns its path.
std::string MakeCab(const std::string& folder,
                    const std::vector<std::pair<std::string, std::string>>& members, bool zip);

// A cabinet of one MSZIP folder for each group of members, in the order
// given, made in folder. Returns its path.
std::string MakeFolderCab(const std::string& folder,
                          const std::vector<std::vector<std::pair<std::string, std::string>>>& groups);

// The library stubs a CAB test needs: the real Win32 stub from the build tree.
std::map<std::string, std::string> CabStubs();

// One row of the corpus manifest.
struct CorpusEntry {
    std::string file;      // relative to the corpus folder
    std::string format;    // lzh, cab, sfx-exe, sfx-com, x, ...
    std::string container; // lzh or cab
    std::string validity;  // valid, corrupt, truncated
};
std::vector<CorpusEntry> ReadManifest();

} // namespace kit
