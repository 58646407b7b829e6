#include "ui/mainWindow.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/mainGeometry.h"
#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/loadFailure.h"
#include "ui/presentation.h"
#include "ui/runPanel.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

namespace {

short WindowStateOf(const QWidget& window)
{
    if (window.isMinimized())
        return 1;
    if (window.isMaximized())
        return 2;
    return 0;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), childArea_(new QMdiArea), panel_(new RunPanel), menu_(new MainMenu(*menuBar()))
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
    panel_->CancelButton()->setEnabled(false);
}

bool MainWindow::PrepareDesk()
{
    setWindowTitle(messages::Text(messages::ProgramMessage::MainCaption));
    ApplyTooltips(options::Current().showTooltips);
    ApplyFont();
    if (!RestoreGeometry()) {
        platform::services().dialogs->MessageBox(LoadFailureText(*this, QStringLiteral("MDIForm_Load")),
                                                 platform::MessageButtons::Ok);
        return false;
    }
    return true;
}

void MainWindow::AttachDialog(DeskDialog slot, Presentable& dialog)
{
    dialogs_[static_cast<size_t>(slot)] = &dialog;
}

QList<Presentable*> MainWindow::AttachedDialogs() const
{
    QList<Presentable*> attached;
    for (Presentable* dialog : dialogs_) {
        if (dialog)
            attached.append(dialog);
    }
    return attached;
}

void MainWindow::ApplyFontEverywhere()
{
    ApplyFont();
    for (Presentable* dialog : AttachedDialogs())
        dialog->ApplyFont();
}

void MainWindow::ApplyTooltipsEverywhere(bool show)
{
    ApplyTooltips(show);
    for (Presentable* dialog : AttachedDialogs())
        dialog->ApplyTooltips(show);
}

void MainWindow::ApplyFont()
{
    // The panel's buttons take the font; the window itself keeps the
    // desktop's, as its menu bar and title do.
    presentation::ApplyFont(panel_->FontTargets());
    panel_->Relayout();
    LayOutDesk();
}

void MainWindow::ApplyTooltips(bool show)
{
    using messages::ProgramMessage;
    presentation::ApplyTooltips(
        {
            {panel_->ExecuteButton(0), messages::Text(ProgramMessage::DosTip)},
            {panel_->ExecuteButton(1), messages::Text(ProgramMessage::Win16Tip)},
            {panel_->ExecuteButton(2), messages::Text(ProgramMessage::Win32Tip)},
            {panel_->CancelButton(), messages::Text(messages::SharedMessage::CancelTip)},
        },
        show);
}

bool MainWindow::RestoreGeometry()
{
    const std::optional<core::MainGeometry> stored = core::ReadMainGeometry();
    if (!stored)
        return false;
    const int dpi = logicalDpiX();
    const QSize screenSize = screen()->geometry().size();
    const core::MainGeometry geometry =
        core::ClampIntoView(*stored, presentation::ToTwips(screenSize.width(), dpi),
                            presentation::ToTwips(screenSize.height(), dpi));
    move(presentation::ToPixels(geometry.left, dpi), presentation::ToPixels(geometry.top, dpi));
    resize(presentation::ToPixels(geometry.width, dpi), presentation::ToPixels(geometry.height, dpi));
    if (geometry.windowState == 1)
        setWindowState(Qt::WindowMinimized);
    if (geometry.windowState == 2)
        setWindowState(Qt::WindowMaximized);
    return true;
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    LayOutDesk();
}

void MainWindow::LayOutDesk()
{
    panel_->PlaceCancelButton(logicalDpiX());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    StoreSettings();
    event->accept();
}

void MainWindow::StoreSettings()
{
    for (Presentable* dialog : AttachedDialogs())
        dialog->StoreSettings();
    const int dpi = logicalDpiX();
    core::StoreMainGeometry(core::MainGeometry{
        presentation::ToTwips(x(), dpi), presentation::ToTwips(y(), dpi), presentation::ToTwips(width(), dpi),
        presentation::ToTwips(height(), dpi), WindowStateOf(*this)});
    options::SaveOptions();
}
