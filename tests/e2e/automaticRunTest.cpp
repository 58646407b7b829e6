// The built program run as a process on a machine without a display: a
// temporary configuration folder, real archives, the real libraries.
#include "support/fatFolder.h"
#include "support/englishTexts.h"
#include "support/fileBytes.h"
#include "support/lzhArchive.h"
#include "support/sealedSfx.h"
#include "support/storedSettings.h"
#include "util/paths.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString Program = QStringLiteral(TB_BINARY_DIR "/bin/tollbrook2");
const QString Samples = QStringLiteral(TB_SOURCE_DIR "/samples");
const QString StubFolder = QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2/sfx");
const QString Corpus = QStringLiteral(TB_CORPUS_DIR);

using enum messages::ProgramMessage;
using enum messages::SharedMessage;
using testSupport::ReadBytes;

QString T(messages::ProgramMessage id)
{
    return messages::Text(id);
}

QString T(messages::SharedMessage id)
{
    return messages::Text(id);
}

struct Result {
    int exitStatus = -1;
    QString out;
    QString err;
};

QString Header(const QString& path)
{
    return QStringLiteral("[ ") + paths::ShortenPath(path) + QStringLiteral(" ]");
}

// Every file below folder with its bytes, by relative path.
QMap<QString, QByteArray> Tree(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

class AutomaticRun : public ::testing::Test {
protected:
    AutomaticRun()
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("config"));
        root.mkpath(QStringLiteral("in"));
        root.mkpath(QStringLiteral("out"));
        root.mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(dir.path() + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    QString In(const QString& name) const { return dir.path() + QStringLiteral("/in/") + name; }
    QString Out() const { return dir.path() + QStringLiteral("/out"); }
    QString SettingsFile() const
    {
        return dir.path() + QStringLiteral("/config/") + testSupport::kCurrentApplication
            + QStringLiteral("/settings.ini");
    }

    // A copy of a sample or corpus archive under a name of the test's choice.
    QString Copy(const QString& source, const QString& name) const
    {
        EXPECT_TRUE(QFile::copy(source, In(name))) << source.toStdString();
        return In(name);
    }

    // count copies of source, named <prefix><number>.lzh.
    QStringList Copies(const QString& source, const char* prefix, int count) const
    {
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << Copy(source, QString::fromLatin1(prefix) + QString::number(i) + QStringLiteral(".lzh"));
        return names;
    }
    // A compressed archive that takes a while to convert.
    static QString LongArchive()
    {
        return Corpus + QStringLiteral("/fragglet_lhasa/test/archives/lha213/lh5_long.lzh");
    }

    QString WriteInput(const QString& name, const QByteArray& bytes) const
    {
        QFile file(In(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return In(name);
    }

    void StoreSettings(const QByteArray& iniGroupBody) const
    {
        QDir().mkpath(QFileInfo(SettingsFile()).path());
        QFile file(SettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Tollbrook2]\n" + iniGroupBody);
    }

    Result Run(const QStringList& arguments) const { return RunProgram(Program, arguments); }

    // The program started by the shell, which passes the bytes that printf
    // makes of `printfFormat` as the last argument, after `arguments`.
    Result RunWithRawName(const QStringList& arguments, const QString& printfFormat) const
    {
        return RunProgram(QStringLiteral("/bin/sh"),
                          QStringList{QStringLiteral("-c"),
                                      QStringLiteral("exec \"$@\" \"$(printf '%1')\"").arg(printfFormat),
                                      QStringLiteral("sh"), Program}
                              + arguments);
    }

    // No display, the test's own configuration and runtime folders (nothing
    // of other test programs), the temporary folder as the current one.
    void PrepareProcess(QProcess& process) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
        for (auto variable = environment.cbegin(); variable != environment.cend(); ++variable)
            env.insert(variable.key(), variable.value());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path() + QStringLiteral("/runtime"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
    }

    Result RunProgram(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        PrepareProcess(process);
        process.start(program, arguments);
        Result result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            return result;
        }
        result.exitStatus = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    static bool HaveStub(const char* name)
    {
        return QFileInfo::exists(StubFolder + u'/' + QString::fromLatin1(name));
    }

    static QString Lines(const QStringList& lines) { return lines.join(u'\n') + u'\n'; }

    // What the reference extractors take out of an archive or self-extractor.
    QMap<QString, QByteArray> Extracted(const QString& file, const QString& tool) const
    {
        const QString target = dir.path() + QStringLiteral("/x/") + QFileInfo(file).fileName();
        QDir().mkpath(target);
        QProcess process;
        process.setWorkingDirectory(target);
        if (tool == u"lhasa")
            process.start(QStringLiteral("lhasa"), {QStringLiteral("xq"), file});
        else
            process.start(QStringLiteral("cabextract"),
                          {QStringLiteral("-q"), QStringLiteral("-d"), target, file});
        process.waitForFinished(30000);
        EXPECT_EQ(process.exitCode(), 0) << tool.toStdString() << " " << file.toStdString();
        return Tree(target);
    }

    QTemporaryDir dir;
    // Variables set for the program beyond the test's own.
    QMap<QString, QString> environment;
};

TEST_F(AutomaticRun, ConvertsArchivesGivenOnTheCommandLine)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe") && HaveStub("cab-win32.exe"))
        << "the Win32 self-extractor stubs are not built";
    const QString lzh = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh"));
    const QString cab = Copy(Samples + QStringLiteral("/tools.cab"), QStringLiteral("b.cab"));

    const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), lzh, cab});
    EXPECT_EQ(run.exitStatus, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              Lines({Header(lzh), T(LzhMaking), T(Created), Header(cab), T(CabMaking), T(Created),
                     T(AllFinished)}));
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"A.EXE", "B.EXE"}));

    const auto fromLzh = Extracted(lzh, QStringLiteral("lhasa"));
    EXPECT_FALSE(fromLzh.isEmpty());
    EXPECT_EQ(Extracted(Out() + QStringLiteral("/A.EXE"), QStringLiteral("lhasa")), fromLzh);
    const auto fromCab = Extracted(cab, QStringLiteral("cabextract"));
    EXPECT_FALSE(fromCab.isEmpty());
    EXPECT_EQ(Extracted(Out() + QStringLiteral("/B.EXE"), QStringLiteral("cabextract")), fromCab);

    // Nothing is stored by an automatic run.
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
}

