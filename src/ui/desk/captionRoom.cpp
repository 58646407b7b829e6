#include "ui/desk/captionRoom.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace {

// Wider than any window: what the title bar keeps for its icon and buttons
// does not depend on the width.
constexpr int kMeasuringWidth = 10000;

// The tiles are worked out in twips; each may come out a pixel narrower.
constexpr int kRoundingPixels = 1;

// QMdiSubWindow lays its title bar out inside a border this wide, and Qt's
// Fusion style, the desk's, elides the title at the label's width less a
// margin.
constexpr int kTitleBarBorder = 4;
constexpr int kStyleLabelMargin = 14;

} // namespace

CaptionRoom::CaptionRoom(QMdiArea& area, const QList<QMdiSubWindow*>& windows)
    : QObject(&area), area_(area), windows_(windows)
{
    for (QMdiSubWindow* window : windows_) {
        window->installEventFilter(this);
        connect(window, &QWidget::windowTitleChanged, this, &CaptionRoom::Update);
    }
    Update();
}

int CaptionRoom::NeededWidth(const QMdiSubWindow& window)
{
    // As QMdiSubWindow measures its title before it elides it.
    QStyleOptionTitleBar option;
    option.initFrom(&window);
    option.text = window.windowTitle();
    option.titleBarFlags = window.windowFlags();
    option.titleBarState = int(window.windowState());
    option.subControls = QStyle::SC_All;
    option.rect = QRect(kTitleBarBorder, kTitleBarBorder, kMeasuringWidth - 2 * kTitleBarBorder,
                        window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &window));
    const int label = window.style()
                          ->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &window)
                          .width();
    return QFontMetrics(window.font()).horizontalAdvance(option.text) + kStyleLabelMargin + kMeasuringWidth
        - label;
}

bool CaptionRoom::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        Update();
    return QObject::eventFilter(watched, event);
}

void CaptionRoom::Update()
{
    int widest = 0;
    for (const QMdiSubWindow* window : windows_)
        widest = std::max(widest, NeededWidth(*window));
    area_.setMinimumWidth(2 * (widest + kRoundingPixels) + 2 * area_.frameWidth());
}
