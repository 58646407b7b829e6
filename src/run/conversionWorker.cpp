#include "run/conversionWorker.h"

#include "util/languageChoice.h"
#include "archiver/archiver.h"
#include "run/engine.h"
#include "core/options.h"
#include "run/runCreatedFiles.h"
#include "run/runLists.h"
#include "run/workerFrames.h"

#include <QCoreApplication>

#include <cerrno>

#include <signal.h>
#include <sys/socket.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace run {
namespace {

class HistoryRecorder final : public IHistory {
public:
    void Add(const QString& line) override { lines << line; }
    void Clear() override { lines.clear(); }
    void CopyToClipboard() override {}
    QStringList lines;
};

class OutputRecorder final : public IOutputList {
public:
    void Add(const QString& path) override { paths << path; }
    QStringList paths;
};

// Reads until the buffer holds a whole frame of the value's kind; false at
// the end of the input or on anything that is no such frame.
template <typename Value>
bool ReadFrame(QByteArray& buffer, Value& value)
{
    char chunk[4096];
    while (true) {
        switch (TakeFrame(buffer, value)) {
        case FrameState::Taken: return true;
        case FrameState::Unreadable: return false;
        case FrameState::Incomplete: break;
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
    WorkerBatch cancel;
    return TakeFrame(buffer, cancel) == FrameState::Taken;
}

} // namespace

int RunConversionWorker(int argc, char** argv)
{
    if (argc < 2)
        return 3;
    // A worker never outlives the run: when the parent ends, killed or not,
    // so does the worker, and the library's unnamed output file with it.
    // A parent that ended before this line was reached is no longer the
    // parent.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (QByteArray::number(::getppid()) != QByteArray(argv[1]))
        return 3;
    const QCoreApplication application(argc, argv);
    // How to convert comes from the run, before any batch.
    QByteArray received;
    WorkerOpening opening;
    if (!ReadFrame(received, opening) || !OptionsOf(opening, options::Current()))
        return 3;
    messages::InstallLanguage(
        messages::Language::ByCode(opening.language).value_or(messages::Language::Japanese));
    archiver::LoadInstalledLibraries();

    const tbarc::SfxKind kind = opening.kind;
    const QString& folder = opening.outputFolder;
    WorkerBatch batch;
    while (ReadFrame(received, batch)) {
        // An empty batch is a stop that came after this worker's answer.
        if (batch.isEmpty())
            continue;
        WorkerReports reports;
        for (const WorkerJob& job : batch) {
            if (CancelArrived(received))
                break;
            HistoryRecorder history;
            OutputRecorder output;
            SfxEngine engine(archiver::InstalledLibraries(), history, output);
            RunCreatedFiles created;
            if (job.madeEarlierThisRun)
                created.Add(folder + SelfExtractorName(job.archive));
            const Outcome outcome = engine.ConvertArchive(job.archive, folder, kind, created);
            reports.push_back({history.lines, output.paths, outcome});
            if (outcome == OutcomeStop)
                break;
        }
        if (!SendFrame(STDOUT_FILENO, Frame(reports)))
            return 3;
    }
    return 0;
}

} // namespace run