TEST_F(AutomaticRun, CreatedSelfExtractorsRunUnderWine)
{
    struct Case {
        const char* sample;
        const char* created;
        const char* stub;
        const char* tool;
    };
    const Case cases[] = {
        {"hello.lzh", "HELLO.EXE", "lzh-win32.exe", "lhasa"},
        {"tools.cab", "TOOLS.EXE", "cab-win32.exe", "cabextract"},
    };
    for (const Case& c : cases) {
        if (!HaveStub(c.stub)) {
            ADD_FAILURE() << "missing stub " << c.stub;
            continue;
        }
        const QString archive =
            Copy(Samples + u'/' + QString::fromLatin1(c.sample), QString::fromLatin1(c.sample));
        ASSERT_EQ(Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), archive}).exitStatus, 0);

        const QString target = dir.path() + QStringLiteral("/wine/") + QString::fromLatin1(c.sample);
        QDir().mkpath(target);
        QProcess wine;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TB_WINEPREFIX"), QStringLiteral(TB_WINEPREFIX));
        wine.setProcessEnvironment(env);
        wine.setWorkingDirectory(Out());
        QString windowsTarget = QStringLiteral("Z:") + target;
        windowsTarget.replace(u'/', u'\\');
        wine.start(QStringLiteral(TB_WINE_RUN),
                   {Out() + u'/' + QString::fromLatin1(c.created), QStringLiteral("-y"),
                    QStringLiteral("-o") + windowsTarget});
        ASSERT_TRUE(wine.waitForFinished(120000));
        EXPECT_EQ(wine.exitCode(), 0) << c.sample << wine.readAllStandardError().toStdString();
        const auto expected = Extracted(archive, QString::fromLatin1(c.tool));
        EXPECT_FALSE(expected.isEmpty()) << c.sample;
        EXPECT_EQ(Tree(target), expected) << c.sample;
    }
}

TEST_F(AutomaticRun, KindChoosesTheSelfExtractor)
{
    struct Case {
        QStringList options; // besides --auto and --out
        QByteArray settings;
        const char* stub;
    };
    const Case cases[] = {
        {{QStringLiteral("--kind=dos")}, {}, "lzh-dos.exe"},
        {{QStringLiteral("--kind=win16")}, {}, "lzh-win16.exe"},
        {{QStringLiteral("--kind=win32")}, "AutoExe=0\n", "lzh-win32.exe"},
        {{}, "AutoExe=1\n", "lzh-win16.exe"},
        {{}, {}, "lzh-win32.exe"},
    };
    const QString lzh = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("hello.lzh"));
    for (const Case& c : cases) {
        const std::string label = c.stub + (" " + c.options.join(u' ').toStdString());
        if (!HaveStub(c.stub)) {
            ADD_FAILURE() << "missing stub " << c.stub;
            continue;
        }
        QFile::remove(SettingsFile());
        if (!c.settings.isEmpty())
            StoreSettings(c.settings);
        QFile::remove(Out() + QStringLiteral("/HELLO.EXE"));
        const Result run = Run(QStringList{QStringLiteral("--auto"), QStringLiteral("--out=out")} + c.options
                               + QStringList{lzh});
        EXPECT_EQ(run.exitStatus, 0) << label;
        const QByteArray created = ReadBytes(Out() + QStringLiteral("/HELLO.EXE"));
        const QByteArray stub = ReadBytes(StubFolder + u'/' + QString::fromLatin1(c.stub));
        // The stub's seal tells where the archive lies, how long it is and its
        // CRC-32; the Win16 kind also writes its own module name over 8
        // characters of its stub.
        const std::string sealed = testSupport::Sealed(stub.toStdString(), ReadBytes(lzh).toStdString());
        qsizetype changed = 0;
        for (qsizetype i = 0; i < stub.size() && i < created.size(); ++i)
            changed += created[i] != sealed[static_cast<std::size_t>(i)];
        EXPECT_TRUE(!stub.isEmpty() && changed <= (std::string(c.stub) == "lzh-win16.exe" ? 8 : 0)) << label;
        EXPECT_EQ(created.size(), stub.size() + QFileInfo(lzh).size()) << label;
    }
}

TEST_F(AutomaticRun, CorruptMissingAndSpacedNames)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    // No header's shape at its start: no archive, which has no line of its own.
    const QString corrupt = WriteInput(QStringLiteral("broken.lzh"), QByteArray(300, '\x5a'));
    const QString spaced = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("my sample.lzh"));
    const QString relative = QStringLiteral("in/") + QFileInfo(spaced).fileName();

    const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), corrupt,
                            In(QStringLiteral("missing.lzh")), relative});
    EXPECT_EQ(run.exitStatus, 1) << run.err.toStdString();
    EXPECT_EQ(run.out,
              Lines({Header(corrupt), T(LzhMaking), T(Failed), Header(spaced), T(LzhMaking), T(Created),
                     T(AllFinished)}));
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"MY SAMPLE.EXE"}));
    EXPECT_EQ(ReadBytes(corrupt), QByteArray(300, '\x5a'));
}

TEST_F(AutomaticRun, UnwritableOutputFolderStopsTheRun)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    // Not even root may create files in /proc.
    QStringList archives;
    for (const char* name : {"a.lzh", "b.lzh", "c.lzh"})
        archives << Copy(Samples + QStringLiteral("/hello.lzh"), QString::fromLatin1(name));
    const QStringList stopped = {T(LzhMaking), T(NotWritable), T(Failed)};
    const QStringList first = QStringList{Header(archives[0])} + stopped;
    // The run stops after the first archive, whatever the number of workers:
    // the others' work on later archives is dropped unsaid.
    for (const char* jobs : {"--jobs=1", "--jobs=2", "--jobs=3", "--jobs=8"}) {
        const Result run = Run(
            QStringList{QStringLiteral("--auto"), QStringLiteral("--out=/proc"), QString::fromLatin1(jobs)}
            + archives);
        EXPECT_EQ(run.exitStatus, 2) << jobs;
        EXPECT_EQ(run.out, Lines(first + QStringList{T(Interrupted)})) << jobs;
    }
}

TEST_F(AutomaticRun, AnExistingOutputIsKeptOrReplacedWhateverTheCaseOfTheArchiveName)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    const QString lower = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh"));
    const QString upper = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("B.LZH"));
    for (const bool replace : {false, true}) {
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        for (const char* name : {"/A.EXE", "/B.EXE"})
            testSupport::WriteBytes(Out() + QString::fromLatin1(name), QByteArray("the user's file"));
        StoreSettings(replace ? "" : "Lzh_OptWin32=s -gw2 -jyo -x1  -y1 -gm1\n");
        const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), lower, upper});
        EXPECT_EQ(run.exitStatus, replace ? 0 : 1) << replace;
        EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"A.EXE", "B.EXE"})) << replace;
        for (const char* name : {"/A.EXE", "/B.EXE"})
            EXPECT_EQ(ReadBytes(Out() + QString::fromLatin1(name)) == QByteArray("the user's file"), !replace)
                << name << replace;
    }
}

