#include "platform/VcdStream.h"

#include "platform/CdDisc.h"
#include "platform/DiscSectors.h"
#include "platform/IsoFileSystem.h"
#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace tolvane {

namespace {

constexpr char kScheme[] = "tolvanevcd";
constexpr int kSubheaderBytes = 8;
// Sectors read at a time: about 64 KiB of MPEG data.
constexpr int kChunkSectors = 28;

quint32 Le32(const QByteArray& bytes, int at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

int PayloadOfSubmode(unsigned char submode)
{
    return (submode & kSubmodeForm2) ? kForm2Bytes : kForm1Bytes;
}

bool IsBlockDevice(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISBLK(info.st_mode);
}

// Addresses carry their values percent-encoded, so any path survives.
QString Query(const QList<QPair<QString, QString>>& items)
{
    QStringList parts;
    for (const auto& [key, value] : items)
        parts.append(key + "=" + QString::fromLatin1(LocalBytes(value).toPercentEncoding()));
    return parts.join('&');
}

QString QueryValue(const QString& query, const QString& key)
{
    for (const QString& part : query.split('&')) {
        int eq = part.indexOf('=');
        if (eq > 0 && part.left(eq) == key)
            return LocalName(QByteArray::fromPercentEncoding(part.mid(eq + 1).toLatin1()));
    }
    return QString();
}

} // namespace

std::optional<CdxaLayout> ReadCdxaLayout(const QString& path)
{
    QFile file;
    if (!OpenLocal(file, path, QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "CDXA")
        return std::nullopt;
    const qint64 fileSize = file.size();
    qint64 offset = 12;
    while (offset + 8 <= fileSize) {
        if (!file.seek(offset))
            return std::nullopt;
        QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return std::nullopt;
        qint64 size = Le32(chunk, 4);
        if (chunk.startsWith("data")) {
            CdxaLayout layout;
            layout.dataOffset = offset + 8;
            // A file cut short keeps the sectors it has.
            layout.sectors = std::min(size, fileSize - layout.dataOffset) / kRawSectorBytes;
            if (layout.sectors > 0 && file.seek(layout.dataOffset + 18)) {
                QByteArray submode = file.read(1);
                if (submode.size() == 1)
                    layout.payload = PayloadOfSubmode(static_cast<unsigned char>(submode[0]));
            }
            return layout;
        }
        // Chunks are padded to an even length.
        offset += 8 + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<DiscFile> SplitDiscPath(const QString& local)
{
    if (!local.startsWith('/') || QFileInfo::exists(local))
        return std::nullopt;
    QString prefix = local;
    for (;;) {
        int slash = prefix.lastIndexOf('/');
        if (slash <= 0)
            return std::nullopt;
        prefix.truncate(slash);
        QFileInfo info(prefix);
        if (!info.exists())
            continue;
        // The nearest part that exists decides: a folder means a missing file.
        if (info.isDir())
            return std::nullopt;
        bool image = info.isFile() && CdDrive::LooksLikeImage(prefix);
        if (!image && !IsBlockDevice(prefix))
            return std::nullopt;
        return DiscFile{prefix, image, local.mid(slash)};
    }
}

std::optional<DiscExtent> FindDiscFile(DiscSectors& disc, const QString& path)
{
    std::optional<CdToc> toc = disc.Toc();
    std::optional<int> start = toc ? toc->DataStart() : std::nullopt;
    std::optional<IsoFileSystem> fs = start ? IsoFileSystem::Read(disc, *start) : std::nullopt;
    std::optional<IsoEntry> entry = fs ? fs->Find(path) : std::nullopt;
    if (!entry || entry->folder)
        return std::nullopt;
    DiscExtent extent;
    extent.lsn = entry->lsn;
    extent.sectors = int((entry->size + DiscSectors::kDataBytes - 1) / DiscSectors::kDataBytes);
    extent.size = entry->size;
    // A Video CD marks its MPEG files as Form 2 in their XA attributes; without them
    // the first sector's subheader tells.
    bool form2 = entry->form2;
    if (!entry->xa && extent.sectors > 0) {
        std::optional<unsigned char> submode = disc.Submode(extent.lsn);
        form2 = submode && PayloadOfSubmode(*submode) == kForm2Bytes;
    }
    if (form2) {
        extent.payload = kForm2Bytes;
        extent.size = qint64(extent.sectors) * kForm2Bytes;
    } else {
        extent.payload = kForm1Bytes;
    }
    return extent;
}

std::optional<DiscExtent> LocateDiscFile(const DiscFile& file)
{
    std::unique_ptr<DiscSectors> disc = DiscSectors::Open(file.source, file.image);
    if (!disc)
        return std::nullopt;
    return FindDiscFile(*disc, file.path);
}

QString VcdFileAddress(const QString& localPath)
{
    return QString(kScheme) + "://file?" + Query({{"path", localPath}});
}

QString VcdDiscAddress(const QString& source, bool image, const DiscExtent& extent)
{
    return QString(kScheme) + "://disc?" +
           Query({{"source", source},
                  {"image", image ? "1" : "0"},
                  {"lsn", QString::number(extent.lsn)},
                  {"sectors", QString::number(extent.sectors)},
                  {"payload", QString::number(extent.payload)},
                  {"size", QString::number(extent.size)}});
}

namespace {

// The sectors of a RIFF CDXA file on a disk.
class CdxaFileStream : public VcdStream
{
public:
    CdxaFileStream(const QString& path, const CdxaLayout& layout)
        : VcdStream(layout.sectors * layout.payload, layout.payload), path_(path), layout_(layout)
    {
    }
    bool OpenFile() { return OpenLocal(file_, path_, QIODevice::ReadOnly); }

protected:
    bool ReadSectors(qint64 first, int count, QByteArray& raw) override
    {
        raw.resize(qsizetype(count) * kRawSectorBytes);
        if (!file_.seek(layout_.dataOffset + first * kRawSectorBytes))
            return false;
        return file_.read(raw.data(), raw.size()) == raw.size();
    }
    int Stride() const override { return kRawSectorBytes; }
    int DataOffset() const override { return kRawDataOffset; }

private:
    QString path_;
    QFile file_;
    CdxaLayout layout_;
};

// A file's sectors on a disc.
class DiscStream : public VcdStream
{
public:
    DiscStream(std::unique_ptr<DiscSectors> disc, const DiscExtent& extent)
        : VcdStream(extent.size, extent.payload), disc_(std::move(disc)), extent_(extent)
    {
    }

protected:
    bool ReadSectors(qint64 first, int count, QByteArray& raw) override
    {
        raw.resize(qsizetype(count) * Stride());
        const int lsn = int(extent_.lsn + first);
        return Payload() == kForm2Bytes ? disc_->ReadForm2(lsn, count, raw.data())
                                        : disc_->ReadData(lsn, count, raw.data());
    }
    // Form 2 reads give each sector from its subheader on: 8 + 2324 + 4 bytes.
    int Stride() const override
    {
        return Payload() == kForm2Bytes ? DiscSectors::kForm2RawBytes : kForm1Bytes;
    }
    int DataOffset() const override { return Payload() == kForm2Bytes ? kSubheaderBytes : 0; }

private:
    std::unique_ptr<DiscSectors> disc_;
    DiscExtent extent_;
};

} // namespace

std::unique_ptr<VcdStream> VcdStream::Open(const QString& address)
{
    QString prefix = QString(kScheme) + "://";
    if (!address.startsWith(prefix))
        return nullptr;
    QString rest = address.mid(prefix.size());
    int question = rest.indexOf('?');
    QString kind = rest.left(question);
    QString query = question < 0 ? QString() : rest.mid(question + 1);
    if (kind == "file") {
        QString path = QueryValue(query, "path");
        std::optional<CdxaLayout> layout = ReadCdxaLayout(path);
        if (!layout)
            return nullptr;
        auto stream = std::make_unique<CdxaFileStream>(path, *layout);
        if (!stream->OpenFile())
            return nullptr;
        return stream;
    }
    if (kind == "disc") {
        DiscExtent extent;
        extent.lsn = QueryValue(query, "lsn").toInt();
        extent.sectors = QueryValue(query, "sectors").toInt();
        extent.payload = QueryValue(query, "payload").toInt();
        extent.size = QueryValue(query, "size").toLongLong();
        if ((extent.payload != kForm1Bytes && extent.payload != kForm2Bytes) || extent.size < 0 ||
            extent.size > qint64(extent.sectors) * extent.payload)
            return nullptr;
        std::unique_ptr<DiscSectors> disc =
            DiscSectors::Open(QueryValue(query, "source"), QueryValue(query, "image") == "1");
        if (!disc)
            return nullptr;
        return std::make_unique<DiscStream>(std::move(disc), extent);
    }
    return nullptr;
}

bool VcdStream::Seek(qint64 pos)
{
    if (pos < 0 || pos > size_)
        return false;
    pos_ = pos;
    return true;
}

qint64 VcdStream::Read(char* buffer, qint64 count)
{
    qint64 done = 0;
    const qint64 totalSectors = (size_ + payload_ - 1) / payload_;
    while (done < count && pos_ < size_) {
        qint64 sector = pos_ / payload_;
        int within = int(pos_ % payload_);
        if (sector < cachedFirst_ || sector >= cachedFirst_ + cachedCount_) {
            int n = int(std::min<qint64>(kChunkSectors, totalSectors - sector));
            if (!ReadSectors(sector, n, raw_)) {
                // An unreadable spot plays as nothing rather than ending the video.
                raw_.resize(qsizetype(n) * Stride());
                raw_.fill(0);
            }
            cachedFirst_ = sector;
            cachedCount_ = n;
        }
        const char* data =
            raw_.constData() + DataOffset() + (sector - cachedFirst_) * Stride() + within;
        qint64 n = std::min({qint64(payload_ - within), count - done, size_ - pos_});
        std::memcpy(buffer + done, data, size_t(n));
        done += n;
        pos_ += n;
    }
    return done;
}

bool RegisterVcdStream(Mpv& mpv)
{
    return RegisterStreamProtocol(mpv, kScheme, [](const QString& address) {
        return std::unique_ptr<EngineStream>(VcdStream::Open(address));
    });
}

} // namespace tolvane
