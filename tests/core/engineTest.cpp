#include "engineRig.h"

#include "archiver/fakeLibrary.h"
#include "core/engine.h"
#include "platform/fake_dialogs.h"
#include "platform/services.h"
#include "util/basAll.h"
#include "util/resTollbrook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

namespace {

using archiver::FakeArchiverLibrary;

QString T(int id)
{
    return resTollbrook::GetText(id);
}

// The header line of one archive; long paths are shortened for display
// (the exact form is checked in HeaderLineShortensLongPaths).
QString Header(const QString& path)
{
    return QStringLiteral("[ ") + basAll::ShortenPath(path) + QStringLiteral(" ]");
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
        libraries.UnlhaAvailable = true;
        libraries.CabAvailable = true;
        libraries.Unlha = unlha;
        libraries.Cab = cab;
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

    short Make(const QString& path, int kind = core::SfxWin32)
    {
        return engine.MakeSfxFile(path, Out(), kind);
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
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20000), T(20031)}));
    EXPECT_EQ(unlha->calls, QStringList({QStringLiteral("running"),
                                         QStringLiteral("run ") + Win32Options + QStringLiteral(" \"")
                                             + path + QStringLiteral("\" \"") + Out() + u'"'}));
    EXPECT_TRUE(cab->calls.isEmpty());
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("A.EXE")}));
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("A.EXE")}));
}

TEST_F(EngineTest, OptionStringFollowsKindAndNozoku)
{
    struct Case {
        int kind;
        bool nozoku;
        const char* options;
    };
    const Case cases[] = {
        {core::SfxDos, false, "s -+ -jyo -x1  -y1 -gm1 -gu1"},
        {core::SfxWin16, false, "s -+ -jw2 -jyo -x1  -y1 -gm1 -gu1"},
        {core::SfxWin32, true, "s -+ -gw2 -jyo -x1  -y1 -gm1 -gu0"},
        {7, false, " -gu1"},
    };
    const QString path = Input(QStringLiteral("k.lzh"));
    for (const Case& c : cases) {
        basTollbrook::Nozoku = c.nozoku;
        unlha->calls.clear();
        Make(path, c.kind);
        ASSERT_EQ(unlha->calls.size(), 2);
        EXPECT_EQ(unlha->calls[1], QStringLiteral("run ") + QString::fromLatin1(c.options)
                                       + QStringLiteral(" \"") + path + QStringLiteral("\" \"") + Out()
                                       + u'"')
            << c.kind;
    }
}

TEST_F(EngineTest, CabUsesItsOwnOptionStringWithoutSuffix)
{
    basTollbrook::Nozoku = true;
    const QString path = Input(QStringLiteral("b.cab"));
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20004), T(20031)}));
    EXPECT_EQ(cab->calls.value(1),
              QStringLiteral("run -f \"") + path + QStringLiteral("\" \"") + Out() + u'"');
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("B.EXE")}));
}