TEST_F(AutomaticRun, OnAFolderThatFoldsCaseTheOldSpellingIsReplacedByTheNewFile)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    testSupport::FatFolder fat;
    if (!fat.Unavailable().empty())
        GTEST_SKIP() << "no case-folding folder to test on: " << fat.Unavailable();
    const QString out = QString::fromStdString(fat.Path());
    const QString archive = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("hello.lzh"));
    for (const char* old : {"HELLO.EXE", "hello.exe"}) {
        for (const QString& name : QDir(out).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(out + u'/' + name);
        testSupport::WriteBytes(out + u'/' + QString::fromLatin1(old), QByteArray("the user's file"));
        const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=") + out, archive});
        EXPECT_EQ(run.exitStatus, 0) << old << run.err.toStdString();
        EXPECT_EQ(run.out, Lines({Header(archive), T(LzhMaking), T(Created), T(AllFinished)})) << old;
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"HELLO.EXE"})) << old;
        const QByteArray made = ReadBytes(out + QStringLiteral("/HELLO.EXE"));
        EXPECT_TRUE(made.startsWith("MZ") && made.endsWith(ReadBytes(archive))) << old;
    }
}

TEST_F(AutomaticRun, OneNameTwiceInARunKeepsTheFirstSelfExtractor)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe") && HaveStub("cab-win32.exe"))
        << "the Win32 self-extractor stubs are not built";
    QDir().mkpath(In(QStringLiteral("sub")));
    const QString first = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh"));
    const QString sub = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("sub/a.lzh"));
    const QString cab = Copy(Samples + QStringLiteral("/tools.cab"), QStringLiteral("A.cab"));

    const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), first, sub, cab});
    EXPECT_EQ(run.exitStatus, 1) << run.err.toStdString();
    EXPECT_EQ(
        run.out,
        Lines({Header(first), T(LzhMaking), T(Created), Header(sub), T(LzhMaking), T(MadeEarlierThisRun),
               T(Failed), Header(cab), T(CabMaking), T(MadeEarlierThisRun), T(Failed), T(AllFinished)}));
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files | QDir::Hidden), QStringList({"A.EXE"}));
    const auto fromLzh = Extracted(first, QStringLiteral("lhasa"));
    EXPECT_FALSE(fromLzh.isEmpty());
    EXPECT_EQ(Extracted(Out() + QStringLiteral("/A.EXE"), QStringLiteral("lhasa")), fromLzh);
}

TEST_F(AutomaticRun, AFileWhoseNameTheFolderCannotHoldFailsAloneAndTheRunGoesOn)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    StoreSettings("Lzh_X=True\n");
    // 253 characters and ".X": with ".EXE" the output's name is over 255.
    const QString tooLong =
        Copy(Samples + QStringLiteral("/hello.lzh"), QString(253, u'n') + QStringLiteral(".X"));
    const QString next = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("next.lzh"));
    const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), tooLong, next});
    EXPECT_EQ(run.exitStatus, 1) << run.err.toStdString();
    EXPECT_EQ(run.out,
              Lines({Header(tooLong), T(LzhChecking), T(LzhMaking), T(Failed), Header(next), T(LzhMaking),
                     T(Created), T(AllFinished)}));
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files | QDir::Hidden), QStringList({"NEXT.EXE"}));
}

TEST_F(AutomaticRun, TwoRunsAtOnceConvertSideBySide)
{
    // Two scripts start a run each at the same time, into one folder: a
    // library is busy only for its own process, so neither is refused (they
    // take turns on the folder).
    QStringList first{QStringLiteral("--auto"), QStringLiteral("--out=out")}, second = first;
    QStringList expected;
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("a%1").arg(i);
        (i % 2 ? second : first) << Copy(
            Samples + (i % 4 < 2 ? QStringLiteral("/hello.lzh") : QStringLiteral("/tools.cab")),
            name + (i % 4 < 2 ? QStringLiteral(".lzh") : QStringLiteral(".cab")));
        expected << name.toUpper() + QStringLiteral(".EXE");
    }
    QProcess one, two;
    for (QProcess* p : {&one, &two})
        PrepareProcess(*p);
    one.start(Program, first);
    two.start(Program, second);
    for (QProcess* p : {&one, &two}) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        EXPECT_FALSE(p->readAllStandardOutput().contains(T(Failed).toUtf8()));
    }
    expected.sort();
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

