#include "BenchPlatform.h"
#include "forms/FrmDir.h"
#include "pictures/PictureBrowser.h"
#include "pictures/PictureFiles.h"
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
#include <unistd.h>

using namespace tolvane;

namespace {

constexpr int kPictures = 500;

// Two folders of 500 camera-size JPEGs (3000 x 2000, busy enough to weigh what a photo
// weighs) on drive E:: "photos" as a camera writes them, with a 160 x 107 preview in the
// Exif block, and "exported" as an editor saves them, with none. A player whose
// thumbnail cache is a folder of its own.
class PictureRig
{
public:
    PictureRig()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
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
        const QByteArray preview =
            pictures::Jpeg(photo.scaled(160, 107, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        ok = Folder("photos", pictures::CameraJpeg(photo, preview)) &&
             Folder("exported", pictures::Jpeg(photo));
    }

    // The same bytes under 500 names: links, so the folder costs one file's space.
    bool Folder(const QString& name, const QByteArray& bytes)
    {
        const QString folder = root.path() + "/" + name;
        const QString first = folder + "/IMG_0000.JPG";
        bool made = QDir().mkpath(folder) && pictures::Bytes(first, bytes);
        for (int i = 1; i < kPictures && made; ++i) {
            const QString next = folder + QString("/IMG_%1.JPG").arg(i, 4, 10, QChar('0'));
            made = ::link(QFile::encodeName(first).constData(),
                          QFile::encodeName(next).constData()) == 0;
        }
        return made;
    }

    // Opens the folder at 6 x 6 and waits until the 36 thumbnails of its first page
    // are in their cells.
    bool FirstPage(const QString& folder)
    {
        player.forms.Dir().SetGrid(6);
        player.browser.Open("E:\\" + folder);
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

    // Once the last page's thumbnails are stored, so none arrives after.
    void ForgetThumbnails()
    {
        player.browser.Loader().WaitForDone();
        QDir(cache.path() + "/thumbnails").removeRecursively();
    }

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

void Measure(benchmark::State& state, const QString& folder, bool cached, double budgetMs)
{
    EnsureApplication();
    PictureRig& rig = Rig();
    if (!rig.ok) {
        state.SkipWithError("the photos could not be written");
        return;
    }
    if (cached)
        rig.FirstPage(folder);
    for (auto _ : state) {
        state.PauseTiming();
        rig.player.forms.Dir().hide();
        if (!cached)
            rig.ForgetThumbnails();
        state.ResumeTiming();
        if (!rig.FirstPage(folder)) {
            state.SkipWithError("the page was not filled");
            return;
        }
    }
    state.counters["budget_ms"] = budgetMs;
}

// The first page of a 6 x 6 grid over 500 camera photos never seen: each thumbnail
// made off the user-interface thread from the photo's preview. Budget 300 ms.
void BM_ThumbnailPageCold(benchmark::State& state)
{
    Measure(state, "photos", false, 300);
}
BENCHMARK(BM_ThumbnailPageCold)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same over photos without previews: each decoded at its thumbnail size, which
// for a 3000 x 2000 JPEG still reads every coded block.
void BM_ThumbnailPageColdWithoutPreviews(benchmark::State& state)
{
    Measure(state, "exported", false, 300);
}
BENCHMARK(BM_ThumbnailPageColdWithoutPreviews)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

// The camera page again: every thumbnail from the desktop's cache. Budget 50 ms.
void BM_ThumbnailPageCached(benchmark::State& state)
{
    Measure(state, "photos", true, 50);
}
BENCHMARK(BM_ThumbnailPageCached)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace
