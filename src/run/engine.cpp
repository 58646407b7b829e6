#include "run/engine.h"

#include "common/outputName.h"
#include "common/resultCodes.h"
#include "core/archiveTypes.h"
#include "core/options.h"
#include "run/upperCaseRename.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/paths.h"
#include "util/programMessages.h"

#include <QFile>

#include <optional>
#include <exception>

#include <sys/stat.h>

namespace run {
namespace {

using messages::ProgramMessage;

// The options the kind's library is called with for a self-extractor kind.
QString LibraryOptions(const archiver::ArchiveKind& archiveKind, tbarc::SfxKind kind)
{
    const options::Options& current = options::Current();
    // A stored number that is no kind gets no option string of its own.
    const auto index = static_cast<std::size_t>(kind);
    QString libraryOptions = index < archiveKind.libraryOptions.size()
        ? options::TextOption(current, archiveKind.libraryOptions[index])
        : QString();
    if (archiveKind.takesForeignNamesSwitch)
        libraryOptions += current.leaveOutForeignNames ? QStringLiteral(" -gu0") : QStringLiteral(" -gu1");
    return libraryOptions;
}

// Which file a path names right now: none, or the one with this identity.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
    bool regular = false;

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && changed.tv_sec == other.changed.tv_sec
            && changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::optional<FileIdentity> IdentityOf(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_ctim, S_ISREG(status.st_mode)};
}

// Whether path is a file written since `before` was taken: the libraries
// always move a new file into place, so one that was there before and is
// still the same is someone else's.
bool WrittenSince(const QString& path, const std::optional<FileIdentity>& before)
{
    const std::optional<FileIdentity> after = IdentityOf(path);
    return after && after->regular && !(before && *before == *after);
}

} // namespace

QString SelfExtractorName(const QString& path)
{
    return QString::fromUtf8(tbarc::SelfExtractorName(path.toUtf8().toStdString()));
}

QString ArchiveHeading(const QString& path)
{
    return QStringLiteral("[ ") + paths::ShortenPath(path) + QStringLiteral(" ]");
}

QString LibraryCommandLine(const QString& options, const QString& path, const QString& outputFolder)
{
    return options + QStringLiteral(" \"") + path + QStringLiteral("\" \"") + outputFolder
        + QStringLiteral("\"");
}

SfxEngine::SfxEngine(const archiver::Libraries& libraries, IHistory& history, IOutputList& output)
    : libraries_(libraries), history_(history), output_(output)
{}

void SfxEngine::History(ProgramMessage message)
{
    history_.Add(messages::Text(message));
}

Outcome SfxEngine::ConvertArchive(const QString& path, const QString& outputFolder, tbarc::SfxKind kind,
                                  RunCreatedFiles& created)
{
    return Convert(path, outputFolder, kind, created, nullptr, nullptr);
}

Outcome SfxEngine::ConvertArchive(const QString& path, const QString& outputFolder, tbarc::SfxKind kind,
                                  RunCreatedFiles& created, const HandOverSockets& sockets,
                                  std::optional<tbarc::HandedOver>& handed)
{
    return Convert(path, outputFolder, kind, created, &sockets, &handed);
}

Outcome SfxEngine::Convert(const QString& path, const QString& outputFolder, tbarc::SfxKind kind,
                           RunCreatedFiles& created, const HandOverSockets* sockets,
                           std::optional<tbarc::HandedOver>* handed)
{
    lastCode_ = CodeNotAttempted;
    try {
        history_.Add(ArchiveHeading(path));
        const QString expected = outputFolder + SelfExtractorName(path);
        // A file handed over is placed elsewhere, which knows whether it is new.
        const std::optional<FileIdentity> before = sockets == nullptr ? IdentityOf(expected) : std::nullopt;

        int code = CodeNotAttempted;
        if (const std::optional<archiver::KindIndex> archiveKind = ChooseKind(path)) {
            const archiver::ArchiveKind& row = archiver::kArchiveKinds[*archiveKind];
            History(row.making);
            if (created.Contains(expected)) {
                // Refused before the library is asked, so nothing is written.
                History(ProgramMessage::MadeEarlierThisRun);
                History(ProgramMessage::Failed);
                return OutcomeFailed;
            }
            QString libraryOptions = LibraryOptions(row, kind);
            if (sockets != nullptr) {
                libraryOptions += QStringLiteral(" -gk") + QString::number(sockets->library);
            }
            code = CallLibrary(*libraries_.Of(*archiveKind), row.busy,
                               LibraryCommandLine(libraryOptions, path, outputFolder));
        }
        lastCode_ = code;

        const Outcome outcome = JudgeResultCode(code);
        if (outcome != OutcomeDone) {
            History(ProgramMessage::Failed);
            return outcome;
        }
        if (sockets != nullptr) {
            // The library sent the file before it returned.
            tbarc::HandedOver file;
            if (!tbarc::ReceiveHandedOver(sockets->receiving, file)) {
                History(ProgramMessage::Failed);
                return OutcomeFailed;
            }
            *handed = std::move(file);
            return OutcomeDone;
        }
        const Outcome reported = ReportCreatedFile(expected, WrittenSince(expected, before));
        // Whether the file keeps this name or gets its upper-case form, both
        // fold to the same.
        if (reported == OutcomeDone)
            created.Add(expected);
        return reported;
    } catch (const std::exception&) {
        // A call can fail around the library itself (the worker thread of
        // the desk's calls cannot start, memory runs out): the run stops
        // with the line that says so.
        History(ProgramMessage::Unexpected);
        return OutcomeStop;
    }
}

