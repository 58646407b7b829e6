#include "libraryKit.h"

#include "support/sealedSfx.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <dlfcn.h>

namespace fs = std::filesystem;

namespace kit {

using namespace testSupport;

namespace {

// Made before any test runs: the tests' own calls of the common code find
// the libraries' scratch-file token.
const bool ownConfiguration = [] {
    UseOwnConfigurationFolder();
    return true;
}();

} // namespace

std::string CorpusPath(const std::string& relative)
{
    return std::string(TB_CORPUS_DIR) + "/" + relative;
}

std::string BuiltStub(const std::string& name)
{
    return ReadBytes(std::string(TB_BINARY_DIR) + "/lib/tollbrook2/sfx/" + name);
}

std::vector<std::string> ListFolder(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(path, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

Library::Library(const std::string& soName, const std::string& prefix,
                 const std::map<std::string, std::string>& stubs)
{
    // Each test process keeps its busy locks to itself, so tests running side
    // by side never see each other's calls as "busy".
    static TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const std::string built = std::string(TB_BINARY_DIR) + "/lib/tollbrook2/" + soName;
    fs::copy_file(built, dir_ / soName);
    fs::create_directories(dir_ / "sfx");
    for (const auto& [name, bytes] : stubs)
        WriteBytes(dir_ / ("sfx/" + name), bytes);
    handle_ = dlopen((dir_ / soName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        throw std::runtime_error(dlerror());
    main_ = reinterpret_cast<decltype(main_)>(dlsym(handle_, prefix.c_str()));
    version_ = reinterpret_cast<decltype(version_)>(dlsym(handle_, (prefix + "GetVersion").c_str()));
    running_ = reinterpret_cast<decltype(running_)>(dlsym(handle_, (prefix + "GetRunning").c_str()));
    check_ = reinterpret_cast<decltype(check_)>(dlsym(handle_, (prefix + "CheckArchive").c_str()));
    if (!main_ || !version_ || !running_ || !check_)
        throw std::runtime_error("missing export in " + soName);
}

Library::~Library()
{
    if (handle_ != nullptr)
        dlclose(handle_);
}

int Library::Run(const std::string& commandLine, std::string* report) const
{
    std::vector<char> output(8192, '\x7f');
    const int rc = Run(commandLine, output.data(), static_cast<std::uint32_t>(output.size()));
    if (report != nullptr)
        *report = output.data();
    return rc;
}

int Library::Run(const std::string& commandLine, char* output, std::uint32_t size) const
{
    return main_(nullptr, commandLine.c_str(), output, size);
}

std::string FakeStub(char fill, std::size_t size)
{
    std::string stub = "MZ" + std::string("TB2SEAL\x1A", 8) + std::string(12, '\0');
    stub.resize(size, fill);
    return stub;
}

std::map<std::string, std::string> FakeLzhStubs()
{
    // Distinct bytes per kind, so a test sees which stub a call used.
    return {{"lzh-dos.exe", FakeStub('D', 512)}, {"lzh-win32.exe", FakeStub('W', 1024)}};
}

std::string Sealed(const std::string& stub, const std::string& archive)
{
    return testSupport::Sealed(stub, archive);
}

std::string MakeCab(const std::string& folder,
                    const std::vector<std::pair<std::string, std::string>>& members, bool zip)
{
    const std::string source = folder + "/cab-source";
    std::string names;
    for (const auto& [name, data] : members) {
        WriteBytes(source + "/" + name, data);
        names += " " + Quote(name);
    }
    const std::string cab = folder + "/made.cab";
    if (Shell("cd " + Quote(source) + " && gcab -c " + (zip ? "-z " : "") + Quote(cab) + names) != 0)
        throw std::runtime_error("gcab failed");
    return cab;
}

std::string MakeFolderCab(const std::string& folder,
                          const std::vector<std::vector<std::pair<std::string, std::string>>>& groups)
{
    // gcab writes one folder a cabinet: a cabinet for each, joined.
    std::string parts;
    for (std::size_t i = 0; i < groups.size(); ++i)
        parts += " " + Quote(MakeCab(folder + "/folder" + std::to_string(i), groups[i], true));
    const std::string cab = folder + "/folders.cab";
    if (Shell("/usr/bin/python3 " + Quote(std::string(TB_SOURCE_DIR) + "/tests/support/joinCabinets.py") + " "
              + Quote(cab) + parts)
        != 0)
        throw std::runtime_error("joinCabinets.py failed");
    return cab;
}

std::map<std::string, std::string> CabStubs()
{
    return {{"cab-win32.exe", BuiltStub("cab-win32.exe")}};
}

std::vector<CorpusEntry> ReadManifest()
{
    std::vector<CorpusEntry> rows;
    std::ifstream in(CorpusPath("MANIFEST.tsv"));
    std::string line;
    std::getline(in, line); // column names
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (;;) {
            const auto tab = line.find('\t', start);
            cells.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (cells.size() > 9)
            rows.push_back({cells[0], cells[5], cells[6], cells[9]});
    }
    return rows;
}

std::string MakeLzh(const std::vector<std::pair<std::string, std::string>>& members)
{
    std::vector<testSupport::LzhEntry> entries;
    for (const auto& [name, data] : members)
        entries.push_back({"", name, data});
    const testSupport::Bytes archive = testSupport::MakeLzhArchive(entries, 0);
    return std::string(archive.begin(), archive.end());
}

} // namespace kit
