#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QThread>

struct _CdIo;

namespace tolvane {

class DeviceEvents;
class DriveMap;

// Looks at the real optical drives twice a second on its own thread and tells which
// one gained or lost its medium. The first look only learns the state.
class OpticalPoller : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 500;

    explicit OpticalPoller(const QList<QPair<QChar, QString>>& devices);
    ~OpticalPoller() override;

    // Runs on the poller's thread.
    void Start();
    void Poll();
    static bool MediumPresent(const QString& device);

Q_SIGNALS:
    void MediaChanged(QChar letter, bool present);

private:
    struct Watched
    {
        QChar letter;
        QString device;
        _CdIo* handle = nullptr; // kept open for the media-changed query
        int present = -1;        // unknown until the first look
    };
    bool Changed(Watched& watched);

    QList<Watched> devices_;
    int ticks_ = 0;
};

// The device events of the map's real optical drives (roots such as /dev/sr0).
// Nothing runs when there is none; a drive that cannot be opened is never reported.
class OpticalWatcher
{
public:
    OpticalWatcher(const DriveMap& drives, DeviceEvents& events);
    ~OpticalWatcher();
    OpticalWatcher(const OpticalWatcher&) = delete;
    OpticalWatcher& operator=(const OpticalWatcher&) = delete;

private:
    QThread thread_;
};

} // namespace tolvane
