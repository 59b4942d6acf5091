#include "pictures/PictureReading.h"

#include "pictures/ExifPreview.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>
#include <QStringList>

namespace tolvane {

namespace PictureReading {

namespace {

const QStringList& Extensions()
{
    static const QStringList extensions = {"jpg", "jpeg", "bmp", "gif", "png"};
    return extensions;
}

bool SameAspect(QSize a, QSize b)
{
    // Within a pixel of the smaller picture: cameras round the preview's sides.
    const qint64 cross = qint64(a.width()) * b.height() - qint64(a.height()) * b.width();
    return qAbs(cross) <= qint64(qMax(a.width(), a.height())) * 2;
}

// A camera's own preview when it shows the whole photo at least as large as the
// thumbnail; a null image otherwise, and the photo is decoded.
QImage FromPreview(QIODevice& device, qint64 start, QSize target)
{
    // The decoder has read on already: it finds the device where it left it.
    const qint64 resume = device.pos();
    device.seek(start);
    QByteArray bytes = ExifPreview::Find(device);
    device.seek(resume);
    if (bytes.isEmpty())
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    const QSize size = reader.size();
    if (size.width() < target.width() || size.height() < target.height() ||
        !SameAspect(size, target))
        return QImage();
    reader.setScaledSize(target);
    return reader.read();
}

} // namespace

QString Patterns()
{
    QStringList patterns;
    for (const QString& ext : Extensions())
        patterns.append("*." + ext);
    return patterns.join(';');
}

bool IsPictureName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 && Extensions().contains(name.mid(dot + 1).toLower());
}

void LimitAllocation()
{
    QImageReader::setAllocationLimit(kAllocationMegabytes);
}

QSize Size(QIODevice& device)
{
    QImageReader reader(&device);
    const QSize size = reader.size();
    return size.isValid() && !size.isEmpty() ? size : QSize();
}

QSize FitInside(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return QSize();
    QSize fitted = picture.scaled(box, Qt::KeepAspectRatio);
    return fitted.expandedTo(QSize(1, 1));
}

QImage ReadFitted(QIODevice& device, QSize box, Use use, QString* why)
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return QImage();
    };
    const qint64 start = device.pos();
    QImageReader reader(&device);
    // A photo taken upright is shown upright.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return fail(reader.errorString());
    if (qint64(size.width()) * size.height() > kMaxPixels)
        return fail(QString("%1 x %2").arg(size.width()).arg(size.height()));
    // The size and the scaling are the stored picture's, before it is turned.
    const QImageIOHandler::Transformations turn = reader.transformation();
    if (turn & QImageIOHandler::TransformationRotate90)
        box.transpose();
    QSize target = FitInside(size, box);
    if (use == Use::Thumbnail)
        target = target.boundedTo(size);
    if (target.isEmpty())
        return fail(QString());
    if (use == Use::Thumbnail && reader.format() == "jpeg") {
        const QImage preview = FromPreview(device, start, target);
        if (!preview.isNull())
            return ExifPreview::Oriented(preview, turn);
    }
    // JPEG decodes at the smaller size itself; the other kinds are scaled after.
    reader.setScaledSize(target);
    // Below 50 the JPEG decoder takes its fast path, which a thumbnail cannot show.
    reader.setQuality(use == Use::Thumbnail ? 40 : 90);
    QImage image = reader.read();
    if (image.isNull())
        return fail(reader.errorString());
    return image;
}

} // namespace PictureReading

} // namespace tolvane
