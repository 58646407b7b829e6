#pragma once

#include "core/options.h"
#include "run/engine.h"
#include "util/languages.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace run {

// What a run tells each worker before its first batch: how it converts, as
// the run began. A worker reads no settings of its own, so options stored
// while the run goes on, or a worker started again in its middle, change
// nothing.
struct WorkerOpening {
    tbarc::SfxKind kind = tbarc::SfxKind::Win32;
    QString outputFolder; // ends with the separator
    QString language;     // a code of the language table
    // Every option by its settings key, in its stored text form.
    QList<QPair<QString, QString>> options;
};

// The opening of a run with these options.
WorkerOpening OpeningOf(tbarc::SfxKind kind, const QString& outputFolder, const options::Options& options,
                        messages::Language language);
// The options an opening carries; false when one is missing or not valid
// (a worker then converts nothing).
bool OptionsOf(const WorkerOpening& opening, options::Options& options);

// One archive handed to a worker process. Archives whose self-extractors
// share a name never run side by side, so the parent knows whether an
// earlier one of them made the file and tells the worker.
struct WorkerJob {
    QString archive;
    bool madeEarlierThisRun = false;
};

// What a worker's engine said about one archive: the history lines and the
// output list entries in the order it added them, and the outcome; the
// library's return code; and the self-extractor its library made, handed
// over unplaced for the run to place when the archive's turn comes (its
// open file travels beside the frame, see SendFrame).
struct WorkerReport {
    QStringList history;
    QStringList created;
    Outcome outcome = OutcomeFailed;
    int libraryCode = CodeNotAttempted;
    std::optional<tbarc::HandedOver> handedOver;
};

// A worker takes archives a batch at a time, and answers a batch with one
// frame: each wake-up of the other process costs more than a small archive
// takes to convert. The answer holds the reports of the archives it
// started, in the batch's order; it starts no more after an outcome -1.
using WorkerBatch = QList<WorkerJob>;
using WorkerReports = QList<WorkerReport>;

// Batches and answers travel between the processes as frames: the length of
// the body (four bytes, little-endian), then the body.
QByteArray Frame(const WorkerOpening& opening);
QByteArray Frame(const WorkerBatch& batch);
QByteArray Frame(const WorkerReports& reports);

enum class FrameState {
    Incomplete, // the buffer does not hold a whole frame yet
    Taken,      // the first frame was read and removed from the buffer
    Unreadable, // the buffer starts with something that is no such frame
};

// Sends the whole frame on a socket, with the open files given (which stay
// the sender's to close); false when the other end is gone.
bool SendFrame(int socket, const QByteArray& frame, const std::vector<int>& files = {});
// The open files the reports' hand-overs carry, in order.
std::vector<int> HandedOverFiles(const WorkerReports& reports);
// Gives the reports' hand-overs the files received with their frame, in
// order; false (and every file closed) when they do not match.
bool AttachHandedOverFiles(WorkerReports& reports, std::vector<int> files);

// Reads the frame at the front of buffer into the value.
FrameState TakeFrame(QByteArray& buffer, WorkerOpening& opening);
FrameState TakeFrame(QByteArray& buffer, WorkerBatch& batch);
FrameState TakeFrame(QByteArray& buffer, WorkerReports& reports);

} // namespace run
