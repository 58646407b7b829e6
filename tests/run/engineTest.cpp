#include "engineRig.h"

#include "support/fakeLibrary.h"
#include "common/resultCodes.h"
#include "run/engine.h"
#include "support/fakeDialogs.h"
#include "platform/services.h"
#include "support/fatFolder.h"
#include "support/fileBytes.h"
#include "util/paths.h"
#include "util/programMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

namespace {

using archiver::FakeArchiverLibrary;
using tbarc::SfxKind;

using enum messages::ProgramMessage;

QString T(messages::ProgramMessage id)
{
    return messages::Text(id);
}

// The header line of one archive; long paths are shortened for display
// (the exact form is checked in HeaderLineShortensLongPaths).
QString Header(const QString& path)
{
    return QStringLiteral("[ ") + paths::ShortenPath(path) + QStringLiteral(" ]");
}

const QString Win32Options = QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1");

class EngineTest : public ::testing::Test, protected EngineRig {
protected:
    EngineTest()
    {
        EXPECT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("in"));
        QDir(dir.path()).mkdir(QStringLiteral("out"));
        unlha->run = FakeArchiverLibrary::WritesExe();
        cab->run = FakeArchiverLibrary::WritesExe();
        libraries.Set(archiver::kLzh, unlha);
        libraries.Set(archiver::kCab, cab);
    }

    // An archive file in the input folder (the engine never reads it).
    QString Input(const QString& name)
    {
        const QString path = dir.path() + QStringLiteral("/in/") + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QString Out() const { return dir.path() + QStringLiteral("/out/"); }

    // One conversion, a run of its own.
    run::Outcome Make(const QString& path, SfxKind kind = SfxKind::Win32)
    {
        run::RunCreatedFiles created;
        return engine.ConvertArchive(path, Out(), kind, created);
    }

    QStringList OutFolderFiles() const
    {
        return QDir(Out()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir dir;
    std::shared_ptr<FakeArchiverLibrary> unlha = std::make_shared<FakeArchiverLibrary>();
    std::shared_ptr<FakeArchiverLibrary> cab = std::make_shared<FakeArchiverLibrary>();
};

TEST_F(EngineTest, ConvertsAnLzhArchiveWithTheExactCommandLine)
{
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(LzhMaking), T(Created)}));
    EXPECT_EQ(unlha->calls,
              QStringList({QStringLiteral("running"),
                           QStringLiteral("run ") + Win32Options + QStringLiteral(" \"") + path
                               + QStringLiteral("\" \"") + Out() + u'"'}));
    EXPECT_TRUE(cab->calls.isEmpty());
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("A.EXE")}));
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("A.EXE")}));
}

TEST_F(EngineTest, OptionStringFollowsKindAndLeaveOut)
{
    struct Case {
        SfxKind kind;
        bool leaveOut;
        const char* options;
    };
    const Case cases[] = {
        {SfxKind::Dos, false, "s -+ -jyo -x1  -y1 -gm1 -gu1"},
        {SfxKind::Win16, false, "s -+ -jw2 -jyo -x1  -y1 -gm1 -gu1"},
        {SfxKind::Win32, true, "s -+ -gw2 -jyo -x1  -y1 -gm1 -gu0"},
        {static_cast<SfxKind>(7), false, " -gu1"},
    };
    const QString path = Input(QStringLiteral("k.lzh"));
    for (const Case& c : cases) {
        options::Current().leaveOutForeignNames = c.leaveOut;
        unlha->calls.clear();
        Make(path, c.kind);
        ASSERT_EQ(unlha->calls.size(), 2);
        EXPECT_EQ(unlha->calls[1],
                  QStringLiteral("run ") + QString::fromLatin1(c.options) + QStringLiteral(" \"") + path
                      + QStringLiteral("\" \"") + Out() + u'"')
            << static_cast<int>(c.kind);
    }
}

TEST_F(EngineTest, CabUsesItsOwnOptionStringWithoutSuffix)
{
    options::Current().leaveOutForeignNames = true;
    const QString path = Input(QStringLiteral("b.cab"));
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(CabMaking), T(Created)}));
    EXPECT_EQ(cab->calls.value(1),
              QStringLiteral("run -f \"") + path + QStringLiteral("\" \"") + Out() + u'"');
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("B.EXE")}));
}

