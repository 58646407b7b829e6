#include "ui/presentation/screenFit.h"

#include <algorithm>

namespace presentation {
namespace {

qint64 Overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// Moves the span [start, start + length) as little as needed into [low, high).
int IntoSpan(int start, int length, int low, int high)
{
    if (start + length > high)
        start = high - length;
    return std::max(start, low);
}

} // namespace

QRect FitOnScreens(QRect wanted, const QList<QRect>& availableAreas, QMargins frame, QSize minimum)
{
    if (availableAreas.isEmpty())
        return wanted;
    const QRect framed = wanted.marginsAdded(frame);
    // The first of equals: the primary screen when none holds any of it.
    const QRect area = *std::max_element(
        availableAreas.begin(), availableAreas.end(),
        [&framed](const QRect& a, const QRect& b) { return Overlap(framed, a) < Overlap(framed, b); });
    const QRect room = area.marginsRemoved(frame);
    wanted.setWidth(std::min(wanted.width(), room.width()));
    wanted.setHeight(std::min(wanted.height(), room.height()));
    const QSize shown = wanted.size().expandedTo(minimum);
    wanted.moveTo(IntoSpan(wanted.x(), shown.width(), room.left(), room.left() + room.width()),
                  IntoSpan(wanted.y(), shown.height(), room.top(), room.top() + room.height()));
    return wanted;
}

} // namespace presentation
