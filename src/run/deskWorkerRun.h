#pragma once

#include "run/runControl.h"
#include "run/runLists.h"
#include "run/stopRequest.h"
#include "run/workerRun.h"

#include <QObject>

#include <functional>
#include <memory>
#include <thread>

namespace run {

// The desk's run on worker processes, as a job: Start returns at once, the
// run's lines, output list entries and progress reach the desk's lists on
// its own thread as each archive is said (in list order, exactly as the
// automatic run says them), Cancel starts nothing more, and `finished` is
// called on the desk's thread when the run has ended. No event loop turns
// inside another: the waiting is done on a thread of the job's own.
class DeskWorkerRun {
public:
    // makeWorkers: fresh workers for one run.
    DeskWorkerRun(IWorkList& work, IHistory& history, IOutputList& output, IRunDesk& desk,
                  RunControl& control, std::function<std::unique_ptr<IWorkers>()> makeWorkers);
    ~DeskWorkerRun();
    DeskWorkerRun(const DeskWorkerRun&) = delete;
    DeskWorkerRun& operator=(const DeskWorkerRun&) = delete;

    // Starts converting the work list into outputFolder with the options of
    // now; false, and nothing started, when a run goes on, when the list
    // has fewer than two entries, or when no worker could be started (the
    // desk then converts in its own process).
    bool Start(tbarc::SfxKind kind, const QString& outputFolder, std::function<void(RunSummary)> finished);
    void Cancel();
    bool Running() const { return thread_.joinable(); }

private:
    void Finish(RunSummary summary);

    IWorkList& work_;
    IHistory& history_;
    IOutputList& output_;
    IRunDesk& runDesk_;
    RunControl& control_;
    std::function<std::unique_ptr<IWorkers>()> makeWorkers_;
    // Lives on the desk's thread: what the run's thread says is queued to it.
    QObject desk_;
    std::unique_ptr<IWorkers> workers_;
    std::unique_ptr<CancelRequest> cancel_;
    std::function<void(RunSummary)> finished_;
    std::thread thread_;
};

} // namespace run
