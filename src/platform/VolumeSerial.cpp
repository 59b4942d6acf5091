#include "platform/VolumeSerial.h"

#include "platform/DiscSectors.h"
#include "platform/DriveMap.h"

#include <QFile>
#include <QFileInfo>
#include <sys/statvfs.h>

namespace tolvane {

namespace {

constexpr int kFirstDescriptorSector = 16;
constexpr int kDescriptorSectors = 4; // offsets 0x8000, 0x8800, 0x9000 and 0x9800
constexpr unsigned char kTerminator = 255;
constexpr int kPrimary = 1;

// Address of a sector as minutes, seconds and frames, counted with the 2-second
// lead-in, as a table of contents gives it.
void ToMsf(int sector, int& minute, int& second, int& frame)
{
    int address = sector + 150;
    minute = address / (60 * 75);
    second = (address / 75) % 60;
    frame = address % 75;
}

// The descriptor at index i, or an empty array past the data.
QByteArray Descriptor(const QByteArray& descriptors, int i)
{
    return descriptors.mid(static_cast<qsizetype>(i) * VolumeSerial::kDescriptorSize,
                           VolumeSerial::kDescriptorSize);
}

// Index of the descriptor of highest type before the terminator, -1 when none.
int BestDescriptor(const QByteArray& descriptors)
{
    int best = -1;
    int bestType = -1;
    for (int i = 0; i < kDescriptorSectors; ++i) {
        QByteArray d = Descriptor(descriptors, i);
        if (d.size() < VolumeSerial::kDescriptorSize || d.mid(1, 5) != "CD001")
            break;
        auto type = static_cast<unsigned char>(d[0]);
        if (type == kTerminator)
            break;
        if (type > bestType) {
            bestType = type;
            best = i;
        }
    }
    return best;
}

QByteArray ReadDescriptors(DiscSectors& disc, int firstSector)
{
    QByteArray data;
    char block[VolumeSerial::kDescriptorSize];
    for (int i = 0; i < kDescriptorSectors; ++i) {
        if (!disc.ReadData(firstSector + kFirstDescriptorSector + i, 1, block))
            break;
        data.append(block, VolumeSerial::kDescriptorSize);
    }
    return data;
}

VolumeInformation ReadDisc(const Drive& drive)
{
    VolumeInformation info;
    std::unique_ptr<DiscSectors> disc = DiscSectors::Open(drive.root, !drive.IsOpticalDevice());
    std::optional<CdToc> toc = disc ? disc->Toc() : std::nullopt;
    if (!toc || toc->tracks.isEmpty())
        return info;
    // The system reads a disc with a data session by that session's volume.
    std::optional<int> data = toc->DataStart();
    if (!data) {
        info.serial = VolumeSerial::OfAudioToc(*toc);
        info.ok = true;
        return info;
    }
    QByteArray descriptors = ReadDescriptors(*disc, *data);
    if (BestDescriptor(descriptors) < 0)
        return info;
    info.serial = VolumeSerial::OfDescriptors(descriptors);
    info.label = VolumeSerial::LabelOfDescriptors(descriptors);
    info.ok = true;
    return info;
}

VolumeInformation ReadFolder(const Drive& drive)
{
    VolumeInformation info;
    struct statvfs fs;
    if (statvfs(QFile::encodeName(drive.root).constData(), &fs) != 0)
        return info;
    // The file system id is stable while the file system is mounted; fold it to 32 bits.
    auto id = static_cast<std::uint64_t>(fs.f_fsid);
    info.serial = static_cast<std::uint32_t>(id ^ (id >> 32));
    info.label = QFileInfo(drive.root).fileName();
    info.ok = true;
    return info;
}

} // namespace

std::uint32_t VolumeSerial::OfDescriptors(const QByteArray& descriptors)
{
    int best = BestDescriptor(descriptors);
    if (best < 0)
        return 0;
    QByteArray d = Descriptor(descriptors, best);
    std::uint8_t lanes[4] = {0, 0, 0, 0};
    for (int i = 0; i < kDescriptorSize; ++i)
        lanes[i % 4] = static_cast<std::uint8_t>(lanes[i % 4] + static_cast<unsigned char>(d[i]));
    return static_cast<std::uint32_t>(lanes[0]) | static_cast<std::uint32_t>(lanes[1]) << 8 |
           static_cast<std::uint32_t>(lanes[2]) << 16 | static_cast<std::uint32_t>(lanes[3]) << 24;
}

std::uint32_t VolumeSerial::OfAudioToc(const CdToc& toc)
{
    std::uint32_t sum = 0;
    int minute = 0, second = 0, frame = 0;
    for (const CdTrack& track : toc.tracks) {
        ToMsf(track.start, minute, second, frame);
        sum += static_cast<std::uint32_t>((minute << 16) + (second << 8) + frame);
    }
    if (toc.tracks.size() < 3 && !toc.tracks.isEmpty()) {
        ToMsf(toc.tracks.first().start, minute, second, frame);
        sum += static_cast<std::uint32_t>(frame);
        sum += static_cast<std::uint32_t>(toc.leadout - toc.tracks.first().start);
    }
    return sum;
}

QString VolumeSerial::LabelOfDescriptors(const QByteArray& descriptors)
{
    for (int i = 0; i < kDescriptorSectors; ++i) {
        QByteArray d = Descriptor(descriptors, i);
        if (d.size() < kDescriptorSize || static_cast<unsigned char>(d[0]) == kTerminator)
            break;
        if (d[0] == kPrimary)
            return QString::fromLatin1(d.mid(40, 32)).trimmed();
    }
    return QString();
}

VolumeInformation VolumeSerial::Read(const DriveMap& drives, const QString& root)
{
    if (root.size() < 2 || root[1] != ':')
        return {};
    const Drive* drive = drives.Find(root[0]);
    if (!drive || drives.TrayOpen(drive->letter))
        return {};
    if (drive->type != kDriveCdrom || drive->IsDiscFolder())
        return ReadFolder(*drive);
    return ReadDisc(*drive);
}

} // namespace tolvane
