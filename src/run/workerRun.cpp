#include "run/workerRun.h"

#include "common/resultCodes.h"
#include "run/runCreatedFiles.h"
#include "util/programMessages.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace run {
namespace {

using messages::ProgramMessage;

// What the history says of an archive whose worker ended twice before its
// report.
WorkerReport LostReport(const QString& archive)
{
    return {{ArchiveHeading(archive), messages::Text(ProgramMessage::WorkerLost),
             messages::Text(ProgramMessage::Failed)},
            {},
            OutcomeFailed,
            CodeNotAttempted,
            std::nullopt};
}

// The most archives in one batch, and how many batches each worker should
// still get at the least: enough to spend few wake-ups on many small
// archives, few enough that the workers finish close together.
constexpr int kLargestBatch = 16;
constexpr int kBatchesEachAtLeast = 4;
// How far past the first archive not yet said the workers may go: each
// archive ahead may hold a finished file open in this process.
constexpr int kMostAhead = 256;

// The run's lines, files and end are those of the run in one process, in
// list order, whatever the number of workers and the order they finish in:
// a worker's self-extractor is handed over unplaced and put in place here
// only when every archive before it has been said. At a stop nothing after
// it is placed or said (and the work on it is dropped); a full disk met
// while later archives held space is tried again alone first.
class WorkerRun {
public:
    WorkerRun(IWorkList& work, IHistory& history, IOutputList& output, IWorkers& workers, int workerCount,
              const QString& outputFolder)
        : work_(work), history_(history), output_(output), workers_(workers),
          folder_(WithTrailingSeparator(outputFolder)), placer_(NoLibraries(), history, output),
          batchOf_(workerCount), usable_(workerCount, true), reports_(work.Count()), losses_(work.Count(), 0),
          end_(work.Count())
    {
        for (int i = 0; i < work.Count(); ++i) {
            keys_.push_back(FoldedPathKey(folder_ + SelfExtractorName(work.Entry(i))));
            pending_.insert(i);
        }
    }

    ~WorkerRun()
    {
        // Whatever was not placed by the end goes unplaced.
        for (std::optional<WorkerReport>& report : reports_)
            Discard(report);
    }

    RunSummary Run()
    {
        while (true) {
            SayWhatIsDue();
            if (said_ >= end_)
                break;
            StartWhatMayStart();
            if (InHand() == 0) {
                if (interrupted_) {
                    summary_.stopped = true;
                    break;
                }
                // No worker can take the next archive: every place lost its
                // process and none could be started again.
                if (pending_.empty())
                    break;
                const int archive = *pending_.begin();
                pending_.erase(archive);
                reports_[archive] = LostReport(work_.Entry(archive));
                continue;
            }
            Take(workers_.WaitForAny());
        }
        AddEndLine(history_, summary_.stopped);
        return summary_;
    }

private:
    static const archiver::Libraries& NoLibraries()
    {
        static const archiver::Libraries none;
        return none;
    }

    static void Discard(std::optional<WorkerReport>& report)
    {
        if (report && report->handedOver)
            tbarc::DiscardHandedOver(*report->handedOver);
        report.reset();
    }

    int InHand() const
    {
        return int(std::count_if(batchOf_.begin(), batchOf_.end(), [](const auto& b) { return !b.empty(); }));
    }

    int BatchSize() const
    {
        const int left = int(pending_.size());
        return std::clamp(left / (kBatchesEachAtLeast * int(batchOf_.size())), 1, kLargestBatch);
    }

    // Hands out the pending archives in list order while a worker is idle.
    // An archive waits while another of its self-extractor's name is not yet
    // said, and so do all after it: the made-earlier mark it gets is then
    // the one-process run's. An archive whose worker ended is handed out
    // alone; one tried again after a full disk goes alone to idle workers.
    void StartWhatMayStart()
    {
        for (int worker = 0; worker < int(batchOf_.size()); ++worker) {
            if (pending_.empty() || interrupted_)
                return;
            const int first = *pending_.begin();
            if (first >= end_ || first >= said_ + kMostAhead || unsaid_.contains(keys_[first]))
                return;
            if (alone_ >= 0 && (first != alone_ || InHand() > 0))
                return;
            if (!batchOf_[worker].empty() || !usable_[worker])
                continue;
            const int size = first == alone_ || losses_[first] > 0 ? 1 : BatchSize();
            std::vector<int> archives;
            std::set<std::string> names;
            WorkerBatch batch;
            for (auto it = pending_.begin(); it != pending_.end() && int(archives.size()) < size; ++it) {
                const int archive = *it;
                if (archive >= end_ || archive >= said_ + kMostAhead || unsaid_.contains(keys_[archive])
                    || (archive != first && losses_[archive] > 0) || !names.insert(keys_[archive]).second)
                    break;
                archives.push_back(archive);
                batch.push_back({work_.Entry(archive), made_.contains(keys_[archive])});
            }
            if (!workers_.Start(worker, batch)) {
                usable_[worker] = false;
                continue;
            }
            for (const int archive : archives)
                pending_.erase(archive);
            unsaid_.merge(names);
            batchOf_[worker] = std::move(archives);
        }
    }

