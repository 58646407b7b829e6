#pragma once

#include "core/options.h"
#include "run/runControl.h"
#include "run/stopRequest.h"
#include "run/runLists.h"
#include "run/workerFrames.h"

#include <optional>

namespace run {

// The worker processes of a run as the run sees them: numbered places, each
// converting one batch of archives at a time with its own library instances.
class IWorkers {
public:
    virtual ~IWorkers() = default;

    // Starts the workers for a run of at most this many archives of this
    // kind into outputFolder, converting with these options (the run's, as
    // it began); how many run.
    virtual int Open(int archives, tbarc::SfxKind kind, const QString& outputFolder,
                     const options::Options& options) = 0;
    // Hands the batch to the idle worker, starting a fresh process there
    // when the last one ended; false when the place has no process and none
    // could be started.
    virtual bool Start(int worker, const WorkerBatch& batch) = 0;
    // Ends a worker's batch at once, unanswered: its process ends, and what
    // it made and had not handed over goes with it; the place takes a fresh
    // process at its next batch.
    virtual void Abandon(int worker) = 0;

    struct Finished {
        int worker = -1;
        // Empty when the worker ended, or said something unreadable, before
        // its answer was whole.
        std::optional<WorkerReports> reports;
        // No worker answered: the run was asked to stop (Ctrl+C, SIGTERM).
        bool interrupted = false;
    };
    // Waits until a worker with a batch in hand answers it, or the run is
    // interrupted.
    virtual Finished WaitForAny() = 0;
    // A request to stop (Ctrl+C and SIGTERM, the desk's ｷｬﾝｾﾙ) ends a wait
    // as an interruption, once.
    virtual void WatchStopRequest(IStopRequest& request) = 0;
};

// The automatic run on worker processes: the same history lines, output
// list entries, files, summary and end line as ConvertWholeList, whatever
// the number of workers, stops included. The workers hand their
// self-extractors over unplaced; each is put in place, and said, only when
// every archive before it has been said. After an outcome -1 nothing later
// is placed or said, and work begun on it is dropped; a full disk met while
// later work held space is first met again with nothing else running. An
// archive whose worker ends is converted again alone, and lost when that
// worker ends too. Interrupted, the run starts nothing more and ends as
// stopped once what the workers have in hand is said.
RunSummary ConvertOnWorkers(IWorkList& work, IHistory& history, IOutputList& output, IWorkers& workers,
                            int workerCount, const QString& outputFolder);

} // namespace run
