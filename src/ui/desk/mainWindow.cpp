#include "ui/desk/mainWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyle>
#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "run/commandLine.h"
#include "core/mainGeometry.h"
#include "core/options.h"
#include "core/archiveTypes.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/desk/captionRoom.h"
#include "ui/presentation/childLayout.h"
#include "ui/commands/deskCommands.h"
#include "ui/children/driveBox.h"
#include "ui/children/folderWindow.h"
#include "ui/children/historyWindow.h"
#include "ui/children/inputListWindow.h"
#include "ui/desk/keyboardRoute.h"
#include "ui/presentation/menuKeyAlias.h"
#include "ui/presentation/screenFit.h"
#include "ui/children/loadFailure.h"
#include "ui/children/outputListWindow.h"
#include "ui/commands/mainMenu.h"
#include "ui/desk/paintThrottle.h"

#include "ui/presentation/presentationChanges.h"
#include "run/responsiveLibrary.h"
#include "ui/desk/runPanel.h"
#include "ui/children/workListWindow.h"
#include "util/programMessages.h"

namespace {

// The folder windows are brought up to date at most this often during a
// run; the run's end brings them up to date at once.
constexpr int kFolderRefreshMilliseconds = 100;

core::WindowState WindowStateOf(const QWidget& window)
{
    if (window.isMinimized())
        return core::WindowState::Minimized;
    if (window.isMaximized())
        return core::WindowState::Maximized;
    return core::WindowState::Normal;
}

} // namespace

MainWindow::MainWindow(const archiver::Libraries& libraries, QWidget* parent)
    : QMainWindow(parent), libraries_(ResponsiveLibrary::Wrap(libraries)), childArea_(new QMdiArea),
      panel_(new RunPanel), menu_(new MainMenu(*menuBar())), folderRefresh_(new QTimer(this))
{
    // The internal name the load-failure text shows (docs/names.md).
    setObjectName(QStringLiteral("frmTollbrook"));
    auto* desk = new QWidget(this);
    auto* layout = new QVBoxLayout(desk);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel_);
    layout->addWidget(childArea_, 1);
    setCentralWidget(desk);
    // The viewport, not the area: the area's resize event comes before the
    // viewport has taken its new size.
    childArea_->viewport()->installEventFilter(this);

    inputFolder_ = new FolderWindow(folders::FolderSide::Input);
    workList_ = new WorkListWindow(
        [this](const QString& path) { return ArchiveTypes::Current(libraries_).AcceptsType(path); });
    inputList_ =
        new InputListWindow([work = &workList_->Work()](const QString& path) { return work->Add(path); });
    outputFolder_ = new FolderWindow(folders::FolderSide::Output);
    historyWindow_ = new HistoryWindow;
    outputList_ = new OutputListWindow;
    QList<QMdiSubWindow*> frames;
    for (ChildWindow* child : Children()) {
        // Minimise and maximise, but no close button: the children live as
        // long as the desk. The styles draw the close button with the frame
        // menu, so that goes as well.
        QMdiSubWindow* frame = childArea_->addSubWindow(
            child,
            Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
        frame->hide();
        frames << frame;
        // A child brought back from minimised or maximised takes its tile.
        connect(frame, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    const Qt::WindowStates apart = Qt::WindowMinimized | Qt::WindowMaximized;
                    if ((before & apart) && !(now & apart))
                        LayOutDesk();
                });
    }
    new CaptionRoom(*childArea_, frames);
    ConnectChildren();

    engine_ = std::make_unique<run::SfxEngine>(libraries_, History(), outputList_->Output());
    runControl_ = std::make_unique<run::RunControl>(workList_->Work(), History(), *engine_,
                                                    static_cast<run::IRunDesk&>(*this));
    connect(panel_, &RunPanel::ExecuteClicked, this, &MainWindow::Execute);
    connect(panel_, &RunPanel::CancelClicked, this, &MainWindow::RequestCancel);
    new KeyboardRoute(*this, *panel_, *childArea_);
    new MenuKeyAlias(this);
    paintThrottle_ = new PaintThrottle(*this);
    connect(paintThrottle_, &PaintThrottle::AboutToPaint, this, [this] {
        for (ChildWindow* child : Children())
            child->BeforePaint();
    });
    folderRefresh_->setSingleShot(true);
    folderRefresh_->setInterval(kFolderRefreshMilliseconds);
    connect(folderRefresh_, &QTimer::timeout, this, [this] {
        if (folderRefreshPending_)
            RefreshFolderWindowsNow();
    });
    panel_->SetCancelEnabled(false);
    panel_->SetExecuteEnabled(false);
    // The panel has laid itself out for a new font by now.
    connect(&PresentationChanges::Current(), &PresentationChanges::FontChanged, this,
            &MainWindow::LayOutDesk);
    commands_ = new DeskCommands(
        {*this, *menu_, History(), *inputFolder_, *outputFolder_, workList_->Work(), libraries_});
    connect(commands_, &DeskCommands::OptionsAccepted, this, &MainWindow::FollowOptions);
}

