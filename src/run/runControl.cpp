#include "run/runControl.h"

#include "run/outputFolderLock.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDir>

namespace run {

void AddEndLine(IHistory& history, bool stopped)
{
    history.Add(messages::Text(stopped ? messages::SharedMessage::Interrupted
                                       : messages::SharedMessage::AllFinished));
}

void CountOutcome(RunSummary& summary, Outcome outcome)
{
    switch (outcome) {
    case OutcomeDone: ++summary.done; break;
    case OutcomeFailed: ++summary.failed; break;
    default: summary.stopped = true; break;
    }
}

QString WithTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

bool ExecuteButtonsEnabled(const IWorkList& work)
{
    return work.Count() >= 1;
}

RunSummary ConvertWholeList(IWorkList& work, IHistory& history, SfxEngine& engine,
                            const QString& outputFolder, tbarc::SfxKind kind,
                            const std::function<bool()>& interrupted)
{
    RunSummary summary;
    const QString folder = WithTrailingSeparator(outputFolder);
    RunCreatedFiles created;
    for (int i = 0; i < work.Count(); ++i) {
        if (interrupted && interrupted()) {
            summary.stopped = true;
            break;
        }
        work.ScrollToTop(i);
        CountOutcome(summary, engine.ConvertArchive(work.Entry(i), folder, kind, created));
        if (summary.stopped)
            break;
    }
    AddEndLine(history, summary.stopped);
    return summary;
}

RunControl::RunControl(IWorkList& work, IHistory& history, SfxEngine& engine, IRunDesk& desk)
    : work_(work), history_(history), engine_(engine), desk_(desk)
{}

RunSummary RunControl::Run(tbarc::SfxKind kind)
{
    RunSummary summary;
    Begin();
    {
        const OutputFolderLock folder(
            desk_.OutputFolder(),
            [this] { history_.Add(messages::Text(messages::ProgramMessage::WaitingForFolder)); },
            [this] {
                desk_.ProcessPendingEvents();
                return cancelRequested_;
            });
        if (folder.Taken())
            Loop(kind, summary);
    }
    work_.RemoveUnselected();
    work_.ClearSelection();
    AddEndLine(history_, cancelRequested_);
    summary.stopped = cancelRequested_;
    Unlock();
    return summary;
}

void RunControl::Begin()
{
    running_ = true;
    desk_.LockForRun();
    history_.Clear();
    desk_.ClearInputSelection();
    work_.SelectAll();
    desk_.SetCancelEnabled(true);
}

void RunControl::End()
{
    work_.RemoveUnselected();
    work_.ClearSelection();
    Unlock();
}

void RunControl::Unlock()
{
    cancelRequested_ = false;
    desk_.SetCancelEnabled(false);
    desk_.UnlockAfterRun();
    desk_.UpdateExecuteButtons();
    running_ = false;
}

void RunControl::Loop(tbarc::SfxKind kind, RunSummary& summary)
{
    const QString folder = WithTrailingSeparator(desk_.OutputFolder());
    const int count = work_.Count();
    RunCreatedFiles created;
    for (int i = 0; i < count; ++i) {
        work_.ScrollToTop(i);
        desk_.ProcessPendingEvents();
        if (cancelRequested_) {
            desk_.RefreshFolderWindows();
            return;
        }
        const Outcome outcome = engine_.ConvertArchive(work_.Entry(i), folder, kind, created);
        CountOutcome(summary, outcome);
        if (outcome == OutcomeDone) {
            work_.Deselect(i);
        } else if (outcome == OutcomeStop) {
            desk_.RefreshFolderWindows();
            cancelRequested_ = true;
            return;
        }
        desk_.RefreshFolderWindows();
    }
}

} // namespace run