// Runs into one folder take turns, each deciding its files' names from what
// the folder holds when it converts: two runs of the same lower-case names
// make each file once, in capitals; a run stopped while it waits makes
// nothing.
TEST_F(AutomaticRun, RunsIntoOneFolderTakeTurns)
{
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << Copy(Samples + QStringLiteral("/hello.lzh"),
                      QStringLiteral("m%1.lzh").arg(i, 2, 10, QChar(u'0')));
    // Another run holds the folder while these start.
    const int held = ::open(QFile::encodeName(Out()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // Said in the run's language (in English where no translation is found).
    const QRegularExpression waiting(QStringLiteral("another run is making files|別の実行が"));
    QProcess runs[3];
    for (QProcess& run : runs) {
        PrepareProcess(run);
        run.start(
            Program,
            QStringList{QStringLiteral("--auto"), QStringLiteral("--jobs=2"), QStringLiteral("--out=out")}
                + names);
    }
    QString said[3];
    for (int i = 0; i < 3; ++i) {
        runs[i].setReadChannel(QProcess::StandardError);
        while (!said[i].contains(waiting) && runs[i].waitForReadyRead(30000))
            said[i] += QString::fromUtf8(runs[i].readAllStandardError());
        EXPECT_EQ(said[i].count(waiting), 1) << i << said[i].toStdString();
    }
    // Ctrl+C while it waits: stopped, nothing made.
    ::kill(pid_t(runs[2].processId()), SIGINT);
    ASSERT_TRUE(runs[2].waitForFinished(30000));
    EXPECT_EQ(runs[2].exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(runs[2].readAllStandardOutput()), Lines({T(Interrupted)}));
    EXPECT_TRUE(QDir(Out()).isEmpty());

    ::close(held);
    QStringList expected;
    for (int i = 0; i < 30; ++i)
        expected << QStringLiteral("M%1.EXE").arg(i, 2, 10, QChar(u'0'));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(runs[i].waitForFinished(120000));
        EXPECT_EQ(runs[i].exitCode(), 0) << i;
        const QString out = QString::fromUtf8(runs[i].readAllStandardOutput());
        EXPECT_EQ(out.count(T(Created)), 30) << i;
        EXPECT_FALSE(out.contains(T(CreatedNotUpperCased))) << i;
    }
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

TEST_F(AutomaticRun, JobsChangeNeitherTheLinesNorTheFilesNorTheStatus)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe") && HaveStub("cab-win32.exe"))
        << "the Win32 self-extractor stubs are not built";
    StoreSettings("Lzh_Exe=True\nCab_Exe=True\n");
    QDir().mkpath(In(QStringLiteral("sub")));
    const QString lzh = Corpus + QStringLiteral("/fragglet_lhasa/test/archives/lha213/lh5_long.lzh");
    const QString lh7 = Corpus + QStringLiteral("/fragglet_lhasa/test/archives/lhark04d/lh7_long.lzh");
    // Made, damaged, no target, one name in other spellings after a made
    // file and after a failed one, a name not taken, a long one between.
    const QStringList names = {
        Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh")),
        Copy(lzh, QStringLiteral("long.lzh")),
        Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("sub/A.LZH")),
        WriteInput(QStringLiteral("b.lzh"), QByteArray(300, '\x5a')),
        Copy(Samples + QStringLiteral("/tools.cab"), QStringLiteral("c.cab")),
        WriteInput(QStringLiteral("tool.exe"), QByteArray("MZ not an archive")),
        Copy(Samples + QStringLiteral("/tools.cab"), QStringLiteral("B.cab")),
        In(QStringLiteral("missing.lzh")),
        Copy(lh7, QStringLiteral("my sample.lzh")),
        Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("sub/C.lzh")),
        Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("d.lzh")),
        Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("sub/a.Lzh")),
    };
    for (const char* language : {"--lang=ja", "--lang=en"}) {
        QList<Result> runs;
        QList<QMap<QString, QByteArray>> made;
        for (const char* jobs : {"--jobs=1", "--jobs=2", "--jobs=3", "--jobs=12"}) {
            QDir(Out()).removeRecursively();
            QDir().mkpath(Out());
            runs << Run(QStringList{QStringLiteral("--auto"), QStringLiteral("--out=out"),
                                    QString::fromLatin1(language), QString::fromLatin1(jobs)}
                        + names);
            made << Tree(Out());
            const std::string said = std::string(language) + " " + jobs;
            EXPECT_EQ(runs.last().exitStatus, runs.first().exitStatus) << said;
            EXPECT_EQ(runs.last().out, runs.first().out) << said;
            EXPECT_EQ(runs.last().err, runs.first().err) << said;
            EXPECT_EQ(made.last(), made.first()) << said;
        }
        EXPECT_EQ(runs.first().exitStatus, 1) << language;
        EXPECT_EQ(made.first().keys(), QStringList({"A.EXE", "B.EXE", "C.EXE", "D.EXE", "LONG.EXE"}))
            << language;
        // The workers speak the language asked for.
        EXPECT_EQ(runs.first().out.contains(T(Created)), std::string(language) == "--lang=ja") << language;
        EXPECT_NE(testSupport::HasJapanese(runs.first().out), std::string(language) == "--lang=en")
            << language;
    }
}

// A memory file system of a few hundred kilobytes, mounted for as long as
// the object lives; Unavailable() says why there is none (mounting needs
// the right to).
class SmallMemoryFolder {
public:
    explicit SmallMemoryFolder(const QString& path, int kilobytes) : path_(path)
    {
        QDir().mkpath(path);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tb-small", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) != 0)
            unavailable_ = std::string("no tmpfs could be mounted: ") + std::strerror(errno);
    }
    ~SmallMemoryFolder()
    {
        if (unavailable_.empty())
            ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    }
    const std::string& Unavailable() const { return unavailable_; }

private:
    QString path_;
    std::string unavailable_;
};

