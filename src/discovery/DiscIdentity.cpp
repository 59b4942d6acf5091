#include "discovery/DiscIdentity.h"

#include "platform/VolumeSerial.h"

#include <cmath>
#include <cstdlib>

namespace tolvane {

namespace {

QChar Letter(char first, long long part)
{
    return QChar(first + static_cast<int>(std::llabs(part) % 26));
}

long long FloorDiv(std::int32_t value, long long divisor)
{
    return static_cast<long long>(std::floor(static_cast<double>(value) / divisor));
}

} // namespace

QString DiscIdentity::ReadSerial(const DriveMap& drives, const QString& path)
{
    QString root = path.endsWith('\\') ? path : path + "\\";
    VolumeInformation info = VolumeSerial::Read(drives, root);
    QString digits = info.ok ? QString::number(info.serial, 16).toUpper() : QString();
    return ("00000000" + digits).right(8);
}

QString DiscIdentity::VolumeLabel(const DriveMap& drives, const QString& path)
{
    return VolumeSerial::Read(drives, path.left(2) + "\\").label;
}

QString DiscIdentity::SerialText(const QString& eightDigits)
{
    return eightDigits.left(4) + "-" + eightDigits.mid(4, 4);
}

QString DiscIdentity::DiscCode(std::int32_t serial)
{
    QString code;
    code += Letter('A', FloorDiv(serial, 16777216));
    code += Letter('a', FloorDiv(serial, 65536));
    code += Letter('a', FloorDiv(serial, 256));
    code += Letter('a', serial);
    return code;
}

QString DiscIdentity::DiscCode(const DriveMap& drives, const QString& path)
{
    bool ok = false;
    auto serial = static_cast<std::uint32_t>(ReadSerial(drives, path).toUInt(&ok, 16));
    return DiscCode(static_cast<std::int32_t>(serial));
}

} // namespace tolvane
