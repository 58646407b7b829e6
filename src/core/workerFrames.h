#pragma once

#include "core/engine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace core {

// One archive handed to a worker process. Archives whose self-extractors
// share a name never run side by side, so the parent knows whether an
// earlier one of them made the file and tells the worker.
struct WorkerJob {
    QString archive;
    bool madeEarlierThisRun = false;
};

// What a worker's engine said about one archive: the history lines and the
// output list entries in the order it added them, and the outcome.
struct WorkerReport {
    QStringList history;
    QStringList created;
    Outcome outcome = OutcomeFailed;
};

// Jobs and reports travel between the processes as frames: the length of
// the body (four bytes, little-endian), then the body.
QByteArray Frame(const WorkerJob& job);
QByteArray Frame(const WorkerReport& report);

enum class FrameState {
    Incomplete, // the buffer does not hold a whole frame yet
    Taken,      // the first frame was read and removed from the buffer
    Unreadable, // the buffer starts with something that is no such frame
};

// Sends the whole frame on a socket; false when the other end is gone.
bool SendFrame(int socket, const QByteArray& frame);

// Reads the frame at the front of buffer into the value.
FrameState TakeFrame(QByteArray& buffer, WorkerJob& job);
FrameState TakeFrame(QByteArray& buffer, WorkerReport& report);

} // namespace core
