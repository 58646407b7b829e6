#include "run/workerRun.h"

#include "run/runCreatedFiles.h"
#include "util/programMessages.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace run {
namespace {

using messages::ProgramMessage;

// What the history says of an archive whose worker ended before its report.
WorkerReport LostReport(const QString& archive)
{
    return {{ArchiveHeading(archive), messages::Text(ProgramMessage::WorkerLost),
             messages::Text(ProgramMessage::Failed)},
            {},
            OutcomeFailed};
}

// The most archives in one batch, and how many batches each worker should
// still get at the least: enough to spend few wake-ups on many small
// archives, few enough that the workers finish close together.
constexpr int kLargestBatch = 16;
constexpr int kBatchesEachAtLeast = 4;

class WorkerRun {
public:
    WorkerRun(IWorkList& work, IHistory& history, IOutputList& output, IWorkers& workers, int workerCount,
              const QString& outputFolder)
        : work_(work), history_(history), output_(output), workers_(workers),
          folder_(WithTrailingSeparator(outputFolder)), batchOf_(workerCount), usable_(workerCount, true),
          reports_(work.Count()), notStarted_(work.Count(), false)
    {
        for (int i = 0; i < work.Count(); ++i)
            keys_.push_back(FoldedPathKey(folder_ + SelfExtractorName(work.Entry(i))));
    }

    RunSummary Run()
    {
        while (true) {
            StartWhatMayStart();
            if (InHand() == 0) {
                // No worker can take the next archive: every place lost its
                // process and none could be started again.
                if (!stopKnown_ && next_ < work_.Count()) {
                    const int archive = next_++;
                    Finish(archive, LostReport(work_.Entry(archive)));
                    continue;
                }
                break;
            }
            const IWorkers::Finished finished = workers_.WaitForAny();
            const std::vector<int> batch = std::move(batchOf_[finished.worker]);
            batchOf_[finished.worker].clear();
            for (const int archive : batch)
                converting_.erase(keys_[archive]);
            for (size_t i = 0; i < batch.size(); ++i) {
                if (finished.reports && i < size_t(finished.reports->size()))
                    Finish(batch[i], (*finished.reports)[qsizetype(i)]);
                else if (finished.reports && stopKnown_)
                    NotStarted(batch[i]);
                else
                    Finish(batch[i], LostReport(work_.Entry(batch[i])));
            }
        }
        AddEndLine(history_, summary_.stopped);
        return summary_;
    }

private:
    int InHand() const
    {
        return int(std::count_if(batchOf_.begin(), batchOf_.end(), [](const auto& b) { return !b.empty(); }));
    }

    int BatchSize() const
    {
        const int left = work_.Count() - next_;
        return std::clamp(left / (kBatchesEachAtLeast * int(batchOf_.size())), 1, kLargestBatch);
    }

    // Hands out archives in list order while a worker is idle. An archive
    // waits while another of its self-extractor's name is converting, and so
    // do all after it: a batch ends before it. After a stop nothing more is
    // handed out.
    void StartWhatMayStart()
    {
        for (int worker = 0; worker < int(batchOf_.size()); ++worker) {
            if (stopKnown_ || next_ >= work_.Count() || converting_.contains(keys_[next_]))
                return;
            if (!batchOf_[worker].empty() || !usable_[worker])
                continue;
            const int size = BatchSize();
            std::vector<int> archives;
            std::set<std::string> names;
            WorkerBatch batch;
            for (int archive = next_; archive < work_.Count() && int(archives.size()) < size
                 && !converting_.contains(keys_[archive]) && names.insert(keys_[archive]).second;
                 ++archive) {
                archives.push_back(archive);
                batch.push_back({work_.Entry(archive), made_.contains(keys_[archive])});
            }
            if (!workers_.Start(worker, batch)) {
                usable_[worker] = false;
                continue;
            }
            converting_.merge(names);
            next_ += int(archives.size());
            batchOf_[worker] = std::move(archives);
        }
    }

    // Keeps the report and says every report now next in list order. The
    // first stop tells the workers whose batches come after it in the list
    // to start no more of them; batches before it are converted whole, as a
    // run in one process would have.
    void Finish(int archive, WorkerReport report)
    {
        if (report.outcome == OutcomeDone)
            made_.insert(keys_[archive]);
        if (report.outcome == OutcomeStop && !stopKnown_) {
            stopKnown_ = true;
            for (int worker = 0; worker < int(batchOf_.size()); ++worker)
                if (!batchOf_[worker].empty() && batchOf_[worker].front() > archive)
                    workers_.Cancel(worker);
        }
        reports_[archive] = std::move(report);
        SayWhatIsDue();
    }

    // An archive of a batch its worker did not start after the stop: it
    // stays as a run in one process leaves it, unsaid.
    void NotStarted(int archive)
    {
        notStarted_[archive] = true;
        SayWhatIsDue();
    }

    void SayWhatIsDue()
    {
        while (said_ < next_ && (reports_[said_] || notStarted_[said_])) {
            if (reports_[said_])
                Say(*reports_[said_]);
            reports_[said_].reset();
            ++said_;
        }
    }

    void Say(const WorkerReport& report)
    {
        work_.ScrollToTop(said_);
        for (const QString& line : report.history)
            history_.Add(line);
        for (const QString& path : report.created)
            output_.Add(path);
        CountOutcome(summary_, report.outcome);
    }

    IWorkList& work_;
    IHistory& history_;
    IOutputList& output_;
    IWorkers& workers_;
    const QString folder_;
    // The folded self-extractor path of each archive of the list.
    std::vector<std::string> keys_;
    // The archives each worker has in hand, in list order.
    std::vector<std::vector<int>> batchOf_;
    std::vector<bool> usable_;
    std::vector<std::optional<WorkerReport>> reports_;
    std::vector<bool> notStarted_;
    std::set<std::string> converting_;
    std::set<std::string> made_;
    int next_ = 0; // the first archive not handed out
    int said_ = 0; // the first archive whose lines are not out
    bool stopKnown_ = false;
    RunSummary summary_;
};

} // namespace

RunSummary ConvertOnWorkers(IWorkList& work, IHistory& history, IOutputList& output, IWorkers& workers,
                            int workerCount, const QString& outputFolder)
{
    return WorkerRun(work, history, output, workers, workerCount, outputFolder).Run();
}

} // namespace run
