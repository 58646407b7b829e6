#include "run/workerFrames.h"

#include "common/fileMessages.h"
#include "run/runControl.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace run {
namespace {

constexpr qsizetype kLengthSize = 4;
// Far above any real frame (a report is a handful of short lines), so that a
// garbled length is seen as such instead of waited for.
constexpr quint32 kLargestBody = 16u << 20;

QByteArray WithLength(const QByteArray& body)
{
    QByteArray frame(kLengthSize, '\0');
    qToLittleEndian<quint32>(quint32(body.size()), frame.data());
    return frame + body;
}

// Reads the first frame's body with read, which returns false for a body it
// cannot take; the frame leaves the buffer only when it was read.
template <typename Read>
FrameState Take(QByteArray& buffer, Read read)
{
    if (buffer.size() < kLengthSize)
        return FrameState::Incomplete;
    const quint32 length = qFromLittleEndian<quint32>(buffer.constData());
    if (length > kLargestBody)
        return FrameState::Unreadable;
    if (buffer.size() < kLengthSize + qsizetype(length))
        return FrameState::Incomplete;
    QDataStream in(buffer.mid(kLengthSize, length));
    in.setVersion(QDataStream::Qt_6_0);
    if (!read(in) || in.status() != QDataStream::Ok || !in.atEnd())
        return FrameState::Unreadable;
    buffer.remove(0, kLengthSize + length);
    return FrameState::Taken;
}

template <typename Write>
QByteArray Body(Write write)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    write(out);
    return body;
}

// A list as its count, then its items.
template <typename Item, typename WriteItem>
QByteArray ListFrame(const QList<Item>& items, WriteItem writeItem)
{
    return WithLength(Body([&](QDataStream& out) {
        out << quint32(items.size());
        for (const Item& item : items)
            writeItem(out, item);
    }));
}

// Reads the list item by item, so that a count the body cannot hold ends in
// a failed read rather than one large allocation; readItem is false for an
// item it cannot take.
template <typename Item, typename ReadItem>
FrameState TakeListFrame(QByteArray& buffer, QList<Item>& items, ReadItem readItem)
{
    return Take(buffer, [&](QDataStream& in) {
        quint32 count = 0;
        in >> count;
        items.clear();
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            Item item;
            if (!readItem(in, item))
                return false;
            items.push_back(item);
        }
        return true;
    });
}

} // namespace

WorkerOpening OpeningOf(tbarc::SfxKind kind, const QString& outputFolder, const options::Options& options,
                        messages::Language language)
{
    WorkerOpening opening{
        kind, WithTrailingSeparator(outputFolder), QString::fromLatin1(language.Row().code), {}};
    for (const options::Option& option : options::kOptions)
        opening.options.append({QString::fromLatin1(option.key), options::StoredText(options, option)});
    return opening;
}

bool OptionsOf(const WorkerOpening& opening, options::Options& options)
{
    options = options::Defaults();
    for (const options::Option& option : options::kOptions) {
        const auto found =
            std::find_if(opening.options.begin(), opening.options.end(),
                         [&](const auto& pair) { return pair.first == QLatin1String(option.key); });
        if (found == opening.options.end() || !options::SetFromText(options, option, found->second))
            return false;
    }
    return true;
}

QByteArray Frame(const WorkerOpening& opening)
{
    return WithLength(Body([&](QDataStream& out) {
        out << qint16(opening.kind) << opening.outputFolder << opening.language << opening.options;
    }));
}

QByteArray Frame(const WorkerBatch& batch)
{
    return ListFrame(
        batch, [](QDataStream& out, const WorkerJob& job) { out << job.archive << job.madeEarlierThisRun; });
}

QByteArray Frame(const WorkerReports& reports)
{
    return ListFrame(reports, [](QDataStream& out, const WorkerReport& report) {
        out << report.history << report.created << qint16(report.outcome) << qint32(report.libraryCode)
            << report.handedOver.has_value();
        if (const auto& file = report.handedOver)
            out << QByteArray::fromStdString(file->finalPath) << QByteArray::fromStdString(file->scratchPath)
                << file->marked << file->replace;
    });
}

std::vector<int> HandedOverFiles(const WorkerReports& reports)
{
    std::vector<int> files;
    for (const WorkerReport& report : reports) {
        if (report.handedOver)
            files.push_back(report.handedOver->fd);
    }
    return files;
}

bool AttachHandedOverFiles(WorkerReports& reports, std::vector<int> files)
{
    const bool match = files.size() == HandedOverFiles(reports).size();
    std::size_t next = 0;
    for (WorkerReport& report : reports) {
        if (report.handedOver && match)
            report.handedOver->fd = files[next++];
    }
    if (!match) {
        for (const int file : files)
            ::close(file);
    }
    return match;
}

bool SendFrame(int socket, const QByteArray& frame, const std::vector<int>& files)
{
    // The files go with the frame's first bytes; no SIGPIPE from an end that
    // is gone: the false return says it.
    qsizetype sent = 0;
    while (sent < frame.size()) {
        const ssize_t n = tbarc::SendWithFiles(socket, frame.constData() + sent, size_t(frame.size() - sent),
                                               sent == 0 ? files : std::vector<int>{});
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

FrameState TakeFrame(QByteArray& buffer, WorkerOpening& opening)
{
    return Take(buffer, [&](QDataStream& in) {
        qint16 kind = 0;
        in >> kind >> opening.outputFolder >> opening.language >> opening.options;
        opening.kind = tbarc::SfxKind(kind);
        return true;
    });
}

FrameState TakeFrame(QByteArray& buffer, WorkerBatch& batch)
{
    return TakeListFrame(buffer, batch, [](QDataStream& in, WorkerJob& job) {
        in >> job.archive >> job.madeEarlierThisRun;
        return true;
    });
}

FrameState TakeFrame(QByteArray& buffer, WorkerReports& reports)
{
    return TakeListFrame(buffer, reports, [](QDataStream& in, WorkerReport& report) {
        qint16 outcome = 0;
        qint32 code = 0;
        bool handedOver = false;
        in >> report.history >> report.created >> outcome >> code >> handedOver;
        report.outcome = Outcome(outcome);
        report.libraryCode = code;
        if (handedOver) {
            QByteArray finalPath, scratchPath;
            tbarc::HandedOver file;
            in >> finalPath >> scratchPath >> file.marked >> file.replace;
            file.finalPath = finalPath.toStdString();
            file.scratchPath = scratchPath.toStdString();
            report.handedOver = file;
        }
        return outcome == OutcomeDone || outcome == OutcomeFailed || outcome == OutcomeStop;
    });
}

} // namespace run