// An output folder whose file system turns read-only during a run: every
// archive that fails says why, and the run stops on "cannot be written",
// wherever the change meets it (before a file is begun, while it is
// written, while it is put in place).
TEST_F(AutomaticRun, AFolderTurnedReadOnlyStopsTheRunWithItsReason)
{
    const QString folder = dir.path() + QStringLiteral("/readonly");
    QDir().mkpath(folder);
    if (::mount(QFile::encodeName(Out()).constData(), QFile::encodeName(folder).constData(), nullptr, MS_BIND,
                nullptr)
        != 0)
        GTEST_SKIP() << "no bind mount: " << std::strerror(errno);
    const QStringList names = Copies(Samples + QStringLiteral("/hello.lzh"), "r", 200);
    int stopped = 0;
    for (const char* jobs : {"--jobs=1", "--jobs=2"}) {
        ::mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_BIND, nullptr);
        for (const QString& name : QDir(Out()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(Out() + u'/' + name);
        QProcess run;
        PrepareProcess(run);
        run.start(Program,
                  QStringList{QStringLiteral("--auto"), QStringLiteral("--out=") + folder,
                              QString::fromLatin1(jobs)}
                      + names);
        // Turned read-only once a few files are made, as soon as no file is
        // open for writing there.
        QByteArray out;
        while (out.count(T(Created).toUtf8()) < 3 && run.waitForReadyRead(30000))
            out += run.readAllStandardOutput();
        while (run.state() != QProcess::NotRunning
               && ::mount(nullptr, QFile::encodeName(folder).constData(), nullptr,
                          MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr)
                   != 0)
            QThread::usleep(200);
        ASSERT_TRUE(run.waitForFinished(60000));
        const QStringList lines =
            QString::fromUtf8(run.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (lines.endsWith(T(AllFinished)))
            continue; // the run was over before the folder changed
        ++stopped;
        EXPECT_EQ(run.exitCode(), 2) << jobs;
        ASSERT_GE(lines.size(), 4) << jobs;
        EXPECT_EQ(lines.mid(lines.size() - 3), (QStringList{T(NotWritable), T(Failed), T(Interrupted)}))
            << jobs;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (lines[i] == T(Failed)) {
                EXPECT_NE(lines[i - 1], T(LzhMaking)) << jobs << ": a failure without its reason, line " << i;
            }
        }
    }
    ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
    EXPECT_GT(stopped, 0) << "every run was over before its folder turned read-only";
}

TEST_F(AutomaticRun, ADiskFullInTheMiddleLeavesNoFileUnreported)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    const QString full = dir.path() + QStringLiteral("/full");
    // Room for every small self-extractor, never for the large one.
    const SmallMemoryFolder folder(full, 768);
    if (!folder.Unavailable().empty())
        GTEST_SKIP() << folder.Unavailable();
    QByteArray noise(1 << 20, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    const auto large = testSupport::MakeLzhArchive({{"", "noise.bin", noise.toStdString()}}, 1);
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names << (i == 4 ? WriteInput(
                      QStringLiteral("large.lzh"),
                      QByteArray(reinterpret_cast<const char*>(large.data()), qsizetype(large.size())))
                         : Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("s%1.lzh").arg(i)));
    }
    std::optional<Result> oneAtATime;
    std::optional<QMap<QString, QByteArray>> oneAtATimeFiles;
    for (const char* jobs : {"--jobs=1", "--jobs=2", "--jobs=4", "--jobs=8"}) {
        for (const QString& name : QDir(full).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(full + u'/' + name);
        const Result run = Run(
            QStringList{QStringLiteral("--auto"), QStringLiteral("--out=") + full, QString::fromLatin1(jobs)}
            + names);
        EXPECT_EQ(run.exitStatus, 2) << jobs;
        EXPECT_TRUE(
            run.out.endsWith(Lines({Header(names[4]), T(LzhMaking), T(DiskFull), T(Failed), T(Interrupted)})))
            << jobs << "\n"
            << run.out.toStdString();
        // The lines, the status and the files of the run one archive at a time:
        // the small archives converted beside the large one never stand in its
        // way, nor appear after it.
        if (!oneAtATime) {
            EXPECT_EQ(run.out.count(T(Created)), 4);
            oneAtATime = run;
            oneAtATimeFiles = Tree(full);
        } else {
            EXPECT_EQ(run.out, oneAtATime->out) << jobs;
            EXPECT_EQ(run.err, oneAtATime->err) << jobs;
            EXPECT_EQ(Tree(full), *oneAtATimeFiles) << jobs;
        }
        const QStringList lines = run.out.split(u'\n');
        QStringList headers;
        for (const QString& name : names)
            headers << Header(name);
        qsizetype lastHeaded = -1;
        for (const QString& line : lines) {
            const qsizetype at = headers.indexOf(line);
            if (at >= 0) {
                EXPECT_GT(at, lastHeaded) << jobs;
                lastHeaded = at;
            }
        }
        QStringList reported;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i] == T(Created))
                reported << QFileInfo(lines[i - 2].mid(2).chopped(2)).baseName().toUpper()
                        + QStringLiteral(".EXE");
        }
        reported.sort();
        // Every file made is reported, whole, and nothing else is there.
        EXPECT_EQ(QDir(full).entryList(QDir::Files | QDir::Hidden, QDir::Name), reported) << jobs;
        for (const QString& exe : reported)
            EXPECT_TRUE(
                ReadBytes(full + u'/' + exe).endsWith(ReadBytes(Samples + QStringLiteral("/hello.lzh"))))
                << exe.toStdString();
    }
}

// The worker processes the run of process `parent` started: their command
// line names it (zombies have no command line and are not counted).
QList<pid_t> WorkersOf(qint64 parent)
{
    const QByteArray commandLine = QByteArray("tollbrook2-worker\0", 18) + QByteArray::number(parent) + '\0';
    QList<pid_t> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        const QByteArray line = ReadBytes(QStringLiteral("/proc/") + entry + QStringLiteral("/cmdline"));
        if (number && line == commandLine)
            found << pid;
    }
    return found;
}

TEST_F(AutomaticRun, KillingTheRunLeavesNoWorkerAndNoPartlyWrittenFile)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    const QString lzh = LongArchive();
    const QStringList names = Copies(lzh, "k", 400);
    const QByteArray archive = ReadBytes(lzh);
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        QProcess process;
        PrepareProcess(process);
        process.start(
            Program,
            QStringList{QStringLiteral("--auto"), QStringLiteral("--out=out"), QStringLiteral("--jobs=2")}
                + names);
        // Killed once the workers are converting: a few archives are out.
        QByteArray out;
        while (out.count(T(Created).toUtf8()) < 3 && process.waitForReadyRead(30000))
            out += process.readAllStandardOutput();
        const qint64 parent = process.processId();
        ASSERT_EQ(WorkersOf(parent).size(), 2) << "the workers are not running";
        ::kill(pid_t(parent), signal);
        ASSERT_TRUE(process.waitForFinished(30000));
        out += process.readAllStandardOutput();
        EXPECT_FALSE(out.contains(T(AllFinished).toUtf8())) << "the run ended before it was killed";
        // The workers end with the run; waited for, not timed.
        for (int i = 0; i < 300 && !WorkersOf(parent).isEmpty(); ++i)
            QThread::msleep(20);
        EXPECT_TRUE(WorkersOf(parent).isEmpty()) << signal;
        const QStringList files = QDir(Out()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString& name : files) {
            EXPECT_TRUE(name.startsWith(u'K', Qt::CaseInsensitive) && name.endsWith(QStringLiteral(".EXE")))
                << name.toStdString();
            EXPECT_TRUE(ReadBytes(Out() + u'/' + name).endsWith(archive)) << name.toStdString();
        }
        if (signal == SIGKILL)
            continue;
        // Ctrl+C and SIGTERM are the desk's Cancel: what is in hand is
        // finished and said, in list order, and the run ends as stopped;
        // every file there is reported, under its upper-case name.
        EXPECT_EQ(process.exitCode(), 2) << signal;
        const QStringList lines = QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.last(), T(Interrupted)) << signal;
        QStringList reported;
        for (qsizetype i = 2; i < lines.size(); ++i) {
            if (lines[i] == T(Created))
                reported << QFileInfo(lines[i - 2].mid(2).chopped(2)).baseName().toUpper()
                        + QStringLiteral(".EXE");
        }
        EXPECT_EQ(lines.filter(QStringLiteral("[ ")).size(), reported.size())
            << "every archive begun was made";
        reported.sort();
        EXPECT_EQ(files, reported) << signal;
    }
}

