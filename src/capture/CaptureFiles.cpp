#include "capture/CaptureFiles.h"

#include "platform/DosFiles.h"
#include "platform/FileSaving.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace tolvane {

QString NextCaptureName(const QString& path)
{
    const bool extension = path.size() >= 4 && path[path.size() - 4] == '.';
    const qsizetype stemEnd = extension ? path.size() - 4 : path.size();
    qsizetype first = stemEnd;
    while (first > 0 && path[first - 1].isDigit() && path[first - 1].unicode() < 128)
        --first;
    QString digits = path.mid(first, stemEnd - first);
    // Counted as text, so a run of any length carries without overflow.
    qsizetype i = digits.size() - 1;
    for (; i >= 0 && digits[i] == '9'; --i)
        digits[i] = '0';
    if (i >= 0)
        digits[i] = QChar(digits[i].unicode() + 1);
    else
        digits.prepend('1');
    return path.left(first) + digits + path.mid(stemEnd);
}

bool MakeFolderPath(const DosFiles& files, const QString& folder)
{
    if (files.FolderExists(folder))
        return true;
    const qsizetype parent = folder.lastIndexOf('\\');
    if (parent > 2 && !MakeFolderPath(files, folder.left(parent)))
        return false;
    return files.MakeFolder(folder) || files.FolderExists(folder);
}

bool SaveBitmap(const DosFiles& files, const QString& path, const QImage& picture, QString& reason)
{
    const QString local = files.Local(path);
    if (local.isEmpty()) {
        reason = "磁碟機不存在";
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Without an alpha channel the writer gives 24 bits a pixel.
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB32))) {
        reason = writer.errorString();
        return false;
    }
    return SaveWholeFile(local, bytes, reason);
}

} // namespace tolvane
