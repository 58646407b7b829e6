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

#include <fcntl.h>
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
    // Ctrl+C reaches every process of the terminal's group: the run decides
    // what becomes of a worker's archive. SIGTERM ends it as usual.
    ::signal(SIGINT, SIG_IGN);
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SIGINT);
    sigaddset(&both, SIGTERM);
    ::sigprocmask(SIG_UNBLOCK, &both, nullptr);
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
    // The libraries hand each self-extractor over on one end; the run places
    // it when the archive's turn comes.
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0
        || ::fcntl(ends[1], F_SETFL, O_NONBLOCK) != 0)
        return 3;
    const HandOverSockets sockets{ends[0], ends[1]};
    WorkerBatch batch;
    while (ReadFrame(received, batch)) {
        WorkerReports reports;
        for (const WorkerJob& job : batch) {
            HistoryRecorder history;
            OutputRecorder output;
            SfxEngine engine(archiver::InstalledLibraries(), history, output);
            RunCreatedFiles created;
            if (job.madeEarlierThisRun)
                created.Add(folder + SelfExtractorName(job.archive));
            std::optional<tbarc::HandedOver> handed;
            const Outcome outcome =
                engine.ConvertArchive(job.archive, folder, kind, created, sockets, handed);
            reports.push_back({history.lines, output.paths, outcome, engine.LastLibraryCode(), handed});
            if (outcome == OutcomeStop)
                break;
        }
        const std::vector<int> files = HandedOverFiles(reports);
        const bool sent = SendFrame(STDOUT_FILENO, Frame(reports), files);
        // The run holds them now (or, gone, needs them no more).
        for (const int file : files)
            ::close(file);
        if (!sent)
            return 3;
    }
    return 0;
}

} // namespace run
