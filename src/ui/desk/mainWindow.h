#pragma once

#include "archiver/archiver.h"
#include "common/sfxKind.h"
#include "run/engine.h"
#include "run/deskWorkerRun.h"
#include "run/runControl.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class ChildWindow;
class DeskCommands;
class FolderWindow;
class HistoryModel;
class HistoryWindow;
class InputListWindow;
class MainMenu;
class OutputListWindow;
class PaintThrottle;
class QMdiArea;
class QTimer;
class RunPanel;
class WorkListWindow;

// The main window: the desk, with the run panel on top, the shared menu
// bar, and the MDI area of the six child windows. It is created once the
// windowless start (the "/U" switch, the options, the library check and the
// automatic run) has decided that the desk opens. The Execute buttons run
// the work list; closing the desk stores the settings of every window, its
// own place and the options.
class MainWindow : public QMainWindow, private run::IRunDesk {
    Q_OBJECT

public:
    // libraries: those the runs convert with (by default the ones found at
    // start-up).
    explicit MainWindow(const archiver::Libraries& libraries = archiver::InstalledLibraries(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step: titles the desk, loads the child windows, puts the
    // desk where it was closed last and takes the archives named on the
    // command line (absolute, one a name) into the work list. False when a
    // window could not load; the user has been told and the process ends.
    bool PrepareDesk(const QStringList& archiveNames = {});

    // The first showing: lays the children out and shows them, Execute
    // buttons by the work list, the keyboard in the input drive list. Runs
    // once; later calls do nothing.
    void ShowChildren();

    // The six children in their order: input folder, input list, work
    // list, output folder, history, output list.
    QList<ChildWindow*> Children() const;

    // The Execute buttons are usable exactly when the work list is not empty.
    void UpdateExecuteButtons() override;

    // Runs on worker processes from now on (makeWorkers gives fresh ones
    // for each run), as the automatic run does; without, and whenever no
    // worker starts or the list holds one archive, the desk converts in its
    // own process.
    void ConvertOnWorkers(std::function<std::unique_ptr<run::IWorkers>()> makeWorkers);

    // Runs the whole work list with this kind, as its Execute button does.
    // Nothing while a run is under way. On workers it returns at once (an
    // empty summary) and the run goes on while the desk answers; in the
    // desk's process it returns when the run has ended.
    run::RunSummary Execute(tbarc::SfxKind kind);
    // The run starts nothing more: it ends as soon as what it has begun is
    // done.
    void RequestCancel();
    bool IsRunning() const { return runControl_->Running(); }

signals:
    // A run from an Execute button has ended and the desk is unlocked.
    void RunFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What follows the MDI area's size: the tiles while the children are
    // tiled, and the Cancel button.
    void LayOutDesk();
    void TileChildren();
    bool LoadChildren();
    void ConnectChildren();
    void UpdateMenuBar();
    void ShowRunProgress(int index);
    // The input list's pattern from the type options and the libraries.
    void RebuildInputPattern();
    // After OK in the options dialog.
    void FollowOptions();
    void StoreSettings();
    bool RestoreGeometry();
    HistoryModel& History() const;

    // The desk around a run: the Execute buttons, the child windows and
    // their menus off for it, on again after it.
    void SetDeskEnabled(bool enabled);
    void LockForRun() override;
    void ClearInputSelection() override;
    void SetCancelEnabled(bool enabled) override;
    QString OutputFolder() override;
    void ProcessPendingEvents() override;
    void RefreshFolderWindows() override;
    void UnlockAfterRun() override;
    void RefreshFolderWindowsNow();
    // After a run, wherever it ran.
    void AfterRun();

    archiver::Libraries libraries_;
    QMdiArea* childArea_;
    RunPanel* panel_;
    MainMenu* menu_;
    FolderWindow* inputFolder_;
    InputListWindow* inputList_;
    WorkListWindow* workList_;
    FolderWindow* outputFolder_;
    HistoryWindow* historyWindow_;
    OutputListWindow* outputList_;
    std::unique_ptr<run::SfxEngine> engine_;
    std::unique_ptr<run::RunControl> runControl_;
    std::unique_ptr<run::DeskWorkerRun> workerRun_; // when the desk runs on workers
    PaintThrottle* paintThrottle_;
    QTimer* folderRefresh_;
    bool folderRefreshPending_ = false;
    int runLength_ = 0;
    bool activated_ = false;
    bool closeAfterRun_ = false;
    // Where the keyboard was when the run began; it goes back there after.
    QPointer<QWidget> focusBeforeRun_;
    DeskCommands* commands_;
};