// Which calls each file type leads to, and the lines and outcome it ends with.
struct DispatchCase {
    const char* name;
    const char* file;
    std::function<void()> options;
    int lzhCheck;     // what UnlhaCheckArchive answers
    int cabCheck;     // what CabCheckArchive answers
    QList<int> lines; // history after the header line
    short outcome;
    const char* created; // file left in the output folder, or ""
    QStringList unlhaCalls; // kinds of call, in order
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
    const QStringList checkConvert{QStringLiteral("check"), QStringLiteral("running"),
                                   QStringLiteral("run")};
    auto nothing = [] {};
    const DispatchCase cases[] = {
        {"mixed-case extension", "c.LzH", nothing, 0, 0, {20000, 20031}, 0, "C.EXE", convert, none},
        {"two full stops", "x.y.lzh", nothing, 0, 0, {20000, 20031}, 0, "X.Y.EXE", convert, none},
        {"lzh switched off", "a.lzh", [] { basTollbrook::Lzh = false; }, 0, 0, {20045, 20032}, 1, "", none, none},
        {"cab switched off", "a.cab", [] { basTollbrook::Cab = false; }, 0, 0, {20045, 20032}, 1, "", none, none},
        {"lha without its option", "a.lha", nothing, 0, 0, {20045, 20032}, 1, "", none, none},
        {"lha with its option", "a.lha", [] { basTollbrook::Lzh_Lha = true; }, 0, 0, {20000, 20031}, 0, "A.EXE", convert, none},
        {"lha needs lzh on", "a.lha", [] { basTollbrook::Lzh_Lha = true; basTollbrook::Lzh = false; }, 0, 0, {20045, 20032}, 1, "", none, none},
        {"other extension", "a.zip", nothing, 0, 0, {20045, 20032}, 1, "", none, none},
        {"no extension", "README", nothing, 0, 0, {20045, 20032}, 1, "", none, none},
        {"exe without options", "s.exe", nothing, 1, 1, {20045, 20032}, 1, "", none, none},
        {"exe that is an lzh archive", "s.exe", [] { basTollbrook::Lzh_Exe = true; basTollbrook::Cab_Exe = true; }, 1, 1, {20010, 20000, 20031}, 0, "S.EXE", checkConvert, none},
        {"exe that is a cab archive", "s.exe", [] { basTollbrook::Lzh_Exe = true; basTollbrook::Cab_Exe = true; }, 0, 1, {20010, 20014, 20004, 20031}, 0, "S.EXE", check, checkConvert},
        {"exe checked by cab only", "s.exe", [] { basTollbrook::Cab_Exe = true; }, 1, 1, {20014, 20004, 20031}, 0, "S.EXE", none, checkConvert},
        {"exe that is no archive", "s.exe", [] { basTollbrook::Lzh_Exe = true; basTollbrook::Cab_Exe = true; }, 0, 0, {20010, 20014, 20045, 20032}, 1, "", check, check},
        {"check answer other than 1", "s.exe", [] { basTollbrook::Lzh_Exe = true; }, 2, 0, {20010, 20045, 20032}, 1, "", check, none},
        {"x with its option", "g.x", [] { basTollbrook::Lzh_X = true; }, 1, 0, {20010, 20000, 20031}, 0, "G.EXE", checkConvert, none},
        {"x that is no archive", "g.X", [] { basTollbrook::Lzh_X = true; }, 0, 0, {20010, 20045, 20032}, 1, "", check, none},
        {"x without its option", "g.x", nothing, 1, 0, {20045, 20032}, 1, "", none, none},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetOptions();
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
        for (int id : c.lines)
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
    basTollbrook::Lzh_Exe = true;
    basTollbrook::Cab_Exe = true;
    unlha->check = [](const QString&) { return 1; };
    cab->check = [](const QString&) { return 1; };
    unlha->run = nullptr;
    unlha->returnCode = 0x8010;
    const QString path = Input(QStringLiteral("s.exe"));
    EXPECT_EQ(Make(path), core::OutcomeFailed);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20010), T(20000), T(20032)}));
    EXPECT_TRUE(cab->calls.isEmpty());
}

TEST_F(EngineTest, MissingLibrariesAreNeverCalled)
{
    libraries.UnlhaAvailable = false;
    libraries.CabAvailable = false;
    basTollbrook::Lzh_Exe = true;
    basTollbrook::Cab_Exe = true;
    for (const char* name : {"a.lzh", "a.cab", "a.exe"}) {
        history.lines.clear();
        const QString path = Input(QString::fromLatin1(name));
        EXPECT_EQ(Make(path), core::OutcomeFailed);
        EXPECT_EQ(history.lines, QStringList({Header(path), T(20045), T(20032)})) << name;
    }
    EXPECT_TRUE(unlha->calls.isEmpty());
    EXPECT_TRUE(cab->calls.isEmpty());
}

TEST_F(EngineTest, BusyLibraryShowsItsMessageAndSkipsTheFile)
{
    struct Case {
        const char* file;
        FakeArchiverLibrary* library;
        int making;
        int message;
    };
    const Case cases[] = {{"a.lzh", unlha.get(), 20000, 20100}, {"b.cab", cab.get(), 20004, 20104}};
    for (const Case& c : cases) {
        history.lines.clear();
        dialogs.asked.clear();
        c.library->running = true;
        const QString path = Input(QString::fromLatin1(c.file));
        EXPECT_EQ(Make(path), core::OutcomeFailed);
        EXPECT_EQ(history.lines, QStringList({Header(path), T(c.making), T(20032)}));
        EXPECT_EQ(dialogs.messages(), QStringList({T(c.message)}));
        EXPECT_EQ(CallKinds(c.library->calls), QStringList({QStringLiteral("running")}));
        EXPECT_TRUE(OutFolderFiles().isEmpty());
    }
}

TEST_F(EngineTest, ReturnCodeOfZeroWithoutAnOutputFileFails)
{
    unlha->run = nullptr;
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), core::OutcomeFailed);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20000), T(20032)}));
    EXPECT_TRUE(output.paths.isEmpty());
}