// Which calls each file type leads to, and the lines and outcome it ends with.
struct DispatchCase {
    const char* name;
    const char* file;
    std::function<void()> options;
    int lzhCheck;                          // what UnlhaCheckArchive answers
    int cabCheck;                          // what CabCheckArchive answers
    QList<messages::ProgramMessage> lines; // history after the header line
    short outcome;                         // 0 done, 1 failed, -1 stop
    const char* created;                   // file left in the output folder, or ""
    QStringList unlhaCalls;                // kinds of call, in order
    QStringList cabCalls;
};

QStringList CallKinds(const QStringList& calls)
{
    QStringList kinds;
    for (const QString& call : calls)
        kinds << call.section(u' ', 0, 0);
    return kinds;
}

TEST_F(EngineTest, DispatchByExtensionAndOptions)
{
    const QStringList none;
    const QStringList convert{QStringLiteral("running"), QStringLiteral("run")};
    const QStringList check{QStringLiteral("check")};
    const QStringList checkConvert{QStringLiteral("check"), QStringLiteral("running"), QStringLiteral("run")};
    options::Options& current = options::Current();
    auto nothing = [] {};
    auto lzhOff = [&] { current.convertLzh = false; };
    auto cabOff = [&] { current.convertCab = false; };
    auto lha = [&] { current.convertLzhLha = true; };
    auto lhaLzhOff = [&] {
        current.convertLzhLha = true;
        current.convertLzh = false;
    };
    auto lzhExe = [&] { current.convertLzhExe = true; };
    auto cabExe = [&] { current.convertCabExe = true; };
    auto bothExe = [&] {
        current.convertLzhExe = true;
        current.convertCabExe = true;
    };
    auto x = [&] { current.convertLzhX = true; };
    // One case a row, the columns aligned.
    // clang-format off
    const DispatchCase cases[] = {
        {"mixed-case extension",       "c.LzH",   nothing,   0, 0, {LzhMaking, Created},                           0, "C.EXE",   convert,      none},
        {"two full stops",             "x.y.lzh", nothing,   0, 0, {LzhMaking, Created},                           0, "X.Y.EXE", convert,      none},
        {"lzh switched off",           "a.lzh",   lzhOff,    0, 0, {NotTarget, Failed},                            1, "",        none,         none},
        {"cab switched off",           "a.cab",   cabOff,    0, 0, {NotTarget, Failed},                            1, "",        none,         none},
        {"lha without its option",     "a.lha",   nothing,   0, 0, {NotTarget, Failed},                            1, "",        none,         none},
        {"lha with its option",        "a.lha",   lha,       0, 0, {LzhMaking, Created},                           0, "A.EXE",   convert,      none},
        {"lha needs lzh on",           "a.lha",   lhaLzhOff, 0, 0, {NotTarget, Failed},                            1, "",        none,         none},
        {"other extension",            "a.zip",   nothing,   0, 0, {NotTarget, Failed},                            1, "",        none,         none},
        {"no extension",               "README",  nothing,   0, 0, {NotTarget, Failed},                            1, "",        none,         none},
        {"exe without options",        "s.exe",   nothing,   1, 1, {NotTarget, Failed},                            1, "",        none,         none},
        {"exe that is an lzh archive", "s.exe",   bothExe,   1, 1, {LzhChecking, LzhMaking, Created},              0, "S.EXE",   checkConvert, none},
        {"exe that is a cab archive",  "s.exe",   bothExe,   0, 1, {LzhChecking, CabChecking, CabMaking, Created}, 0, "S.EXE",   check,        checkConvert},
        {"exe checked by cab only",    "s.exe",   cabExe,    1, 1, {CabChecking, CabMaking, Created},              0, "S.EXE",   none,         checkConvert},
        {"exe that is no archive",     "s.exe",   bothExe,   0, 0, {LzhChecking, CabChecking, NotTarget, Failed},  1, "",        check,        check},
        {"check answer other than 1",  "s.exe",   lzhExe,    2, 0, {LzhChecking, NotTarget, Failed},               1, "",        check,        none},
        {"x with its option",          "g.x",     x,         1, 0, {LzhChecking, LzhMaking, Created},              0, "G.EXE",   checkConvert, none},
        {"x that is no archive",       "g.X",     x,         0, 0, {LzhChecking, NotTarget, Failed},               1, "",        check,        none},
        {"x without its option",       "g.x",     nothing,   1, 0, {NotTarget, Failed},                            1, "",        none,         none},
    };
    // clang-format on
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        options::Current() = options::Defaults();
        c.options();
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        history.lines.clear();
        output.paths.clear();
        unlha->calls.clear();
        cab->calls.clear();
        unlha->check = [&c](const QString&) { return c.lzhCheck; };
        cab->check = [&c](const QString&) { return c.cabCheck; };

        const QString path = Input(QString::fromLatin1(c.file));
        QStringList expected{Header(path)};
        for (const messages::ProgramMessage id : c.lines)
            expected << T(id);
        EXPECT_EQ(Make(path), c.outcome);
        EXPECT_EQ(history.lines, expected);
        EXPECT_EQ(CallKinds(unlha->calls), c.unlhaCalls);
        EXPECT_EQ(CallKinds(cab->calls), c.cabCalls);
        const QString created = QString::fromLatin1(c.created);
        EXPECT_EQ(OutFolderFiles(), created.isEmpty() ? QStringList() : QStringList{created});
        EXPECT_EQ(output.paths, created.isEmpty() ? QStringList() : QStringList{Out() + created});
    }
}

