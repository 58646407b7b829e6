#include "cabCommand.h"

#include "commandLine.h"
#include "resultCodes.h"

#include <vector>

namespace cab32 {

using tbarc::Request;

int ParseCabCommand(const char* commandLine, Request& request, std::string& why)
{
    const auto words = tbarc::SplitCommandLine(commandLine);
    if (!words) {
        why = "a quoted name has no closing quote";
        return tbarc::kBadCommand;
    }
    if (words->empty() || (*words)[0].quoted || (*words)[0].text != "-f") {
        why = "the only command is -f (make a self-extractor)";
        return tbarc::kBadCommand;
    }
    // -f makes the Win32 kind and replaces an earlier output of the same name.
    request.kind = tbarc::SfxKind::Win32;
    request.replaceExisting = true;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < words->size(); ++i) {
        const tbarc::Word& w = (*words)[i];
        if (w.quoted || w.text.empty() || w.text[0] != '-' || !paths.empty()) {
            paths.push_back(w.text);
            continue;
        }
        const std::string& o = w.text;
        if (o == "-gw2")
            request.kind = tbarc::SfxKind::Win32;
        else if (o == "-jw2")
            request.kind = tbarc::SfxKind::Win16;
        else if (o == "-gu0")
            request.leaveOutForeignNames = true;
        else if (o == "-gu1")
            request.leaveOutForeignNames = false;
        else if (o == "-y1")
            request.keepArchiveTime = true;
        else if (o == "-y0")
            request.keepArchiveTime = false;
        else if (o == "-gm1")
            request.writeReport = true;
        else if (o == "-gm0")
            request.writeReport = false;
        else {
            why = "unknown option " + o;
            return tbarc::kBadOption;
        }
    }
    if (paths.size() != 2) {
        why = "expected a cabinet and an output folder";
        return tbarc::kBadCommand;
    }
    request.archive = paths[0];
    request.folder = paths[1];
    return tbarc::kDone;
}

} // namespace cab32
