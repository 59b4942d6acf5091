#include "platform/DiscSectors.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cdio/cdio.h>

namespace tolvane {

namespace {

constexpr qint64 kFirstDescriptor = 16 * DiscSectors::kDataBytes;

class CdioSectors : public DiscSectors
{
public:
    explicit CdioSectors(CdIo_t* cdio) : cdio_(cdio) {}
    ~CdioSectors() override { cdio_destroy(cdio_); }

    std::optional<CdToc> Toc() override
    {
        track_t first = cdio_get_first_track_num(cdio_);
        track_t count = cdio_get_num_tracks(cdio_);
        if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
            return std::nullopt;
        CdToc toc;
        toc.leadout = cdio_get_track_lsn(cdio_, CDIO_CDROM_LEADOUT_TRACK);
        for (int number = first; number < first + count; ++number) {
            CdTrack track;
            track.number = number;
            track.start = cdio_get_track_lsn(cdio_, static_cast<track_t>(number));
            track.audio =
                cdio_get_track_format(cdio_, static_cast<track_t>(number)) == TRACK_FORMAT_AUDIO;
            toc.tracks.append(track);
        }
        for (int i = 0; i < toc.tracks.size(); ++i) {
            int end = i + 1 < toc.tracks.size() ? toc.tracks[i + 1].start : toc.leadout;
            toc.tracks[i].length = std::max(0, end - toc.tracks[i].start);
        }
        // An image cut short leaves tracks without sectors: it plays no silence in their
        // place, it holds no disc.
        if (toc.CutShort())
            return std::nullopt;
        return toc;
    }

    bool ReadData(int lsn, int count, char* out) override
    {
        return lsn >= 0 && count > 0 &&
               cdio_read_data_sectors(cdio_, out, lsn, kDataBytes, uint32_t(count)) ==
                   DRIVER_OP_SUCCESS;
    }

    bool ReadForm2(int lsn, int count, char* out) override
    {
        return lsn >= 0 && count > 0 &&
               cdio_read_mode2_sectors(cdio_, out, lsn, true, uint32_t(count)) == DRIVER_OP_SUCCESS;
    }

    std::optional<unsigned char> Submode(int lsn) override
    {
        char raw[kForm2RawBytes];
        track_t track = cdio_get_track(cdio_, lsn);
        if (track == CDIO_INVALID_TRACK || cdio_get_track_format(cdio_, track) != TRACK_FORMAT_XA ||
            cdio_read_mode2_sector(cdio_, raw, lsn, true) != DRIVER_OP_SUCCESS)
            return std::nullopt;
        return static_cast<unsigned char>(raw[2]);
    }

private:
    CdIo_t* cdio_;
};

// A file of 2048-byte sectors: one data track, Mode 1.
class IsoImageSectors : public DiscSectors
{
public:
    explicit IsoImageSectors(const QString& path) : file_(path) {}
    bool Open() { return file_.open(QIODevice::ReadOnly); }

    std::optional<CdToc> Toc() override
    {
        const int sectors = int(std::min<qint64>(file_.size() / kDataBytes, 1 << 30));
        if (sectors <= 0)
            return std::nullopt;
        CdToc toc;
        toc.tracks.append({1, 0, sectors, false});
        toc.leadout = sectors;
        return toc;
    }

    bool ReadData(int lsn, int count, char* out) override
    {
        const qint64 bytes = qint64(count) * kDataBytes;
        return lsn >= 0 && count > 0 && file_.seek(qint64(lsn) * kDataBytes) &&
               file_.read(out, bytes) == bytes;
    }

    bool ReadForm2(int, int, char*) override { return false; }
    std::optional<unsigned char> Submode(int) override { return std::nullopt; }

private:
    QFile file_;
};

} // namespace

bool DiscSectors::IsIsoImage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kFirstDescriptor))
        return false;
    return file.read(6).mid(1) == "CD001";
}

std::unique_ptr<DiscSectors> DiscSectors::Open(const QString& source, bool image)
{
    const QString suffix = QFileInfo(source).suffix().toLower();
    if (image && (suffix == "iso" || suffix == "img")) {
        if (!IsIsoImage(source))
            return nullptr;
        auto sectors = std::make_unique<IsoImageSectors>(source);
        if (!sectors->Open())
            return nullptr;
        return sectors;
    }
    CdIo_t* cdio = CdDrive::OpenHandle(source, image);
    if (!cdio)
        return nullptr;
    return std::make_unique<CdioSectors>(cdio);
}

} // namespace tolvane
