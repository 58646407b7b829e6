#include "app/automaticStart.h"

#include "app/historyEcho.h"
#include "run/workerProcesses.h"
#include "archiver/archiver.h"
#include "run/autoRun.h"
#include "run/interruption.h"
#include "core/callOptions.h"
#include "run/commandLine.h"
#include "run/engine.h"
#include "core/options.h"
#include "core/outputFolder.h"
#include "core/settings.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "platform/settingsStore.h"
#include "util/applicationTitle.h"
#include "util/sharedMessages.h"
#include "util/terminalLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

namespace {

// "/U": asks, deletes the stored settings on Yes, and ends either way.
int RemoveSettingsOnRequest()
{
    const QString question =
        ApplicationTitle() + messages::Text(messages::SharedMessage::RemoveSettingsQuestion);
    if (platform::services().dialogs->MessageBox(question, platform::MessageButtons::YesNo)
        == platform::MessageAnswer::Yes) {
        settings::RemoveStoredSettings();
        settings::TellKeptCopies();
        settings::TellStoreFailures();
    }
    return core::ExitAllConverted;
}

int ExitStatusOf(const run::RunSummary& summary, bool namesPassedOver)
{
    if (summary.stopped)
        return core::ExitStopped;
    return summary.failed > 0 || namesPassedOver ? core::ExitSomeNotConverted : core::ExitAllConverted;
}

int NothingToConvert()
{
    SayOnTerminal(QCoreApplication::translate(
        "terminal", "no archive to convert (give existing archives of an enabled type)"));
    return core::ExitNothingDone;
}

void ReportPassedOver(const QString& name, const QString& why)
{
    SayOnTerminal(QCoreApplication::translate("terminal", "%1: not taken: %2").arg(name, why));
}

void ReportUndecodable(const QList<QByteArray>& names)
{
    const QByteArray folder = QFile::encodeName(QDir::currentPath()) + '/';
    for (const QByteArray& name : names)
        ReportPassedOver(core::PrintableName(name.startsWith('/') ? name : folder + name),
                         QCoreApplication::translate("terminal",
                                                     "the name is not valid UTF-8, the file-name encoding of "
                                                     "this system (rename it, for example with convmv)"));
}

// The automatic run never writes the settings, so a settings file with lines
// it could not read is not copied aside: it says here what it left out.
void ReportPartlyReadSettings()
{
    for (const platform::PartlyReadFile& file : platform::services().settings->PartlyReadFiles()) {
        QStringList numbers;
        for (const int line : file.skippedLines)
            numbers.append(QString::number(line));
        const QString said = numbers.size() == 1
            ? QCoreApplication::translate(
                "terminal", "%1: line %2 cannot be read; it is left out and the other settings apply")
            : QCoreApplication::translate(
                "terminal", "%1: lines %2 cannot be read; they are left out and the other settings apply");
        SayOnTerminal(said.arg(file.path, numbers.join(QStringLiteral(", "))));
    }
}

// The automatic run with lists that no window shows; the history is echoed
// on standard output archive by archive, every name not taken on standard
// error before the first file. Nothing when no name was taken and the desk
// may open instead (listFull then tells why).
std::optional<int> RunAutomatically(const core::CallOptions& call, const QStringList& names, bool& listFull)
{
    WorkListModel work;
    HistoryModel history;
    OutputListModel output;
    HistoryEcho echo(stdout);
    QObject::connect(&history, &HistoryModel::LineAdded, [&echo](const QString& line) { echo.Add(line); });
    run::SfxEngine engine(archiver::InstalledLibraries(), history, output);
    const auto reportIntake = [&echo](const run::CommandLineIntake& intake) {
        echo.Flush();
        for (const run::PassedOverName& passed : intake.passedOver)
            ReportPassedOver(passed.name, run::AdmissionReason(passed.why));
    };

    ReportPartlyReadSettings();
    const QString outputFolder =
        call.outputFolder.isEmpty() ? core::OutputStartFolder(QDir::currentPath()) : call.outputFolder;
    const auto kind = static_cast<tbarc::SfxKind>(call.kind.value_or(options::Current().autoRunKind));
    // One job is the run in this process.
    const int jobs = call.jobs.value_or(QThread::idealThreadCount());
    run::Interruption interruption;
    run::WorkerProcesses workers(jobs);
    workers.WatchStopRequest(interruption);
    const run::AutoRunOutcome outcome = run::AutoRun(
        names, kind, outputFolder,
        {work, history, engine, reportIntake, jobs > 1 ? &workers : nullptr,
         [&interruption] { return interruption.Requested(); },
         [&outputFolder] {
             SayOnTerminal(
                 QCoreApplication::translate(
                     "terminal", "%1: another run is making files in this folder; waiting until it ends")
                     .arg(outputFolder));
         }});
    echo.Flush();
    if (outcome.summary)
        return ExitStatusOf(*outcome.summary,
                            !outcome.intake.passedOver.isEmpty() || !call.undecodableNames.isEmpty());
    listFull = outcome.intake.listFull;
    // With the stored option alone the desk takes over.
    if (!call.automatic)
        return std::nullopt;
    return listFull ? EndOverLimit() : NothingToConvert();
}

} // namespace

int EndOverLimit()
{
    SayOnTerminal(QCoreApplication::translate("terminal",
                                              "more than %1 archives given: one run converts at "
                                              "most %1, so none was converted")
                      .arg(run::kWorkListLimit));
    return core::ExitOverLimit;
}

WindowlessStart StartWithoutWindow(const QList<QByteArray>& arguments)
{
    WindowlessStart start;
    const core::CallOptions call = core::ParseCallArguments(arguments, QDir::currentPath());
    if (call.help) {
        std::fputs(core::UsageText().toUtf8().constData(), stdout);
        start.exitStatus = core::ExitAllConverted;
        return start;
    }
    if (call.version) {
        std::puts("tollbrook2 " TB_VERSION);
        start.exitStatus = core::ExitAllConverted;
        return start;
    }
    if (!call.error.isEmpty()) {
        SayOnTerminal(call.error);
        start.exitStatus = core::ExitNothingDone;
        return start;
    }
    if (run::IsRemovalSwitch(call.names) && call.undecodableNames.isEmpty()) {
        start.exitStatus = RemoveSettingsOnRequest();
        return start;
    }

    start.archiveNames = run::AbsoluteNames(call.names, QDir::currentPath());
    options::ReportInvalid(options::LoadOptions());
    archiver::LoadInstalledLibraries();
    ReportUndecodable(call.undecodableNames);
    const bool namesGiven = !start.archiveNames.isEmpty() || !call.undecodableNames.isEmpty();
    if (namesGiven && (options::Current().autoRun || call.automatic)) {
        start.exitStatus = RunAutomatically(call, start.archiveNames, start.listFull);
        if (start.exitStatus)
            return start;
    }
    if (call.automatic) {
        start.exitStatus = NothingToConvert();
    }
    return start;
}
