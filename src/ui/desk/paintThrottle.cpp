#include "ui/desk/paintThrottle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Every other frame of the window's screen, in milliseconds (a screen that
// does not say shows 60 frames a second): smooth enough for lists that
// fill and a progress that moves, and half the painting.
int PaintMilliseconds(const QWidget& window)
{
    const QScreen* screen = window.screen();
    const double rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    return std::max(1, int(std::lround(2 * 1000 / rate)));
}

} // namespace

PaintThrottle::PaintThrottle(QWidget& window) : QObject(&window), window_(window)
{
    held_.setSingleShot(true);
    connect(&held_, &QTimer::timeout, this, &PaintThrottle::PaintNow);
    window_.installEventFilter(this);
}

void PaintThrottle::SetOn(bool on)
{
    on_ = on;
    if (!on_ && held_.isActive()) {
        held_.stop();
        PaintNow();
    }
}

void PaintThrottle::PaintNow()
{
    // The window paints everything that waits when it gets this event.
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

bool PaintThrottle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || event->type() != QEvent::UpdateRequest)
        return false;
    const int frame = PaintMilliseconds(window_);
    if (on_ && sincePaint_.isValid() && sincePaint_.elapsed() < frame) {
        if (!held_.isActive())
            held_.start(int(frame - sincePaint_.elapsed()));
        return true;
    }
    held_.stop();
    sincePaint_.restart();
    emit AboutToPaint();
    return false;
}
