#include "platform/ThumbnailCache.h"

#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace tolvane {

namespace {

constexpr const char* kFailFolder = "fail/tolvane99";

QString SizeFolder(int edge)
{
    return edge <= ThumbnailCache::kNormal ? QStringLiteral("normal") : QStringLiteral("large");
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
    QImageReader reader(path, "png");
    if (!reader.canRead())
        return QImage();
    // An entry of another picture under the same name, or of an older state of it.
    const QString mtime = MTimeOf(local);
    if (mtime.isEmpty() || reader.text("Thumb::MTime") != mtime ||
        reader.text("Thumb::URI").toUtf8() != FileUri(local))
        return QImage();
    return reader.read();
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
    const QString folder = path.left(path.lastIndexOf('/'));
    // The cache is private to the user.
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    image.setText("Thumb::URI", QString::fromLatin1(FileUri(local)));
    image.setText("Thumb::MTime", mtime);
    image.setText("Thumb::Size", QString::number(StatLocal(local).size));
    image.setText("Software", "Tolvane99");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace tolvane
