#include "app/automaticStart.h"

#include "archiver/archiver.h"
#include "core/autoRun.h"
#include "core/callOptions.h"
#include "core/commandLine.h"
#include "core/engine.h"
#include "core/options.h"
#include "core/outputFolder.h"
#include "core/settings.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/applicationTitle.h"
#include "util/sharedMessages.h"

#include <QDir>

#include <cstdio>

namespace {

void PrintLine(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// "/U": asks, deletes the stored settings on Yes, and ends either way.
int RemoveSettingsOnRequest()
{
    const QString question =
        ApplicationTitle() + messages::Text(messages::SharedMessage::RemoveSettingsQuestion);
    if (platform::services().dialogs->MessageBox(question, platform::MessageButtons::YesNo)
        == platform::MessageAnswer::Yes)
        settings::RemoveStoredSettings();
    return core::ExitAllConverted;
}

int ExitStatusOf(const core::RunSummary& summary)
{
    if (summary.stopped)
        return core::ExitStopped;
    return summary.failed > 0 ? core::ExitSomeNotConverted : core::ExitAllConverted;
}

// The automatic run with lists that no window shows; every history line is
// echoed on standard output as it is added.
std::optional<int> RunAutomatically(const core::CallOptions& call, const QString& commandLineText)
{
    WorkListModel work;
    HistoryModel history;
    OutputListModel output;
    QObject::connect(&history, &HistoryModel::LineAdded,
                     [](const QString& line) { PrintLine(stdout, line); });
    core::SfxEngine engine(archiver::libraries(), history, output);

    const QString outputFolder =
        call.outputFolder.isEmpty() ? core::OutputStartFolder(QDir::currentPath()) : call.outputFolder;
    const auto kind = static_cast<tbarc::SfxKind>(call.kind.value_or(options::Current().autoRunKind));
    const auto summary = core::AutoRun(commandLineText, kind, outputFolder, {work, history, engine});
    if (!summary)
        return std::nullopt;
    return ExitStatusOf(*summary);
}

} // namespace

WindowlessStart StartWithoutWindow(const QStringList& arguments)
{
    WindowlessStart start;
    const core::CallOptions call = core::ParseCallArguments(arguments, QDir::currentPath());
    if (call.help) {
        std::fputs(core::UsageText().toUtf8().constData(), stdout);
        start.exitStatus = core::ExitAllConverted;
        return start;
    }
    if (call.version) {
        PrintLine(stdout, QStringLiteral("tollbrook2 " TB_VERSION));
        start.exitStatus = core::ExitAllConverted;
        return start;
    }
    if (!call.error.isEmpty()) {
        PrintLine(stderr, QStringLiteral("tollbrook2: ") + call.error);
        start.exitStatus = core::ExitNothingDone;
        return start;
    }

    start.commandLineText = core::CommandLineText(call.names, QDir::currentPath());
    if (core::IsRemovalSwitch(start.commandLineText)) {
        start.exitStatus = RemoveSettingsOnRequest();
        return start;
    }

    options::LoadOptions();
    archiver::LoadInstalledLibraries();
    if (!start.commandLineText.isEmpty() && (options::Current().autoRun || call.automatic)) {
        start.exitStatus = RunAutomatically(call, start.commandLineText);
        if (start.exitStatus)
            return start;
    }
    core::AutoRunning = false;
    if (call.automatic) {
        PrintLine(stderr,
                  QStringLiteral("tollbrook2: no archive to convert (give existing "
                                 "archives of an enabled type)"));
        start.exitStatus = core::ExitNothingDone;
    }
    return start;
}
