#include "commandSyntax.h"

#include "commandLine.h"
#include "resultCodes.h"

#include <optional>
#include <vector>

namespace tbarc {
namespace {

// The options every library knows; false for any other word.
bool SharedOption(const std::string& o, Request& request, std::optional<SfxKind>& asked, bool& askedBoth)
{
    if (o == "-gw2" || o == "-jw2") {
        const SfxKind kind = o == "-gw2" ? SfxKind::Win32 : SfxKind::Win16;
        askedBoth = askedBoth || (asked && *asked != kind);
        asked = kind;
    } else if (o == "-gu0" || o == "-gu1") {
        request.leaveOutForeignNames = o == "-gu0";
    } else if (o == "-y1" || o == "-y0") {
        request.keepArchiveTime = o == "-y1";
    } else if (o == "-gm1" || o == "-gm0") {
        request.writeReport = o == "-gm1";
    } else {
        return false;
    }
    return true;
}

} // namespace

int ParseCommand(const CommandSyntax& syntax, const char* commandLine, Request& request, std::string& why)
{
    const auto words = SplitCommandLine(commandLine);
    if (!words) {
        why = "a quoted name has no closing quote";
        return kBadCommand;
    }
    if (words->empty() || (*words)[0].quoted || (*words)[0].text != syntax.command) {
        why = syntax.commandHelp;
        return kBadCommand;
    }
    request = syntax.defaults;
    std::optional<SfxKind> asked;
    bool askedBoth = false;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < words->size(); ++i) {
        const Word& w = (*words)[i];
        // Options come first; from the first path on every word is a path.
        if (w.quoted || w.text.empty() || w.text[0] != '-' || !paths.empty()) {
            paths.push_back(w.text);
            continue;
        }
        if (SharedOption(w.text, request, asked, askedBoth))
            continue;
        if (syntax.extraOption == nullptr || !syntax.extraOption(w.text, request)) {
            why = "unknown option " + w.text;
            return kBadOption;
        }
    }
    if (askedBoth && syntax.kindsConflict) {
        why = "-gw2 and -jw2 ask for two kinds at once";
        return kBadOption;
    }
    if (paths.size() != 2) {
        why = std::string("expected ") + syntax.archiveNoun + " and an output folder";
        return kBadCommand;
    }
    if (asked)
        request.kind = *asked;
    request.archive = paths[0];
    request.folder = paths[1];
    return kDone;
}

} // namespace tbarc
