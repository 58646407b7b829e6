#include "core/workerRun.h"

#include "core/runCreatedFiles.h"
#include "util/programMessages.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace core {
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

class WorkerRun {
public:
    WorkerRun(IWorkList& work, IHistory& history, IOutputList& output, IWorkers& workers, int workerCount,
              const QString& outputFolder)
        : work_(work), history_(history), output_(output), workers_(workers),
          folder_(WithTrailingSeparator(outputFolder)), jobOf_(workerCount, kIdle),
          usable_(workerCount, true), reports_(work.Count())
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
            const int archive = jobOf_[finished.worker];
            jobOf_[finished.worker] = kIdle;
            converting_.erase(keys_[archive]);
            Finish(archive, finished.report ? *finished.report : LostReport(work_.Entry(archive)));
        }
        AddEndLine(history_, summary_.stopped);
        return summary_;
    }

private:
    static constexpr int kIdle = -1;

    int InHand() const
    {
        return int(std::count_if(jobOf_.begin(), jobOf_.end(), [](int j) { return j != kIdle; }));
    }

    // Hands out archives in list order while a worker is idle. An archive
    // waits while another of its self-extractor's name is converting, and so
    // do all after it; after a stop nothing more is handed out.
    void StartWhatMayStart()
    {
        for (int worker = 0; worker < int(jobOf_.size()); ++worker) {
            if (stopKnown_ || next_ >= work_.Count() || converting_.contains(keys_[next_]))
                return;
            if (jobOf_[worker] != kIdle || !usable_[worker])
                continue;
            const WorkerJob job{work_.Entry(next_), made_.contains(keys_[next_])};
            if (!workers_.Start(worker, job)) {
                usable_[worker] = false;
                continue;
            }
            jobOf_[worker] = next_;
            converting_.insert(keys_[next_]);
            ++next_;
        }
    }

    // Keeps the report and says every report now next in list order.
    void Finish(int archive, WorkerReport report)
    {
        if (report.outcome == OutcomeDone)
            made_.insert(keys_[archive]);
        if (report.outcome == OutcomeStop)
            stopKnown_ = true;
        reports_[archive] = std::move(report);
        while (said_ < next_ && reports_[said_]) {
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
    // The archive each worker has in hand.
    std::vector<int> jobOf_;
    std::vector<bool> usable_;
    std::vector<std::optional<WorkerReport>> reports_;
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

} // namespace core