TEST_F(EngineTest, ExeThatIsLzhNeverReachesTheCabCheckEvenWhenConversionFails)
{
    options::Current().convertLzhExe = true;
    options::Current().convertCabExe = true;
    unlha->check = [](const QString&) { return 1; };
    cab->check = [](const QString&) { return 1; };
    unlha->run = nullptr;
    unlha->returnCode = tbarc::kUnsupportedMethod;
    const QString path = Input(QStringLiteral("s.exe"));
    EXPECT_EQ(Make(path), run::OutcomeFailed);
    EXPECT_EQ(history.lines,
              QStringList({Header(path), T(LzhChecking), T(LzhMaking), T(UnsupportedMethod), T(Failed)}));
    EXPECT_TRUE(cab->calls.isEmpty());
}

TEST_F(EngineTest, MissingLibrariesAreNeverCalled)
{
    libraries.Set(archiver::kLzh, nullptr);
    libraries.Set(archiver::kCab, nullptr);
    options::Current().convertLzhExe = true;
    options::Current().convertCabExe = true;
    for (const char* name : {"a.lzh", "a.cab", "a.exe"}) {
        history.lines.clear();
        const QString path = Input(QString::fromLatin1(name));
        EXPECT_EQ(Make(path), run::OutcomeFailed);
        EXPECT_EQ(history.lines, QStringList({Header(path), T(NotTarget), T(Failed)})) << name;
    }
    EXPECT_TRUE(unlha->calls.isEmpty());
    EXPECT_TRUE(cab->calls.isEmpty());
}

TEST_F(EngineTest, BusyLibraryShowsItsMessageAndSkipsTheFile)
{
    struct Case {
        const char* file;
        FakeArchiverLibrary* library;
        messages::ProgramMessage making;
        messages::ProgramMessage message;
    };
    const Case cases[] = {{"a.lzh", unlha.get(), LzhMaking, UnlhaBusy},
                          {"b.cab", cab.get(), CabMaking, CabBusy}};
    for (const Case& c : cases) {
        history.lines.clear();
        dialogs.asked.clear();
        c.library->running = true;
        const QString path = Input(QString::fromLatin1(c.file));
        EXPECT_EQ(Make(path), run::OutcomeFailed);
        EXPECT_EQ(history.lines, QStringList({Header(path), T(c.making), T(Failed)}));
        EXPECT_EQ(dialogs.messages(), QStringList({T(c.message)}));
        EXPECT_EQ(CallKinds(c.library->calls), QStringList({QStringLiteral("running")}));
        EXPECT_TRUE(OutFolderFiles().isEmpty());
    }
}

TEST_F(EngineTest, ReturnCodeOfZeroWithoutAnOutputFileFails)
{
    unlha->run = nullptr;
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), run::OutcomeFailed);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(LzhMaking), T(Failed)}));
    EXPECT_TRUE(output.paths.isEmpty());
}

