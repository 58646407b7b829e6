// libFuzzer target: UnlhaCheckArchive or CabCheckArchive (chosen at build time)
// on arbitrary bytes, then, for what the library finds, the conversion's own
// steps: the entries, the verification that decodes each one while the
// archive is copied, with and without entries left out, and the seal. The
// check must answer 0 or 1, and nothing may crash, hang or leak.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "inputFile.h"
#include "outputFile.h"
#include "resultCodes.h"
#include "sfxseal.h"

#ifdef TB_FUZZ_CAB
#include "cab32.h"
#include "cabArchive.h"
#define CHECK CabCheckArchive
using Format = cab32::CabArchive;
#else
#include "lzhArchive.h"
#include "unlha32.h"
#define CHECK UnlhaCheckArchive
using Format = unlha32::LzhArchive;
#endif

namespace {

const std::string& WorkFolder()
{
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp != nullptr ? tmp : "/tmp") + "/";
    }();
    return path;
}

const std::string& InputPath()
{
    static const std::string path = WorkFolder() + "tb-check-fuzz-" + std::to_string(getpid());
    return path;
}

// What a conversion does after it found the archive, into a scratch file
// that is never committed.
void Convert(Format& format, const tbarc::InputFile& input, bool leaveOutSome)
{
    const std::vector<tbarc::EntryName> entries = format.Entries();
    std::vector<bool> leaveOut(entries.size(), false);
    for (std::size_t i = 0; leaveOutSome && i < entries.size(); i += 2)
        leaveOut[i] = true;
    std::string stub = "MZ";
    stub.append(SFX_SEAL_MAGIC, SFX_SEAL_MAGIC_SIZE);
    stub.append(SFX_SEAL_SIZE - SFX_SEAL_MAGIC_SIZE, '\0');
    tbarc::OutputFile out;
    std::string detail;
    if (out.Create(WorkFolder(), "fuzz.EXE") != tbarc::kDone
        || out.Write(stub.data(), stub.size()) != tbarc::kDone)
        return;
    out.BeginArchive();
    if (format.WriteArchive(input, leaveOut, true, out, detail) == tbarc::kDone)
        out.Seal(2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FILE* f = std::fopen(InputPath().c_str(), "wb");
    if (f == nullptr)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const int verdict = CHECK(InputPath().c_str(), 1);
    if (verdict != 0 && verdict != 1)
        std::abort();
    tbarc::InputFile input;
    std::string detail;
    for (bool leaveOutSome : {false, true}) {
        Format format;
        if (input.Fd() < 0 && input.Open(InputPath()) != tbarc::kDone)
            break;
        if (format.Locate(input, detail) == tbarc::kDone)
            Convert(format, input, leaveOutSome);
    }
    std::remove(InputPath().c_str());
    return 0;
}
