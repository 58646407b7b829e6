#pragma once

#include "run/stopRequest.h"
#include "run/workerRun.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

#include <sys/types.h>

namespace run {

// The worker processes of an automatic run: tollbrook2-worker from the
// system folder (conversionWorker.h), one socket each for its batches and
// answers. A worker that ends or says something unreadable is killed
// and reaped, and its place takes a fresh process at its next job. The
// workers end with the object, and with the program if it is killed.
class WorkerProcesses final : public IWorkers {
public:
    // jobs: the most workers at once. They speak the language shown.
    explicit WorkerProcesses(int jobs);
    ~WorkerProcesses() override;
    WorkerProcesses(const WorkerProcesses&) = delete;
    WorkerProcesses& operator=(const WorkerProcesses&) = delete;

    int Open(int archives, tbarc::SfxKind kind, const QString& outputFolder,
             const options::Options& options) override;
    bool Start(int worker, const WorkerBatch& batch) override;
    void Abandon(int worker) override;
    Finished WaitForAny() override;

    void WatchStopRequest(IStopRequest& request) override { interruption_ = &request; }

private:
    struct Worker {
        pid_t pid = -1;
        int socket = -1;
        bool busy = false;
        QByteArray received;
        std::vector<int> receivedFiles; // came with the answer being received
    };

    bool Launch(Worker& worker);
    // Kills the process (when it has not ended) and reaps it.
    void End(Worker& worker);
    // Reads what the worker sent; its answer when it is whole, nothing while
    // it is not. lost: the worker ended or sent something unreadable.
    std::optional<WorkerReports> Receive(Worker& worker, bool& lost);

    const int jobs_;
    // The worker's program and command line, and the run's opening every
    // worker gets first, made by Open.
    QByteArray program_;
    QList<QByteArray> arguments_;
    QByteArray opening_;
    IStopRequest* interruption_ = nullptr;
    bool interruptionSaid_ = false;
    std::vector<Worker> workers_;
};

} // namespace run