Outcome SfxEngine::PlaceHandedOver(tbarc::HandedOver& file, const QString& expected)
{
    const int code = tbarc::PlaceHandedOver(file);
    if (code != tbarc::kDone) {
        // What stands in the way now fails the file as the library would
        // have: a file that appeared meanwhile, a folder no longer writable.
        const Outcome outcome = JudgeResultCode(code);
        History(ProgramMessage::Failed);
        return outcome == OutcomeDone ? OutcomeFailed : outcome;
    }
    return ReportCreatedFile(expected, true);
}

std::optional<archiver::KindIndex> SfxEngine::ChooseKind(const QString& path)
{
    const ArchiveTypes types = ArchiveTypes::From(options::Current(), libraries_);
    for (const ArchiveTypes::Candidate& candidate : types.CandidatesFor(path)) {
        if (!candidate.checked)
            return candidate.kind;
        History(archiver::kArchiveKinds[candidate.kind].checking);
        if (libraries_.Of(candidate.kind)->CheckArchive(path, 1) == 1)
            return candidate.kind;
    }
    return std::nullopt;
}

Outcome SfxEngine::ReportCreatedFile(const QString& expected, bool written)
{
    if (!written) {
        History(ProgramMessage::Failed);
        return OutcomeFailed;
    }
    if (!options::Current().upperCaseNames) {
        History(ProgramMessage::Created);
        output_.Add(expected);
        return OutcomeDone;
    }
    // Only the file name is upper-cased: the folder keeps its spelling.
    const qsizetype slash = expected.lastIndexOf(u'/') + 1;
    const QString folder = expected.left(slash);
    const QString upperName = paths::UpperCaseName(expected.mid(slash));
    if (!RenameToUpperCase(folder, expected.mid(slash), upperName)) {
        History(ProgramMessage::CreatedNotUpperCased);
        output_.Add(expected);
        return OutcomeDone;
    }
    History(ProgramMessage::Created);
    output_.Add(folder + upperName);
    return OutcomeDone;
}

int SfxEngine::CallLibrary(archiver::IArchiverLibrary& library, ProgramMessage busyMessage,
                           const QString& commandLine)
{
    if (library.GetRunning()) {
        platform::services().dialogs->MessageBox(messages::Text(busyMessage), platform::MessageButtons::Ok);
        return tbarc::kBusy;
    }
    return library.Run(commandLine);
}

Outcome SfxEngine::JudgeResultCode(int code)
{
    if (code == tbarc::kDone)
        return OutcomeDone;
    if (code >= 1 && code <= tbarc::kMaxLeftOutCount) {
        history_.Add(messages::Text(ProgramMessage::SkippedBefore) + u' ' + QString::number(code)
                     + messages::Text(ProgramMessage::SkippedAfter));
        return OutcomeDone;
    }
    switch (code) {
    case CodeNotAttempted: History(ProgramMessage::NotTarget); return OutcomeFailed;
    case tbarc::kDiskFull: History(ProgramMessage::DiskFull); return OutcomeStop;
    case tbarc::kFolderNotWritable: History(ProgramMessage::NotWritable); return OutcomeStop;
    case tbarc::kCancelled: History(ProgramMessage::Cancelled); return OutcomeStop;
    case tbarc::kDamagedData: History(ProgramMessage::DamagedArchive); return OutcomeFailed;
    case tbarc::kUnsupportedMethod: History(ProgramMessage::UnsupportedMethod); return OutcomeFailed;
    default: return OutcomeFailed;
    }
}

} // namespace run
