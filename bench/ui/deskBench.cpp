// The desk's speed, on Qt's offscreen platform with a settings folder of its
// own. Targets (each a counter of its benchmark):
//   BM_StartToIdle         desk_ms / bare_ms ("ratio") at most 1.5: a process
//                          that starts the desk (options, libraries, fonts,
//                          all windows shown) until its event loop is idle,
//                          against one that shows a bare QMainWindow with a
//                          QMdiArea and six empty children (with the desk's
//                          captions); one right after the other;
//   BM_WindowsToIdle       the same for the windows alone, inside one
//                          process (no target: where the desk's own time
//                          goes);
//   BM_AddAllArchives      1000 archives into the work list ("add all") in at
//                          most 50 ms;
//   BM_HistoryLines        30002 lines appended and shown in at most 1 s, and
//                          a scroll with its repaint ("scroll_ms") well under
//                          a frame;
//   BM_InteractiveRun      a run from an Execute button over N small archives
//                          against the automatic run over the same files, both
//                          in their own process or both on the same number of
//                          workers (the second argument), "ratio" at most 2
//                          in their process and 1.5 on workers;
//                          "run_ms_per_file" stays flat from 250 to 1000 files
//                          (the folder windows' refresh does not grow with
//                          the output folder). deskBenchAccessible.py runs
//                          it with the accessibility bridge on and a client
//                          listening, as a screen reader does: the same
//                          targets.
#include "archiver/archiver.h"
#include "benchKit.h"
#include "run/autoRun.h"
#include "run/engine.h"
#include "run/workerProcesses.h"
#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"
#include "ui/children/folderWindow.h"
#include "ui/children/historyWindow.h"
#include "ui/children/inputListWindow.h"
#include "ui/desk/mainWindow.h"
#include "platform/fontAliases.h"
#include "ui/children/workListWindow.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <time.h>

namespace {

// A child window of the desk by its internal name (docs/names.md).
template <typename Window>
Window& Child(const MainWindow& desk, const char* name)
{
    return *desk.findChild<Window*>(QString::fromLatin1(name));
}

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// Turns the event loop until everything posted so far, and what that
// posted in turn, has been handled.
void UntilIdle()
{
    for (int round = 0; round < 3; ++round) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The folder the runs read from and write to: a memory file system when
// there is one. On a disk, making many small files soon after many were
// deleted costs the file system's allocator more than a whole conversion
// (ext4 without a journal walks past every recently freed inode), and
// that cost would be measured instead of the program's.
QString ScratchRoot()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
        ? QStringLiteral("/dev/shm/deskBench-XXXXXX")
        : QDir::tempPath() + QStringLiteral("/deskBench-XXXXXX");
}

// A folder of copies of the small sample archive, and fresh output folders.
struct Archives {
    QTemporaryDir dir{ScratchRoot()};
    QStringList paths;
    int rounds = 0;

    explicit Archives(int count)
    {
        QDir(dir.path()).mkpath(QStringLiteral("in"));
        for (int i = 0; i < count; ++i) {
            paths << dir.path() + QStringLiteral("/in/a%1.lzh").arg(i, 4, 10, QChar(u'0'));
            QFile::copy(QStringLiteral(TB_SOURCE_DIR "/samples/hello.lzh"), paths.last());
        }
    }
    QString Input() const { return dir.path() + QStringLiteral("/in"); }
    QString Fresh(const QString& name)
    {
        const QString folder = dir.path() + u'/' + name + QString::number(++rounds);
        QDir().mkpath(folder);
        return folder;
    }
};

void UseDefaultOptions()
{
    options::Current() = options::Defaults();
    options::Current().autoRunCopiesHistory = false;
}

// Processor time of the whole process (user and system), in milliseconds.
double ProcessCpuMs()
{
    return benchKit::ProcessCpuSeconds() * 1e3;
}

using benchKit::Median;

// Wall and processor time from here to Stop(), in milliseconds.
struct Stopwatch {
    Clock::time_point wall = Clock::now();
    double cpu = ProcessCpuMs();
    std::pair<double, double> Stop() const { return {Ms(Clock::now() - wall).count(), ProcessCpuMs() - cpu}; }
};

// Wall and processor times of two things measured round by round, one
// right after the other; medians, as a busy machine makes single rounds slow
// now and then.
struct PairedTimes {
    std::vector<double> wall[2], cpu[2];

