#include "PictureFiles.h"
#include "pictures/PictureReading.h"
#include "pictures/ThumbnailLoader.h"
#include "platform/MediaFixtures.h"
#include "platform/ThumbnailCache.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utime.h>

namespace tolvane {
namespace {

using PictureReading::Use;

// What reading makes of each kind of file: the size fitted into a box, or nothing.
TEST(PictureReading, FitsGoodPicturesAndRefusesBadOnesQuickly)
{
    QTemporaryDir dir;
    struct Case
    {
        const char* name;
        std::function<bool(const QString&)> write;
        Use use;
        QSize box;
        QSize expected; // empty: unreadable
    };
    const QSize wide(300, 200);
    const Case cases[] = {
        {"wide.jpg",
         [&](auto p) { return pictures::Solid(p, wide, Qt::blue); },
         Use::Thumbnail,
         {128, 128},
         {128, 85}},
        {"tall.png",
         [&](auto p) {
             return pictures::Solid(p, {100, 400}, Qt::red);
         },
         Use::Thumbnail,
         {128, 128},
         {32, 128}},
        {"small.png",
         [&](auto p) {
             return pictures::Solid(p, {40, 20}, Qt::red);
         },
         Use::Thumbnail,
         {128, 128},
         {40, 20}},
        {"small.bmp",
         [&](auto p) {
             return pictures::Solid(p, {40, 20}, Qt::red);
         },
         Use::Show,
         {352, 240},
         {352, 176}},
        {"empty.jpg",
         [&](auto p) { return pictures::Bytes(p, QByteArray()); },
         Use::Thumbnail,
         {128, 128},
         {}},
        {"noise.png",
         [&](auto p) { return pictures::Bytes(p, pictures::Noise()); },
         Use::Thumbnail,
         {128, 128},
         {}},
        {"huge.png",
         [&](auto p) { return pictures::Bytes(p, pictures::HugePng()); },
         Use::Show,
         {352, 240},
         {}},
        {"huge.bmp",
         [&](auto p) { return pictures::Bytes(p, pictures::HugeBmp()); },
         Use::Thumbnail,
         {128, 128},
         {}},
    };
    for (const Case& c : cases) {
        const QString path = dir.path() + "/" + c.name;
        ASSERT_TRUE(c.write(path)) << c.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QElapsedTimer clock;
        clock.start();
        const QImage image = PictureReading::ReadFitted(file, c.box, c.use);
        EXPECT_EQ(image.isNull() ? QSize() : image.size(), c.expected) << c.name;
        EXPECT_LT(clock.elapsed(), 2000) << c.name;
    }
}

// A camera's photo: its own preview makes the thumbnail when it shows the whole photo
// large enough; otherwise the photo is decoded. Either way it is turned upright.
TEST(PictureReading, CameraPreviewsServeThumbnailsUpright)
{
    QImage photo(300, 200, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    // Red on the left, green on the right: turned a quarter clockwise, red is on top.
    auto halves = [](QSize size) {
        QImage preview(size, QImage::Format_RGB32);
        preview.fill(Qt::green);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width() / 2; ++x)
                preview.setPixel(x, y, qRgb(255, 0, 0));
        return pictures::Jpeg(preview);
    };
    struct Case
    {
        const char* what;
        QByteArray file;
        Use use;
        QSize box;
        QSize expected;
        QRgb top; // the colour near the top left corner
    };
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const Case cases[] = {
        {"preview",
         pictures::CameraJpeg(photo, halves({180, 120})),
         Use::Thumbnail,
         {128, 128},
         {128, 85},
         red},
        {"preview with bars",
         pictures::CameraJpeg(photo, halves({160, 120})),
         Use::Thumbnail,
         {128, 128},
         {128, 85},
         blue},
        {"preview too small",
         pictures::CameraJpeg(photo, halves({180, 120})),
         Use::Thumbnail,
         {256, 256},
         {256, 170},
         blue},
        {"turned",
         pictures::CameraJpeg(photo, halves({180, 120}), 6),
         Use::Thumbnail,
         {128, 128},
         {85, 128},
         red},
        {"turned, shown",
         pictures::CameraJpeg(photo, halves({180, 120}), 6),
         Use::Show,
         {352, 240},
         {160, 240},
         blue},
        {"damaged preview",
         pictures::CameraJpeg(photo, halves({180, 120}), 1, 0x7FFFFFFF),
         Use::Thumbnail,
         {128, 128},
         {128, 85},
         blue},
        {"no jpeg inside",
         pictures::CameraJpeg(photo, pictures::Noise()),
         Use::Thumbnail,
         {128, 128},
         {128, 85},
         blue},
    };
    for (const Case& c : cases) {
        QBuffer buffer;
        buffer.setData(c.file);
        buffer.open(QIODevice::ReadOnly);
        const QImage image = PictureReading::ReadFitted(buffer, c.box, c.use);
        ASSERT_EQ(image.size(), c.expected) << c.what;
        const QColor seen = image.pixelColor(4, 4);
        const QColor want(c.top);
        EXPECT_LT(qAbs(seen.red() - want.red()) + qAbs(seen.green() - want.green()) +
                      qAbs(seen.blue() - want.blue()),
                  90)
            << c.what << " " << qPrintable(seen.name());
        // The preview's far corner is green in either orientation.
        if (c.top == red) {
            EXPECT_GT(QColor(image.pixel(image.width() - 4, image.height() - 4)).green(), 160)
                << c.what;
        }
    }
}

TEST(ThumbnailCache, NamesEntriesAsTheDesktopDoes)
{
    const std::pair<QString, QByteArray> uris[] = {
        {"/home/me/a.jpg", "file:///home/me/a.jpg"},
        {"/home/me/my pictures/100%.png", "file:///home/me/my%20pictures/100%25.png"},
        {QString::fromUtf8("/tmp/海邊.jpg"), "file:///tmp/%E6%B5%B7%E9%82%8A.jpg"},
        {"/tmp/a#b?.gif", "file:///tmp/a%23b%3F.gif"},
    };
    for (const auto& [local, uri] : uris) {
        EXPECT_EQ(ThumbnailCache::FileUri(local), uri) << local.toStdString();
        EXPECT_EQ(ThumbnailCache::FileName(uri),
                  QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png");
    }
    EXPECT_EQ(ThumbnailCache::EdgeFor(100), 128);
    EXPECT_EQ(ThumbnailCache::EdgeFor(129), 256);
}

class CacheTest : public ::testing::Test
{
protected:
    void SetMTime(const QString& path, time_t when)
    {
        utimbuf times{when, when};
        ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
    }

    QTemporaryDir dir;
    QString root = dir.path() + "/thumbnails";
    ThumbnailCache cache{root};
    QString picture = dir.path() + "/sea.jpg";
};

// An entry holds the picture's URI and change time, and serves only that state of it.
TEST_F(CacheTest, AnEntryServesThePictureOnlyAsItWas)
{
    ASSERT_TRUE(pictures::Solid(picture, {300, 200}, Qt::blue));
    SetMTime(picture, 1700000000);
    QImage thumbnail(128, 85, QImage::Format_RGB32);
    thumbnail.fill(Qt::green);
    ASSERT_TRUE(cache.Store(picture, 128, thumbnail));

    const QString entry = cache.PathOf(picture, 128);
    EXPECT_TRUE(entry.startsWith(root + "/normal/"));
    QFile written(entry);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(
        bytes.contains(QByteArray("tEXtThumb::URI\0", 15) + ThumbnailCache::FileUri(picture)));
    EXPECT_TRUE(bytes.contains(QByteArray("tEXtThumb::MTime\0"
                                          "1700000000",
                                          27)));
    EXPECT_EQ(QFile::permissions(entry) & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_EQ(cache.Find(picture, 128).pixel(5, 5), QColor(Qt::green).rgb());
    EXPECT_TRUE(cache.Find(picture, 256).isNull());

    // The same entry under another picture's name is not that picture's.
    const QString other = dir.path() + "/other.jpg";
    ASSERT_TRUE(pictures::Solid(other, {300, 200}, Qt::red));
    SetMTime(other, 1700000000);
    QDir().mkpath(QFileInfo(cache.PathOf(other, 128)).path());
    ASSERT_TRUE(QFile::copy(entry, cache.PathOf(other, 128)));
    EXPECT_TRUE(cache.Find(other, 128).isNull());

    // A changed picture has no thumbnail, and no failure either.
    cache.StoreFailure(picture);
    EXPECT_TRUE(cache.Failed(picture));
    SetMTime(picture, 1700000100);
    EXPECT_TRUE(cache.Find(picture, 128).isNull());
    EXPECT_FALSE(cache.Failed(picture));
    // A picture gone leaves nothing to serve.
    QFile::remove(picture);
    EXPECT_TRUE(cache.Find(picture, 128).isNull());
}

class LoaderTest : public CacheTest
{
protected:
    // Asks for each file's thumbnail; returns the sizes given back, an empty size for
    // those that could not be read.
    QList<QSize> Load(const QStringList& files, int edge = 128)
    {
        ThumbnailLoader loader(root);
        QList<QSize> sizes(files.size(), QSize(-1, -1));
        int answered = 0;
        QObject::connect(&loader, &ThumbnailLoader::ready, [&](int slot, const QImage& image) {
            sizes[slot] = image.size();
            ++answered;
        });
        QObject::connect(&loader, &ThumbnailLoader::failed, [&](int slot, const QString&) {
            sizes[slot] = QSize();
            ++answered;
        });
        for (int i = 0; i < files.size(); ++i)
            loader.Request(i, dir.path() + "/" + files[i], edge);
        EXPECT_TRUE(RunEventsUntil([&] { return answered == files.size(); }));
        return sizes;
    }
};

TEST_F(LoaderTest, GoodPicturesGetThumbnailsAndBadOnesAreSkipped)
{
    ASSERT_TRUE(pictures::Solid(dir.path() + "/a.jpg", {3000, 2000}, Qt::blue));
    ASSERT_TRUE(pictures::Solid(dir.path() + "/b.png", {90, 60}, Qt::red));
    ASSERT_TRUE(pictures::Bytes(dir.path() + "/zero.gif", QByteArray()));
    ASSERT_TRUE(pictures::Bytes(dir.path() + "/cut.jpg", pictures::CutJpeg()));
    ASSERT_TRUE(pictures::Bytes(dir.path() + "/huge.png", pictures::HugePng()));
    const QStringList files = {"a.jpg", "b.png", "zero.gif", "huge.png", "gone.jpg"};
    const QList<QSize> expected = {{128, 85}, {90, 60}, {}, {}, {}};
    EXPECT_EQ(Load(files), expected);
    // Kept for the next visit: the good ones as thumbnails, the bad ones as failures;
    // a file that is not there is no failure of its own.
    EXPECT_FALSE(cache.Find(dir.path() + "/a.jpg", 128).isNull());
    EXPECT_TRUE(cache.Failed(dir.path() + "/zero.gif"));
    EXPECT_TRUE(cache.Failed(dir.path() + "/huge.png"));
    EXPECT_FALSE(cache.Failed(dir.path() + "/gone.jpg"));
    // A cut JPEG shows what it holds.
    EXPECT_EQ(Load({"cut.jpg"}, 256), QList<QSize>({{256, 192}}));
}

// A second visit takes the thumbnail from the cache, not from the picture.
TEST_F(LoaderTest, ASecondVisitReadsTheCache)
{
    const QString path = dir.path() + "/a.jpg";
    ASSERT_TRUE(pictures::Solid(path, {300, 200}, Qt::blue));
    SetMTime(path, 1700000000);
    EXPECT_EQ(Load({"a.jpg"}), QList<QSize>({{128, 85}}));
    // Another picture in the same file at the same time: the cache's answer stays.
    ASSERT_TRUE(pictures::Solid(path, {200, 200}, Qt::blue));
    SetMTime(path, 1700000000);
    EXPECT_EQ(Load({"a.jpg"}), QList<QSize>({{128, 85}}));
    SetMTime(path, 1700000001);
    EXPECT_EQ(Load({"a.jpg"}), QList<QSize>({{128, 128}}));
}

TEST_F(LoaderTest, AnswersToCancelledRequestsNeverArrive)
{
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(pictures::Solid(dir.path() + QString("/%1.jpg").arg(i), {1200, 800}, Qt::red));
    ThumbnailLoader loader(root);
    QList<int> ready;
    QObject::connect(&loader, &ThumbnailLoader::ready,
                     [&](int slot, const QImage&) { ready.append(slot); });
    for (int i = 0; i < 12; ++i)
        loader.Request(i, dir.path() + QString("/%1.jpg").arg(i), 128);
    loader.Cancel();
    loader.Request(20, dir.path() + "/3.jpg", 128);
    ASSERT_TRUE(RunEventsUntil([&] { return !ready.isEmpty(); }));
    loader.WaitForDone();
    RunEventsFor(100);
    EXPECT_EQ(ready, QList<int>({20}));
}

} // namespace
} // namespace tolvane
