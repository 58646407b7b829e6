#include "core/engine.h"

#include "common/outputName.h"
#include "common/resultCodes.h"
#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/paths.h"
#include "util/programMessages.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <exception>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {
namespace {

using messages::ProgramMessage;

QString LzhOptions(tbarc::SfxKind kind)
{
    const options::Options& current = options::Current();
    // A stored number that is no kind gets no option string of its own.
    QString kindOptions;
    switch (kind) {
    case tbarc::SfxKind::Dos: kindOptions = current.lzhDosOptions; break;
    case tbarc::SfxKind::Win16: kindOptions = current.lzhWin16Options; break;
    case tbarc::SfxKind::Win32: kindOptions = current.lzhWin32Options; break;
    }
    return kindOptions + (current.leaveOutForeignNames ? QStringLiteral(" -gu0") : QStringLiteral(" -gu1"));
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

// The name the libraries give the self-extractor of the archive at path: the
// same rule, applied to the same bytes they are given.
QString SelfExtractorName(const QString& path)
{
    return QString::fromUtf8(tbarc::SelfExtractorName(path.toUtf8().toStdString()));
}

// Renames "from" to "to" without ever replacing another file: a file the
// user keeps under the upper-case name stays, and the new one keeps its name.
// On a file system that ignores case, "to" is "from" itself and the rename
// only changes the spelling.
bool RenameKeepingOthers(const QString& from, const QString& to)
{
    if (from == to)
        return true;
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST) {
        const std::optional<FileIdentity> a = IdentityOf(from);
        const std::optional<FileIdentity> b = IdentityOf(to);
        return a && b && *a == *b && std::rename(source.constData(), target.constData()) == 0;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: a hard link is never made over
    // an existing name.
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    ::unlink(source.constData());
    return true;
}

} // namespace

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

Outcome SfxEngine::ConvertArchive(const QString& path, const QString& outputFolder, tbarc::SfxKind kind)
{
    try {
        const QString lzhOptions = LzhOptions(kind);
        history_.Add(QStringLiteral("[ ") + paths::ShortenPath(path) + QStringLiteral(" ]"));
        const QString expected = outputFolder + SelfExtractorName(path);
        const std::optional<FileIdentity> before = IdentityOf(expected);
        const QString extension = paths::UpperCaseName(paths::GetExtension(path, false, false));

        const options::Options& current = options::Current();
        const bool lzh = current.convertLzh && libraries_.unlha;
        const bool cab = current.convertCab && libraries_.cab;
        int code = CodeNotAttempted;
        if (extension == u".LZH") {
            if (lzh)
                code = ConvertLzh(path, outputFolder, lzhOptions);
        } else if (extension == u".LHA") {
            if (lzh && current.convertLzhLha)
                code = ConvertLzh(path, outputFolder, lzhOptions);
        } else if (extension == u".CAB") {
            if (cab)
                code = ConvertCab(path, outputFolder);
        } else if (extension == u".EXE") {
            bool lzhStarted = false;
            if (lzh && current.convertLzhExe) {
                History(ProgramMessage::LzhChecking);
                if (libraries_.unlha->CheckArchive(path, 1) == 1) {
                    lzhStarted = true;
                    code = ConvertLzh(path, outputFolder, lzhOptions);
                }
            }
            if (!lzhStarted && cab && current.convertCabExe) {
                History(ProgramMessage::CabChecking);
                if (libraries_.cab->CheckArchive(path, 1) == 1)
                    code = ConvertCab(path, outputFolder);
            }
        } else if (extension == u".X") {
            if (lzh && current.convertLzhX) {
                History(ProgramMessage::LzhChecking);
                if (libraries_.unlha->CheckArchive(path, 1) == 1)
                    code = ConvertLzh(path, outputFolder, lzhOptions);
            }
        }

        const Outcome outcome = JudgeResultCode(code);
        if (outcome != OutcomeDone) {
            History(ProgramMessage::Failed);
            return outcome;
        }
        return ReportCreatedFile(expected, WrittenSince(expected, before));
    } catch (const std::exception&) {
        // A call can fail around the library itself (the worker thread of
        // the desk's calls cannot start, memory runs out): the run stops
        // with the line that says so.
        History(ProgramMessage::Unexpected);
        return OutcomeStop;
    }
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
    const QString upper = expected.left(slash) + paths::UpperCaseName(expected.mid(slash));
    if (!RenameKeepingOthers(expected, upper)) {
        History(ProgramMessage::CreatedNotUpperCased);
        output_.Add(expected);
        return OutcomeDone;
    }
    History(ProgramMessage::Created);
    output_.Add(upper);
    return OutcomeDone;
}

int SfxEngine::ConvertLzh(const QString& path, const QString& outputFolder, const QString& options)
{
    History(ProgramMessage::LzhMaking);
    return CallLibrary(*libraries_.unlha, ProgramMessage::UnlhaBusy,
                       LibraryCommandLine(options, path, outputFolder));
}

int SfxEngine::ConvertCab(const QString& path, const QString& outputFolder)
{
    History(ProgramMessage::CabMaking);
    return CallLibrary(*libraries_.cab, ProgramMessage::CabBusy,
                       LibraryCommandLine(options::Current().cabOptions, path, outputFolder));
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

} // namespace core
