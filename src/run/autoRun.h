#pragma once

#include "run/commandLine.h"
#include "run/runControl.h"
#include "run/runLists.h"
#include "run/workerRun.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace run {

// The lists an automatic run fills, and what it runs with.
struct AutoRunParts {
    IWorkList& work;
    IHistory& history;
    SfxEngine& engine;
    // Told what became of the names before the first file is converted.
    std::function<void(const CommandLineIntake&)> namesTaken = {};
    // With workers and more than one archive, the archives are converted
    // on them; the engine converts in this process otherwise, and when no
    // worker could be started. The workers are started before the names are
    // taken, when more than one is given.
    IWorkers* workers = nullptr;
    // Asked between archives in this process: the run is to stop (the
    // workers say it themselves).
    std::function<bool()> interrupted = {};
    // Called once when another run holds the output folder and this one
    // waits for it (interrupted ends the wait).
    std::function<void()> waitingForFolder = {};
};

struct AutoRunOutcome {
    CommandLineIntake intake;
    // Empty when no name reached the work list (the desk then opens as
    // usual).
    std::optional<RunSummary> summary;
};

// The automatic run: takes the command-line names (absolute, one a name),
// converts them with kind into outputFolder and, when the options ask for
// it, copies the history to the clipboard.
AutoRunOutcome AutoRun(const QStringList& names, tbarc::SfxKind kind, const QString& outputFolder,
                       AutoRunParts parts);

} // namespace run
