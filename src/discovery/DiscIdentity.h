#pragma once

#include <QString>
#include <cstdint>

namespace tolvane {

class DriveMap;

// The identity of the disc in a drive: its volume serial and the four-letter code
// that names its frame captures.
class DiscIdentity
{
public:
    // The serial of the volume of a path as eight upper-case hexadecimal digits;
    // "00000000" when the volume has none or cannot be read.
    static QString ReadSerial(const DriveMap& drives, const QString& path);
    // "1234ABCD" -> "1234-ABCD".
    static QString SerialText(const QString& eightDigits);
    // First letter upper case, then three lower case, from the serial as a signed
    // 32-bit number.
    static QString DiscCode(std::int32_t serial);
    static QString DiscCode(const DriveMap& drives, const QString& path);
    // The volume label of a path's drive; empty when it has none.
    static QString VolumeLabel(const DriveMap& drives, const QString& path);
};

} // namespace tolvane
