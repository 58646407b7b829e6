#include "sfx16Kit.h"

#include "support/sealedSfx.h"
#include "support/tempFolder.h"

#include <algorithm>
#include <fstream>

#include <dlfcn.h>
#include <unistd.h>

using namespace testSupport;

namespace sfx16 {

using namespace sfxlzh;

fs::path dosStub()
{
    return fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx/lzh-dos.exe";
}
fs::path win16Stub()
{
    return fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx/lzh-win16.exe";
}

Bytes withStub(const fs::path& stub, const Bytes& archive)
{
    return Sealed(ReadBytes<Bytes>(stub), archive);
}

std::map<std::string, Bytes> lhasaFiles(const fs::path& archive)
{
    TempFolder scratch;
    Shell("cd " + Quote(scratch.Path()) + " && lhasa xq " + Quote(archive) + " >/dev/null 2>&1");
    return CaseFolded(FilesBelow<Bytes>(scratch.Path()));
}

std::map<std::string, Bytes> foldedFilesBelow(const fs::path& root)
{
    return CaseFolded(FilesBelow<Bytes>(root));
}

Bytes damagedArchive()
{
    Bytes archive = ReadBytes<Bytes>(dataDir() / "lh5_h2.lzh");
    archive[archive.size() / 3] ^= 0x21;
    return archive;
}

Bytes unsafeArchive()
{
    return MakeLzhArchive({{"..", "EVIL1.TXT", "up one"},
                           {"", "\\EVIL2.TXT", "absolute"},
                           {"", "C:EVIL3.TXT", "drive letter"},
                           {"SUB\\..\\..", "EVIL4.TXT", "up through a folder"},
                           {"", "NUL", "device"},
                           {"", "GOOD.TXT", "harmless"}},
                          0);
}

Bytes longNamesArchive()
{
    return MakeLzhArchive({{"", "LongFileName1.text", "first"},
                           {"", "LongFileName2.text", "second"},
                           {"Long Folder Name", "a.b.c", "dots"}},
                          2);
}

std::vector<fs::path> filesNamed(const fs::path& root, const std::string& part)
{
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    std::vector<fs::path> found;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (lower(item.path().filename().string()).find(lower(part)) != std::string::npos)
            found.push_back(item.path());
    return found;
}

std::optional<ModuleName> moduleName(const Bytes& exe)
{
    auto word = [&](std::size_t at) { return unsigned(exe[at] | exe[at + 1] << 8); };
    if (exe.size() < 0x40 || exe[0] != 'M' || exe[1] != 'Z')
        return std::nullopt;
    const std::size_t ne = word(0x3C) | std::size_t(word(0x3E)) << 16;
    if (ne + 0x40 > exe.size() || exe[ne] != 'N' || exe[ne + 1] != 'E')
        return std::nullopt;
    const std::size_t first = ne + word(ne + 0x26), tableEnd = ne + word(ne + 0x28);
    if (tableEnd > exe.size())
        return std::nullopt;
    // entries: length, name, ordinal; the module name is entry 0
    std::size_t at = first;
    while (at < tableEnd && exe[at] != 0)
        at += 1 + exe[at] + 2;
    if (at >= tableEnd || at == first || word(first + 1 + exe[first]) != 0)
        return std::nullopt;
    return ModuleName{first + 1, std::string(exe.begin() + first + 1, exe.begin() + first + 1 + exe[first])};
}

namespace {

int callLibrary(const char* soName, const char* function, const std::string& command)
{
    using MainFunction = int (*)(void*, const char*, char*, std::uint32_t);
    testSupport::UseOwnConfigurationFolder();
    void* library =
        dlopen((std::string(TB_BINARY_DIR) + "/lib/tollbrook2/" + soName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return -1;
    auto main = reinterpret_cast<MainFunction>(dlsym(library, function));
    char report[8192] = {};
    const int rc = main ? main(nullptr, command.c_str(), report, sizeof report) : -1;
    dlclose(library);
    return rc;
}

} // namespace

int convert(const std::string& options, const fs::path& archive, const fs::path& out)
{
    return callLibrary("libunlha32.so", "Unlha",
                       "s " + options + " \"" + archive.string() + "\" \"" + out.string() + "/\"");
}

int convertCab(const std::string& options, const fs::path& cabinet, const fs::path& out)
{
    return callLibrary("libcab32.so", "Cab",
                       "-f " + options + " \"" + cabinet.string() + "\" \"" + out.string() + "/\"");
}

std::vector<int> runAllUnderWine(const fs::path& dir, const std::vector<std::string>& lines,
                                 const std::string& env)
{
    std::vector<std::string> batch;
    for (std::size_t i = 0; i < lines.size(); i++) {
        const std::string n = std::to_string(i);
        batch.push_back(lines[i] + " > OUT" + n + ".TXT 2>&1");
        batch.push_back("echo %ERRORLEVEL% > ST" + n + ".TXT");
    }
    runUnderWine(dir, batch, env);
    std::vector<int> levels;
    for (std::size_t i = 0; i < lines.size(); i++) {
        const Bytes status = ReadBytes<Bytes>(dir / ("ST" + std::to_string(i) + ".TXT"));
        levels.push_back(status.empty() ? -1 : std::atoi(std::string(status.begin(), status.end()).c_str()));
    }
    return levels;
}

std::size_t firstMemberEnd(const Bytes& a)
{
    const std::size_t packed = a[7] | a[8] << 8 | a[9] << 16 | std::size_t(a[10]) << 24;
    return a[20] == 2 ? (a[0] | a[1] << 8) + packed : 2 + a[0] + packed;
}

void runUnderWine(const fs::path& dir, const std::vector<std::string>& lines, const std::string& env)
{
    std::string batch = "@echo off\r\n";
    for (const std::string& line : lines)
        batch += line + "\r\n";
    WriteBytes(dir / "run.bat", Bytes(batch.begin(), batch.end()));
    Shell("cd " + Quote(dir.string()) + " && " + env + " TB_WINEPREFIX=" + Quote(TB_WINEPREFIX) + " "
          + Quote(TB_WINE_RUN) + " cmd /c run.bat >/dev/null 2>&1");
}

std::vector<int> runInDosbox(const fs::path& dir, const std::vector<DosRun>& runs)
{
    // DOSBox applies a redirection on an IF line even when the condition is
    // false, so the errorlevel is told apart with GOTOs.
    std::string batch = "@ECHO OFF\r\n";
    for (std::size_t i = 0; i < runs.size(); i++) {
        const std::string n = std::to_string(i);
        const DosRun& r = runs[i];
        std::string line = r.program + " " + r.args;
        if (!r.input.empty()) {
            WriteBytes(dir / ("IN" + n + ".TXT"), Bytes(r.input.begin(), r.input.end()));
            line += " < IN" + n + ".TXT";
        }
        batch += line + " > LOG" + n + ".TXT\r\n";
        for (int level = 3; level >= 1; level--)
            batch += "IF ERRORLEVEL " + std::to_string(level) + " GOTO L" + n + "E" + std::to_string(level)
                + "\r\n";
        batch += "ECHO 0> ST" + n + ".TXT\r\nGOTO L" + n + "END\r\n";
        for (int level = 3; level >= 1; level--)
            batch += ":L" + n + "E" + std::to_string(level) + "\r\nECHO " + std::to_string(level) + "> ST" + n
                + ".TXT\r\nGOTO L" + n + "END\r\n";
        batch += ":L" + n + "END\r\n";
    }
    WriteBytes(dir / "RUNALL.BAT", Bytes(batch.begin(), batch.end()));
    // A run that waits for input it never gets fails the test in a minute.
    Shell("TB_DOSBOX_TIMEOUT=60 " + Quote(TB_DOSBOX_RUN) + " " + Quote(dir.string())
          + " RUNALL.BAT >/dev/null 2>&1");

    std::vector<int> levels;
    for (std::size_t i = 0; i < runs.size(); i++) {
        const Bytes status = ReadBytes<Bytes>(dir / ("ST" + std::to_string(i) + ".TXT"));
        levels.push_back(status.empty() ? -1 : status[0] - '0');
    }
    return levels;
}

} // namespace sfx16
