#pragma once

#include "MediaFixtures.h"
#include "platform/VcdStream.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cdio/bytesex.h>
#include <cdio/iso9660.h>
#include <cdio/xa.h>
#include <cstring>

namespace tolvane {

// Builders of Video CD test media: raw Mode 2 sectors, RIFF CDXA files and a BIN/CUE
// disc with an ISO 9660 file system, written the way a Video CD lays them out.

constexpr unsigned char kSubmodeData = 0x08;       // Form 1 data sector
constexpr unsigned char kSubmodeVideoForm2 = 0x62; // real-time video, Form 2

// A raw 2352-byte Mode 2 sector at a disc address; the data is cut or padded with
// zeros to the form's size. The error codes stay zero: nothing here checks them.
inline QByteArray RawSector(int lsn, unsigned char submode, const QByteArray& data)
{
    QByteArray sector(kRawSectorBytes, '\0');
    std::memset(sector.data() + 1, 0xFF, 10);
    const int frames = lsn + 150;
    const int msf[3] = {frames / (60 * 75), frames / 75 % 60, frames % 75};
    for (int i = 0; i < 3; ++i)
        sector[12 + i] = char(msf[i] / 10 << 4 | msf[i] % 10); // BCD
    sector[15] = 2;
    const unsigned char subheader[8] = {1, 1, submode, 0x0F, 1, 1, submode, 0x0F};
    std::memcpy(sector.data() + 16, subheader, 8);
    const int size = (submode & kSubmodeForm2) ? kForm2Bytes : kForm1Bytes;
    std::memcpy(sector.data() + kRawDataOffset, data.constData(),
                size_t(std::min<qsizetype>(size, data.size())));
    return sector;
}

// The sectors that carry `data` from sector `lsn` on, each with the given submode.
inline QByteArray RawSectors(int lsn, unsigned char submode, const QByteArray& data)
{
    const int size = (submode & kSubmodeForm2) ? kForm2Bytes : kForm1Bytes;
    QByteArray raw;
    for (qsizetype at = 0; at < data.size(); at += size, ++lsn)
        raw += RawSector(lsn, submode, data.mid(at, size));
    return raw;
}

inline QByteArray Le32Bytes(quint32 value)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&value), 4);
}

