#include "ui/mainWindow.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QScreen>

#include "core/mainGeometry.h"
#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/loadFailure.h"
#include "util/programMessages.h"

namespace {

constexpr double kTwipsPerInch = 1440;

int ToPixels(float twips, int dotsPerInch)
{
    return qRound(twips * dotsPerInch / kTwipsPerInch);
}

float ToTwips(int pixels, int dotsPerInch)
{
    return static_cast<float>(pixels * kTwipsPerInch / dotsPerInch);
}

short WindowStateOf(const QWidget& window)
{
    if (window.isMinimized())
        return 1;
    if (window.isMaximized())
        return 2;
    return 0;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), childArea_(new QMdiArea(this))
{
    // The internal name the load-failure text shows (docs/names.md).
    setObjectName(QStringLiteral("frmTollbrook"));
    setCentralWidget(childArea_);
}

bool MainWindow::PrepareDesk()
{
    setWindowTitle(messages::Text(messages::ProgramMessage::MainCaption));
    if (!RestoreGeometry()) {
        platform::services().dialogs->MessageBox(LoadFailureText(*this, QStringLiteral("MDIForm_Load")),
                                                 platform::MessageButtons::Ok);
        return false;
    }
    return true;
}

bool MainWindow::RestoreGeometry()
{
    const std::optional<core::MainGeometry> stored = core::ReadMainGeometry();
    if (!stored)
        return false;
    const int dpi = logicalDpiX();
    const QSize screenSize = screen()->geometry().size();
    const core::MainGeometry geometry =
        core::ClampIntoView(*stored, ToTwips(screenSize.width(), dpi), ToTwips(screenSize.height(), dpi));
    move(ToPixels(geometry.left, dpi), ToPixels(geometry.top, dpi));
    resize(ToPixels(geometry.width, dpi), ToPixels(geometry.height, dpi));
    if (geometry.windowState == 1)
        setWindowState(Qt::WindowMinimized);
    if (geometry.windowState == 2)
        setWindowState(Qt::WindowMaximized);
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    StoreSettings();
    event->accept();
}

void MainWindow::StoreSettings()
{
    const int dpi = logicalDpiX();
    core::StoreMainGeometry(core::MainGeometry{ToTwips(x(), dpi), ToTwips(y(), dpi), ToTwips(width(), dpi),
                                               ToTwips(height(), dpi), WindowStateOf(*this)});
    options::SaveOptions();
}