MainWindow::~MainWindow()
{
    // The frames report their state once more as they go.
    for (ChildWindow* child : Children())
        disconnect(child->SubWindow(), nullptr, this, nullptr);
}

void MainWindow::ConnectChildren()
{
    connect(inputFolder_, &FolderWindow::FolderChanged, inputList_, &InputListWindow::ShowFolder);
    inputFolder_->SetOtherWindow(outputFolder_);
    outputFolder_->SetOtherWindow(inputFolder_);
    connect(inputList_, &InputListWindow::WorkListChanged, this, &MainWindow::UpdateExecuteButtons);
    connect(inputList_, &InputListWindow::MoveOnRequested, this, [this] { workList_->List()->setFocus(); });
    connect(workList_, &WorkListWindow::EntriesChanged, this, &MainWindow::UpdateExecuteButtons);
    connect(workList_, &WorkListWindow::OutputFolderRequested, outputFolder_, &FolderWindow::OpenFolder);
    connect(workList_, &WorkListWindow::InputFolderRequested, inputFolder_, &FolderWindow::OpenFolder);
    connect(workList_, &WorkListWindow::MoveOnRequested, this,
            [this] { outputFolder_->Drives()->setFocus(); });
    connect(&workList_->Work(), &WorkListModel::TopIndexRequested, this, &MainWindow::ShowRunProgress);
    for (ChildWindow* child : Children())
        connect(child, &ChildWindow::MenuEnabledChanged, this, &MainWindow::UpdateMenuBar);
    connect(childArea_, &QMdiArea::subWindowActivated, this, &MainWindow::UpdateMenuBar);
}

QList<ChildWindow*> MainWindow::Children() const
{
    return {inputFolder_, inputList_, workList_, outputFolder_, historyWindow_, outputList_};
}

HistoryModel& MainWindow::History() const
{
    return historyWindow_->History();
}

bool MainWindow::PrepareDesk(const QStringList& archiveNames)
{
    setWindowTitle(messages::Text(messages::ProgramMessage::MainCaption));
    panel_->ApplyTooltips(options::Current().showTooltips);
    if (!LoadChildren())
        return false;
    // The panel's buttons take the font; the window itself keeps the
    // desktop's, as its menu bar and title do.
    panel_->ApplyFont();
    LayOutDesk();
    if (!RestoreGeometry()) {
        platform::services().dialogs->MessageBox(LoadFailureText(*this, QStringLiteral("MDIForm_Load")),
                                                 platform::MessageButtons::Ok);
        return false;
    }
    if (!commands_->PrepareDialogs())
        return false;
    panel_->SetCancelEnabled(false);
    RebuildInputPattern();
    History().Clear();
    if (!archiveNames.isEmpty())
        run::TakeCommandLineNames(archiveNames, workList_->Work());
    activated_ = false;
    return true;
}

bool MainWindow::LoadChildren()
{
    const bool tiled = options::Current().resizeChildren;
    for (ChildWindow* child : Children()) {
        bool loaded = true;
        if (auto* folder = qobject_cast<FolderWindow*>(child)) {
            loaded = folder->Load(QDir::currentPath());
        } else if (!tiled) {
            loaded = child->ReadStoredPlace();
        }
        if (!loaded) {
            platform::services().dialogs->MessageBox(child->LoadFailure(), platform::MessageButtons::Ok);
            return false;
        }
        if (!qobject_cast<FolderWindow*>(child)) {
            child->ApplyFont();
            child->ApplyTooltips(options::Current().showTooltips);
        }
    }
    return true;
}

void MainWindow::ShowChildren()
{
    if (activated_)
        return;
    activated_ = true;
    TileChildren();
    if (!options::Current().resizeChildren) {
        for (ChildWindow* child : Children())
            child->MoveToStoredPlace(logicalDpiX());
    }
    for (ChildWindow* child : Children())
        child->SubWindow()->show();
    UpdateExecuteButtons();
    inputFolder_->Drives()->setFocus();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The layout has given the child area its size by now; the children
    // come up before anything is painted.
    ShowChildren();
}

