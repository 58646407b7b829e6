#include "app/program.h"

#include <QApplication>
#include <QThread>
#include <QIcon>
#include <QLocale>

#include "app/automaticStart.h"
#include "util/languageChoice.h"
#include "app/qtPlatform.h"
#include "core/callOptions.h"
#include "run/workerProcesses.h"
#include "platform/display.h"
#include "platform/lastingClipboard.h"
#include "platform/qtClipboard.h"
#include "platform/qtDialogs.h"
#include "platform/qtDocumentViewer.h"
#include "platform/services.h"
#include "ui/desk/mainWindow.h"
#include "platform/fontAliases.h"
#include "util/paths.h"
#include "util/terminalLine.h"

namespace app {

int Run(const QList<QByteArray>& arguments)
{
    platform::QtDialogs dialogs;
    platform::QtClipboard clipboard;
    platform::QtDocumentViewer documents;
    platform::ScopedServices services(
        {.dialogs = &dialogs, .clipboard = &clipboard, .documents = &documents});

    // Before any line is written: the automatic run speaks the language too.
    const messages::Language language = messages::ChooseLanguage(arguments, QLocale::system().uiLanguages());
    // Without its translation a text stays in its source language, which
    // is what these two lines can only be written in.
    if (!messages::InstallLanguage(language))
        SayOnTerminal(QString::fromLatin1(language.Row().missingCatalogue).arg(paths::GetTranslationsDir()));
    const WindowlessStart start = [&arguments, &clipboard] {
        // The automatic run ends right after it copies its history: the
        // text must outlive it.
        platform::LastingClipboard lasting(clipboard);
        const platform::ScopedServices automatic({.clipboard = &lasting});
        return StartWithoutWindow(arguments);
    }();
    if (start.exitStatus)
        return *start.exitStatus;

    // A window nobody can see would wait for ever.
    if (!platform::HasDisplay()) {
        if (start.listFull)
            return EndOverLimit();
        const QString line = QCoreApplication::translate(
            "terminal", "no display available (%1); nothing to convert, so the window is not opened");
        SayOnTerminal(line.arg(NoDisplayReason()));
        return core::ExitNothingDone;
    }

    // The default font's name is a Windows one; the program's own alias
    // gives it a Mincho face here.
    platform::LoadFontAliases(platform::InstalledFontRules());
    // The launcher's icon on every window, and the launcher's name for the
    // desktop to match the running program to it.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tollbrook2.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("tollbrook2"));
    MainWindow window;
    // As many workers as an automatic run takes; one is this process.
    if (const int jobs = QThread::idealThreadCount(); jobs > 1)
        window.ConvertOnWorkers([jobs] { return std::make_unique<run::WorkerProcesses>(jobs); });
    if (!window.PrepareDesk(start.archiveNames))
        return core::ExitNothingDone;
    window.show();
    return QApplication::exec();
}

} // namespace app
