#pragma once

#include "run/engine.h"
#include "run/runLists.h"

#include <QString>

#include <functional>

namespace run {

// How a whole run went, counted over the files it came to.
struct RunSummary {
    int done = 0;
    int failed = 0;
    bool stopped = false; // ended on an outcome -1 or a cancel
};

// Counts one archive's outcome into the summary.
void CountOutcome(RunSummary& summary, Outcome outcome);
// The end-of-run line of the history.
void AddEndLine(IHistory& history, bool stopped);

// The output folder as the engine takes it: the folder with the separator
// at its end.
QString WithTrailingSeparator(const QString& folder);

// The Execute buttons are usable exactly when the work list is not empty.
bool ExecuteButtonsEnabled(const IWorkList& work);

// The automatic run: every entry in list order, no events, nothing removed;
// an outcome -1 ends it, and so does interrupted() saying true before an
// entry (as the desk's Cancel does). Ends the history with the end-of-run
// line.
RunSummary ConvertWholeList(IWorkList& work, IHistory& history, SfxEngine& engine,
                            const QString& outputFolder, tbarc::SfxKind kind,
                            const std::function<bool()>& interrupted = {});

// What the main window does around an interactive run.
class IRunDesk {
public:
    virtual ~IRunDesk() = default;

    // Execute buttons, the child windows and their menus off.
    virtual void LockForRun() = 0;
    // Clears the selection of the input archive list.
    virtual void ClearInputSelection() = 0;
    virtual void SetCancelEnabled(bool enabled) = 0;
    // The output folder window's current folder.
    virtual QString OutputFolder() = 0;
    // Lets a click on the cancel button through.
    virtual void ProcessPendingEvents() = 0;
    // Brings both folder windows up to date (free space, contents).
    virtual void RefreshFolderWindows() = 0;
    // Child windows and menus on again; input folder, input list and output
    // folder refreshed.
    virtual void UnlockAfterRun() = 0;
    virtual void UpdateExecuteButtons() = 0;
};

// The interactive run started by an Execute button, with its cancel flag.
class RunControl {
public:
    RunControl(IWorkList& work, IHistory& history, SfxEngine& engine, IRunDesk& desk);

    // Runs the whole work list with this kind (an Execute button).
    RunSummary Run(tbarc::SfxKind kind);
    // What the desk does before and after a run, for a run done elsewhere
    // (on the workers): Begin locks the desk and selects every entry (the
    // run deselects what it converts); End removes the converted entries
    // and unlocks the desk. The history's end line is the run's.
    void Begin();
    void End();
    // The run stops before its next file (the cancel button).
    void RequestCancel() { cancelRequested_ = true; }

    bool CancelRequested() const { return cancelRequested_; }
    bool Running() const { return running_; }

private:
    void Loop(tbarc::SfxKind kind, RunSummary& summary);
    void Unlock();

    IWorkList& work_;
    IHistory& history_;
    SfxEngine& engine_;
    IRunDesk& desk_;
    bool cancelRequested_ = false;
    bool running_ = false;
};

} // namespace run