// A RIFF CDXA file as a disc's file looks when copied to a disk: a 16-byte "fmt "
// chunk of the file's XA attributes, optionally other chunks, then the raw sectors.
inline QByteArray CdxaFile(const QByteArray& sectors, const QByteArray& extraChunk = {})
{
    QByteArray fmt(16, '\0');
    qToBigEndian<quint16>(XA_FORM2_FILE, fmt.data() + 4);
    fmt.replace(6, 3, "XA\1"); // signature and file number
    QByteArray body = "CDXA" + QByteArray("fmt ") + Le32Bytes(16) + fmt + extraChunk +
                      QByteArray("data") + Le32Bytes(quint32(sectors.size())) + sectors;
    return "RIFF" + Le32Bytes(quint32(body.size())) + body;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file's bytes; none when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A two-track Mode 2 disc as a Video CD has it: track 1 holds the ISO 9660 file
// system in Form 1 sectors (and README.TXT, a Form 1 file without XA attributes),
// track 2 holds MPEGAV/AVSEQ01.DAT in Form 2 sectors marked so by its XA attributes.
struct VcdDisc
{
    static constexpr int kRootLsn = 20;
    static constexpr int kMpegavLsn = 21;
    static constexpr int kReadmeLsn = 22;
    static constexpr int kTrack2Lsn = 180; // after track 1 and a 150-sector pregap

    QByteArray mpeg;
    QByteArray readme;

    int MpegSectors() const { return int((mpeg.size() + kForm2Bytes - 1) / kForm2Bytes); }

    bool Write(const QString& cuePath, const QString& binPath) const
    {
        const time_t when = 946684800; // 2000-01-01
        iso9660_xa_t xaForm2;
        iso9660_xa_init(&xaForm2, 0, 0, XA_FORM2_FILE, 1);

        QByteArray root(kForm1Bytes, '\0'), mpegav(kForm1Bytes, '\0');
        iso9660_dir_init_new(root.data(), kRootLsn, kForm1Bytes, kRootLsn, kForm1Bytes, &when);
        iso9660_dir_add_entry_su(root.data(), "MPEGAV", kMpegavLsn, kForm1Bytes, ISO_DIRECTORY,
                                 nullptr, 0, &when);
        iso9660_dir_add_entry_su(root.data(), "README.TXT;1", kReadmeLsn, uint32_t(readme.size()),
                                 ISO_FILE, nullptr, 0, &when);
        iso9660_dir_init_new(mpegav.data(), kMpegavLsn, kForm1Bytes, kRootLsn, kForm1Bytes, &when);
        // A Form 2 file's size counts its sectors at 2048 bytes each.
        iso9660_dir_add_entry_su(mpegav.data(), "AVSEQ01.DAT;1", kTrack2Lsn,
                                 uint32_t(MpegSectors()) * kForm1Bytes, ISO_FILE, &xaForm2,
                                 sizeof(xaForm2), &when);

        QByteArray pathL(kForm1Bytes, '\0'), pathM(kForm1Bytes, '\0');
        iso9660_pathtable_init(pathL.data());
        iso9660_pathtable_init(pathM.data());
        for (auto [name, lsn] : {std::pair{"", kRootLsn}, std::pair{"MPEGAV", kMpegavLsn}}) {
            iso9660_pathtable_l_add_entry(pathL.data(), name, lsn, 1);
            iso9660_pathtable_m_add_entry(pathM.data(), name, lsn, 1);
        }

        QByteArray pvd(kForm1Bytes, '\0'), terminator(kForm1Bytes, '\0');
        iso9660_set_pvd(pvd.data(), "TOLVANE_VCD", "TOLVANE99 TESTS", "", "",
                        uint32_t(kTrack2Lsn + MpegSectors()), root.constData(), 18, 19,
                        iso9660_pathtable_get_size(pathL.constData()), &when);
        iso9660_set_evd(terminator.data());

        // Sectors 16 to 21 in order, then the text file.
        QList<QByteArray> track1(kTrack2Lsn);
        const QByteArray system[] = {pvd, terminator, pathL, pathM, root, mpegav};
        for (int i = 0; i < 6; ++i)
            track1[16 + i] = system[i];
        for (qsizetype at = 0; at < readme.size(); at += kForm1Bytes)
            track1[kReadmeLsn + at / kForm1Bytes] = readme.mid(at, kForm1Bytes);
        QByteArray bin;
        for (int lsn = 0; lsn < kTrack2Lsn; ++lsn)
            bin += RawSector(lsn, kSubmodeData, track1[lsn]);
        bin += RawSectors(kTrack2Lsn, kSubmodeVideoForm2, mpeg);

        auto msf = [](int lsn) {
            return QString::asprintf("%02d:%02d:%02d", lsn / (60 * 75), lsn / 75 % 60, lsn % 75)
                .toLatin1();
        };
        QByteArray cue = "FILE \"" + binPath.section('/', -1).toUtf8() +
                         "\" BINARY\r\n  TRACK 01 MODE2/2352\r\n    INDEX 01 00:00:00\r\n"
                         "  TRACK 02 MODE2/2352\r\n    INDEX 00 " +
                         msf(kTrack2Lsn - 150) + "\r\n    INDEX 01 " + msf(kTrack2Lsn) + "\r\n";
        return WriteFile(binPath, bin) && WriteFile(cuePath, cue);
    }
};

// The Video CD media of the tests, made once from the generated MPEG-1 clip: its RIFF
// CDXA files as a Video CD's files copy to a disk, in Form 2 and in Form 1 sectors, damaged
// copies of them, and a disc image whose README.TXT holds text.
struct ClipVcd
{
    QTemporaryDir dir;
    QByteArray mpeg;
    QByteArray readme;
    QString cue = dir.filePath("vcd.cue");
    QString bin = dir.filePath("vcd.bin");

    ClipVcd()
    {
        QFile clip(MediaFixtures() + "/clip.mpg");
        mpeg = clip.open(QIODevice::ReadOnly) ? clip.readAll() : QByteArray();
        for (int line = 0; line < 200; ++line)
            readme += "Line " + QByteArray::number(line) + " of the disc's text file.\r\n";
        const QByteArray form2 = CdxaFile(RawSectors(0, kSubmodeVideoForm2, mpeg));
        WriteFile(dir.filePath("AVSEQ01.DAT"), form2);
        WriteFile(dir.filePath("FORM1.DAT"), CdxaFile(RawSectors(0, kSubmodeData, mpeg)));
        // Another chunk before the data, of odd length with its pad byte; a cut file; no data.
        WriteFile(dir.filePath("LIST.DAT"), CdxaFile(RawSectors(0, kSubmodeVideoForm2, mpeg),
                                                     "LIST" + Le32Bytes(5) + "abcde" + '\0'));
        WriteFile(dir.filePath("CUT.DAT"), form2.chopped(1000));
        WriteFile(dir.filePath("NODATA.DAT"), form2.left(12 + 8 + 16));
        VcdDisc{mpeg, readme}.Write(cue, bin);
    }
    static const ClipVcd& Get()
    {
        static ClipVcd media;
        return media;
    }
};

} // namespace tolvane