void MainWindow::RebuildInputPattern()
{
    inputList_->MakePattern(ArchiveTypes::Current(libraries_));
}

void MainWindow::FollowOptions()
{
    RebuildInputPattern();
    UpdateExecuteButtons();
}

bool MainWindow::RestoreGeometry()
{
    QList<options::InvalidStoredValue> outOfRange;
    const std::optional<core::MainGeometry> stored = core::ReadMainGeometry(&outOfRange);
    if (!stored)
        return false;
    options::ReportInvalid(outOfRange);
    const int dpi = logicalDpiX();
    const QSize screenSize = screen()->geometry().size();
    const core::MainGeometry geometry =
        core::ClampIntoView(*stored, childLayout::ToTwips(screenSize.width(), dpi),
                            childLayout::ToTwips(screenSize.height(), dpi));
    // Stored or default, the desk comes up wholly on a screen: a large font,
    // a scale factor or a screen gone since can make it larger than the
    // screen or leave it outside every one. The window manager's frame is
    // not known before the first showing; Qt's title bar height stands in.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QMargins frame(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border);
    QList<QRect> screens;
    for (const QScreen* each : QGuiApplication::screens())
        screens << each->availableGeometry();
    const QRect fit = presentation::FitOnScreens(
        QRect(childLayout::ToPixels(geometry.left, dpi) + frame.left(),
              childLayout::ToPixels(geometry.top, dpi) + frame.top(),
              childLayout::ToPixels(geometry.width, dpi), childLayout::ToPixels(geometry.height, dpi)),
        screens, frame, minimumSizeHint());
    move(fit.x() - frame.left(), fit.y() - frame.top());
    resize(fit.size());
    if (geometry.windowState == core::WindowState::Minimized)
        setWindowState(Qt::WindowMinimized);
    if (geometry.windowState == core::WindowState::Maximized)
        setWindowState(Qt::WindowMaximized);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == childArea_->viewport() && event->type() == QEvent::Resize)
        LayOutDesk();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::LayOutDesk()
{
    if (options::Current().resizeChildren && activated_)
        TileChildren();
    panel_->PlaceCancelButton(logicalDpiX());
}

void MainWindow::TileChildren()
{
    const int dpi = logicalDpiX();
    const QSize client = childArea_->viewport()->size();
    const auto tiles = childLayout::Tiles(childLayout::ToTwips(client.width(), dpi),
                                          childLayout::ToTwips(client.height(), dpi));
    if (!tiles)
        return;
    // The tiles' edges in pixels; the outer ones are the viewport's own, so
    // rounding neither leaves a gap nor puts a window past the edge.
    const childLayout::Rect& last = tiles->back();
    const auto edge = [dpi](int twips, int outerTwips, int outerPixels) {
        return twips == outerTwips ? outerPixels : childLayout::ToPixels(twips, dpi);
    };
    const QList<ChildWindow*> children = Children();
    for (int i = 0; i < children.size(); ++i) {
        QMdiSubWindow* frame = children[i]->SubWindow();
        // Minimised children keep to the bottom, where the area lines them up.
        if (frame->isMinimized() || frame->isMaximized())
            continue;
        const childLayout::Rect& tile = (*tiles)[i];
        const int right = edge(tile.left + tile.width, last.left + last.width, client.width());
        const int bottom = edge(tile.top + tile.height, last.top + last.height, client.height());
        const QPoint topLeft(childLayout::ToPixels(tile.left, dpi), childLayout::ToPixels(tile.top, dpi));
        frame->setGeometry(QRect(topLeft, QPoint(right - 1, bottom - 1)));
    }
}

void MainWindow::UpdateExecuteButtons()
{
    panel_->SetExecuteEnabled(run::ExecuteButtonsEnabled(workList_->Work()));
}

void MainWindow::UpdateMenuBar()
{
    const QMdiSubWindow* active = childArea_->activeSubWindow();
    const auto* child = active ? qobject_cast<const ChildWindow*>(active->widget()) : nullptr;
    menu_->SetEnabled(!IsRunning() && (!child || child->MenuEnabled()));
}

