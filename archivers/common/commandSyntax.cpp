#include "commandSyntax.h"

#include "commandLine.h"
#include "resultCodes.h"

#include <optional>
#include <vector>

#include <sys/stat.h>

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
    } else if (o == "-gt1" || o == "-gt0") {
        request.verify = o == "-gt1";
    } else if (o.starts_with("-gk") && o.size() > 3 && o.size() <= 12
               && o.find_first_not_of("0123456789", 3) == std::string::npos) {
        // Only an open socket: anything else would take the file nowhere.
        const int socket = std::stoi(o.substr(3));
        struct stat status;
        if (fstat(socket, &status) != 0 || !S_ISSOCK(status.st_mode))
            return false;
        request.handOverSocket = socket;
    } else {
        return false;
    }
    return true;
}

// A quoted archive name may hold a quote followed by a blank ("a.lzh" b.lzh"),
// which the splitting took for its end. The output folder being the last
// word, the archive's name may be everything from its opening quote up to the
// closing quote before that word, exactly as the line spells it. Three paths
// or that one name read alike; the name is taken only when such a file is
// there, so a line that really has three paths stays wrong.
void JoinArchiveName(const char* line, const std::vector<Word>& words, std::size_t firstPath,
                     std::vector<std::string>& paths)
{
    const Word& last = words[words.size() - 2];
    std::size_t end = last.end;
    if (!last.quoted) {
        if (last.text.empty() || last.text.back() != '"')
            return; // no closing quote: the line stays wrong
        --end;
    }
    const std::string name(line + words[firstPath].begin, line + end);
    struct stat status;
    if (stat(name.c_str(), &status) == 0)
        paths = {name, paths.back()};
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
    std::size_t firstPath = 0;
    for (std::size_t i = 1; i < words->size(); ++i) {
        const Word& w = (*words)[i];
        // Options come first; from the first path on every word is a path.
        if (w.quoted || w.text.empty() || w.text[0] != '-' || !paths.empty()) {
            if (paths.empty())
                firstPath = i;
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
    if (paths.size() > 2 && (*words)[firstPath].quoted)
        JoinArchiveName(commandLine, *words, firstPath, paths);
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
