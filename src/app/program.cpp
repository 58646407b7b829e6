#include "app/program.h"

#include <QApplication>

#include <cstdio>

#include "app/automaticStart.h"
#include "app/qtPlatform.h"
#include "core/callOptions.h"
#include "platform/display.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/services.h"
#include "ui/frmTollbrook.h"

namespace app {

int Run(const QStringList& arguments) {
    platform::QtDialogs dialogs;
    platform::QtClipboard clipboard;
    platform::ScopedServices services({nullptr, &dialogs, &clipboard, nullptr});

    const WindowlessStart start = StartWithoutWindow(arguments);
    if (start.exitStatus) return *start.exitStatus;

    // A window nobody can see would wait for ever.
    if (!platform::HasDisplay()) {
        std::fprintf(stderr, "tollbrook2: no display available (%s); nothing to convert, so the window is not opened\n",
                     NoDisplayReason().toLocal8Bit().constData());
        return core::ExitNothingDone;
    }

    frmTollbrook window(start.commandLineText);
    if (!window.MDIForm_Load()) return core::ExitNothingDone;
    window.show();
    return QApplication::exec();
}

}  // namespace app
