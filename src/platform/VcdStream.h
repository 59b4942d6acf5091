#pragma once

#include "platform/StreamProtocol.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace tolvane {

class DiscSectors;
class Mpv;

// A raw CD sector: 12 sync bytes, 4 header bytes, 8 subheader bytes, then the data:
// 2324 bytes and a 4-byte EDC in Form 2, or 2048 bytes, EDC and ECC in Form 1.
constexpr int kRawSectorBytes = 2352;
constexpr int kRawDataOffset = 24;
constexpr int kForm1Bytes = 2048;
constexpr int kForm2Bytes = 2324;
// The subheader's submode byte marks Form 2 sectors with this bit.
constexpr unsigned char kSubmodeForm2 = 0x20;

// Where the sectors of a RIFF CDXA file lie: the 2352-byte sectors of its "data" chunk.
struct CdxaLayout
{
    qint64 dataOffset = 0;
    qint64 sectors = 0;
    int payload = kForm2Bytes; // MPEG bytes of each sector, as the first sector's form says
};

// The layout of a file that starts "RIFF" size "CDXA"; nothing for any other file.
std::optional<CdxaLayout> ReadCdxaLayout(const QString& path);

// A file inside the ISO 9660 file system of a CD-ROM drive or disc image.
struct DiscFile
{
    QString source; // the image file or the drive's device
    bool image = false;
    QString path; // inside the disc, components separated by '/'
};

// The drive map gives a path on a CD-ROM drive as the drive's source followed by the
// path on the disc ("/discs/vcd.cue/MPEGAV/AVSEQ01.DAT", "/dev/sr0/MPEGAV/AVSEQ01.DAT").
// Splits such a path; nothing when the path is an ordinary file or folder path.
std::optional<DiscFile> SplitDiscPath(const QString& local);

// Where a file's sectors lie on a disc and how much MPEG data each holds.
struct DiscExtent
{
    int lsn = 0;
    int sectors = 0;
    int payload = kForm2Bytes;
    qint64 size = 0; // bytes of the stream
};

// Looks a file up in a disc's data session, each component compared without case and
// without the ";1" version, as Windows shows them. Nothing when it is missing or a
// folder.
std::optional<DiscExtent> FindDiscFile(DiscSectors& disc, const QString& path);

// Opens the disc and looks the file up; nothing when either cannot be done.
std::optional<DiscExtent> LocateDiscFile(const DiscFile& file);

// Addresses of the protocol "tolvanevcd" registered by RegisterVcdStream.
QString VcdFileAddress(const QString& localPath);
QString VcdDiscAddress(const QString& source, bool image, const DiscExtent& extent);

// The MPEG data of a Video CD file as one continuous stream: the data bytes of its
// sectors one after the other, without sync, headers, subheaders and error codes.
// Each stream reads through its own file or libcdio handle, on mpv's thread.
class VcdStream : public EngineStream
{
public:
    // Nothing when the address is not one of ours or its source cannot be opened.
    static std::unique_ptr<VcdStream> Open(const QString& address);

    qint64 Size() const override { return size_; }
    qint64 Pos() const { return pos_; }
    bool Seek(qint64 pos) override;
    qint64 Read(char* buffer, qint64 count) override;

protected:
    VcdStream(qint64 size, int payload) : size_(size), payload_(payload) {}
    // Reads whole sectors from the stream's `first` sector into `raw`; each sector's
    // data then lies at DataOffset() + i * Stride(). False on a read error.
    virtual bool ReadSectors(qint64 first, int count, QByteArray& raw) = 0;
    virtual int Stride() const = 0;
    virtual int DataOffset() const = 0;
    int Payload() const { return payload_; }

private:
    qint64 size_;
    int payload_;
    qint64 pos_ = 0;
    // The sectors last read, kept because mpv reads in small steps.
    qint64 cachedFirst_ = -1;
    int cachedCount_ = 0;
    QByteArray raw_;
};

// Registers the protocol "tolvanevcd" on an instance.
bool RegisterVcdStream(Mpv& mpv);

} // namespace tolvane
