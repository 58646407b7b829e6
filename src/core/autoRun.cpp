#include "core/autoRun.h"

#include "core/commandLine.h"
#include "core/options.h"

#include <exception>

namespace core {

bool AutoRunning = false;

std::optional<RunSummary> AutoRun(const QString& commandLineText, tbarc::SfxKind kind,
                                  const QString& outputFolder, AutoRunParts parts)
{
    AutoRunning = true;
    try {
        ParseCommandLine(commandLineText, parts.work);
        if (parts.work.Count() < 1)
            return std::nullopt;
        const RunSummary summary =
            ConvertWholeList(parts.work, parts.history, parts.engine, outputFolder, kind);
        if (options::Current().autoRunCopiesHistory)
            parts.history.CopyToClipboard();
        return summary;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace core