// A worker killed in the middle of a run costs nothing: its archives are
// converted again, one at a time, and the run gives the lines, files and
// status of the run one archive at a time.
TEST_F(AutomaticRun, AWorkerKilledInTheMiddleChangesNothing)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    const QStringList names = Copies(LongArchive(), "w", 400);
    const QStringList arguments{QStringLiteral("--auto"), QStringLiteral("--out=out")};
    const Result one = Run(arguments + QStringList{QStringLiteral("--jobs=1")} + names);
    ASSERT_EQ(one.exitStatus, 0);
    const QMap<QString, QByteArray> oneFiles = Tree(Out());
    QDir(Out()).removeRecursively();
    QDir().mkpath(Out());

    QProcess process;
    PrepareProcess(process);
    process.start(Program, arguments + QStringList{QStringLiteral("--jobs=2")} + names);
    QByteArray out;
    while (out.count(T(Created).toUtf8()) < 3 && process.waitForReadyRead(30000))
        out += process.readAllStandardOutput();
    const QList<pid_t> workers = WorkersOf(process.processId());
    ASSERT_EQ(workers.size(), 2) << "the workers are not running";
    ::kill(workers.first(), SIGKILL);
    ASSERT_TRUE(process.waitForFinished(60000));
    out += process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(out), one.out);
    EXPECT_EQ(Tree(Out()), oneFiles);
}

TEST_F(AutomaticRun, ExeThatIsNoArchiveIsNotATarget)
{
    StoreSettings("Lzh_Exe=True\nCab_Exe=True\n");
    const QString exe = WriteInput(QStringLiteral("tool.exe"), QByteArray("MZ not an archive"));
    const Result run = Run({QStringLiteral("--auto"), QStringLiteral("--out=out"), exe});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out,
              Lines({Header(exe), T(LzhChecking), T(CabChecking), T(NotTarget), T(Failed), T(AllFinished)}));
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(AutomaticRun, NothingAcceptableEndsWithStatusThree)
{
    const QString text = WriteInput(QStringLiteral("notes.txt"), "text");
    const QString lha = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("other.lha"));
    const QString gone = In(QStringLiteral("gone.lzh"));
    struct Case {
        QStringList arguments;
        QStringList passedOver; // the names said not taken, before the last line
    };
    const Case cases[] = {
        {{QStringLiteral("--lang=en"), QStringLiteral("--auto"), text, lha, gone}, {text, lha, gone}},
        {{QStringLiteral("--lang=en"), QStringLiteral("--auto")}, {}},
    };
    for (const Case& c : cases) {
        const Result run = Run(c.arguments);
        EXPECT_EQ(run.exitStatus, 3);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), c.passedOver.size() + 1) << run.err.toStdString();
        EXPECT_TRUE(lines.takeLast().contains(QStringLiteral("no archive to convert")));
        for (qsizetype i = 0; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith(QStringLiteral("tollbrook2: ") + c.passedOver[i] + u':'))
                << lines[i].toStdString();
    }
}

TEST_F(AutomaticRun, EachArgumentIsOneNameAndEveryNameNotTakenIsSaid)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    // Quotes and spaces in names, and a neighbour that a split name would hit.
    const QString quoted = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("say \"hi\".lzh"));
    const QString glued = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh\" b.lzh"));
    Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh"));
    QDir().mkpath(In(QStringLiteral("folder.cab")));
    const testSupport::CoreApplication application;
    const testSupport::EnglishTranslation english;

    const Result run =
        Run({QStringLiteral("--lang=en"), QStringLiteral("--auto"), QStringLiteral("--out=out"), quoted,
             glued, In(QStringLiteral("missing.lzh")), QStringLiteral("in/nothere.cab"),
             In(QStringLiteral("folder.cab")), QStringLiteral("in/missing/../a.lzh")});
    EXPECT_EQ(run.exitStatus, 1) << run.err.toStdString();
    EXPECT_EQ(run.out,
              Lines({Header(quoted), T(LzhMaking), T(Created), Header(glued), T(LzhMaking), T(Created),
                     T(AllFinished)}));
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"A.LZH\" B.EXE", "SAY \"HI\".EXE"}));
    EXPECT_EQ(run.err,
              Lines({"tollbrook2: " + In(QStringLiteral("missing.lzh")) + ": not taken: no such file",
                     "tollbrook2: " + In(QStringLiteral("nothere.cab")) + ": not taken: no such file",
                     "tollbrook2: " + In(QStringLiteral("folder.cab")) + ": not taken: not a file",
                     "tollbrook2: " + In(QStringLiteral("missing/../a.lzh")) + ": not taken: no such file"}));
}

TEST_F(AutomaticRun, ANameThatIsNoUtf8IsSaidNotDropped)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    // "日本.lzh" in Shift_JIS, as old Japanese collections name their files.
    const QByteArray shiftJis = QFile::encodeName(In(QString())) + "\x93\xfa\x96\x7b.lzh";
    ASSERT_TRUE(QFile::copy(Samples + QStringLiteral("/hello.lzh"), In(QStringLiteral("x"))));
    ASSERT_EQ(::rename(QFile::encodeName(In(QStringLiteral("x"))).constData(), shiftJis.constData()), 0);
    const QString plain = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("plain.lzh"));
    const QString shown = In(QStringLiteral("\\x93\\xfa\\x96{.lzh"));

    const QString format = QStringLiteral("in/\\223\\372\\226\\173.lzh");
    const Result alone = RunWithRawName(
        {QStringLiteral("--lang=en"), QStringLiteral("--auto"), QStringLiteral("--out=out")}, format);
    EXPECT_EQ(alone.exitStatus, 3);
    QStringList lines = alone.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << alone.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("tollbrook2: ") + shown + QStringLiteral(": not taken: ")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("UTF-8")));

    const Result mixed = RunWithRawName(
        {QStringLiteral("--lang=en"), QStringLiteral("--auto"), QStringLiteral("--out=out"), plain}, format);
    EXPECT_EQ(mixed.exitStatus, 1);
    EXPECT_EQ(mixed.err.split(u'\n', Qt::SkipEmptyParts), QStringList({lines[0]}));
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"PLAIN.EXE"}));
    EXPECT_EQ(::access(shiftJis.constData(), R_OK), 0) << "the input stays where it was";
    // No QString can name it, so the temporary folder could not remove it.
    ::unlink(shiftJis.constData());
}

