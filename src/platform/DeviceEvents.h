#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tolvane {

class DiscTrays;
class DriveMap;

// Arrival and removal of media and display changes, raised on the user interface
// thread as the system-information control raises them. The drive of an arrival or
// removal is its bit in the device id: bit 0 is A:, so D: is 1 << 3. Image and folder
// drives report when their virtual tray moves; real drives are left to OpticalWatcher.
class DeviceEvents : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDeviceTypeVolume = 2;

    DeviceEvents(const DriveMap& drives, DiscTrays& trays, QObject* parent = nullptr);

    static qint64 DeviceId(QChar letter);
    void RaiseArrival(QChar letter);
    void RaiseRemoval(QChar letter);
    // Follows the primary screen's geometry.
    void WatchDisplay();
    // Looks at the files of the image drives every `intervalMs`: an image deleted (or
    // emptied) is a disc taken out, its return a disc put in. The first look only
    // learns what is there.
    void WatchImages(int intervalMs = 1000);
    void LookAtImages();

Q_SIGNALS:
    void DeviceArrival(int deviceType, qint64 deviceId, const QString& deviceName,
                       qint64 deviceData);
    void DeviceRemoveComplete(int deviceType, qint64 deviceId, const QString& deviceName,
                              qint64 deviceData);
    void DisplayChanged();

private:
    void OnTrayMoved(const QString& source, bool open);
    void FollowScreen();

    const DriveMap& drives_;
    DiscTrays& trays_;
    QHash<QChar, bool> imagePresent_;
    QTimer* imageTimer_ = nullptr;
    QObject* screenLink_ = nullptr; // context of the current screen's connections
};

} // namespace tolvane
