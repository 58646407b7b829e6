#include <QApplication>

#include "app/program.h"
#include "app/qtPlatform.h"
#include "platform/display.h"

int main(int argc, char* argv[])
{
    app::ChooseQtPlatform();
    app::QtWarningGate qtWarnings;
    QApplication application(argc, argv);
    qtWarnings.Open(platform::HasDisplay());
    return app::Run(QApplication::arguments().mid(1));
}
