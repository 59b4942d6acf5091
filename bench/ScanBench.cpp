#include "BenchPlatform.h"
#include "discovery/MusicScan.h"
#include "shell/Player.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <string>

using namespace tolvane;

namespace {

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 99; // 100 + 100 * 99 = 10,000 folders
constexpr int kFilesPerFolder = 10;

void FillFolder(const QString& folder)
{
    QDir().mkpath(folder);
    // Eight songs, a cover and a note: most folders are albums, as on a music disc.
    for (int i = 0; i < kFilesPerFolder; ++i) {
        QString name = i < 8 ? QString("Track%1.mp3").arg(i, 2, 10, QChar('0'))
                             : (i == 8 ? QString("cover.jpg") : QString("notes.txt"));
        QFile(folder + "/" + name).open(QIODevice::WriteOnly);
    }
}

// 100,000 files in 10,000 folders, two levels deep; made once per run.
struct Tree
{
    Tree()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tolvane_bench";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app = new QApplication(argc, argv);
        root = dir.path() + "/tree";
        home = dir.path() + "/home";
        QDir().mkpath(home + "/Tolvane99");
        for (int top = 0; top < kTopFolders; ++top) {
            QString topFolder = root + QString("/Artist %1").arg(top);
            FillFolder(topFolder);
            for (int sub = 1; sub < kSubFolders + 1; ++sub)
                FillFolder(topFolder + QString("/Album %1").arg(sub));
        }
    }

    QApplication* app = nullptr;
    QTemporaryDir dir;
    QString root;
    QString home;
};

Tree& SharedTree()
{
    static Tree tree;
    return tree;
}

// The best of a few runs of find over the same tree, in seconds.
double FindSeconds(const QString& root)
{
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start("find", {root});
        find.waitForFinished(-1);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

// The player over the real platform, as the program runs it, with the tree as E:.
struct BenchPlayer
{
    explicit BenchPlayer(const Tree& tree) : base(tree.home, tree.root, mci, engine) {}

    NoDisc mci;
    MediaEngine engine;
    BenchPlatform base;
    DosFiles& files = base.files;
    Player player{base.platform};
};

int LogLineCount(const DosFiles& files)
{
    QByteArray log;
    files.ReadAll("C:\\Tolvane99\\TL99.log", log);
    return int(log.count("\r\n"));
}

constexpr int kFolders = kTopFolders * (kSubFolders + 1);

// A figure of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when missing.
double StatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stod(line.substr(field.size() + 1));
    }
    return -1;
}

// Starts the peak over again at the present resident size.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_MusicScan(benchmark::State& state)
{
    Tree& tree = SharedTree();
    BenchPlayer bench(tree);
    MusicScan scan(bench.player.context, bench.player.forms);
    int shows = 0;
    scan.hooks.relayoutLabels = [&] { ++shows; };

    const double find = FindSeconds(tree.root);
    double best = std::numeric_limits<double>::max();
    int albums = 0;
    // The memory the scans add: the peak while they run, and what stays after them.
    ResetPeak();
    const double before = StatusKb("VmRSS");
    for (auto _ : state) {
        state.PauseTiming();
        bench.files.Remove("C:\\Tolvane99\\TL99.log"); // one scan's lines, as after a start
        shows = 0;
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        albums = scan.ScanFileEx("E:", "MP3;WAV");
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    // The figures only count when the scan did all it has to: every album, one log line
    // for every folder met, and progress shown while it ran.
    if (albums != kFolders)
        state.SkipWithError("the scan missed albums");
    else if (LogLineCount(bench.files) != kFolders)
        state.SkipWithError("a folder's log line is missing");
    else if (shows < 2)
        state.SkipWithError("no progress was shown");
    state.counters["find_ms"] = find * 1000;
    state.counters["progress_shows"] = shows;
    state.counters["ratio_to_find"] = best / find;
    state.counters["peak_added_mb"] = (StatusKb("VmHWM") - before) / 1024;
    state.counters["kept_added_mb"] = (StatusKb("VmRSS") - before) / 1024;
}
BENCHMARK(BM_MusicScan)->Unit(benchmark::kMillisecond)->Iterations(3);

// The scan's share that is the log: one line for each of the tree's folders, written as
// the scan writes them, against the same find.
void BM_LogLines(benchmark::State& state)
{
    Tree& tree = SharedTree();
    BenchPlayer bench(tree);
    const QString line = "E:\\Artist 10\\Album 10 [8] 12:34:56";
    const double find = FindSeconds(tree.root);
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        state.PauseTiming();
        bench.files.Remove("C:\\Tolvane99\\TL99.log");
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kFolders; ++i)
            bench.player.context.log.LogWrite(line);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    state.counters["us_per_line"] = best / kFolders * 1e6;
    state.counters["ratio_to_find"] = best / find;
}
BENCHMARK(BM_LogLines)->Unit(benchmark::kMillisecond)->Iterations(3);

// The walk alone: listing every folder once, without counting, labels or log lines.
void BM_FolderWalk(benchmark::State& state)
{
    Tree& tree = SharedTree();
    DriveMap drives({{'E', tree.root, kDriveFixed}});
    DosFiles files(drives);
    LocalFolderSource source(files);
    const double find = FindSeconds(tree.root);
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        source.Begin();
        QStringList queue{"E:\\"};
        FolderListing listing;
        for (qsizetype i = 0; i < queue.size(); ++i) {
            if (source.List(queue[i], listing) != FolderSource::Listed)
                continue;
            for (const QString& name : listing.folders)
                queue.append(queue[i] + (queue[i].endsWith('\\') ? "" : "\\") + name);
        }
        benchmark::DoNotOptimize(queue.size());
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    state.counters["ratio_to_find"] = best / find;
}
BENCHMARK(BM_FolderWalk)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