void MainWindow::ConvertOnWorkers(std::function<std::unique_ptr<run::IWorkers>()> makeWorkers)
{
    run::IRunDesk& desk = *this;
    workerRun_ = std::make_unique<run::DeskWorkerRun>(workList_->Work(), History(), outputList_->Output(),
                                                      desk, *runControl_, std::move(makeWorkers));
}

run::RunSummary MainWindow::Execute(tbarc::SfxKind kind)
{
    if (IsRunning())
        return {};
    runLength_ = workList_->Work().Count();
    if (workerRun_ && workerRun_->Start(kind, OutputFolder(), [this](const run::RunSummary&) { AfterRun(); }))
        return {};
    const run::RunSummary summary = runControl_->Run(kind);
    AfterRun();
    return summary;
}

void MainWindow::AfterRun()
{
    UpdateMenuBar();
    emit RunFinished();
    if (closeAfterRun_)
        close();
}

void MainWindow::RequestCancel()
{
    runControl_->RequestCancel();
    if (workerRun_)
        workerRun_->Cancel();
}

void MainWindow::ShowRunProgress(int index)
{
    if (IsRunning())
        panel_->ShowProgress(index + 1, runLength_);
}

void MainWindow::SetDeskEnabled(bool enabled)
{
    for (ChildWindow* child : Children())
        child->SetWindowEnabled(enabled);
    for (ChildWindow* child : Children())
        child->SetMenuEnabled(enabled);
}

void MainWindow::LockForRun()
{
    focusBeforeRun_ = QApplication::focusWidget();
    panel_->SetExecuteEnabled(false);
    SetDeskEnabled(false);
    UpdateMenuBar();
    panel_->ShowProgress(0, runLength_);
    paintThrottle_->SetOn(true);
}

void MainWindow::ClearInputSelection()
{
    inputList_->Input().SelectionModel().clearSelection();
}

void MainWindow::SetCancelEnabled(bool enabled)
{
    panel_->SetCancelEnabled(enabled);
}

QString MainWindow::OutputFolder()
{
    return outputFolder_->Folder();
}

void MainWindow::ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

void MainWindow::RefreshFolderWindows()
{
    // Every file changes the free space and the folder contents, but what a
    // person can see changes only a few times a second.
    folderRefreshPending_ = true;
    if (!folderRefresh_->isActive())
        folderRefresh_->start();
}

void MainWindow::RefreshFolderWindowsNow()
{
    folderRefreshPending_ = false;
    folderRefresh_->stop();
    inputFolder_->Refresh();
    outputFolder_->Refresh();
}

void MainWindow::UnlockAfterRun()
{
    paintThrottle_->SetOn(false);
    SetDeskEnabled(true);
    // A locked desk holds the keyboard nowhere: it goes back where it was,
    // or to the work list when that control is no longer usable (an
    // Execute button with the list now empty). Once the unlocking is over,
    // when the Execute buttons are up to date.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QWidget* back = focusBeforeRun_;
            if (back == nullptr || !back->isEnabled() || !back->isVisible())
                back = workList_->List();
            back->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
    panel_->HideProgress();
    // The folder windows come up to date once, pending refresh or not;
    // refreshing the input folder rereads the input list as well.
    RefreshFolderWindowsNow();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing during a run asks it to stop: the file under way is finished,
    // then the desk closes as usual.
    if (IsRunning()) {
        closeAfterRun_ = true;
        RequestCancel();
        event->ignore();
        return;
    }
    StoreSettings();
    event->accept();
}

void MainWindow::StoreSettings()
{
    // The children and the dialogs first, the output folder last, then the
    // desk's own place and the options.
    for (ChildWindow* child :
         {static_cast<ChildWindow*>(inputFolder_), static_cast<ChildWindow*>(inputList_),
          static_cast<ChildWindow*>(workList_), static_cast<ChildWindow*>(historyWindow_),
          static_cast<ChildWindow*>(outputList_)})
        child->StoreSettings();
    commands_->StoreDialogPlaces();
    outputFolder_->StoreSettings();
    const int dpi = logicalDpiX();
    core::StoreMainGeometry(core::MainGeometry{childLayout::ToTwips(x(), dpi), childLayout::ToTwips(y(), dpi),
                                               childLayout::ToTwips(width(), dpi),
                                               childLayout::ToTwips(height(), dpi), WindowStateOf(*this)});
    options::SaveOptions();
    // Before the desk goes: the store itself says nothing.
    settings::TellKeptCopies();
    settings::TellStoreFailures();
}