TEST_F(EngineTest, ReturnCodeTable)
{
    const QString skipped3 = T(SkippedBefore) + QStringLiteral(" 3") + T(SkippedAfter);
    struct Case {
        int code;
        QStringList lines;
        run::Outcome outcome;
    };
    const Case cases[] = {
        {tbarc::kDone, {}, run::OutcomeDone},
        {1, {T(SkippedBefore) + QStringLiteral(" 1") + T(SkippedAfter)}, run::OutcomeDone},
        {3, {skipped3}, run::OutcomeDone},
        {tbarc::kMaxLeftOutCount,
         {T(SkippedBefore) + QStringLiteral(" 32767") + T(SkippedAfter)},
         run::OutcomeDone},
        {run::CodeNotAttempted, {T(NotTarget)}, run::OutcomeFailed},
        {tbarc::kDiskFull, {T(DiskFull)}, run::OutcomeStop},
        {tbarc::kFolderNotWritable, {T(NotWritable)}, run::OutcomeStop},
        {tbarc::kCancelled, {T(Cancelled)}, run::OutcomeStop},
        {tbarc::kDamagedData, {T(DamagedArchive)}, run::OutcomeFailed},
        {tbarc::kUnsupportedMethod, {T(UnsupportedMethod)}, run::OutcomeFailed},
        {tbarc::kCorruptArchive, {}, run::OutcomeFailed},
        {-2, {}, run::OutcomeFailed},
        {INT_MIN, {}, run::OutcomeFailed},
        {tbarc::kMaxLeftOutCount + 1, {}, run::OutcomeFailed},
        {tbarc::kDiskFull - 1, {}, run::OutcomeFailed},
        {tbarc::kFolderNotWritable + 1, {}, run::OutcomeFailed},
        {tbarc::kCancelled - 1, {}, run::OutcomeFailed},
        {tbarc::kCancelled + 1, {}, run::OutcomeFailed},
        {INT_MAX, {}, run::OutcomeFailed},
    };
    for (const Case& c : cases) {
        history.lines.clear();
        EXPECT_EQ(engine.JudgeResultCode(c.code), c.outcome) << c.code;
        EXPECT_EQ(history.lines, c.lines) << c.code;
    }
}

TEST_F(EngineTest, LibraryResultsReachTheHistoryInOrder)
{
    struct Case {
        int code;
        QList<messages::ProgramMessage> before; // lines between LzhMaking and the final line
        messages::ProgramMessage last;
        run::Outcome outcome;
    };
    const Case cases[] = {
        {tbarc::kDiskFull, {DiskFull}, Failed, run::OutcomeStop},
        {tbarc::kFolderNotWritable, {NotWritable}, Failed, run::OutcomeStop},
        {tbarc::kCancelled, {Cancelled}, Failed, run::OutcomeStop},
        {tbarc::kUnsupportedMethod, {UnsupportedMethod}, Failed, run::OutcomeFailed},
        {tbarc::kDamagedData, {DamagedArchive}, Failed, run::OutcomeFailed},
        // One file the library cannot write (a name too long for the folder)
        // fails alone; the run goes on.
        {tbarc::kOutputNotWritable, {}, Failed, run::OutcomeFailed},
    };
    unlha->run = nullptr;
    for (const Case& c : cases) {
        history.lines.clear();
        unlha->returnCode = c.code;
        const QString path = Input(QStringLiteral("a.lzh"));
        QStringList expected{Header(path), T(LzhMaking)};
        for (const messages::ProgramMessage id : c.before)
            expected << T(id);
        expected << T(c.last);
        EXPECT_EQ(Make(path), c.outcome) << c.code;
        EXPECT_EQ(history.lines, expected) << c.code;
    }
}

TEST_F(EngineTest, SkippedFilesStillCountAsDone)
{
    unlha->run = FakeArchiverLibrary::WritesExe(3);
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(history.lines,
              QStringList({Header(path), T(LzhMaking),
                           T(SkippedBefore) + QStringLiteral(" 3") + T(SkippedAfter), T(Created)}));
}

