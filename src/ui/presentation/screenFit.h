#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

namespace presentation {

// Where a top-level window of this place and size goes so that a person can
// reach all of it, as Qt's own dialogs are placed: on the screen whose
// available area (without panels and docks) holds most of it, or the first
// screen when none holds any of it; no larger than that area less the
// window's frame, and moved as little as needed to lie inside it. A window
// whose contents need more (minimum) is placed by that size, which it takes
// once it shows. wanted is the client area, frame the window manager's
// frame around it.
QRect FitOnScreens(QRect wanted, const QList<QRect>& availableAreas, QMargins frame, QSize minimum);

} // namespace presentation
