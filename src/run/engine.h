#pragma once

#include "archiver/archiver.h"
#include "common/handOver.h"
#include "common/sfxKind.h"
#include "run/runCreatedFiles.h"
#include "run/runLists.h"
#include "util/programMessages.h"

#include <QString>

#include <optional>

namespace run {

// What ConvertArchive tells the run loop.
enum Outcome : short {
    OutcomeDone = 0,   // the file leaves the work list
    OutcomeFailed = 1, // the file stays, the run goes on
    OutcomeStop = -1,  // the run must stop now
};

// The code of an archive no library was asked to convert; every other code
// is a library's own (archivers/common/resultCodes.h).
inline constexpr int CodeNotAttempted = -1;

// Where a worker's library hands over the self-extractors it makes, for the
// run to place them in list order (common/handOver.h): the socket the
// library sends on, and this process's end of it (not blocking).
struct HandOverSockets {
    int library = -1;
    int receiving = -1;
};

// Turns one archive into a self-extracting executable through the archiver
// libraries, reporting every step to the history and every created file to
// the output list. The options are those of options::Current().
class SfxEngine {
public:
    SfxEngine(const archiver::Libraries& libraries, IHistory& history, IOutputList& output);

    // outputFolder ends with the separator. created holds what the run made
    // so far; a file made now is added to it.
    Outcome ConvertArchive(const QString& path, const QString& outputFolder, tbarc::SfxKind kind,
                           RunCreatedFiles& created);
    // The same, but a self-extractor the library makes is handed over
    // unplaced into `handed` (the outcome is then done, and the lines stop
    // before the one that reports the file); PlaceHandedOver finishes it.
    Outcome ConvertArchive(const QString& path, const QString& outputFolder, tbarc::SfxKind kind,
                           RunCreatedFiles& created, const HandOverSockets& sockets,
                           std::optional<tbarc::HandedOver>& handed);
    // Places a self-extractor handed over for the archive whose output is
    // expected, and reports it, or its failure, as ConvertArchive would have.
    Outcome PlaceHandedOver(tbarc::HandedOver& file, const QString& expected);

    // The library's return code for the last archive (CodeNotAttempted when
    // no library was called).
    int LastLibraryCode() const { return lastCode_; }

    // Judges a library return code, adding its history line when it has one.
    Outcome JudgeResultCode(int code);

    // Where the files this engine makes are listed.
    IOutputList& OutputList() const { return output_; }

private:
    // Which kind's library converts the archive at path, after the checks
    // its extension and the options ask for; nothing when none does.
    std::optional<archiver::KindIndex> ChooseKind(const QString& path);
    int CallLibrary(archiver::IArchiverLibrary& library, messages::ProgramMessage busyMessage,
                    const QString& commandLine);
    // Reports the file the library made at expected; written: the file there
    // is a new one.
    Outcome ReportCreatedFile(const QString& expected, bool written);
    void History(messages::ProgramMessage message);
    Outcome Convert(const QString& path, const QString& outputFolder, tbarc::SfxKind kind,
                    RunCreatedFiles& created, const HandOverSockets* sockets,
                    std::optional<tbarc::HandedOver>* handed);

    const archiver::Libraries& libraries_;
    IHistory& history_;
    IOutputList& output_;
    int lastCode_ = CodeNotAttempted;
};

// The name the libraries give the self-extractor of the archive at path: the
// same rule, applied to the same bytes they are given.
QString SelfExtractorName(const QString& path);

// The history line that opens the lines about the archive at path.
QString ArchiveHeading(const QString& path);

// "<options> "<archive>" "<folder>"" as the libraries take it.
QString LibraryCommandLine(const QString& options, const QString& path, const QString& outputFolder);

} // namespace run