TEST_F(EngineTest, UpperCaseNameOptions)
{
    const QString path = Input(QStringLiteral("Mixed.lzh"));
    options::Current().upperCaseNames = false;
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("Mixed.EXE")}));
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("Mixed.EXE")}));
}

TEST_F(EngineTest, UpperCaseKeepsTheFolderSpelling)
{
    const QString folder = dir.path() + QStringLiteral("/Mixed Out/");
    QDir().mkpath(folder);
    const QString path = Input(QStringLiteral("name.lzh"));
    run::RunCreatedFiles created;
    EXPECT_EQ(engine.ConvertArchive(path, folder, SfxKind::Win32, created), run::OutcomeDone);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("NAME.EXE")).isFile());
    EXPECT_EQ(output.paths, QStringList({folder + QStringLiteral("NAME.EXE")}));
}

TEST_F(EngineTest, AlreadyUpperCaseNameIsDone)
{
    const QString path = Input(QStringLiteral("UP.LZH"));
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(history.lines.last(), T(Created));
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("UP.EXE")}));
}

TEST_F(EngineTest, UpperCaseNameNeverReplacesAnotherFile)
{
    // Whether a file differing only in case may be replaced is the library's
    // rule; the program's own rename never replaces anything.
    QFile old(Out() + QStringLiteral("A.EXE"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the user's file");
    old.close();
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(history.lines.last(), T(CreatedNotUpperCased));
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("a.EXE")}));
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("A.EXE"), QStringLiteral("a.EXE")}));
    QFile kept(Out() + QStringLiteral("A.EXE"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("the user's file"));
}

TEST_F(EngineTest, OnlyAFileThisCallWroteIsReportedAsCreated)
{
    struct Case {
        const char* archive;
        const char* unrelated; // a file already in the output folder
        const char* expected;  // nullptr: no file is reported
    };
    const Case cases[] = {
        // The library was asked and said done, yet left the old file: the
        // old file is not this conversion's.
        {"b.lzh", "b.EXE", nullptr},
        // A name that is only an extension makes ".EXE", by the same rule
        // as the libraries'.
        {".lzh", "unrelated.EXE", ".EXE"},
        {"x.y.lzh", "x.EXE", "X.Y.EXE"},
    };
    for (const Case& c : cases) {
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        QFile unrelated(Out() + QString::fromUtf8(c.unrelated));
        ASSERT_TRUE(unrelated.open(QIODevice::WriteOnly));
        unrelated.close();
        const QString path = Input(QString::fromUtf8(c.archive));
        if (!c.expected)
            unlha->run = [](const QString&) { return 0; }; // says done, writes nothing
        history.lines.clear();
        output.paths.clear();
        EXPECT_EQ(Make(path), c.expected ? run::OutcomeDone : run::OutcomeFailed) << c.archive;
        EXPECT_EQ(output.paths,
                  c.expected ? QStringList({Out() + QString::fromUtf8(c.expected)}) : QStringList())
            << c.archive;
        unlha->run = archiver::FakeArchiverLibrary::WritesExe();
    }
}

TEST_F(EngineTest, OnAFolderThatFoldsCaseTheUpperCaseRenameOnlyChangesTheSpelling)
{
    // A FAT stick: the user's old file under either spelling is the one the
    // library replaced, and the upper-case name reaches the new file itself.
    testSupport::FatFolder fat;
    if (!fat.Unavailable().empty())
        GTEST_SKIP() << "no case-folding folder to test on: " << fat.Unavailable();
    const QString folder = QString::fromStdString(fat.Path()) + u'/';
    const QString path = Input(QStringLiteral("hello.lzh"));
    for (const char* old : {"HELLO.EXE", "hello.exe"}) {
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            QFile::remove(folder + name);
        testSupport::WriteBytes(folder + QString::fromLatin1(old), QByteArray("the user's file"));
        history.lines.clear();
        output.paths.clear();
        run::RunCreatedFiles created; // each spelling is a run of its own
        EXPECT_EQ(engine.ConvertArchive(path, folder, SfxKind::Win32, created), run::OutcomeDone) << old;
        EXPECT_EQ(history.lines.last(), T(Created)) << old;
        EXPECT_EQ(output.paths, QStringList({folder + QStringLiteral("HELLO.EXE")})) << old;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({QStringLiteral("HELLO.EXE")})) << old;
        EXPECT_EQ(testSupport::ReadBytes(folder + QStringLiteral("HELLO.EXE")), QByteArray("MZ")) << old;
    }
}

