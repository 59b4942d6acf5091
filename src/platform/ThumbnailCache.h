#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tolvane {

// The desktop's shared cache of picture thumbnails, as every freedesktop desktop keeps
// it: a PNG per picture in a folder per size, named by the MD5 of the picture's file
// URI and holding that URI and the picture's change time, so a thumbnail of a changed
// picture is never taken for a current one. Pictures that cannot be read are noted in
// the program's own folder of failures. Every call only reads or writes files: any
// thread may use it.
class ThumbnailCache
{
public:
    // The sizes the desktop keeps; a thumbnail fits a square of that edge.
    static constexpr int kNormal = 128;
    static constexpr int kLarge = 256;

    // `root` is the thumbnails folder; UserRoot() for the user's own.
    explicit ThumbnailCache(QString root) : root_(std::move(root)) {}

    // $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails.
    static QString UserRoot();
    // The URI of a local path, its bytes escaped as the desktop escapes them.
    static QByteArray FileUri(const QString& local);
    // The cache's name for a URI: the MD5 in lower-case hexadecimal, ".png".
    static QString FileName(const QByteArray& uri);
    // The smallest size the desktop keeps that fills a cell of that edge.
    static int EdgeFor(int cell) { return cell <= kNormal ? kNormal : kLarge; }

    // The thumbnail of a picture made for its present state, or a null image.
    QImage Find(const QString& local, int edge) const;
    // Keeps a thumbnail, written whole under another name and then renamed over.
    bool Store(const QString& local, int edge, const QImage& thumbnail) const;
    // The picture could not be read as it is now.
    bool Failed(const QString& local) const;
    void StoreFailure(const QString& local) const;

    // Where the thumbnail of a picture goes.
    QString PathOf(const QString& local, int edge) const;

private:
    QImage ReadEntry(const QString& path, const QString& local) const;
    bool WriteEntry(const QString& path, const QString& local, QImage image) const;

    QString root_;
};

} // namespace tolvane
