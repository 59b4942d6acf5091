#include "pictures/PictureReading.h"

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
    QImageReader reader(&device);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return fail(reader.errorString());
    if (qint64(size.width()) * size.height() > kMaxPixels)
        return fail(QString("%1 x %2").arg(size.width()).arg(size.height()));
    QSize target = FitInside(size, box);
    if (use == Use::Thumbnail)
        target = target.boundedTo(size);
    if (target.isEmpty())
        return fail(QString());
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
