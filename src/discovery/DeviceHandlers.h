#pragma once

#include <QString>

namespace tolvane {

class Context;
class DiscDetection;
class PlaybackServices;

// What the main window does when a disc arrives in or leaves a drive.
class DeviceHandlers
{
public:
    DeviceHandlers(Context& context, PlaybackServices& services, DiscDetection& detection)
        : context_(context), services_(services), detection_(detection)
    {
    }

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

    Context& context_;
    PlaybackServices& services_;
    DiscDetection& detection_;
};

} // namespace tolvane
