#pragma once

#include "core/engine.h"
#include "core/runLists.h"

#include <QString>

namespace core {

// How a whole run went, counted over the files it came to.
struct RunSummary {
    int done = 0;
    int failed = 0;
    bool stopped = false;   // ended on an outcome -1 or a cancel
};

// The output folder as the engine takes it: the folder with the separator
// at its end.
QString WithTrailingSeparator(const QString& folder);

// The Execute buttons are usable exactly when the work list is not empty.
bool ExecuteButtonsEnabled(const IWorkList& work);

// The automatic run: every entry in list order, no events, nothing removed;
// an outcome -1 ends it. Ends the history with the end-of-run line.
RunSummary AutoExecute(IWorkList& work, IHistory& history, SfxEngine& engine,
                       const QString& outputFolder, int kind);

// What the main window does around an interactive run.
class IRunDesk {
public:
    virtual ~IRunDesk() = default;

    // Execute buttons, the child windows and their menus off.
    virtual void LockForRun() = 0;
    // The input archive list's SelectClear.
    virtual void ClearInputSelection() = 0;
    virtual void SetCancelEnabled(bool enabled) = 0;
    // The output folder window's current folder.
    virtual QString OutputFolder() = 0;
    // Lets a click on the cancel button through.
    virtual void ProcessPendingEvents() = 0;
    // Both folder windows' RefreshForm (free space, contents).
    virtual void RefreshFolderWindows() = 0;
    // Child windows and menus on again; input folder, input list and output
    // folder refreshed.
    virtual void UnlockAfterRun() = 0;
    virtual void BtnEnabledChange() = 0;
};

// The interactive run started by an Execute button, with its cancel flag.
class RunControl {
public:
    RunControl(IWorkList& work, IHistory& history, SfxEngine& engine, IRunDesk& desk);

    // btnExe_Click: runs the whole work list with this kind.
    RunSummary Run(int kind);
    // btnCancel_Click: the run stops before its next file.
    void RequestCancel() { cancelRequested_ = true; }

    bool CancelRequested() const { return cancelRequested_; }
    bool Running() const { return running_; }

private:
    void Loop(int kind, RunSummary& summary);

    IWorkList& work_;
    IHistory& history_;
    SfxEngine& engine_;
    IRunDesk& desk_;
    bool cancelRequested_ = false;
    bool running_ = false;
};

} // namespace core
