#include "run/workerProcesses.h"

#include "common/fileMessages.h"
#include "run/runControl.h"
#include "util/paths.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace run {

WorkerProcesses::WorkerProcesses(int jobs) : jobs_(jobs) {}

WorkerProcesses::~WorkerProcesses()
{
    // An idle worker ends when its socket closes; one still converting (a
    // run left early) is stopped.
    for (Worker& worker : workers_) {
        if (worker.busy)
            End(worker);
        else if (worker.socket >= 0)
            ::close(worker.socket);
    }
    for (Worker& worker : workers_) {
        if (worker.pid > 0)
            while (::waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
            }
    }
}

int WorkerProcesses::Open(int archives, tbarc::SfxKind kind, const QString& outputFolder,
                          const options::Options& options)
{
    program_ = QFile::encodeName(paths::GetSystemDir() + QStringLiteral("/tollbrook2-worker"));
    arguments_ = {"tollbrook2-worker", QByteArray::number(::getpid())};
    opening_ = Frame(OpeningOf(kind, outputFolder, options, messages::ShownLanguage()));
    workers_.resize(size_t(std::min(jobs_, archives)));
    int started = 0;
    for (Worker& worker : workers_)
        started += Launch(worker) ? 1 : 0;
    return started > 0 ? int(workers_.size()) : 0;
}

bool WorkerProcesses::Launch(Worker& worker)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    // Above the standard streams, so that the moves below always copy it.
    const int childEnd = ::fcntl(ends[1], F_DUPFD_CLOEXEC, 3);
    ::close(ends[1]);
    std::vector<char*> argv;
    for (QByteArray& argument : arguments_)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childEnd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, childEnd, STDOUT_FILENO);
    pid_t pid = -1;
    const bool spawned = childEnd >= 0
        && ::posix_spawn(&pid, program_.constData(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (childEnd >= 0)
        ::close(childEnd);
    if (!spawned) {
        ::close(ends[0]);
        return false;
    }
    worker = Worker{pid, ends[0], false, {}, {}};
    // A fresh process, the first or one started again, converts as the run began.
    if (!SendFrame(worker.socket, opening_)) {
        End(worker);
        return false;
    }
    return true;
}

bool WorkerProcesses::Start(int index, const WorkerBatch& batch)
{
    Worker& worker = workers_[size_t(index)];
    const QByteArray frame = Frame(batch);
    // A worker that ended while idle shows it only now: one fresh process
    // gets the batch instead.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (worker.pid < 0 && !Launch(worker))
            return false;
        if (SendFrame(worker.socket, frame)) {
            worker.busy = true;
            return true;
        }
        End(worker);
    }
    return false;
}

void WorkerProcesses::Abandon(int index)
{
    End(workers_[size_t(index)]);
}

void WorkerProcesses::End(Worker& worker)
{
    if (worker.socket >= 0)
        ::close(worker.socket);
    // What an answer never finished brought is no one's.
    for (const int file : worker.receivedFiles) {
        tbarc::HandedOver unclaimed;
        unclaimed.fd = file;
        tbarc::DiscardHandedOver(unclaimed);
    }
    if (worker.pid > 0) {
        ::kill(worker.pid, SIGKILL);
        while (::waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    worker = Worker{};
}

std::optional<WorkerReports> WorkerProcesses::Receive(Worker& worker, bool& lost)
{
    char chunk[16384];
    // The most files one answer brings: one per archive of a batch.
    constexpr std::size_t kMostFiles = 64;
    bool cut = false;
    const ssize_t n =
        tbarc::ReceiveWithFiles(worker.socket, chunk, sizeof chunk, kMostFiles, worker.receivedFiles, cut);
    if (n < 0 && errno == EINTR)
        return std::nullopt;
    if (n <= 0 || cut) {
        lost = true;
        return std::nullopt;
    }
    worker.received.append(chunk, n);
    WorkerReports reports;
    switch (TakeFrame(worker.received, reports)) {
    case FrameState::Taken:
        if (!AttachHandedOverFiles(reports, std::exchange(worker.receivedFiles, {}))) {
            lost = true;
            return std::nullopt;
        }
        return reports;
    case FrameState::Unreadable: lost = true; return std::nullopt;
    case FrameState::Incomplete: return std::nullopt;
    }
    return std::nullopt;
}

IWorkers::Finished WorkerProcesses::WaitForAny()
{
    while (true) {
        // Said once; the run then waits for what the workers have in hand.
        const bool watchInterruption = interruption_ != nullptr && !interruptionSaid_;
        if (watchInterruption && interruption_->Requested()) {
            interruptionSaid_ = true;
            return {-1, std::nullopt, true};
        }
        std::vector<pollfd> watched;
        std::vector<int> owners;
        for (size_t i = 0; i < workers_.size(); ++i) {
            if (workers_[i].busy) {
                watched.push_back({workers_[i].socket, POLLIN, 0});
                owners.push_back(int(i));
            }
        }
        if (watchInterruption && interruption_->Fd() >= 0) {
            watched.push_back({interruption_->Fd(), POLLIN, 0});
            owners.push_back(-1);
        }
        if (::poll(watched.data(), nfds_t(watched.size()), -1) < 0) {
            if (errno == EINTR)
                continue;
            // The sockets cannot be watched: the first worker's archive is
            // given up rather than waited for without end.
            End(workers_[size_t(owners.front())]);
            return {owners.front(), std::nullopt};
        }
        for (size_t i = 0; i < watched.size(); ++i) {
            if (watched[i].revents == 0 || owners[i] < 0)
                continue;
            Worker& worker = workers_[size_t(owners[i])];
            bool lost = false;
            std::optional<WorkerReports> reports = Receive(worker, lost);
            if (lost) {
                End(worker);
                return {owners[i], std::nullopt};
            }
            if (reports) {
                worker.busy = false;
                return {owners[i], std::move(reports)};
            }
        }
    }
}

} // namespace run
