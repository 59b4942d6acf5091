#pragma once

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

namespace tolvane {

// The pictures a user may bring, good and bad, written into local folders.
namespace pictures {

inline bool Solid(const QString& local, QSize size, QColor colour, const char* format = nullptr)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture.save(local, format);
}

inline bool Bytes(const QString& local, const QByteArray& bytes)
{
    QFile file(local);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A PNG whose header claims 20,000 x 20,000 pixels, with a few rows of data only.
inline QByteArray HugePng()
{
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        small.save(&buffer, "PNG");
    }
    // IHDR's width and height follow the signature, the length and the type.
    auto put = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((value >> (24 - 8 * i)) & 0xFF);
    };
    put(16, 20000);
    put(20, 20000);
    // The header's checksum, over its type and data, so the header itself is sound.
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes.mid(12, 17)) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put(29, ~crc);
    return bytes;
}

// A BMP whose header claims 20,000 x 20,000 pixels and holds none.
inline QByteArray HugeBmp()
{
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    auto put = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(2, 54);
    put(10, 54);
    put(14, 40);
    put(18, 20000);
    put(22, 20000);
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes;
}

inline QByteArray Jpeg(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 90);
    return bytes;
}

// The first half of a real JPEG.
inline QByteArray CutJpeg()
{
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(20, 200, 40));
    const QByteArray bytes = Jpeg(picture);
    return bytes.left(bytes.size() / 2);
}

// A GIF89a of palette indices (row by row) over a palette of colours, with one index
// transparent. Qt writes no GIF: the codes are written nine bits wide, with a clear
// code often enough that the table never grows past nine bits.
inline QByteArray Gif(QSize size, const QList<uchar>& indices, const QList<QRgb>& palette,
                      int transparent)
{
    QByteArray out = "GIF89a";
    auto word = [&](int value) {
        out += char(value & 0xFF);
        out += char((value >> 8) & 0xFF);
    };
    word(size.width());
    word(size.height());
    out += char(0xF7); // a global table of 256 colours
    out += '\0';
    out += '\0';
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : 0;
        out += char(qRed(colour));
        out += char(qGreen(colour));
        out += char(qBlue(colour));
    }
    out += QByteArray("\x21\xF9\x04\x01\x00\x00", 6);
    out += char(transparent);
    out += '\0';
    out += ',';
    word(0);
    word(0);
    word(size.width());
    word(size.height());
    out += '\0';
    out += char(8); // the smallest code size
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](int value) {
        bits |= quint32(value) << count;
        count += 9;
        while (count >= 8) {
            data += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0)
            code(256);
        code(indices[i]);
    }
    code(257);
    if (count > 0)
        data += char(bits & 0xFF);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out += char(block.size());
        out += block;
    }
    out += '\0';
    out += ';';
    return out;
}

// A camera's JPEG: the photo with its preview in an Exif block, and the orientation it
// was taken in (6: the camera turned a quarter clockwise). A preview length past the
// block's end stands for a damaged one.
inline QByteArray CameraJpeg(const QImage& photo, const QByteArray& preview, int orientation = 1,
                             quint32 previewLength = 0)
{
    QByteArray tiff("II*\0", 4);
    auto put = [&](quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            tiff += char((value >> (8 * i)) & 0xFF);
    };
    auto entry = [&](quint16 tag, quint16 type, quint32 value) {
        put(tag, 2);
        put(type, 2);
        put(1, 4);
        put(value, 4);
    };
    put(8, 4);
    put(1, 2);
    entry(0x0112, 3, quint32(orientation));
    put(26, 4);
    put(2, 2);
    entry(0x0201, 4, 56);
    entry(0x0202, 4, previewLength ? previewLength : quint32(preview.size()));
    put(0, 4);
    tiff += preview;
    const QByteArray block = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    app1 += char(((block.size() + 2) >> 8) & 0xFF);
    app1 += char((block.size() + 2) & 0xFF);
    return Jpeg(photo).insert(2, app1 + block);
}

inline QByteArray Noise()
{
    QByteArray bytes(4096, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 7919 + 13) & 0xFF);
    return bytes;
}

} // namespace pictures

} // namespace tolvane
