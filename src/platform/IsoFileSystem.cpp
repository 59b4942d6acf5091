#include "platform/IsoFileSystem.h"

#include "platform/DiscSectors.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kSector = DiscSectors::kDataBytes;
constexpr int kDescriptorsAt = 16;
constexpr int kMostDescriptors = 16;
constexpr int kRecordMinimum = 34;
// No folder of a real disc comes near this; a damaged one may claim anything.
constexpr qint64 kLargestFolder = 8 << 20;
constexpr unsigned short kXaForm2 = 1 << 12;

unsigned char Byte(const QByteArray& data, qsizetype at)
{
    return static_cast<unsigned char>(data[at]);
}

quint32 Le32(const QByteArray& data, qsizetype at)
{
    return quint32(Byte(data, at)) | quint32(Byte(data, at + 1)) << 8 |
           quint32(Byte(data, at + 2)) << 16 | quint32(Byte(data, at + 3)) << 24;
}

// The recording time of a directory record: local time where it was recorded,
// with its distance from UTC in quarter hours.
QDateTime RecordingTime(const QByteArray& record)
{
    const QDate date(1900 + Byte(record, 18), Byte(record, 19), Byte(record, 20));
    const QTime time(Byte(record, 21), Byte(record, 22), Byte(record, 23));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    int quarters = static_cast<signed char>(Byte(record, 24));
    if (quarters < -48 || quarters > 52)
        quarters = 0;
    QDateTime recorded(date, time, Qt::OffsetFromUTC, quarters * 15 * 60);
    const QDateTime local = recorded.toLocalTime();
    return QDateTime(local.date(), local.time());
}

// The Rock Ridge name in a record's system use area; empty when there is none.
QString RockRidgeName(const QByteArray& record, qsizetype from)
{
    QByteArray name;
    qsizetype at = from;
    while (at + 4 <= record.size()) {
        const int length = Byte(record, at + 2);
        if (length < 4 || at + length > record.size())
            break;
        if (record[at] == 'N' && record[at + 1] == 'M' && length >= 5) {
            name += record.mid(at + 5, length - 5);
            if (!(Byte(record, at + 4) & 1))
                break;
        }
        at += length;
    }
    return QString::fromUtf8(name);
}

QString JolietName(const QByteArray& bytes)
{
    QString name;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        name.append(QChar(char16_t(Byte(bytes, i) << 8 | Byte(bytes, i + 1))));
    return name;
}

} // namespace

QString IsoFileSystem::ShownName(const QString& recorded)
{
    QString name = recorded;
    const qsizetype version = name.indexOf(';');
    if (version >= 0)
        name.truncate(version);
    if (name.endsWith('.') && name != "." && name != "..")
        name.chop(1);
    return name;
}

std::optional<IsoFileSystem> IsoFileSystem::Read(DiscSectors& disc, int sessionStart)
{
    std::optional<IsoFileSystem> primary;
    QByteArray descriptor(kSector, '\0');
    for (int i = 0; i < kMostDescriptors; ++i) {
        if (!disc.ReadData(sessionStart + kDescriptorsAt + i, 1, descriptor.data()) ||
            descriptor.mid(1, 5) != "CD001")
            break;
        const unsigned char type = Byte(descriptor, 0);
        if (type == 255)
            break;
        if (type != 1 && type != 2)
            continue;
        const int lsn = int(Le32(descriptor, 156 + 2));
        const qint64 size = Le32(descriptor, 156 + 10);
        const bool joliet =
            type == 2 && descriptor[88] == '%' && descriptor[89] == '/' &&
            (descriptor[90] == '@' || descriptor[90] == 'C' || descriptor[90] == 'E');
        // Windows shows the Joliet names of a disc that has them.
        if (joliet)
            return IsoFileSystem(disc, lsn, size, true);
        if (type == 1 && !primary)
            primary = IsoFileSystem(disc, lsn, size, false);
    }
    return primary;
}

bool IsoFileSystem::ReadFolder(int lsn, qint64 size, QList<IsoEntry>& entries) const
{
    entries.clear();
    size = std::min(size, kLargestFolder);
    const int sectors = int((size + kSector - 1) / kSector);
    if (sectors <= 0)
        return false;
    QByteArray data(qsizetype(sectors) * kSector, '\0');
    if (!disc_->ReadData(lsn, sectors, data.data()))
        return false;
    bool continued = false; // the last entry goes on in the next record
    qsizetype at = 0;
    while (at < size) {
        const int length = Byte(data, at);
        const qsizetype inSector = at % kSector;
        if (length == 0 || inSector + length > kSector) {
            at += kSector - inSector; // records do not cross sectors
            continue;
        }
        if (length < kRecordMinimum)
            break;
        const QByteArray record = data.mid(at, length);
        at += length;
        const int nameLength = Byte(record, 32);
        if (33 + nameLength > length)
            continue;
        const QByteArray recorded = record.mid(33, nameLength);
        if (nameLength == 1 && (recorded[0] == '\0' || recorded[0] == '\1'))
            continue; // "." and ".."
        const unsigned char flags = Byte(record, 25);
        if (continued && !entries.isEmpty()) {
            entries.last().size += Le32(record, 10);
            continued = flags & 0x80;
            continue;
        }
        continued = flags & 0x80;
        const qsizetype systemUse = 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0);
        IsoEntry entry;
        entry.folder = flags & 0x02;
        entry.lsn = int(Le32(record, 2));
        entry.size = Le32(record, 10);
        entry.recorded = RecordingTime(record);
        if (systemUse + 14 <= length && record.mid(systemUse + 6, 2) == "XA") {
            entry.xa = true;
            const unsigned short attributes = static_cast<unsigned short>(
                Byte(record, systemUse + 4) << 8 | Byte(record, systemUse + 5));
            entry.form2 = attributes & kXaForm2;
        }
        QString name;
        if (joliet_)
            name = JolietName(recorded);
        else
            name = RockRidgeName(record, entry.xa ? systemUse + 14 : systemUse);
        if (name.isEmpty())
            name = QString::fromLatin1(recorded);
        entry.name = ShownName(name);
        if (!entry.name.isEmpty())
            entries.append(entry);
    }
    return true;
}

bool IsoFileSystem::List(const QString& path, QList<IsoEntry>& entries) const
{
    int lsn = rootLsn_;
    qint64 size = rootSize_;
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        QList<IsoEntry> folder;
        if (!ReadFolder(lsn, size, folder))
            return false;
        auto match = std::find_if(folder.begin(), folder.end(), [&](const IsoEntry& entry) {
            return entry.folder && entry.name.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == folder.end())
            return false;
        lsn = match->lsn;
        size = match->size;
    }
    return ReadFolder(lsn, size, entries);
}

std::optional<IsoEntry> IsoFileSystem::Find(const QString& path) const
{
    QStringList parts = path.split('/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::nullopt;
    const QString name = parts.takeLast();
    QList<IsoEntry> folder;
    if (!List(parts.join('/'), folder))
        return std::nullopt;
    for (const IsoEntry& entry : folder) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

} // namespace tolvane
