#pragma once

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>

class QIODevice;

namespace tolvane {

// The small JPEG a camera stores inside its photo's Exif block. A thumbnail read from
// it skips decoding millions of pixels; the bytes are only trusted as far as they
// stay inside the block.
namespace ExifPreview {

// The preview's bytes, or none when the JPEG at the device's position carries none.
// The device is left where it was.
QByteArray Find(QIODevice& device);

// The preview turned the way the photo is shown, by the photo's own orientation.
QImage Oriented(QImage image, QImageIOHandler::Transformations turn);

} // namespace ExifPreview

} // namespace tolvane
