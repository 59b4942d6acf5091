#pragma once

#include <QObject>
#include <QString>

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
    QObject* screenLink_ = nullptr; // context of the current screen's connections
};

} // namespace tolvane
