#include "app/program.h"

#include <QApplication>

#include <cstdio>

#include "app/qtPlatform.h"
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

    frmTollbrook window(arguments);
    switch (window.MDIForm_Load()) {
    case frmTollbrook::LoadResult::EndProcess:
        return 0;
    case frmTollbrook::LoadResult::Failed:
        return 1;
    case frmTollbrook::LoadResult::ShowDesk:
        break;
    }
    // A window nobody can see would wait for ever.
    if (!platform::HasDisplay()) {
        std::fprintf(stderr, "tollbrook2: no display available (%s); nothing to convert, so the window is not opened\n",
                     NoDisplayReason().toLocal8Bit().constData());
        return kNoDisplayStatus;
    }
    window.show();
    return QApplication::exec();
}

}  // namespace app
