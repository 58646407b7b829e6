// One automatic run over 1000 small archives (100 KB each, 100 MB in all)
// through the real libraries, against `cp` of the same archives, both on a
// memory file system (/dev/shm) so the disk does not decide. Each round does
// both, one right after the other, so a busy machine slows both alike. The
// counters are medians over the rounds: "ratio" is the run's time over the
// copy's (target: at most 1.5).
//
// "floor_ratio" measures, in the same round, the least any sealed
// self-extractor costs against the same copy: each archive opened and read
// into memory (its seal's CRC-32 needs every byte), the CRC taken, a new file
// created, stub and archive written in one writev, the file renamed into
// place; no check, lock or name rule at all. "checked_floor_ratio" adds the
// few calls a safe conversion cannot do without: the name taken into the
// list only once it opens as a file, the output's place looked at before
// (the folder, no file of that name or the archive itself there) and after,
// the scratch file locked against cleaners, the archive's time given to the
// output.
#include "archiver/archiver.h"
#include "benchKit.h"
#include "run/autoRun.h"
#include "run/engine.h"
#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"
#include "support/lzhArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <isa-l/crc.h>

#include <chrono>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

constexpr int ArchiveCount = 1000;
constexpr int ArchiveBytes = 100 * 1000;
constexpr int Rounds = 7;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// A folder on a memory file system when there is one.
QString ScratchRoot()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

