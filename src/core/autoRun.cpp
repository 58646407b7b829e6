#include "core/autoRun.h"

#include "core/options.h"

#include <exception>

namespace core {

bool AutoRunning = false;

AutoRunOutcome AutoRun(const QStringList& names, tbarc::SfxKind kind, const QString& outputFolder,
                       AutoRunParts parts)
{
    AutoRunning = true;
    AutoRunOutcome outcome;
    try {
        outcome.intake = TakeCommandLineNames(names, parts.work);
        if (parts.namesTaken)
            parts.namesTaken(outcome.intake);
        if (parts.work.Count() < 1)
            return outcome;
        outcome.summary = ConvertWholeList(parts.work, parts.history, parts.engine, outputFolder, kind);
        if (options::Current().autoRunCopiesHistory)
            parts.history.CopyToClipboard();
    } catch (const std::exception&) {
        outcome.summary.reset();
    }
    return outcome;
}

} // namespace core
