#pragma once

#include "platform/CdDisc.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tolvane {

class DriveMap;

// The volume serial number and label of a drive, as the system reports them.
struct VolumeInformation
{
    bool ok = false;
    std::uint32_t serial = 0;
    QString label;
};

// Serial numbers the way the system derives them for each kind of volume.
class VolumeSerial
{
public:
    static constexpr int kDescriptorSize = 2048;

    // Data disc: from the volume descriptors read from sector 16 on, the best one (the
    // highest type before the terminator); four running byte sums, byte i into lane
    // i mod 4, lane 0 the least significant byte.
    static std::uint32_t OfDescriptors(const QByteArray& descriptors);
    // Audio disc: the sum of each track's start as (minute << 16) + (second << 8) +
    // frame; with fewer than three tracks also the first track's frame field and the
    // disc length in frames.
    static std::uint32_t OfAudioToc(const CdToc& toc);
    // The label of a data disc: the volume id of its primary descriptor, trimmed.
    static QString LabelOfDescriptors(const QByteArray& descriptors);

    // The serial and label of the drive of a root such as "D:\"; fixed folders and
    // folder discs get a stable number from their file system. Nothing is readable
    // from a drive whose tray is open.
    static VolumeInformation Read(const DriveMap& drives, const QString& root);
};

} // namespace tolvane
