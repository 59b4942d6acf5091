#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

namespace tolvane {

// Reading the pictures a user brings (JPEG, BMP, GIF, PNG) without trusting them: the
// size comes from the header, a picture of more pixels than any camera takes is left
// unread, and the decoder may allocate only so much, so a damaged or enormous file
// costs neither the memory nor the time of the program.
namespace PictureReading {

// The most pixels a picture may have to be read at all.
constexpr qint64 kMaxPixels = 100'000'000;
// The most the decoder may allocate for one picture, in megabytes.
constexpr int kAllocationMegabytes = 256;

// The file patterns of the pictures, as a file list takes them.
QString Patterns();
// A name with the extension of a picture.
bool IsPictureName(const QString& name);
// The decoder's allocation limit; set once, on the user-interface thread, before any
// picture is read.
void LimitAllocation();

// The size the header gives; empty when it is no picture this program reads.
QSize Size(QIODevice& device);
// The largest size of the picture's aspect that fits `box`.
QSize FitInside(QSize picture, QSize box);

// What a picture is read for: a thumbnail is never larger than the picture and may
// be decoded coarsely; a picture shown is scaled up to its area and decoded finely.
enum class Use { Thumbnail, Show };

// The picture decoded at the size that fits `box`; a null image and the reason when it
// cannot be read.
QImage ReadFitted(QIODevice& device, QSize box, Use use, QString* why = nullptr);

} // namespace PictureReading

} // namespace tolvane