    void Add(std::pair<double, double> first, std::pair<double, double> second)
    {
        wall[0].push_back(first.first);
        cpu[0].push_back(first.second);
        wall[1].push_back(second.first);
        cpu[1].push_back(second.second);
    }
    double Wall(int which) const { return Median(wall[which]); }
    double Ratio() const { return Wall(0) / Wall(1); }
    double CpuRatio() const { return Median(cpu[0]) / Median(cpu[1]); }
};

// The desk from its creation until the event loop is idle with everything
// shown; the window's destruction is not counted.
std::pair<double, double> StartDesk()
{
    const Stopwatch watch;
    MainWindow window;
    window.PrepareDesk();
    window.show();
    UntilIdle();
    return watch.Stop();
}

// The same for a bare MDI window with six empty children. They carry the
// desk's captions: a caption is part of a window's frame, laid out in its
// font.
std::pair<double, double> StartBareWindow()
{
    const Stopwatch watch;
    QMainWindow window;
    auto* area = new QMdiArea;
    window.setCentralWidget(area);
    for (const char* caption : {"圧縮ファイル格納フォルダ", "圧縮ファイル名", "自己解凍作成ファイル名",
                                "自己解凍格納フォルダ", "実行履歴", "自己解凍作成終了ファイル"}) {
        auto* child = new QWidget;
        child->setWindowTitle(QString::fromUtf8(caption));
        area->addSubWindow(child)->show();
    }
    window.resize(533, 533);
    window.show();
    UntilIdle();
    return watch.Stop();
}

void BM_WindowsToIdle(benchmark::State& state)
{
    UseDefaultOptions();
    PairedTimes times;
    for (auto _ : state) {
        const auto deskTime = StartDesk();
        const auto bareTime = StartBareWindow();
        times.Add(deskTime, bareTime);
        state.SetIterationTime((deskTime.first + bareTime.first) / 1000);
    }
    state.counters["desk_ms"] = times.Wall(0);
    state.counters["bare_ms"] = times.Wall(1);
    state.counters["ratio"] = times.Ratio();
    state.counters["cpu_ratio"] = times.CpuRatio();
}

// Wall time of one start of this program in a child mode, until it ends.
double ChildStartMs(const QString& mode)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto start = Clock::now();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start=") + mode});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    return Ms(Clock::now() - start).count();
}

void BM_StartToIdle(benchmark::State& state)
{
    std::vector<double> desk, bare;
    for (auto _ : state) {
        desk.push_back(ChildStartMs(QStringLiteral("desk")));
        bare.push_back(ChildStartMs(QStringLiteral("bare")));
        if (desk.back() < 0 || bare.back() < 0) {
            state.SkipWithError("a start failed");
            break;
        }
        state.SetIterationTime((desk.back() + bare.back()) / 1000);
    }
    state.counters["desk_ms"] = Median(desk);
    state.counters["bare_ms"] = Median(bare);
    state.counters["ratio"] = Median(desk) / Median(bare);
}

// The child modes of BM_StartToIdle: a process that starts as the program
// does (options, libraries, fonts, the desk) or with only the bare window,
// and ends as soon as its event loop is idle. Both are this same program, so
// loading them costs the same.
int StartChild(const QString& mode, int argc, char** argv)
{
    const bool desk = mode == u"desk";
    if (desk) {
        options::LoadOptions();
        archiver::LoadInstalledLibraries();
    }
    QApplication application(argc, argv);
    if (desk) {
        platform::LoadFontAliases(platform::InstalledFontRules());
        StartDesk();
    } else {
        StartBareWindow();
    }
    std::fflush(nullptr);
    std::_Exit(0); // tearing the windows down is no part of a start
}

void BM_AddAllArchives(benchmark::State& state)
{
    UseDefaultOptions();
    Archives archives(1000);
    MainWindow window;
    window.PrepareDesk();
    window.show();
    Child<FolderWindow>(window, "mdiinDir").OpenFolder(archives.Input());
    UntilIdle();
    for (auto _ : state) {
        Child<WorkListWindow>(window, "mdiFile").Work().Clear();
        UntilIdle();
        const auto start = Clock::now();
        Child<InputListWindow>(window, "mdiinFile").AddAll();
        UntilIdle();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (Child<WorkListWindow>(window, "mdiFile").Work().Count() != 1000)
            state.SkipWithError("not every archive was taken");
    }
}

