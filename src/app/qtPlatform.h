#pragma once

#include <QString>

namespace app {

// Picks the Qt platform before the application object exists: a desktop
// session gets its own platform with Qt's offscreen one as the fallback, a
// machine without any display gets the offscreen platform straight away.
// An explicit QT_QPA_PLATFORM is left as the user set it.
void ChooseQtPlatform();

// Why no display came up, in a few words ("neither DISPLAY nor WAYLAND_DISPLAY
// is set", "the display :1 cannot be reached", ...).
QString NoDisplayReason();

// Qt's own start-up warnings (a display that cannot be reached, a missing
// runtime folder) are held back until it is known whether a display came up:
// with one they are printed, without one the program's single line of
// explanation is all that shows.
class QtWarningGate {
public:
    QtWarningGate();
    // Prints what was held back when there is a display; drops it otherwise
    // and keeps Qt quiet from then on.
    void Open(bool haveDisplay);
};

} // namespace app
