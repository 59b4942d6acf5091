#include "BenchPlatform.h"
#include "forms/FrmDir.h"
#include "pictures/PictureBrowser.h"
#include "pictures/ThumbnailLoader.h"
#include "platform/Mpv.h"
#include "shell/Player.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>

using namespace tolvane;

namespace {

constexpr int kPictures = 500;

// A folder of 500 camera-size JPEGs (3000 x 2000, busy enough to weigh what a photo
// weighs) as drive E:, and a player whose thumbnail cache is a folder of its own.
class PictureRig
{
public:
    PictureRig()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        QDir().mkpath(root.path() + "/photos");
        QImage photo(3000, 2000, QImage::Format_RGB32);
        std::uint32_t seed = 7;
        for (int y = 0; y < photo.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = int(seed >> 28);
                row[x] = qRgb((x / 12 + grain) & 0xff, (y / 8 + grain) & 0xff,
                              ((x + y) / 20 + grain) & 0xff);
            }
        }
        const QString first = root.path() + "/photos/IMG_0000.JPG";
        ok = photo.save(first, "JPG", 90);
        for (int i = 1; i < kPictures && ok; ++i)
            ok = QFile::copy(first,
                             root.path() + QString("/photos/IMG_%1.JPG").arg(i, 4, 10, QChar('0')));
    }

    // Opens the folder at 6 x 6 and waits until the 36 thumbnails of its first page
    // are in their cells.
    bool FirstPage()
    {
        player.forms.Dir().SetGrid(6);
        player.browser.Open("E:\\photos");
        QDeadlineTimer deadline(60000);
        const QList<PictureCell*>& cells = player.forms.Dir().Cell;
        for (;;) {
            int shown = 0;
            for (const PictureCell* cell : cells)
                shown += !cell->Picture->pixmap().isNull();
            if (shown == cells.size())
                return true;
            if (deadline.hasExpired())
                return false;
            // Sleeps until the next thumbnail arrives: the decoding threads have the cores.
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }

    void ForgetThumbnails() { QDir(cache.path() + "/thumbnails").removeRecursively(); }

    QTemporaryDir cache;
    QTemporaryDir root;
    QTemporaryDir home;
    bool ok = false;
    NoDisc disc;
    MediaEngine engine{{{"vo", "null"}, {"ao", "null"}}};
    BenchPlatform base{home.path(), root.path(), disc, engine};
    Player player{base.platform};
};

PictureRig& Rig()
{
    static PictureRig rig;
    return rig;
}

void Measure(benchmark::State& state, bool cached, double budgetMs)
{
    EnsureApplication();
    PictureRig& rig = Rig();
    if (!rig.ok) {
        state.SkipWithError("the photos could not be written");
        return;
    }
    if (cached)
        rig.FirstPage();
    for (auto _ : state) {
        state.PauseTiming();
        rig.player.forms.Dir().hide();
        if (!cached)
            rig.ForgetThumbnails();
        state.ResumeTiming();
        if (!rig.FirstPage()) {
            state.SkipWithError("the page was not filled");
            return;
        }
    }
    state.counters["budget_ms"] = budgetMs;
}

// The first page of a 6 x 6 grid over 500 photos never seen: each decoded at its
// thumbnail size off the user-interface thread. Budget 300 ms.
void BM_ThumbnailPageCold(benchmark::State& state)
{
    Measure(state, false, 300);
}
BENCHMARK(BM_ThumbnailPageCold)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same page again: every thumbnail from the desktop's cache. Budget 50 ms.
void BM_ThumbnailPageCached(benchmark::State& state)
{
    Measure(state, true, 50);
}
BENCHMARK(BM_ThumbnailPageCached)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace
