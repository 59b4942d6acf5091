#pragma once

#include "platform/ThumbnailCache.h"

#include <QImage>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace tolvane {

// Thumbnails made off the user-interface thread: each request looks in the desktop's
// thumbnail cache, and only when the picture has none (and is not known to be
// unreadable) decodes it at the thumbnail's size and keeps the result there. Answers
// arrive on the user-interface thread as signals, each for the cell it was asked for;
// answers to requests made before the last Cancel never arrive.
class ThumbnailLoader : public QObject
{
    Q_OBJECT
public:
    explicit ThumbnailLoader(const QString& cacheRoot, QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    // A thumbnail of a local picture for cell `slot`, to fit a square of `edge`.
    void Request(int slot, const QString& local, int edge);
    void Cancel();
    // Waits until every request has been answered or dropped.
    void WaitForDone();

Q_SIGNALS:
    void ready(int slot, const QImage& thumbnail);
    void failed(int slot, const QString& why);

private:
    ThumbnailCache cache_;
    QThreadPool pool_;
    std::shared_ptr<std::atomic<int>> generation_ = std::make_shared<std::atomic<int>>(0);
};

} // namespace tolvane
