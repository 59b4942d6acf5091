#pragma once

#include <QString>

class QImage;

namespace tolvane {

class DosFiles;

// The name after a capture file's: the run of digits right before the four-character
// extension counts up by one in the same number of digits ("Cut0009.BMP" gives
// "Cut0010.BMP"); it only grows past its last number, and a name without digits
// gains a "1".
QString NextCaptureName(const QString& path);

// Makes a folder and any missing folders above it; false when one cannot be made.
bool MakeFolderPath(const DosFiles& files, const QString& folder);

// Saves a picture as a 24-bit Windows bitmap. It goes to a temporary file renamed
// over the old one only once every byte is written; otherwise `reason` says why.
bool SaveBitmap(const DosFiles& files, const QString& path, const QImage& picture, QString& reason);

} // namespace tolvane