TEST_F(EngineTest, ReturnCodeTable)
{
    const QString skipped3 = T(20040) + QStringLiteral(" 3") + T(20041);
    struct Case {
        int code;
        QStringList lines;
        short outcome;
    };
    const Case cases[] = {
        {0, {}, 0},
        {1, {T(20040) + QStringLiteral(" 1") + T(20041)}, 0},
        {3, {skipped3}, 0},
        {32767, {T(20040) + QStringLiteral(" 32767") + T(20041)}, 0},
        {-1, {T(20045)}, 1},
        {32773, {T(20042)}, -1},
        {32774, {T(20043)}, -1},
        {32800, {T(20044)}, -1},
        {-2, {}, 1},
        {INT_MIN, {}, 1},
        {32768, {}, 1},
        {32772, {}, 1},
        {32775, {}, 1},
        {32799, {}, 1},
        {32801, {}, 1},
        {INT_MAX, {}, 1},
    };
    for (const Case& c : cases) {
        history.lines.clear();
        EXPECT_EQ(engine.CheckResultCode(c.code), c.outcome) << c.code;
        EXPECT_EQ(history.lines, c.lines) << c.code;
    }
}

TEST_F(EngineTest, LibraryResultsReachTheHistoryInOrder)
{
    struct Case {
        int code;
        QList<int> before;  // ids between 20000 and the final line
        int last;
        short outcome;
    };
    const Case cases[] = {
        {0x8005, {20042}, 20032, -1},
        {0x8006, {20043}, 20032, -1},
        {0x8020, {20044}, 20032, -1},
        {0x8011, {}, 20032, 1},
    };
    unlha->run = nullptr;
    for (const Case& c : cases) {
        history.lines.clear();
        unlha->returnCode = c.code;
        const QString path = Input(QStringLiteral("a.lzh"));
        QStringList expected{Header(path), T(20000)};
        for (int id : c.before)
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
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20000),
                                          T(20040) + QStringLiteral(" 3") + T(20041), T(20031)}));
}

TEST_F(EngineTest, UpperCaseNameOptions)
{
    const QString path = Input(QStringLiteral("Mixed.lzh"));
    basTollbrook::UCase = false;
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("Mixed.EXE")}));
    EXPECT_EQ(output.paths, QStringList({Out() + QStringLiteral("Mixed.EXE")}));
}

TEST_F(EngineTest, UpperCaseKeepsTheFolderSpelling)
{
    const QString folder = dir.path() + QStringLiteral("/Mixed Out/");
    QDir().mkpath(folder);
    const QString path = Input(QStringLiteral("name.lzh"));
    EXPECT_EQ(engine.MakeSfxFile(path, folder, core::SfxWin32), core::OutcomeDone);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("NAME.EXE")).isFile());
    EXPECT_EQ(output.paths, QStringList({folder + QStringLiteral("NAME.EXE")}));
}

TEST_F(EngineTest, AlreadyUpperCaseNameIsDone)
{
    const QString path = Input(QStringLiteral("UP.LZH"));
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(history.lines.last(), T(20031));
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("UP.EXE")}));
}

TEST_F(EngineTest, FreshFileReplacesAnOlderUpperCaseOne)
{
    QFile old(Out() + QStringLiteral("A.EXE"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(history.lines.last(), T(20031));
    EXPECT_EQ(OutFolderFiles(), QStringList({QStringLiteral("A.EXE")}));
    QFile fresh(Out() + QStringLiteral("A.EXE"));
    ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
    EXPECT_EQ(fresh.readAll(), QByteArray("MZ"));
}

TEST_F(EngineTest, RenameFailureKeepsTheNameAndStillCountsAsDone)
{
    QDir(Out()).mkpath(QStringLiteral("A.EXE/inside"));
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), core::OutcomeDone);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20000), T(20030)}));
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
    EXPECT_EQ(unlha->calls.value(1), QStringLiteral("run ") + Win32Options + QStringLiteral(" \"") + path
                                         + QStringLiteral("\" \"") + Out() + u'"');
}

TEST_F(EngineTest, LibraryFlaggedButNotLoadedIsAnUnexpectedFailure)
{
    libraries.Unlha.reset();
    const QString path = Input(QStringLiteral("a.lzh"));
    EXPECT_EQ(Make(path), core::OutcomeStop);
    EXPECT_EQ(history.lines, QStringList({Header(path), T(20000), T(20033)}));
}

} // namespace
