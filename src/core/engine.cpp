#include "core/engine.h"

#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/basAll.h"
#include "util/resTollbrook.h"

#include <QFile>

#include <cstdio>
#include <stdexcept>

#include <sys/stat.h>

namespace core {
namespace {

constexpr int MsgLzhMaking = 20000;
constexpr int MsgCabMaking = 20004;
constexpr int MsgLzhChecking = 20010;
constexpr int MsgCabChecking = 20014;
constexpr int MsgNotUpperCased = 20030;
constexpr int MsgCreated = 20031;
constexpr int MsgFailed = 20032;
constexpr int MsgUnexpected = 20033;
constexpr int MsgSkippedBefore = 20040;
constexpr int MsgSkippedAfter = 20041;
constexpr int MsgDiskFull = 20042;
constexpr int MsgNotWritable = 20043;
constexpr int MsgCancelled = 20044;
constexpr int MsgNotTarget = 20045;
constexpr int MsgUnlhaBusy = 20100;
constexpr int MsgCabBusy = 20104;

constexpr int CodeDiskFull = 0x8005;
constexpr int CodeNotWritable = 0x8006;
constexpr int CodeCancelled = 0x8020;

QString LzhOptions(int kind)
{
    QString options;
    switch (kind) {
    case SfxDos: options = basTollbrook::Lzh_OptDos; break;
    case SfxWin16: options = basTollbrook::Lzh_OptWin16; break;
    case SfxWin32: options = basTollbrook::Lzh_OptWin32; break;
    default: break;
    }
    return options + (basTollbrook::Nozoku ? QStringLiteral(" -gu0") : QStringLiteral(" -gu1"));
}

// A library whose flag is set is always loaded; anything else is a fault
// that ends the run.
archiver::IArchiverLibrary& Loaded(const std::shared_ptr<archiver::IArchiverLibrary>& library)
{
    if (!library)
        throw std::logic_error("archiver library flagged available but not loaded");
    return *library;
}

// Whether path names a regular file (symbolic links followed).
bool IsFile(const QString& path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// Renames "from" to "to". On a case-insensitive system the library would have
// written over an older upper-case file of the same name; here the fresh file
// takes its place the same way.
bool RenameReplacing(const QString& from, const QString& to)
{
    if (from == to)
        return true;
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

QString LibraryCommandLine(const QString& options, const QString& path, const QString& outputFolder)
{
    return options + QStringLiteral(" \"") + path + QStringLiteral("\" \"") + outputFolder
        + QStringLiteral("\"");
}

SfxEngine::SfxEngine(const archiver::Libraries& libraries, IHistory& history, IOutputList& output)
    : libraries_(libraries), history_(history), output_(output)
{
}

void SfxEngine::History(int messageId)
{
    history_.ListInAdd(resTollbrook::GetText(messageId));
}

short SfxEngine::MakeSfxFile(const QString& path, const QString& outputFolder, int kind)
{
    try {
        const QString lzhOptions = LzhOptions(kind);
        history_.ListInAdd(QStringLiteral("[ ") + basAll::ShortenPath(path) + QStringLiteral(" ]"));
        const QString extension = basAll::UpperCaseName(basAll::GetExtension(path, false, false));

        const bool lzh = basTollbrook::Lzh && libraries_.UnlhaAvailable;
        const bool cab = basTollbrook::Cab && libraries_.CabAvailable;
        int code = CodeNotAttempted;
        if (extension == u".LZH") {
            if (lzh)
                code = ConvertLzh(path, outputFolder, lzhOptions);
        } else if (extension == u".LHA") {
            if (lzh && basTollbrook::Lzh_Lha)
                code = ConvertLzh(path, outputFolder, lzhOptions);
        } else if (extension == u".CAB") {
            if (cab)
                code = ConvertCab(path, outputFolder);
        } else if (extension == u".EXE") {
            bool lzhStarted = false;
            if (lzh && basTollbrook::Lzh_Exe) {
                History(MsgLzhChecking);
                if (Loaded(libraries_.Unlha).CheckArchive(path, 1) == 1) {
                    lzhStarted = true;
                    code = ConvertLzh(path, outputFolder, lzhOptions);
                }
            }
            if (!lzhStarted && cab && basTollbrook::Cab_Exe) {
                History(MsgCabChecking);
                if (Loaded(libraries_.Cab).CheckArchive(path, 1) == 1)
                    code = ConvertCab(path, outputFolder);
            }
        } else if (extension == u".X") {
            if (lzh && basTollbrook::Lzh_X) {
                History(MsgLzhChecking);
                if (Loaded(libraries_.Unlha).CheckArchive(path, 1) == 1)
                    code = ConvertLzh(path, outputFolder, lzhOptions);
            }
        }

        const short outcome = CheckResultCode(code);
        if (outcome != OutcomeDone) {
            History(MsgFailed);
            return outcome;
        }
        return ReportCreatedFile(path, outputFolder);
    } catch (const std::exception&) {
        History(MsgUnexpected);
        return OutcomeStop;
    }
}

short SfxEngine::ReportCreatedFile(const QString& path, const QString& outputFolder)
{
    const QString fileName = basAll::GetBaseName(path, false, false) + QStringLiteral(".EXE");
    const QString expected = outputFolder + fileName;
    if (!IsFile(expected)) {
        History(MsgFailed);
        return OutcomeFailed;
    }
    if (!basTollbrook::UCase) {
        History(MsgCreated);
        output_.ListInAdd(expected);
        return OutcomeDone;
    }
    // Only the file name is upper-cased: the folder keeps its spelling.
    const QString upper = outputFolder + basAll::UpperCaseName(fileName);
    if (!RenameReplacing(expected, upper)) {
        History(MsgNotUpperCased);
        output_.ListInAdd(expected);
        return OutcomeDone;
    }
    History(MsgCreated);
    output_.ListInAdd(upper);
    return OutcomeDone;
}

int SfxEngine::ConvertLzh(const QString& path, const QString& outputFolder, const QString& options)
{
    History(MsgLzhMaking);
    return Convert(Loaded(libraries_.Unlha), MsgUnlhaBusy, LibraryCommandLine(options, path, outputFolder));
}

int SfxEngine::ConvertCab(const QString& path, const QString& outputFolder)
{
    History(MsgCabMaking);
    return Convert(Loaded(libraries_.Cab), MsgCabBusy,
                   LibraryCommandLine(basTollbrook::Cab_Opt, path, outputFolder));
}

int SfxEngine::Convert(archiver::IArchiverLibrary& library, int busyMessage, const QString& commandLine)
{
    if (library.GetRunning()) {
        platform::services().dialogs->MessageBox(resTollbrook::GetText(busyMessage),
                                                 platform::MessageButtons::Ok);
        return CodeBusy;
    }
    return library.Run(commandLine);
}

short SfxEngine::CheckResultCode(int code)
{
    if (code == 0)
        return OutcomeDone;
    if (code >= 1 && code <= 32767) {
        history_.ListInAdd(resTollbrook::GetText(MsgSkippedBefore) + u' ' + QString::number(code)
                           + resTollbrook::GetText(MsgSkippedAfter));
        return OutcomeDone;
    }
    switch (code) {
    case CodeNotAttempted: History(MsgNotTarget); return OutcomeFailed;
    case CodeDiskFull: History(MsgDiskFull); return OutcomeStop;
    case CodeNotWritable: History(MsgNotWritable); return OutcomeStop;
    case CodeCancelled: History(MsgCancelled); return OutcomeStop;
    default: return OutcomeFailed;
    }
}

} // namespace core
