#include "lzhCommand.h"

#include "commandLine.h"
#include "resultCodes.h"

#include <vector>

namespace unlha32 {

using tbarc::Request;

int ParseLzhCommand(const char* commandLine, Request& request, std::string& why)
{
    const auto words = tbarc::SplitCommandLine(commandLine);
    if (!words) {
        why = "a quoted name has no closing quote";
        return tbarc::kBadCommand;
    }
    if (words->empty() || (*words)[0].quoted || (*words)[0].text != "s") {
        why = "the only command is s (make a self-extractor)";
        return tbarc::kBadCommand;
    }
    bool win16 = false;
    bool win32 = false;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < words->size(); ++i) {
        const tbarc::Word& w = (*words)[i];
        if (w.quoted || w.text.empty() || w.text[0] != '-' || !paths.empty()) {
            paths.push_back(w.text);
            continue;
        }
        const std::string& o = w.text;
        if (o == "-gw2")
            win32 = true;
        else if (o == "-jw2")
            win16 = true;
        else if (o == "-gu0")
            request.leaveOutForeignNames = true;
        else if (o == "-gu1")
            request.leaveOutForeignNames = false;
        else if (o == "-+")
            request.replaceExisting = true;
        else if (o == "-y1")
            request.keepArchiveTime = true;
        else if (o == "-y0")
            request.keepArchiveTime = false;
        else if (o == "-gm1")
            request.writeReport = true;
        else if (o == "-gm0")
            request.writeReport = false;
        else if (o == "-jyo" || o == "-x1") {
            // Always so: no questions asked, folder names kept in the stub.
        } else {
            why = "unknown option " + o;
            return tbarc::kBadOption;
        }
    }
    if (win16 && win32) {
        why = "-gw2 and -jw2 ask for two kinds at once";
        return tbarc::kBadOption;
    }
    if (paths.size() != 2) {
        why = "expected an archive and an output folder";
        return tbarc::kBadCommand;
    }
    request.kind = win32 ? tbarc::SfxKind::Win32 : win16 ? tbarc::SfxKind::Win16 : tbarc::SfxKind::Dos;
    request.archive = paths[0];
    request.folder = paths[1];
    return tbarc::kDone;
}

} // namespace unlha32
