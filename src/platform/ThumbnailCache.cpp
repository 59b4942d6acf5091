#include "platform/ThumbnailCache.h"

#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace tolvane {

namespace {

constexpr const char* kFailFolder = "fail/tolvane99";

QString SizeFolder(int edge)
{
    return edge <= ThumbnailCache::kNormal ? QStringLiteral("normal") : QStringLiteral("large");
}

// An entry larger than this is none the cache wrote.
constexpr qint64 kMaxEntryBytes = 4 << 20;

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);
// Qt's PNG writer takes a quality for zlib's level: high quality, light compression.
constexpr int kPngQuality = 80;

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(QByteArray& out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xFF);
}

QByteArray PngChunk(const QByteArray& type, const QByteArray& data)
{
    QByteArray chunk;
    PutBigEndian(chunk, quint32(data.size()));
    chunk += type + data;
    PutBigEndian(chunk, Crc32(type + data));
    return chunk;
}

// The tEXt chunks before the picture data of a PNG. Qt's reader takes a key up to its
// first colon, and the desktop's keys hold two.
QHash<QByteArray, QByteArray> PngTexts(const QByteArray& bytes)
{
    QHash<QByteArray, QByteArray> texts;
    if (!bytes.startsWith(kPngSignature))
        return texts;
    qsizetype at = 8;
    while (at + 8 <= bytes.size()) {
        const auto byte = [&](qsizetype i) {
            return quint32(static_cast<unsigned char>(bytes[i]));
        };
        const quint32 length =
            byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IDAT" || length > quint32(bytes.size() - at - 8))
            break;
        if (type == "tEXt") {
            const QByteArray chunk = bytes.mid(at + 8, length);
            const qsizetype nul = chunk.indexOf('\0');
            if (nul > 0)
                texts.insert(chunk.left(nul), chunk.mid(nul + 1));
        }
        at += 12 + qsizetype(length);
    }
    return texts;
}

// Change time in whole seconds; empty when the picture is gone.
QString MTimeOf(const QString& local)
{
    const LocalInfo info = StatLocal(local);
    if (!info.file)
        return QString();
    return QString::number(info.modified.toSecsSinceEpoch());
}

} // namespace

QString ThumbnailCache::UserRoot()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + "/.cache";
    return cache + "/thumbnails";
}

QByteArray ThumbnailCache::FileUri(const QString& local)
{
    // Unreserved characters and those a path may hold unescaped stay; every other byte
    // is written %XX, in upper case.
    static const QByteArray kKept = "-._~!$&'()*+,;=:@/";
    const QByteArray bytes = LocalBytes(local);
    QByteArray uri = "file://";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || kKept.contains(c)) {
            uri += c;
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 15];
        }
    }
    return uri;
}

QString ThumbnailCache::FileName(const QByteArray& uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
           ".png";
}

QString ThumbnailCache::PathOf(const QString& local, int edge) const
{
    return root_ + "/" + SizeFolder(edge) + "/" + FileName(FileUri(local));
}

QImage ThumbnailCache::Find(const QString& local, int edge) const
{
    return ReadEntry(PathOf(local, edge), local);
}

bool ThumbnailCache::Failed(const QString& local) const
{
    return !ReadEntry(root_ + "/" + kFailFolder + "/" + FileName(FileUri(local)), local).isNull();
}

QImage ThumbnailCache::ReadEntry(const QString& path, const QString& local) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEntryBytes)
        return QImage();
    const QByteArray bytes = file.readAll();
    // An entry of another picture under the same name, or of an older state of it.
    const QString mtime = MTimeOf(local);
    const QHash<QByteArray, QByteArray> texts = PngTexts(bytes);
    if (mtime.isEmpty() || texts.value("Thumb::MTime") != mtime.toLatin1() ||
        texts.value("Thumb::URI") != FileUri(local))
        return QImage();
    return QImage::fromData(bytes, "PNG");
}

bool ThumbnailCache::Store(const QString& local, int edge, const QImage& thumbnail) const
{
    return WriteEntry(PathOf(local, edge), local, thumbnail);
}

void ThumbnailCache::StoreFailure(const QString& local) const
{
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    WriteEntry(root_ + "/" + kFailFolder + "/" + FileName(FileUri(local)), local, mark);
}

bool ThumbnailCache::WriteEntry(const QString& path, const QString& local, QImage image) const
{
    const QString mtime = MTimeOf(local);
    if (mtime.isEmpty())
        return false;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // Light compression: a thumbnail is small either way, and it is written while
        // the next picture waits for the thread.
        if (!image.save(&buffer, "PNG", kPngQuality) || !bytes.startsWith(kPngSignature))
            return false;
    }
    // The keys go in plain text chunks right after the header, where every reader of
    // the cache looks; Qt would compress the longer values.
    QByteArray texts;
    const std::pair<QByteArray, QByteArray> keys[] = {
        {"Thumb::URI", FileUri(local)},
        {"Thumb::MTime", mtime.toLatin1()},
        {"Thumb::Size", QByteArray::number(StatLocal(local).size)},
        {"Software", "Tolvane99"},
    };
    for (const auto& [key, value] : keys)
        texts += PngChunk("tEXt", key + '\0' + value);
    constexpr qsizetype kAfterHeader = 8 + 25;
    bytes.insert(kAfterHeader, texts);

    const QString folder = path.left(path.lastIndexOf('/'));
    // The cache is private to the user.
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace tolvane
