#include "ui/frmTollbrook.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QScreen>

#include "core/mainGeometry.h"
#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/resTollbrook.h"

namespace {

constexpr double kTwipsPerInch = 1440;

int ToPixels(float twips, int dotsPerInch) { return qRound(twips * dotsPerInch / kTwipsPerInch); }

float ToTwips(int pixels, int dotsPerInch) {
    return static_cast<float>(pixels * kTwipsPerInch / dotsPerInch);
}

short WindowStateOf(const QWidget& window) {
    if (window.isMinimized()) return 1;
    if (window.isMaximized()) return 2;
    return 0;
}

}  // namespace

frmTollbrook::frmTollbrook(QString commandLineText, QWidget* parent)
    : QMainWindow(parent), commandLineText_(std::move(commandLineText)), mdiTollbrook_(new QMdiArea(this)) {
    setCentralWidget(mdiTollbrook_);
}

bool frmTollbrook::MDIForm_Load() {
    setWindowTitle(resTollbrook::GetText(9999));

    // The Execute buttons, the tooltips, the child windows and the font come
    // here, before the place of the window.

    if (!RestoreGeometry()) {
        platform::services().dialogs->MessageBox(QStringLiteral("Tollbrook2 frmTollbrook MDIForm_Load ERR"),
                                                 platform::MessageButtons::Ok);
        return false;
    }

    // Then the history is emptied and the command-line archives go into the
    // work list.
    return true;
}

bool frmTollbrook::RestoreGeometry() {
    const std::optional<core::MainGeometry> stored = core::ReadMainGeometry();
    if (!stored) return false;
    const int dpi = logicalDpiX();
    const QSize screenSize = screen()->geometry().size();
    const core::MainGeometry geometry = core::ClampIntoView(
        *stored, ToTwips(screenSize.width(), dpi), ToTwips(screenSize.height(), dpi));
    move(ToPixels(geometry.left, dpi), ToPixels(geometry.top, dpi));
    resize(ToPixels(geometry.width, dpi), ToPixels(geometry.height, dpi));
    if (geometry.windowState == 1) setWindowState(Qt::WindowMinimized);
    if (geometry.windowState == 2) setWindowState(Qt::WindowMaximized);
    return true;
}

void frmTollbrook::closeEvent(QCloseEvent* event) {
    MDIForm_QueryUnload();
    event->accept();
}

void frmTollbrook::MDIForm_QueryUnload() {
    // The child windows and dialogs store their own settings first, when they
    // exist.
    const int dpi = logicalDpiX();
    core::StoreMainGeometry(core::MainGeometry{ToTwips(x(), dpi), ToTwips(y(), dpi),
                                               ToTwips(width(), dpi), ToTwips(height(), dpi),
                                               WindowStateOf(*this)});
    basTollbrook::SaveOptions();
}