TEST_F(EngineTest, ANameOneRunMadeIsNeverMadeAgainInThatRun)
{
    enum class Result { Made, LibraryFailed, Refused };
    struct Step {
        const char* archive;
        Result result;
    };
    struct Case {
        const char* name;
        bool upperCase;
        std::vector<Step> steps;
        QStringList files; // the output folder afterwards
    };
    const Case cases[] = {
        {"upper-case names",
         true,
         {{"a.lzh", Result::Made}, {"sub/a.lzh", Result::Refused}, {"A.cab", Result::Refused}},
         {QStringLiteral("A.EXE")}},
        {"names kept",
         false,
         {{"a.lzh", Result::Made}, {"A.lzh", Result::Refused}},
         {QStringLiteral("a.EXE")}},
        {"a failed file claims no name",
         true,
         {{"a.lzh", Result::LibraryFailed}, {"sub/a.lzh", Result::Made}},
         {QStringLiteral("A.EXE")}},
    };
    QDir(dir.path()).mkpath(QStringLiteral("in/sub"));
    // The library fails on "in/a.lzh" when the case says so, and writes the
    // self-extractor otherwise.
    bool libraryFails = false;
    const auto run = [&libraryFails](const QString& commandLine) {
        return libraryFails ? tbarc::kDamagedData : FakeArchiverLibrary::WritesExe()(commandLine);
    };
    unlha->run = run;
    cab->run = run;
    for (const Case& c : cases) {
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        options::Current().upperCaseNames = c.upperCase;
        run::RunCreatedFiles created;
        for (const Step& step : c.steps) {
            const QString path = Input(QString::fromUtf8(step.archive));
            const QString making = T(path.endsWith(QStringLiteral(".cab")) ? CabMaking : LzhMaking);
            libraryFails = step.result == Result::LibraryFailed;
            history.lines.clear();
            unlha->calls.clear();
            cab->calls.clear();
            EXPECT_EQ(engine.ConvertArchive(path, Out(), SfxKind::Win32, created),
                      step.result == Result::Made ? run::OutcomeDone : run::OutcomeFailed)
                << c.name << " " << step.archive;
            if (step.result == Result::Refused) {
                // Refused before the library is asked: nothing is written.
                EXPECT_EQ(history.lines,
                          QStringList({Header(path), making, T(MadeEarlierThisRun), T(Failed)}))
                    << c.name << " " << step.archive;
                EXPECT_TRUE(unlha->calls.isEmpty() && cab->calls.isEmpty()) << c.name << " " << step.archive;
            }
        }
        EXPECT_EQ(OutFolderFiles(), c.files) << c.name;
    }
}

TEST_F(EngineTest, RenameFailureKeepsTheNameAndStillCountsAsDone)
{
    QDir(Out()).mkpath(QStringLiteral("A.EXE/inside"));
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), run::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(LzhMaking), T(CreatedNotUpperCased)}));
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("a.EXE")}));
}

TEST_F(EngineTest, HeaderLineShortensLongPaths)
{
    QDir(dir.path()).mkpath(QStringLiteral("in/b/c/d"));
    const QString path = Input(QStringLiteral("b/c/d/deep.lzh"));
    Make(path);
    const QStringList pieces = path.split(u'/');
    // "/", first folder, "...", last folder, file name
    const QString shortened = QStringLiteral("/") + pieces[1] + QStringLiteral("/.../d/deep.lzh");
    EXPECT_EQ(history.lines.first(), QStringLiteral("[ ") + shortened + QStringLiteral(" ]"));
}

TEST_F(EngineTest, QuoteInsideAnArchiveNameIsPassedUnchanged)
{
    const QString path = Input(QStringLiteral("say \"hi\".lzh"));
    Make(path);
    EXPECT_EQ(unlha->calls.value(1),
              QStringLiteral("run ") + Win32Options + QStringLiteral(" \"") + path + QStringLiteral("\" \"")
                  + Out() + u'"');
}

} // namespace
