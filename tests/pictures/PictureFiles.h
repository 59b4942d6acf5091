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

// The first half of a real JPEG.
inline QByteArray CutJpeg()
{
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(20, 200, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG");
    return bytes.left(bytes.size() / 2);
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
