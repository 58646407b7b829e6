#include "run/deskWorkerRun.h"

#include "core/options.h"
#include "run/outputFolderLock.h"
#include "util/programMessages.h"

#include <QMetaObject>
#include <QStringList>
#include <QTimer>

#include <mutex>
#include <utility>
#include <vector>

namespace run {
namespace {

// The desk's lists as the run's thread sees them: what it says reaches the
// desk's thread in the order said, in deliveries at most one a frame: the
// lists, their views and a screen reader take a frame's archives at once
// (history lines inserted together, entries deselected as ranges, the work
// list scrolled once), not each archive's four or five changes. What a
// person sees is the same: the desk paints at most once a frame during a
// run. The entries are those of the start.
class QueuedLists final : public IWorkList,
                          public IHistory,
                          public std::enable_shared_from_this<QueuedLists> {
public:
    QueuedLists(QObject& desk, IWorkList& work, IHistory& history, IOutputList& output, IRunDesk& runDesk)
        : desk_(desk), work_(work), history_(history), output_(output), runDesk_(runDesk)
    {
        for (int i = 0; i < work.Count(); ++i)
            entries_ << work.Entry(i);
    }

    int Count() const override { return int(entries_.size()); }
    QString Entry(int index) const override { return entries_[index]; }
    void Deselect(int index) override { Say({Said::Converted, index, {}}); }
    // An archive is said: the counter moves, the folder windows follow.
    void ScrollToTop(int index) override { Say({Said::Reached, index, {}}); }
    void Add(const QString& line) override { Say({Said::Line, 0, line}); }
    void AddPath(const QString& path) { Say({Said::Path, 0, path}); }

    // Not asked of a run on workers.
    Admission Admit(const QString&) override { return Admission::ListFull; }
    void Clear() override {}
    void SelectAll() override {}
    void ClearSelection() override {}
    bool IsSelected(int) const override { return true; }
    void RemoveUnselected() override {}
    void CopyToClipboard() override {}

private:
    struct Said {
        enum Kind { Converted, Reached, Line, Path } kind;
        int index;
        QString text;
    };

    void Say(Said said)
    {
        const std::lock_guard lock(mutex_);
        pending_.push_back(std::move(said));
        if (deliveryQueued_)
            return;
        deliveryQueued_ = true;
        // The desk's own lists outlive the run; this object lives until the
        // last delivery is done. The timer is the desk thread's.
        QMetaObject::invokeMethod(
            &desk_,
            [self = shared_from_this()] {
                QTimer::singleShot(kDeliveryMilliseconds, &self->desk_, [self] { self->Deliver(); });
            },
            Qt::QueuedConnection);
    }

public:
    // On the desk's thread: everything said so far reaches the desk's lists.
    void Deliver()
    {
        std::vector<Said> said;
        {
            const std::lock_guard lock(mutex_);
            said.swap(pending_);
            deliveryQueued_ = false;
        }
        int reached = -1;
        QStringList lines;
        QList<int> converted;
        for (Said& item : said) {
            if (item.kind == Said::Line) {
                lines << std::move(item.text);
                continue;
            }
            history_.AddLines(std::exchange(lines, {}));
            switch (item.kind) {
            case Said::Converted: converted << item.index; break;
            case Said::Reached: reached = item.index; break;
            case Said::Path: output_.Add(item.text); break;
            case Said::Line: break;
            }
        }
        history_.AddLines(lines);
        work_.DeselectEach(converted);
        // Only the latest archive reached can be seen.
        if (reached >= 0) {
            work_.ScrollToTop(reached);
            runDesk_.RefreshFolderWindows();
        }
    }

private:
    // One frame of a screen.
    static constexpr int kDeliveryMilliseconds = 16;

    QObject& desk_;
    IWorkList& work_;
    IHistory& history_;
    IOutputList& output_;
    IRunDesk& runDesk_;
    QStringList entries_;
    std::mutex mutex_;
    std::vector<Said> pending_;
    bool deliveryQueued_ = false;
};

// IOutputList's Add beside IHistory's: the two lists take one method name.
class QueuedOutput final : public IOutputList {
public:
    explicit QueuedOutput(QueuedLists& lists) : lists_(lists) {}
    void Add(const QString& path) override { lists_.AddPath(path); }

private:
    QueuedLists& lists_;
};

} // namespace

DeskWorkerRun::DeskWorkerRun(IWorkList& work, IHistory& history, IOutputList& output, IRunDesk& desk,
                             RunControl& control, std::function<std::unique_ptr<IWorkers>()> makeWorkers)
    : work_(work), history_(history), output_(output), runDesk_(desk), control_(control),
      makeWorkers_(std::move(makeWorkers))
{}

DeskWorkerRun::~DeskWorkerRun()
{
    if (thread_.joinable()) {
        cancel_->Request();
        thread_.join();
    }
}

bool DeskWorkerRun::Start(tbarc::SfxKind kind, const QString& outputFolder,
                          std::function<void(RunSummary)> finished)
{
    if (Running() || control_.Running() || work_.Count() < 2)
        return false;
    auto workers = makeWorkers_();
    auto cancel = std::make_unique<CancelRequest>();
    workers->WatchStopRequest(*cancel);
    const int count = workers->Open(work_.Count(), kind, outputFolder, options::Current());
    if (count < 1)
        return false;
    workers_ = std::move(workers);
    cancel_ = std::move(cancel);
    finished_ = std::move(finished);
    control_.Begin();
    auto lists = std::make_shared<QueuedLists>(desk_, work_, history_, output_, runDesk_);
    thread_ = std::thread([this, lists, count, outputFolder] {
        QueuedOutput output(*lists);
        RunSummary summary;
        try {
            const OutputFolderLock folder(
                outputFolder,
                [&lists] { lists->Add(messages::Text(messages::ProgramMessage::WaitingForFolder)); },
                [this] { return cancel_->Requested(); });
            if (folder.Taken()) {
                summary = ConvertOnWorkers(*lists, *lists, output, *workers_, count, outputFolder);
            } else {
                AddEndLine(*lists, true);
                summary.stopped = true;
            }
        } catch (const std::exception&) {
            // Out of memory or the like: the run ends as stopped, said so.
            lists->Add(messages::Text(messages::ProgramMessage::Unexpected));
            AddEndLine(*lists, true);
            summary.stopped = true;
        }
        // What is still on its way is delivered before the run ends.
        QMetaObject::invokeMethod(
            &desk_,
            [this, lists, summary] {
                lists->Deliver();
                Finish(summary);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void DeskWorkerRun::Cancel()
{
    if (cancel_)
        cancel_->Request();
}

void DeskWorkerRun::Finish(RunSummary summary)
{
    thread_.join();
    workers_.reset();
    cancel_.reset();
    control_.End();
    if (finished_)
        std::exchange(finished_, {})(summary);
}

} // namespace run
