#pragma once

#include "platform/VcdStream.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
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

inline unsigned char Bcd(int value)
{
    return static_cast<unsigned char>((value / 10) << 4 | (value % 10));
}

// A raw 2352-byte Mode 2 sector at a disc address; the data is cut or padded with
// zeros to the form's size. The error codes stay zero: nothing here checks them.
inline QByteArray RawSector(int lsn, unsigned char submode, const QByteArray& data)
{
    QByteArray sector(kRawSectorBytes, '\0');
    std::memset(sector.data() + 1, 0xFF, 10);
    int frames = lsn + 150;
    sector[12] = char(Bcd(frames / (60 * 75)));
    sector[13] = char(Bcd(frames / 75 % 60));
    sector[14] = char(Bcd(frames % 75));
    sector[15] = 2;
    const unsigned char subheader[4] = {1, 1, submode, 0x0F};
    for (int copy = 0; copy < 2; ++copy)
        std::memcpy(sector.data() + 16 + 4 * copy, subheader, 4);
    int size = (submode & kSubmodeForm2) ? kForm2Bytes : kForm1Bytes;
    std::memcpy(sector.data() + kRawDataOffset, data.constData(),
                size_t(std::min<qsizetype>(size, data.size())));
    return sector;
}

// The sectors that carry `data` from sector `lsn` on, each with the given submode.
inline QByteArray RawSectors(int lsn, unsigned char submode, const QByteArray& data)
{
    int size = (submode & kSubmodeForm2) ? kForm2Bytes : kForm1Bytes;
    QByteArray raw;
    for (qsizetype at = 0; at < data.size(); at += size, ++lsn)
        raw += RawSector(lsn, submode, data.mid(at, size));
    return raw;
}

inline QByteArray Le32Bytes(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

// A RIFF CDXA file as a disc's file looks when copied to a disk: a 16-byte "fmt "
// chunk of the file's XA attributes, optionally other chunks, then the raw sectors.
inline QByteArray CdxaFile(const QByteArray& sectors, const QByteArray& extraChunk = {})
{
    QByteArray fmt(16, '\0');
    fmt[4] = char(XA_FORM2_FILE >> 8);
    fmt[5] = char(XA_FORM2_FILE & 0xFF);
    fmt[6] = 'X';
    fmt[7] = 'A';
    fmt[8] = 1;
    QByteArray body = "CDXA" + QByteArray("fmt ") + Le32Bytes(16) + fmt + extraChunk +
                      QByteArray("data") + Le32Bytes(quint32(sectors.size())) + sectors;
    return "RIFF" + Le32Bytes(quint32(body.size())) + body;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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

    static QByteArray Msf(int lsn)
    {
        return QString::asprintf("%02d:%02d:%02d", lsn / (60 * 75), lsn / 75 % 60, lsn % 75)
            .toLatin1();
    }

    int MpegSectors() const { return int((mpeg.size() + kForm2Bytes - 1) / kForm2Bytes); }

    bool Write(const QString& cuePath, const QString& binPath) const
    {
        const time_t when = 946684800; // 2000-01-01
        const int readmeSectors = int((readme.size() + kForm1Bytes - 1) / kForm1Bytes);
        const int total = kTrack2Lsn + MpegSectors();

        iso9660_xa_t xaForm2;
        iso9660_xa_init(&xaForm2, 0, 0, XA_FORM2_FILE, 1);

        QByteArray root(kForm1Bytes, '\0');
        iso9660_dir_init_new(root.data(), kRootLsn, kForm1Bytes, kRootLsn, kForm1Bytes, &when);
        iso9660_dir_add_entry_su(root.data(), "MPEGAV", kMpegavLsn, kForm1Bytes, ISO_DIRECTORY,
                                 nullptr, 0, &when);
        iso9660_dir_add_entry_su(root.data(), "README.TXT;1", kReadmeLsn, uint32_t(readme.size()),
                                 ISO_FILE, nullptr, 0, &when);
        QByteArray mpegav(kForm1Bytes, '\0');
        iso9660_dir_init_new(mpegav.data(), kMpegavLsn, kForm1Bytes, kRootLsn, kForm1Bytes, &when);
        // A Form 2 file's size counts its sectors at 2048 bytes each.
        iso9660_dir_add_entry_su(mpegav.data(), "AVSEQ01.DAT;1", kTrack2Lsn,
                                 uint32_t(MpegSectors()) * kForm1Bytes, ISO_FILE, &xaForm2,
                                 sizeof(xaForm2), &when);

        QByteArray pathL(kForm1Bytes, '\0');
        QByteArray pathM(kForm1Bytes, '\0');
        iso9660_pathtable_init(pathL.data());
        iso9660_pathtable_init(pathM.data());
        iso9660_pathtable_l_add_entry(pathL.data(), "", kRootLsn, 1);
        iso9660_pathtable_m_add_entry(pathM.data(), "", kRootLsn, 1);
        iso9660_pathtable_l_add_entry(pathL.data(), "MPEGAV", kMpegavLsn, 1);
        iso9660_pathtable_m_add_entry(pathM.data(), "MPEGAV", kMpegavLsn, 1);

        QByteArray pvd(kForm1Bytes, '\0');
        iso9660_set_pvd(pvd.data(), "TOLVANE_VCD", "TOLVANE99 TESTS", "", "", uint32_t(total),
                        root.constData(), 18, 19, iso9660_pathtable_get_size(pathL.constData()),
                        &when);
        QByteArray terminator(kForm1Bytes, '\0');
        iso9660_set_evd(terminator.data());

        QList<QByteArray> track1(kTrack2Lsn, QByteArray(kForm1Bytes, '\0'));
        track1[16] = pvd;
        track1[17] = terminator;
        track1[18] = pathL;
        track1[19] = pathM;
        track1[kRootLsn] = root;
        track1[kMpegavLsn] = mpegav;
        for (int i = 0; i < readmeSectors; ++i)
            track1[kReadmeLsn + i] = readme.mid(qsizetype(i) * kForm1Bytes, kForm1Bytes);
        QByteArray bin;
        for (int lsn = 0; lsn < kTrack2Lsn; ++lsn)
            bin += RawSector(lsn, kSubmodeData, track1[lsn]);
        bin += RawSectors(kTrack2Lsn, kSubmodeVideoForm2, mpeg);

        QString binName = binPath.section('/', -1);
        QByteArray cue = "FILE \"" + binName.toUtf8() +
                         "\" BINARY\r\n"
                         "  TRACK 01 MODE2/2352\r\n"
                         "    INDEX 01 00:00:00\r\n"
                         "  TRACK 02 MODE2/2352\r\n"
                         "    INDEX 00 " +
                         Msf(kTrack2Lsn - 150) + "\r\n    INDEX 01 " + Msf(kTrack2Lsn) + "\r\n";
        return WriteFile(binPath, bin) && WriteFile(cuePath, cue);
    }
};

} // namespace tolvane
