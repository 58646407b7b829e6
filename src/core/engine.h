#pragma once

#include "archiver/archiver.h"
#include "core/runLists.h"

#include <QString>

namespace core {

// Self-extractor kinds: the index of the Execute button, or the option AutoExe.
enum SfxKind : short { SfxDos = 0, SfxWin16 = 1, SfxWin32 = 2 };

// What MakeSfxFile tells the run loop.
enum Outcome : short {
    OutcomeDone = 0,       // the file leaves the work list
    OutcomeFailed = 1,     // the file stays, the run goes on
    OutcomeStop = -1,      // the run must stop now
};

// Return codes the engine sets itself.
inline constexpr int CodeNotAttempted = -1;
inline constexpr int CodeBusy = 0x801F;

// Turns one archive into a self-extracting executable through the archiver
// libraries, reporting every step to the history and every created file to
// the output list. The options are the process-wide ones of basTollbrook.
class SfxEngine {
public:
    SfxEngine(const archiver::Libraries& libraries, IHistory& history, IOutputList& output);

    // outputFolder ends with the separator; kind is an SfxKind.
    short MakeSfxFile(const QString& path, const QString& outputFolder, int kind);

    // Judges a library return code, adding its history line when it has one.
    short CheckResultCode(int code);

private:
    int ConvertLzh(const QString& path, const QString& outputFolder, const QString& options);
    int ConvertCab(const QString& path, const QString& outputFolder);
    int Convert(archiver::IArchiverLibrary& library, int busyMessage, const QString& commandLine);
    short ReportCreatedFile(const QString& path, const QString& outputFolder);
    void History(int messageId);

    const archiver::Libraries& libraries_;
    IHistory& history_;
    IOutputList& output_;
};

// "<options> "<archive>" "<folder>"" as the libraries take it.
QString LibraryCommandLine(const QString& options, const QString& path, const QString& outputFolder);

} // namespace core
