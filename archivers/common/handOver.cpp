#include "handOver.h"

#include "fileMessages.h"
#include "folderNames.h"
#include "outputFile.h"
#include "report.h"
#include "resultCodes.h"
#include "scratchJournal.h"
#include "separateFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tbarc {
namespace {

// The names travel as one text: final path, NUL, scratch path, then a byte
// each for marked and replace. Paths hold no NUL.
constexpr std::size_t kMostMessage = 2 * 4096 + 4;

} // namespace

bool SendHandedOver(int socket, const HandedOver& file)
{
    std::string text = file.finalPath + '\0' + file.scratchPath + '\0';
    text += file.marked ? '1' : '0';
    text += file.replace ? '1' : '0';
    return text.size() <= kMostMessage
        && SendWithFiles(socket, text.data(), text.size(), {file.fd}) == static_cast<ssize_t>(text.size());
}

bool ReceiveHandedOver(int socket, HandedOver& file)
{
    std::string text(kMostMessage, '\0');
    std::vector<int> files;
    bool cut = false;
    const ssize_t received = ReceiveWithFiles(socket, text.data(), text.size(), 1, files, cut);
    // A message is sent whole, with one file: anything else is no hand-over.
    text.resize(received > 0 ? static_cast<std::size_t>(received) : 0);
    const std::size_t end = text.find('\0');
    const std::size_t scratchEnd = end == std::string::npos ? end : text.find('\0', end + 1);
    if (cut || files.size() != 1 || scratchEnd == std::string::npos || scratchEnd + 3 != text.size()) {
        for (const int fd : files)
            close(fd);
        return false;
    }
    file.fd = files[0];
    file.finalPath = text.substr(0, end);
    file.scratchPath = text.substr(end + 1, scratchEnd - end - 1);
    file.marked = text[scratchEnd + 1] == '1';
    file.replace = text[scratchEnd + 2] == '1';
    return true;
}

int PlaceHandedOver(HandedOver& file)
{
    const std::size_t slash = file.finalPath.rfind('/');
    const std::string folder = file.finalPath.substr(0, slash + 1);
    const std::string fileName = file.finalPath.substr(slash + 1);
    struct stat folderNow;
    FolderNames::Matches found;
    if (stat(folder.empty() ? "." : folder.c_str(), &folderNow) == 0)
        found = KnownFolderNames().Match(folder, folderNow, fileName, kScratchPrefix);
    const int rc = OutputFile::Place(file);
    if (rc == kDone)
        RemoveReplacedSpellings(folder, fileName, found.twins, nullptr);
    return rc;
}

void DiscardHandedOver(HandedOver& file)
{
    // Removed while still held, so no cleaner can have taken the name for
    // one of its own meanwhile.
    if (!file.scratchPath.empty()) {
        unlink(file.scratchPath.c_str());
        const std::optional<ScratchNote> note = file.marked ? std::nullopt : ScratchNoteOf(file.scratchPath);
        if (note)
            ForgetScratchFile(*note);
    }
    if (file.fd >= 0)
        close(file.fd);
    file.fd = -1;
    file.scratchPath.clear();
}

void RemoveReplacedSpellings(const std::string& folder, const std::string& fileName,
                             const std::vector<std::string>& twins, Report* report)
{
    for (const std::string& twin : twins) {
        if (SeparateFiles(folder, fileName, twin) && unlink((folder + twin).c_str()) == 0
            && report != nullptr)
            report->Line("replaced " + folder + twin);
    }
}

} // namespace tbarc
