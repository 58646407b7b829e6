// The engine driving the real archiver libraries of the build on archives of
// the shared corpus; what the created files hold is judged by lhasa and
// cabextract.
#include "recorders.h"

#include "archiver/archiver.h"
#include "run/engine.h"
#include "support/fakeServices.h"
#include "support/fileBytes.h"
#include "support/tempFolder.h"
#include "util/paths.h"
#include "util/programMessages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Corpus = QStringLiteral(TB_CORPUS_DIR);
const QString SystemFolder = QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2");

using messages::ProgramMessage;
using testSupport::ReadBytes;

// The files an extractor takes out of `file`, by relative path.
QMap<QString, QByteArray> Extracted(const QString& file, const QString& target, bool cab)
{
    QDir().mkpath(target);
    QProcess tool;
    tool.setWorkingDirectory(target);
    if (cab)
        tool.start(QStringLiteral("cabextract"), {QStringLiteral("-q"), QStringLiteral("-d"), target, file});
    else
        tool.start(QStringLiteral("lhasa"), {QStringLiteral("xq"), file});
    tool.waitForFinished(30000);
    QMap<QString, QByteArray> files;
    QDirIterator it(target, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(target).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

struct Case {
    const char* name;
    const char* archive;         // below the corpus folder
    QList<ProgramMessage> lines; // after the header line
    short outcome;               // 0 done, 1 failed, -1 stop
    const char* created;         // expected file name, or ""
    bool cab;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.archive;
}

// The libraries keep their busy lock in the runtime folder; a folder of this
// test's own keeps other test programs converting at the same time from
// making the libraries look busy here. Their scratch-file token goes into a
// configuration folder of the test's own, not the user's home.
class RealConversion : public ::testing::TestWithParam<Case> {
protected:
    RealConversion()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        testSupport::UseOwnConfigurationFolder();
    }
    ~RealConversion() override { qunsetenv("XDG_RUNTIME_DIR"); }

    QTemporaryDir runtime;
};

TEST_P(RealConversion, ConvertsCorpusArchives)
{
    const Case& c = GetParam();
    const archiver::Libraries libraries = archiver::FindLibraries(SystemFolder);
    ASSERT_TRUE(libraries.Of(archiver::kLzh) && libraries.Of(archiver::kCab));
    const char* stub = c.cab ? "/sfx/cab-win32.exe" : "/sfx/lzh-win32.exe";
    ASSERT_TRUE(QFileInfo::exists(SystemFolder + QString::fromLatin1(stub)))
        << "the self-extractor stub " << stub << " is not built";

    DefaultOptions options;
    options::Current().convertLzhExe = true;
    options::Current().convertCabExe = true;
    options::Current().convertLzhX = true;
    QTemporaryDir dir;
    const QString out = dir.path() + QStringLiteral("/out/");
    QDir().mkpath(out);
    RecordingHistory history;
    RecordingOutput output;
    testSupport::FakeServices services;
    run::SfxEngine engine(libraries, history, output);

    const QString input = Corpus + u'/' + QString::fromLatin1(c.archive);
    const QByteArray before = ReadBytes(input);
    ASSERT_FALSE(before.isEmpty());

    run::RunCreatedFiles run;
    EXPECT_EQ(engine.ConvertArchive(input, out, tbarc::SfxKind::Win32, run), c.outcome);
    QStringList expected{QStringLiteral("[ ") + paths::ShortenPath(input) + QStringLiteral(" ]")};
    for (const ProgramMessage id : c.lines)
        expected << messages::Text(id);
    EXPECT_EQ(history.lines, expected);
    EXPECT_EQ(ReadBytes(input), before);
    EXPECT_TRUE(services.dialogs.asked.isEmpty());

    const QString created = QString::fromLatin1(c.created);
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden),
              created.isEmpty() ? QStringList() : QStringList{created});
    if (created.isEmpty())
        return;
    EXPECT_EQ(output.paths, QStringList({out + created}));
    const auto original = Extracted(input, dir.path() + QStringLiteral("/x/original"), c.cab);
    EXPECT_FALSE(original.isEmpty());
    EXPECT_EQ(Extracted(out + created, dir.path() + QStringLiteral("/x/created"), c.cab), original);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, RealConversion,
    ::testing::Values(Case{"Level1Lh5",
                           "fragglet_lhasa/test/archives/lh2_222/lh5.lzh",
                           {ProgramMessage::LzhMaking, ProgramMessage::Created},
                           0,
                           "LH5.EXE",
                           false},
                      Case{"Level0Lh0",
                           "fragglet_lhasa/test/archives/explzh_723/h0_lh0.lzh",
                           {ProgramMessage::LzhMaking, ProgramMessage::Created},
                           0,
                           "H0_LH0.EXE",
                           false},
                      Case{"Level2Lh7",
                           "fragglet_lhasa/test/archives/explzh_723/h2_lh7.lzh",
                           {ProgramMessage::LzhMaking, ProgramMessage::Created},
                           0,
                           "H2_LH7.EXE",
                           false},
                      Case{"DosSelfExtractor",
                           "fragglet_lhasa/test/archives/lha213/sfx.exe",
                           {ProgramMessage::LzhChecking, ProgramMessage::LzhMaking, ProgramMessage::Created},
                           0,
                           "SFX.EXE",
                           false},
                      Case{"X68000SelfExtractor",
                           "fragglet_lhasa/test/archives/lha_x68k_213/sfx.x",
                           {ProgramMessage::LzhChecking, ProgramMessage::LzhMaking, ProgramMessage::Created},
                           0,
                           "SFX.EXE",
                           false},
                      Case{"TruncatedLzh",
                           "fragglet_lhasa/test/archives/regression/truncated.lzh",
                           {ProgramMessage::LzhMaking, ProgramMessage::Failed},
                           1,
                           "",
                           false},
                      Case{"MszipCabinet",
                           "debian_libgcab-tests/test-mszip.cab",
                           {ProgramMessage::CabMaking, ProgramMessage::Created},
                           0,
                           "TEST-MSZIP.EXE",
                           true},
                      Case{"DamagedCabinet",
                           "debian_libgcab-tests/CVE-2015-4470.cab",
                           {ProgramMessage::CabMaking, ProgramMessage::Failed},
                           1,
                           "",
                           true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