void BM_HistoryLines(benchmark::State& state)
{
    UseDefaultOptions();
    MainWindow window;
    window.PrepareDesk();
    window.show();
    UntilIdle();
    HistoryModel& history = Child<HistoryWindow>(window, "mdiStatus").History();
    QListView& view = Child<QListView>(window, "lstKekka");
    double scroll = 0;
    for (auto _ : state) {
        history.Clear();
        UntilIdle();
        const auto start = Clock::now();
        for (int i = 0; i < 30002; ++i)
            history.Add(QStringLiteral("\u3000line %1 of the history").arg(i));
        UntilIdle();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        const auto scrolled = Clock::now();
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
        view.viewport()->repaint();
        scroll += Ms(Clock::now() - scrolled).count();
        if (history.Count() != 30002)
            state.SkipWithError("lines went missing");
    }
    state.counters["scroll_ms"] = scroll / double(state.iterations());
}

void BM_InteractiveRun(benchmark::State& state)
{
    UseDefaultOptions();
    const int count = int(state.range(0));
    // 0: both in their own process; otherwise both on this many workers.
    const int workers = int(state.range(1));
    Archives archives(count);
    PairedTimes times;
    for (auto _ : state) {
        MainWindow window;
        if (workers > 0)
            window.ConvertOnWorkers([workers] { return std::make_unique<run::WorkerProcesses>(workers); });
        window.PrepareDesk(archives.paths);
        const QString deskOut = archives.Fresh(QStringLiteral("desk"));
        Child<FolderWindow>(window, "mdiOutDir").OpenFolder(deskOut);
        window.show();
        UntilIdle();
        const Stopwatch deskWatch;
        QEventLoop deskLoop;
        QObject::connect(&window, &MainWindow::RunFinished, &deskLoop, &QEventLoop::quit);
        window.Execute(tbarc::SfxKind::Win32);
        // On workers Execute returns at once; the desk's loop turns, as the
        // program's does, until the run has finished.
        if (window.IsRunning())
            deskLoop.exec();
        UntilIdle();
        const auto deskTime = deskWatch.Stop();
        const qsizetype deskMade = QDir(deskOut).entryList(QDir::Files).size();

        WorkListModel work;
        HistoryModel history;
        OutputListModel output;
        run::SfxEngine engine(archiver::InstalledLibraries(), history, output);
        run::WorkerProcesses processes(workers);
        const QString out = archives.Fresh(QStringLiteral("auto"));
        const Stopwatch automaticWatch;
        const auto summary = run::AutoRun(archives.paths, tbarc::SfxKind::Win32, out,
                                          {work, history, engine, {}, workers > 0 ? &processes : nullptr})
                                 .summary;
        const auto automaticTime = automaticWatch.Stop();
        if (deskMade != count || !summary || summary->done != count) {
            state.SkipWithError("not every archive was converted");
            break;
        }
        times.Add(deskTime, automaticTime);
        state.SetIterationTime((deskTime.first + automaticTime.first) / 1000);
    }
    state.counters["run_ms"] = times.Wall(0);
    state.counters["auto_ms"] = times.Wall(1);
    state.counters["run_ms_per_file"] = times.Wall(0) / count;
    state.counters["ratio"] = times.Ratio();
    state.counters["cpu_ratio"] = times.CpuRatio();
}

} // namespace

BENCHMARK(BM_StartToIdle)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_WindowsToIdle)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);
BENCHMARK(BM_AddAllArchives)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_HistoryLines)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_InteractiveRun)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Args({250, 0})
    ->Args({1000, 0})
    ->Args({1000, 2})
    ->Iterations(5);

int main(int argc, char** argv)
{
    // No display needed, and the user's own settings are never touched.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::strncmp(argv[1], "--start=", 8) == 0)
        return StartChild(QString::fromLatin1(argv[1] + 8), argc, argv);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QDir::setCurrent(home.path());
    QApplication application(argc, argv);
    archiver::InstalledLibraries() = archiver::FindLibraries(QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