TEST_F(AutomaticRun, AnUnreadableSettingTakesItsDefaultAndIsSaidOnce)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    StoreSettings("Lzh=maybe\n");
    const QString lzh = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh"));
    const Result run =
        Run({QStringLiteral("--lang=en"), QStringLiteral("--auto"), QStringLiteral("--out=out"), lzh});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"A.EXE"}));
    EXPECT_EQ(run.err,
              Lines({"tollbrook2: the stored option Lzh=\"maybe\" is not valid; its default \"True\" "
                     "is used"}));
}

TEST_F(AutomaticRun, ASettingsFileWithAnUnreadableLineKeepsTheRestAndSaysWhich)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    StoreSettings("UCase=False\nthis line has no equals sign\nTip=False\n");
    const QByteArray before = ReadBytes(SettingsFile());
    const QString lzh = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("Hello.lzh"));

    const Result run =
        Run({QStringLiteral("--lang=en"), QStringLiteral("--auto"), QStringLiteral("--out=out"), lzh});
    EXPECT_EQ(run.exitStatus, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList({"Hello.EXE"})) << "UCase=False still counts";
    EXPECT_EQ(run.err,
              Lines({"tollbrook2: " + SettingsFile()
                     + ": line 3 cannot be read; it is left out and the other settings apply"}));
    // An automatic run writes no settings, so it keeps no copy either.
    EXPECT_EQ(ReadBytes(SettingsFile()), before);
    EXPECT_EQ(QDir(QFileInfo(SettingsFile()).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"settings.ini"}));
}

TEST_F(AutomaticRun, MoreNamesThanOneRunTakesSayTheLimit)
{
    const testSupport::CoreApplication application;
    const testSupport::EnglishTranslation english;
    QStringList arguments{QStringLiteral("--lang=en"), QStringLiteral("--auto"), QStringLiteral("--out=out")};
    for (int i = 0; i <= 1000; ++i)
        arguments << Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("%1.lzh").arg(i));
    const Result run = Run(arguments);
    EXPECT_EQ(run.exitStatus, 4);
    EXPECT_TRUE(run.out.isEmpty());
    const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << run.err.toStdString();
    EXPECT_TRUE(lines[0].contains(T(WorkListFull))) << lines[0].toStdString();
    EXPECT_EQ(lines[1],
              "tollbrook2: " + arguments.last() + ": not taken: over the limit of 1000 archives in one run");
    EXPECT_EQ(
        lines[2],
        QStringLiteral("tollbrook2: more than 1000 archives given: one run converts at most 1000, so none "
                       "was converted"));
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(AutomaticRun, StoredAutoOptionAndOutputFolder)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    const QString target = dir.path() + QStringLiteral("/stored target");
    QDir().mkpath(target);
    StoreSettings("Auto=True\nDir_Out=" + target.toUtf8() + "\nDir_Out_Yuko=True\n");
    const QByteArray before = ReadBytes(SettingsFile());
    const QString lzh = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("Hello.lzh"));

    const Result run = Run({lzh});
    EXPECT_EQ(run.exitStatus, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList({"HELLO.EXE"}));
    EXPECT_EQ(ReadBytes(SettingsFile()), before);
}

TEST_F(AutomaticRun, StoredAutoWithNothingToTakeOpensTheDeskWhichHasNoDisplay)
{
    StoreSettings("Auto=True\n");
    const Result run = Run({In(QStringLiteral("missing.lzh"))});
    EXPECT_EQ(run.exitStatus, 3);
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(AutomaticRun, RemovalSwitchWithoutADisplayKeepsTheSettings)
{
    StoreSettings("Lzh=False\n");
    const QByteArray before = ReadBytes(SettingsFile());
    for (const char* sw : {"/U", "/u"}) {
        const Result run = Run({QString::fromLatin1(sw)});
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_TRUE(run.err.contains(T(RemoveSettingsQuestion))) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(SettingsFile()), before);
    }
}

TEST_F(AutomaticRun, TheLinesSpeakTheDesktopsLanguageUnlessLangSaysOtherwise)
{
    ASSERT_TRUE(HaveStub("lzh-win32.exe")) << "the Win32 self-extractor stubs are not built";
    const QString lzh = Copy(Samples + QStringLiteral("/hello.lzh"), QStringLiteral("a.lzh"));
    const QString damaged = WriteInput(QStringLiteral("b.lzh"), QByteArray("-lh5- is no archive"));
    const QStringList japanese = {Header(lzh), T(LzhMaking), T(Created), T(AllFinished)};
    const struct {
        const char* lang;
        const char* option;
        bool english;
    } cases[] = {
        {"en_US.UTF-8", nullptr, true}, {"de_DE.UTF-8", nullptr, true},      {"ja_JP.UTF-8", nullptr, false},
        {"C.UTF-8", nullptr, false},    {"en_US.UTF-8", "--lang=ja", false}, {"C.UTF-8", "--lang=en", true},
    };
    for (const auto& c : cases) {
        environment = {{QStringLiteral("LANG"), QString::fromLatin1(c.lang)},
                       {QStringLiteral("LC_ALL"), QString()},
                       {QStringLiteral("LC_MESSAGES"), QString()},
                       {QStringLiteral("LANGUAGE"), QString()}};
        QStringList arguments{QStringLiteral("--auto"), QStringLiteral("--out=out")};
        if (c.option)
            arguments << QString::fromLatin1(c.option);
        const Result run = Run(arguments << lzh << damaged);
        const std::string said =
            std::string(c.lang) + " " + (c.option ? c.option : "") + ":\n" + run.out.toStdString();
        EXPECT_EQ(run.exitStatus, 1) << said;
        QFile::remove(Out() + QStringLiteral("/A.EXE"));
        if (c.english) {
            EXPECT_FALSE(testSupport::HasJapanese(run.out)) << said;
            EXPECT_TRUE(run.out.contains(QStringLiteral("\n  Self-extractor created\n"))) << said;
            EXPECT_TRUE(run.out.endsWith(QStringLiteral("\nAll finished\n"))) << said;
        } else {
            EXPECT_TRUE(run.out.startsWith(Lines(japanese.mid(0, 3)))) << said;
            EXPECT_TRUE(run.out.endsWith(Lines({T(AllFinished)}))) << said;
        }
    }
}

