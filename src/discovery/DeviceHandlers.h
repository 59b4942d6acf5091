#pragma once

#include <QString>

namespace tolvane {

class Player;

// What the main window does when a disc arrives in or leaves a drive.
class DeviceHandlers
{
public:
    explicit DeviceHandlers(Player& player) : player_(player) {}

    // A disc arrived: the current device is classified again.
    void DeviceArrival(int deviceType, qint64 deviceId, const QString& deviceName,
                       qint64 deviceData);
    // A disc left: the current device's state empties.
    void DeviceRemoveComplete(int deviceType, qint64 deviceId, const QString& deviceName,
                              qint64 deviceData);

    // "d:" for the bit of drive D (bit 0 is A:); empty for an id out of range.
    static QString DriveOf(qint64 deviceId);

private:
    bool IsCurrent(qint64 deviceId) const;

    Player& player_;
};

} // namespace tolvane
