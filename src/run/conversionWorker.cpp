#include "run/conversionWorker.h"

#include "util/languageChoice.h"
#include "archiver/archiver.h"
#include "run/engine.h"
#include "core/options.h"
#include "run/runCreatedFiles.h"
#include "run/runLists.h"
#include "run/workerFrames.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cerrno>

#include <signal.h>
#include <sys/socket.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace run {
namespace {

class HistoryRecorder final : public run::IHistory {
public:
    void Add(const QString& line) override { lines << line; }
    void Clear() override { lines.clear(); }
    void CopyToClipboard() override {}
    QStringList lines;
};

class OutputRecorder final : public run::IOutputList {
public:
    void Add(const QString& path) override { paths << path; }
    QStringList paths;
};

// Reads until the buffer holds a whole batch; false at the end of the input
// or on anything that is no batch.
bool ReadBatch(QByteArray& buffer, run::WorkerBatch& batch)
{
    char chunk[4096];
    while (true) {
        switch (run::TakeFrame(buffer, batch)) {
        case run::FrameState::Taken: return true;
        case run::FrameState::Unreadable: return false;
        case run::FrameState::Incomplete: break;
        }
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        buffer.append(chunk, n);
    }
}

// Whether the run said, while this worker converted, to start no more of
// the batch: the only thing it sends a busy worker. Does not wait.
bool CancelArrived(QByteArray& buffer)
{
    char chunk[4096];
    ssize_t n;
    while ((n = ::recv(STDIN_FILENO, chunk, sizeof chunk, MSG_DONTWAIT)) > 0)
        buffer.append(chunk, n);
    run::WorkerBatch cancel;
    return run::TakeFrame(buffer, cancel) == run::FrameState::Taken;
}

} // namespace

int RunConversionWorker(int argc, char** argv)
{
    if (argc < 4)
        return 3;
    // A worker never outlives the run: when the parent ends, killed or not,
    // so does the worker, and the library's unnamed output file with it.
    // A parent that ended before this line was reached is no longer the
    // parent.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (QByteArray::number(::getppid()) != QByteArray(argv[1]))
        return 3;
    const QCoreApplication application(argc, argv);
    QList<QByteArray> rest;
    for (int i = 4; i < argc; ++i)
        rest << QByteArray(argv[i]);
    messages::InstallLanguage(messages::ChooseLanguage(rest, QLocale::system().uiLanguages()));
    options::LoadOptions();
    archiver::LoadInstalledLibraries();

    const auto kind = static_cast<tbarc::SfxKind>(QByteArray(argv[2]).toShort());
    const QString folder = QFile::decodeName(argv[3]);
    QByteArray received;
    run::WorkerBatch batch;
    while (ReadBatch(received, batch)) {
        // An empty batch is a stop that came after this worker's answer.
        if (batch.isEmpty())
            continue;
        run::WorkerReports reports;
        for (const run::WorkerJob& job : batch) {
            if (CancelArrived(received))
                break;
            HistoryRecorder history;
            OutputRecorder output;
            run::SfxEngine engine(archiver::InstalledLibraries(), history, output);
            run::RunCreatedFiles created;
            if (job.madeEarlierThisRun)
                created.Add(folder + run::SelfExtractorName(job.archive));
            const run::Outcome outcome = engine.ConvertArchive(job.archive, folder, kind, created);
            reports.push_back({history.lines, output.paths, outcome});
            if (outcome == run::OutcomeStop)
                break;
        }
        if (!run::SendFrame(STDOUT_FILENO, run::Frame(reports)))
            return 3;
    }
    return 0;
}

} // namespace run
