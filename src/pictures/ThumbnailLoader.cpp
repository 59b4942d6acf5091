#include "pictures/ThumbnailLoader.h"

#include "pictures/PictureReading.h"
#include "platform/LocalFiles.h"

#include <QFile>
#include <QThread>

namespace tolvane {

namespace {

constexpr int kDecodePriority = 1;
constexpr int kStorePriority = 0;

} // namespace

ThumbnailLoader::ThumbnailLoader(const QString& cacheRoot, QObject* parent)
    : QObject(parent), cache_(cacheRoot)
{
    PictureReading::LimitAllocation();
    pool_.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
}

ThumbnailLoader::~ThumbnailLoader()
{
    // The workers answer through this object: none may outlive it.
    Cancel();
    pool_.waitForDone();
}

void ThumbnailLoader::Cancel()
{
    // Requests still queued see the new generation and end at once; the thumbnails
    // waiting to be stored are kept.
    ++*generation_;
}

void ThumbnailLoader::WaitForDone()
{
    pool_.waitForDone();
}

void ThumbnailLoader::Request(int slot, const QString& local, int edge)
{
    const int asked = *generation_;
    auto generation = generation_;
    const ThumbnailCache cache = cache_;
    pool_.start(
        [this, slot, local, edge, asked, generation, cache] {
            auto answer = [&](const QImage& thumbnail, const QString& why) {
                QMetaObject::invokeMethod(
                    this,
                    [this, slot, thumbnail, why, asked, generation] {
                        if (*generation != asked)
                            return;
                        if (thumbnail.isNull())
                            Q_EMIT failed(slot, why);
                        else
                            Q_EMIT ready(slot, thumbnail);
                    },
                    Qt::QueuedConnection);
            };
            if (*generation != asked)
                return;
            QImage thumbnail = cache.Find(local, edge);
            if (!thumbnail.isNull())
                return answer(thumbnail, QString());
            if (cache.Failed(local))
                return answer(QImage(), QString());
            QFile file;
            // A picture gone since the folder was listed is not remembered as unreadable.
            if (!OpenLocal(file, local, QIODevice::ReadOnly))
                return answer(QImage(), file.errorString());
            QString why;
            thumbnail = PictureReading::ReadFitted(file, QSize(edge, edge),
                                                   PictureReading::Use::Thumbnail, &why);
            file.close();
            if (thumbnail.isNull()) {
                cache.StoreFailure(local);
                return answer(QImage(), why);
            }
            answer(thumbnail, QString());
            // Stored once the page's pictures are decoded: the page is what the user waits for.
            pool_.start([cache, local, edge, thumbnail] { cache.Store(local, edge, thumbnail); },
                        kStorePriority);
        },
        kDecodePriority);
}

} // namespace tolvane