    // Keeps the reports of an answer. A worker that ended without one gives
    // its archives back, each to be tried again alone; an archive whose
    // worker ends a second time is lost. Archives a worker did not start
    // (after a stop in its batch) go back too.
    void Take(IWorkers::Finished finished)
    {
        if (finished.interrupted) {
            interrupted_ = true;
            return;
        }
        const std::vector<int> batch = std::exchange(batchOf_[finished.worker], {});
        for (size_t i = 0; i < batch.size(); ++i) {
            const int archive = batch[i];
            if (finished.reports && i < size_t(finished.reports->size())) {
                reports_[archive] = std::move((*finished.reports)[qsizetype(i)]);
                if (archive >= end_)
                    Discard(reports_[archive]);
                continue;
            }
            unsaid_.erase(keys_[archive]);
            if (!finished.reports && ++losses_[archive] >= 2) {
                reports_[archive] = LostReport(work_.Entry(archive));
                unsaid_.insert(keys_[archive]);
            } else if (archive < end_) {
                pending_.insert(archive);
            }
        }
    }

    void SayWhatIsDue()
    {
        while (said_ < end_ && reports_[said_]) {
            WorkerReport& report = *reports_[said_];
            if (report.libraryCode == tbarc::kDiskFull && said_ != alone_ && OthersHeldSpace()) {
                // The space may have gone to work that a one-process run
                // would not have begun yet: that work goes, and this
                // archive is converted again with nothing beside it.
                alone_ = said_;
                Discard(reports_[said_]);
                unsaid_.erase(keys_[said_]);
                pending_.insert(said_);
                DropAfter(said_);
                return;
            }
            Say(report);
            Discard(reports_[said_]);
            unsaid_.erase(keys_[said_]);
            if (said_ == alone_)
                alone_ = -1;
            ++said_;
        }
    }

    // Whether anything after the next archive to say holds, or may hold, a
    // file in the output folder's file system.
    bool OthersHeldSpace() const
    {
        if (InHand() > 0)
            return true;
        for (int archive = said_ + 1; archive < int(reports_.size()); ++archive) {
            if (reports_[archive])
                return true;
        }
        return false;
    }

    // Drops everything after archive: its reports and their files, and the
    // workers converting it (every archive in hand is later than one being
    // said); what is still to run goes back to be handed out.
    void DropAfter(int archive)
    {
        for (int worker = 0; worker < int(batchOf_.size()); ++worker) {
            if (batchOf_[worker].empty())
                continue;
            workers_.Abandon(worker);
            for (const int later : std::exchange(batchOf_[worker], {}))
                pending_.insert(later);
        }
        for (int later = archive + 1; later < int(reports_.size()); ++later) {
            if (reports_[later]) {
                Discard(reports_[later]);
                pending_.insert(later);
            }
        }
        // Nothing handed out is left: every archive before is said.
        unsaid_.clear();
        pending_.erase(pending_.lower_bound(end_), pending_.end());
    }

    void Say(WorkerReport& report)
    {
        work_.ScrollToTop(said_);
        for (const QString& line : report.history)
            history_.Add(line);
        for (const QString& path : report.created)
            output_.Add(path);
        Outcome outcome = report.outcome;
        if (report.handedOver) {
            // Made visible by the process that says so.
            outcome =
                placer_.PlaceHandedOver(*report.handedOver, folder_ + SelfExtractorName(work_.Entry(said_)));
        }
        if (outcome == OutcomeDone) {
            made_.insert(keys_[said_]);
            // The desk's list lets go of it at the end of the run.
            work_.Deselect(said_);
        }
        CountOutcome(summary_, outcome);
        if (outcome == OutcomeStop) {
            end_ = said_ + 1;
            DropAfter(said_);
        }
    }

    IWorkList& work_;
    IHistory& history_;
    IOutputList& output_;
    IWorkers& workers_;
    const QString folder_;
    // Places the files the workers hand over, saying what becomes of them.
    SfxEngine placer_;
    // The folded self-extractor path of each archive of the list.
    std::vector<std::string> keys_;
    // The archives each worker has in hand, in list order.
    std::vector<std::vector<int>> batchOf_;
    std::vector<bool> usable_;
    std::vector<std::optional<WorkerReport>> reports_;
    std::vector<int> losses_;      // how often each archive's worker ended under it
    std::set<int> pending_;        // the archives to hand out
    std::set<std::string> unsaid_; // the names of archives handed out and not yet said
    std::set<std::string> made_;   // the names of the files placed
    int said_ = 0;                 // the first archive whose lines are not out
    int end_;                      // the archive after the last that may be said
    int alone_ = -1;               // the archive tried again alone, if any
    bool interrupted_ = false;     // nothing more is handed out
    RunSummary summary_;
};

} // namespace

RunSummary ConvertOnWorkers(IWorkList& work, IHistory& history, IOutputList& output, IWorkers& workers,
                            int workerCount, const QString& outputFolder)
{
    return WorkerRun(work, history, output, workers, workerCount, outputFolder).Run();
}

} // namespace run