// One stored entry of random bytes, so the archive is about ArchiveBytes long.
QByteArray SmallArchive()
{
    std::mt19937 random(7);
    std::string data(ArchiveBytes - 100, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    const testSupport::Bytes bytes = testSupport::MakeLzhArchive({{"", "data.bin", data}}, 1);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

struct Batch {
    QTemporaryDir dir{ScratchRoot() + QStringLiteral("/tb-run-bench-XXXXXX")};
    QStringList archives;
    int rounds = 0;

    Batch()
    {
        QDir(dir.path()).mkpath(QStringLiteral("in"));
        const QByteArray archive = SmallArchive();
        for (int i = 0; i < ArchiveCount; ++i) {
            archives << dir.path() + QStringLiteral("/in/a%1.lzh").arg(i, 4, 10, QChar(u'0'));
            QFile file(archives.last());
            if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size())
                archives.clear();
        }
    }

    // A new, empty folder for every round: deleting the files of the last
    // round first would make the file system's inode allocation, not the
    // work measured, dominate the time.
    QString Fresh(const QString& name)
    {
        const QString folder = dir.path() + u'/' + name + QString::number(++rounds);
        QDir().mkpath(folder);
        return folder;
    }
};

bool CopyWithCp(const QStringList& files, const QString& to)
{
    return QProcess::execute(QStringLiteral("cp"), QStringList{QStringLiteral("-t"), to} + files) == 0;
}

// The least a sealed self-extractor of each archive costs (see the top).
bool SealedCopyFloor(const QStringList& files, const QString& to, bool checked)
{
    const QByteArray folder = QFile::encodeName(to);
    static std::vector<char> stub(20 * 1024, 'S');
    static std::vector<char> bytes(2 * ArchiveBytes);
    std::uint32_t seal = 0;
    int made = 0;
    for (const QString& file : files) {
        const QByteArray from = QFile::encodeName(file);
        const QByteArray name = QFile::encodeName(to + u'/' + QFileInfo(file).completeBaseName());
        struct stat status, other;
        if (checked) {
            const int admitted = open(from.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
            if (admitted < 0 || fstat(admitted, &status) != 0 || close(admitted) != 0)
                return false;
            stat(folder.constData(), &other);
            lstat((name + ".EXE").constData(), &other);
        }
        const int in = open(from.constData(), O_RDONLY | O_CLOEXEC);
        if (in < 0 || fstat(in, &status) != 0 || static_cast<std::size_t>(status.st_size) > bytes.size())
            return false;
        const ssize_t got = pread(in, bytes.data(), static_cast<std::size_t>(status.st_size), 0);
        close(in);
        if (got != status.st_size)
            return false;
        seal ^= crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(bytes.data()), got);
        const QByteArray scratch = name + ".tmp";
        const int out = open(scratch.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const int lock = checked ? fcntl(out, F_DUPFD_CLOEXEC, 0) : -1;
        if (checked && (flock(lock, LOCK_EX | LOCK_NB) != 0 || fstat(out, &other) != 0))
            return false;
        iovec pieces[2] = {{stub.data(), stub.size()}, {bytes.data(), static_cast<std::size_t>(got)}};
        const bool written = out >= 0 && writev(out, pieces, 2) == static_cast<ssize_t>(stub.size()) + got;
        const struct timespec times[2] = {{0, UTIME_OMIT}, status.st_mtim};
        if (checked)
            futimens(out, times);
        if (out < 0 || close(out) != 0 || !written
            || rename(scratch.constData(), (name + ".EXE").constData()) != 0)
            return false;
        if (checked && (close(lock) != 0 || stat((name + ".EXE").constData(), &other) != 0))
            return false;
        made += seal != 1; // keeps the CRC from being left out
    }
    return made > 0;
}

using benchKit::Median;

// state.range(0): the LZH option string asks the library to check every
// entry before it wraps the archive (1, its default) or not (0, -gt0).
void BM_AutomaticRunAgainstCp(benchmark::State& state)
{
    options::Current() = options::Defaults();
    if (state.range(0) == 0)
        options::Current().lzhWin32Options += QStringLiteral(" -gt0");
    options::Current().autoRunCopiesHistory = false;
    archiver::InstalledLibraries() = archiver::FindLibraries(QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2"));
    Batch batch;
    if (batch.archives.size() != ArchiveCount) {
        state.SkipWithError("cannot write the archives");
        return;
    }

    std::vector<double> runMs, copyMs, ratios, floorRatios, checkedFloorRatios;
    for (auto _ : state) {
        const QString out = batch.Fresh(QStringLiteral("out"));
        const QString copy = batch.Fresh(QStringLiteral("copy"));
        const QString floor = batch.Fresh(QStringLiteral("floor"));
        const QString checkedFloor = batch.Fresh(QStringLiteral("checked"));
        WorkListModel work;
        HistoryModel history;
        OutputListModel output;
        run::SfxEngine engine(archiver::InstalledLibraries(), history, output);

        const auto start = Clock::now();
        const auto summary =
            run::AutoRun(batch.archives, tbarc::SfxKind::Win32, out, {work, history, engine}).summary;
        const auto ran = Clock::now();
        if (!summary || summary->done != ArchiveCount) {
            state.SkipWithError("not every archive was converted");
            break;
        }
        if (!CopyWithCp(batch.archives, copy)) {
            state.SkipWithError("cp failed");
            break;
        }
        const auto copied = Clock::now();
        if (!SealedCopyFloor(batch.archives, floor, false)) {
            state.SkipWithError("the sealed copy failed");
            break;
        }
        const auto floored = Clock::now();
        if (!SealedCopyFloor(batch.archives, checkedFloor, true)) {
            state.SkipWithError("the checked sealed copy failed");
            break;
        }
        floorRatios.push_back(Ms(floored - copied).count() / Ms(copied - ran).count());
        checkedFloorRatios.push_back(Ms(Clock::now() - floored).count() / Ms(copied - ran).count());
        runMs.push_back(Ms(ran - start).count());
        copyMs.push_back(Ms(copied - ran).count());
        ratios.push_back(runMs.back() / copyMs.back());
        state.SetIterationTime(std::chrono::duration<double>(copied - start).count());
        QDir(out).removeRecursively();
        QDir(copy).removeRecursively();
        QDir(floor).removeRecursively();
        QDir(checkedFloor).removeRecursively();
    }
    if (ratios.empty())
        return;
    state.counters["run_ms"] = Median(runMs);
    state.counters["cp_ms"] = Median(copyMs);
    state.counters["ratio"] = Median(ratios);
    state.counters["floor_ratio"] = Median(floorRatios);
    state.counters["checked_floor_ratio"] = Median(checkedFloorRatios);
}

} // namespace

BENCHMARK(BM_AutomaticRunAgainstCp)
    ->ArgName("verified")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(Rounds);
