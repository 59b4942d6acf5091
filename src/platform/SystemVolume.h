#pragma once

#include <QtGlobal>

namespace tolvane {

// The 32-bit volume value of an output device for a level of 0 to 1000: the same
// 16-bit channel value in the low (left) and the high (right) half.
quint32 DeviceVolumeValue(int level);

// A 16-bit channel value spread over a mixer control's own range.
long ChannelToRange(quint16 channel, long min, long max);

// Every audio output of the system.
class SystemVolume
{
public:
    virtual ~SystemVolume() = default;
    // Every output takes the device value; outputs that refuse keep their own.
    virtual void SetAll(quint32 deviceValue) = 0;

    // The level (0 to 1000) on every output.
    void SetLevel(int level) { SetAll(DeviceVolumeValue(level)); }
};

// The outputs are the playback volume controls of every ALSA mixer card; without a
// card nothing happens.
class AlsaSystemVolume : public SystemVolume
{
public:
    void SetAll(quint32 deviceValue) override;
};

} // namespace tolvane
