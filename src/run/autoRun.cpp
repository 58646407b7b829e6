#include "run/autoRun.h"

#include "core/options.h"
#include "run/outputFolderLock.h"

namespace run {

AutoRunOutcome AutoRun(const QStringList& names, tbarc::SfxKind kind, const QString& outputFolder,
                       AutoRunParts parts)
{
    AutoRunOutcome outcome;
    // The workers start up while the names are looked at: both take a while.
    const int workerCount = parts.workers != nullptr && names.size() > 1
        ? parts.workers->Open(int(names.size()), kind, outputFolder, options::Current())
        : 0;
    outcome.intake = TakeCommandLineNames(names, parts.work);
    if (parts.namesTaken)
        parts.namesTaken(outcome.intake);
    if (parts.work.Count() < 1)
        return outcome;
    const OutputFolderLock folder(outputFolder, parts.waitingForFolder, parts.interrupted);
    if (!folder.Taken()) {
        AddEndLine(parts.history, true);
        outcome.summary = RunSummary{.stopped = true};
        return outcome;
    }
    outcome.summary = workerCount > 0 && parts.work.Count() > 1
        ? ConvertOnWorkers(parts.work, parts.history, parts.engine.OutputList(), *parts.workers, workerCount,
                           outputFolder)
        : ConvertWholeList(parts.work, parts.history, parts.engine, outputFolder, kind, parts.interrupted);
    if (options::Current().autoRunCopiesHistory)
        parts.history.CopyToClipboard();
    return outcome;
}

} // namespace run
