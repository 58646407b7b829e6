#include "core/autoRun.h"

#include "core/commandLine.h"
#include "core/options.h"

#include <exception>

namespace basTollbrook {

bool AutoRunning = false;

} // namespace basTollbrook

namespace core {

std::optional<RunSummary> AutoRun(const QString& commandLineText, int kind,
                                  const QString& outputFolder, AutoRunParts parts)
{
    basTollbrook::AutoRunning = true;
    try {
        basTollbrook::ParseCommandLine(commandLineText, parts.work);
        if (parts.work.Count() < 1)
            return std::nullopt;
        const RunSummary summary = AutoExecute(parts.work, parts.history, parts.engine, outputFolder, kind);
        if (basTollbrook::AutoLog)
            parts.history.LogCopy();
        return summary;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace core
