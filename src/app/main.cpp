#include <QApplication>

#include "app/program.h"
#include "app/qtPlatform.h"
#include "platform/display.h"
#include "platform/lastingClipboard.h"

#include <cstring>

int main(int argc, char* argv[])
{
    app::ChooseQtPlatform();
    // The process an automatic run leaves holding its history on the clipboard.
    if (argc == 2 && std::strcmp(argv[1], "--keep-clipboard") == 0) {
        QGuiApplication application(argc, argv);
        return platform::KeepClipboard();
    }
    app::QtWarningGate qtWarnings;
    QApplication application(argc, argv);
    qtWarnings.Open(platform::HasDisplay());
    // QApplication has taken its own options out of argv; the rest reach the
    // program as bytes, so a name that is no valid text is still seen.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return app::Run(arguments);
}
