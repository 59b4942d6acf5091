#include "pictures/ExifPreview.h"

#include <QIODevice>
#include <QTransform>

namespace tolvane {

namespace ExifPreview {

namespace {

// Markers before the picture data are few; a file that goes on longer is no photo.
constexpr int kMaxSegments = 32;
constexpr quint16 kPreviewOffset = 0x0201;
constexpr quint16 kPreviewLength = 0x0202;

// A TIFF structure in either byte order, every read checked against its end.
class Tiff
{
public:
    explicit Tiff(const QByteArray& bytes) : bytes_(bytes)
    {
        if (bytes.startsWith("II*\0"))
            little_ = true;
        else if (!bytes.startsWith(QByteArray("MM\0*", 4)))
            bytes_.clear();
    }

    bool Valid() const { return bytes_.size() >= 8; }

    bool Word(qint64 at, quint32* value) const { return Read(at, 2, value); }
    bool Long(qint64 at, quint32* value) const { return Read(at, 4, value); }

    QByteArray Slice(quint32 at, quint32 length) const
    {
        if (at > quint64(bytes_.size()) || length > quint64(bytes_.size()) - at)
            return QByteArray();
        return bytes_.mid(at, length);
    }

private:
    bool Read(qint64 at, int width, quint32* value) const
    {
        if (at < 0 || at + width > bytes_.size())
            return false;
        const auto* p = reinterpret_cast<const uchar*>(bytes_.constData()) + at;
        *value = 0;
        for (int i = 0; i < width; ++i)
            *value |= quint32(p[i]) << (8 * (little_ ? i : width - 1 - i));
        return true;
    }

    QByteArray bytes_;
    bool little_ = false;
};

// The preview named by the second picture directory of an Exif block.
QByteArray FromExif(const QByteArray& exif)
{
    const Tiff tiff(exif);
    quint32 first = 0;
    quint32 entries = 0;
    if (!tiff.Valid() || !tiff.Long(4, &first) || !tiff.Word(first, &entries))
        return QByteArray();
    quint32 second = 0;
    if (!tiff.Long(qint64(first) + 2 + 12 * qint64(entries), &second) || second == 0 ||
        !tiff.Word(second, &entries))
        return QByteArray();
    quint32 offset = 0;
    quint32 length = 0;
    for (quint32 i = 0; i < entries; ++i) {
        const qint64 entry = qint64(second) + 2 + 12 * qint64(i);
        quint32 tag = 0;
        quint32 value = 0;
        if (!tiff.Word(entry, &tag) || !tiff.Long(entry + 8, &value))
            return QByteArray();
        if (tag == kPreviewOffset)
            offset = value;
        else if (tag == kPreviewLength)
            length = value;
    }
    const QByteArray preview = tiff.Slice(offset, length);
    return preview.startsWith("\xFF\xD8") ? preview : QByteArray();
}

} // namespace

QByteArray Find(QIODevice& device)
{
    const qint64 start = device.pos();
    QByteArray found;
    if (device.peek(2) == "\xFF\xD8" && device.skip(2) == 2) {
        for (int i = 0; i < kMaxSegments; ++i) {
            const QByteArray head = device.read(4);
            if (head.size() < 4 || uchar(head[0]) != 0xFF)
                break;
            const uchar marker = uchar(head[1]);
            // The picture data start here; the Exif block comes before them.
            if (marker == 0xDA || marker == 0xD9)
                break;
            const int length = (uchar(head[2]) << 8 | uchar(head[3])) - 2;
            if (length < 0)
                break;
            if (marker != 0xE1) {
                if (device.skip(length) != length)
                    break;
                continue;
            }
            const QByteArray segment = device.read(length);
            if (segment.size() != length)
                break;
            if (segment.startsWith(QByteArray("Exif\0\0", 6))) {
                found = FromExif(segment.mid(6));
                break;
            }
        }
    }
    device.seek(start);
    return found;
}

QImage Oriented(QImage image, QImageIOHandler::Transformations turn)
{
    const bool horizontal = turn & QImageIOHandler::TransformationMirror;
    const bool vertical = turn & QImageIOHandler::TransformationFlip;
    if (horizontal || vertical)
        image = image.mirrored(horizontal, vertical);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace ExifPreview

} // namespace tolvane