TEST_F(AutomaticRun, HelpVersionAndWrongOptions)
{
    struct Case {
        QStringList arguments;
        int status;
        const char* stdoutHas;
    };
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, "Usage: tollbrook2"},
        {{QStringLiteral("--version")}, 0, "tollbrook2 1."},
        {{QStringLiteral("--kind=win64"), QStringLiteral("--auto")}, 3, ""},
        {{QStringLiteral("--out=no/such/folder"), QStringLiteral("--auto")}, 3, ""},
        {{QStringLiteral("--frobnicate")}, 3, ""},
        {{QStringLiteral("--lang=fr")}, 3, ""},
        {{QStringLiteral("--jobs=0"), QStringLiteral("--auto")}, 3, ""},
        {{QStringLiteral("--jobs=-2"), QStringLiteral("--auto")}, 3, ""},
        {{QStringLiteral("--jobs=many"), QStringLiteral("--auto")}, 3, ""},
    };
    for (const Case& c : cases) {
        const Result run = Run(c.arguments);
        EXPECT_EQ(run.exitStatus, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(c.stdoutHas)));
        if (c.status != 0) {
            EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
        }
    }
}

// Every line the program writes on standard error is in the chosen language:
// Japanese under ja, with no English word left but what it quotes, and
// nothing Japanese under en.
TEST_F(AutomaticRun, TheTerminalLinesFollowTheLanguage)
{
    WriteInput(QStringLiteral("c.txt"), "text");
    QDir().mkpath(In(QStringLiteral("d.cab")));
    const QString sample = Samples + QStringLiteral("/hello.lzh");
    QStringList overLimit{QStringLiteral("--auto")};
    for (int i = 0; i <= 1000; ++i)
        overLimit << Copy(sample, QStringLiteral("%1.lzh").arg(i));
    const QStringList autoMissing{QStringLiteral("--auto"), QStringLiteral("in/x.lzh")};
    struct Case {
        const char* what;
        QStringList arguments;
        const char* rawName; // printf format of a last argument that is no valid text, or null
        QByteArray settings;
        QMap<QString, QString> environment;
        int exitStatus;
        qsizetype lines;
    };
    const Case cases[] = {
        {"nothing given", {QStringLiteral("--auto")}, nullptr, {}, {}, 3, 1},
        {"names not taken",
         {QStringLiteral("--auto"), QStringLiteral("in/x.lzh"), QStringLiteral("in/d.cab"),
          QStringLiteral("in/c.txt")},
         nullptr,
         {},
         {},
         3,
         4},
        {"a name that is no UTF-8", {QStringLiteral("--auto")}, "in/\\223.lzh", {}, {}, 3, 2},
        {"an option that is no UTF-8", {QStringLiteral("--auto")}, "\\055-\\223", {}, {}, 3, 1},
        {"unknown kind", {QStringLiteral("--kind=zip")}, nullptr, {}, {}, 3, 1},
        {"unknown language", {QStringLiteral("--lang=fr")}, nullptr, {}, {}, 3, 1},
        {"no output folder", {QStringLiteral("--out=")}, nullptr, {}, {}, 3, 1},
        {"missing output folder", {QStringLiteral("--out=zz")}, nullptr, {}, {}, 3, 1},
        {"unknown option", {QStringLiteral("--zz")}, nullptr, {}, {}, 3, 1},
        {"a stored option not valid and a line",
         autoMissing,
         nullptr,
         "Lzh=maybe\nno equals sign\n",
         {},
         3,
         4},
        {"two lines of the settings", autoMissing, nullptr, "no equals\nsign\n", {}, 3, 3},
        {"over the limit", overLimit, nullptr, {}, {}, 4, 3},
        {"no display variables", {}, nullptr, {}, {}, 3, 1},
        {"offscreen asked",
         {},
         nullptr,
         {},
         {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}},
         3,
         1},
        {"display unreachable",
         {},
         nullptr,
         {},
         {{QStringLiteral("DISPLAY"), QStringLiteral(":9999")}},
         3,
         1},
    };
    // Words a line may quote from what it was given, in either language.
    const QStringList quoted{QStringLiteral("convmv"), QStringLiteral("help"), QStringLiteral("offscreen"),
                             QStringLiteral("maybe")};
    const QRegularExpression englishWord(QStringLiteral("\\b[a-z]{4,}\\b"));
    for (const Case& c : cases) {
        QFile::remove(SettingsFile());
        if (!c.settings.isEmpty())
            StoreSettings(c.settings);
        environment = c.environment;
        for (const char* lang : {"--lang=ja", "--lang=en"}) {
            const QStringList arguments = QStringList{QString::fromLatin1(lang)} + c.arguments;
            const Result run =
                c.rawName ? RunWithRawName(arguments, QString::fromLatin1(c.rawName)) : Run(arguments);
            const std::string said = std::string(c.what) + " " + lang + ":\n" + run.err.toStdString();
            EXPECT_EQ(run.exitStatus, c.exitStatus) << said;
            const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
            EXPECT_EQ(lines.size(), c.lines) << said;
            for (QString line : lines) {
                // The headless message box speaks under the application title.
                EXPECT_TRUE(line.startsWith(QStringLiteral("tollbrook2: "), Qt::CaseInsensitive)) << said;
                if (lang == std::string_view("--lang=en")) {
                    EXPECT_FALSE(testSupport::HasJapanese(line)) << said;
                    continue;
                }
                EXPECT_TRUE(testSupport::HasJapanese(line)) << said;
                line.remove(SettingsFile()).remove(dir.path());
                for (const QRegularExpressionMatch& word : englishWord.globalMatch(line))
                    EXPECT_TRUE(quoted.contains(word.captured()))
                        << word.captured().toStdString() << " in " << said;
            }
        }
    }
}

// A program installed without its translations still says everything, in
// the texts' source language, and says that the translation is missing.
TEST_F(AutomaticRun, WithoutItsTranslationsTheLinesStayReadable)
{
    const QString bare = dir.path() + QStringLiteral("/bare/bin/tollbrook2");
    QDir().mkpath(QFileInfo(bare).path());
    ASSERT_TRUE(QFile::copy(Program, bare));
    const struct {
        const char* lang;
        const char* missing;
    } cases[] = {{"--lang=ja", "the Japanese translation was not found"},
                 {"--lang=en", "the English translation was not found"}};
    for (const auto& c : cases) {
        const Result run = RunProgram(bare, {QString::fromLatin1(c.lang), QStringLiteral("--auto")});
        EXPECT_EQ(run.exitStatus, 3) << c.lang;
        const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << run.err.toStdString();
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("tollbrook2: ") + QString::fromLatin1(c.missing)))
            << lines[0].toStdString();
        EXPECT_EQ(
            lines[1],
            QStringLiteral("tollbrook2: no archive to convert (give existing archives of an enabled type)"));
    }
}

} // namespace
