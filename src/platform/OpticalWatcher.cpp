#include "platform/OpticalWatcher.h"

#include "platform/DeviceEvents.h"
#include "platform/DriveMap.h"

#include <QFile>
#include <QTimer>
#include <cdio/cdio.h>
#include <unistd.h>

namespace tolvane {

namespace {

// Every few looks the medium is checked even without a change report, in case
// another program took the drive's change flag first.
constexpr int kFullCheckEvery = 4;

} // namespace

OpticalPoller::OpticalPoller(const QList<QPair<QChar, QString>>& devices)
{
    for (const auto& [letter, device] : devices)
        devices_.append({letter, device});
}

OpticalPoller::~OpticalPoller()
{
    for (Watched& watched : devices_) {
        if (watched.handle)
            cdio_destroy(watched.handle);
    }
}

void OpticalPoller::Start()
{
    Poll();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &OpticalPoller::Poll);
    timer->start(kIntervalMs);
}

namespace {

// Asked first so that a missing drive or one without permission stays quiet.
CdIo_t* OpenDevice(const QString& device)
{
    QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK) != 0)
        return nullptr;
    return cdio_open(path.constData(), DRIVER_DEVICE);
}

} // namespace

bool OpticalPoller::MediumPresent(const QString& device)
{
    CdIo_t* cdio = OpenDevice(device);
    if (!cdio)
        return false;
    track_t count = cdio_get_num_tracks(cdio);
    cdio_destroy(cdio);
    return count != CDIO_INVALID_TRACK && count > 0;
}

bool OpticalPoller::Changed(Watched& watched)
{
    if (!watched.handle)
        watched.handle = OpenDevice(watched.device);
    if (!watched.handle)
        return true;
    // 1 changed, 0 not, below 0 the drive cannot tell: then look each time.
    return cdio_get_media_changed(watched.handle) != 0;
}

void OpticalPoller::Poll()
{
    bool fullCheck = ticks_++ % kFullCheckEvery == 0;
    for (Watched& watched : devices_) {
        if (!Changed(watched) && !fullCheck && watched.present >= 0)
            continue;
        int present = MediumPresent(watched.device) ? 1 : 0;
        int before = watched.present;
        watched.present = present;
        if (before >= 0 && before != present)
            Q_EMIT MediaChanged(watched.letter, present == 1);
    }
}

OpticalWatcher::OpticalWatcher(const DriveMap& drives, DeviceEvents& events)
{
    QList<QPair<QChar, QString>> devices;
    for (const Drive& drive : drives.Drives()) {
        if (drive.IsOpticalDevice())
            devices.append({drive.letter, drive.root});
    }
    if (devices.isEmpty())
        return;
    auto* poller = new OpticalPoller(devices);
    poller->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::started, poller, &OpticalPoller::Start);
    QObject::connect(&thread_, &QThread::finished, poller, &QObject::deleteLater);
    QObject::connect(
        poller, &OpticalPoller::MediaChanged, &events,
        [&events](QChar letter, bool present) {
            if (present)
                events.RaiseArrival(letter);
            else
                events.RaiseRemoval(letter);
        },
        Qt::QueuedConnection);
    thread_.start();
}

OpticalWatcher::~OpticalWatcher()
{
    thread_.quit();
    thread_.wait();
}

} // namespace tolvane
