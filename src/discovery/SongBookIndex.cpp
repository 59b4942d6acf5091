#include "discovery/SongBookIndex.h"

#include "app/Ini.h"
#include "app/Text.h"

#include <algorithm>
#include <limits>

namespace tolvane {

namespace {

const QString kList = QStringLiteral("CDROM");
constexpr int kMost = std::numeric_limits<int>::max();

int Number(const QString& text)
{
    const double value = LenientNumber(text);
    return value >= 1 && value < kMost ? int(value) : 0;
}

// A key that is a plain whole number from 1 on; 0 otherwise.
int KeyNumber(const QString& key)
{
    bool ok = false;
    const int number = key.trimmed().toInt(&ok);
    return ok && number > 0 ? number : 0;
}

} // namespace

void SongBookIndex::Point() const
{
    ini_.IniFile = path_;
}

int SongBookIndex::DiscCount() const
{
    Point();
    return Number(ini_.ReadIni(kList, "DiscNum"));
}

int SongBookIndex::NextNumber() const
{
    int last = DiscCount();
    for (const QString& key : ini_.IniKeys(kList)) {
        const int number = KeyNumber(key);
        if (number > last && !ini_.ReadIni(kList, key).isEmpty())
            last = number;
    }
    return last < kMost ? last + 1 : 0;
}

QList<SongBookDisc> SongBookIndex::Discs() const
{
    const int count = DiscCount();
    QList<int> numbers;
    for (const QString& key : ini_.IniKeys(kList)) {
        const int number = KeyNumber(key);
        if (number >= 1 && number <= count)
            numbers.append(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    QList<SongBookDisc> discs;
    for (int number : std::as_const(numbers)) {
        const QString value = ini_.ReadIni(kList, QString::number(number));
        const qsizetype first = value.indexOf(',');
        if (first < 0)
            continue;
        // A title holding a comma moves the rest into the dates, as the entry splits.
        const qsizetype second = value.indexOf(',', first + 1);
        SongBookDisc disc;
        disc.number = number;
        disc.serial = value.left(first);
        disc.title = second < 0 ? value.mid(first + 1) : value.mid(first + 1, second - first - 1);
        disc.dates = second < 0 ? QString() : value.mid(second + 1);
        disc.listed = value;
        discs.append(disc);
    }
    return discs;
}

QString SongBookIndex::Title(const QString& serial) const
{
    if (serial.trimmed().isEmpty())
        return QString();
    Point();
    return ini_.ReadIni(serial, "Title");
}

bool SongBookIndex::Folders(const QString& serial, QStringList& folders) const
{
    Point();
    folders.clear();
    const int count = Number(ini_.ReadIni(serial, "DirNumbers"));
    // More folders than the section has keys: one at least is missing.
    if (count > ini_.IniKeys(serial).size())
        return false;
    for (int i = 1; i <= count; ++i) {
        folders.append(ini_.ReadIni(serial, QString::number(i)));
        if (folders.last().isEmpty())
            return false;
    }
    return true;
}

bool SongBookIndex::Add(const QList<SongBookEntry>& entries) const
{
    if (entries.isEmpty())
        return true;
    int number = NextNumber();
    if (number == 0 || number > kMost - entries.size())
        return false;
    QList<ProfileFile::Entry> writes;
    for (const SongBookEntry& entry : entries) {
        writes.append({kList, QString::number(number), entry.listed});
        writes.append({entry.serial, "Title", entry.title});
        writes.append({entry.serial, "DirNumbers", QString::number(entry.folders.size())});
        for (qsizetype i = 0; i < entry.folders.size(); ++i)
            writes.append({entry.serial, QString::number(i + 1), entry.folders[i]});
        ++number;
    }
    // The count first, as it is read first.
    writes.prepend({kList, "DiscNum", QString::number(number - 1)});
    Point();
    // A failed save is kept for the next one and told by the profile layer.
    return ini_.WriteIni(writes);
}

QString SongBookIndex::AlbumOf(const QString& path, const QString& folder)
{
    QString album;
    if (folder.startsWith('\\'))
        album = path.left(2) + folder;
    else
        album = path.endsWith('\\') ? path + folder : path + "\\" + folder;
    while (album.endsWith('\\') && album.size() > 3)
        album.chop(1);
    return album;
}

QString SongBookIndex::StoredFolder(const QString& album)
{
    QString folder = album.mid(2);
    if (!folder.startsWith('\\'))
        folder.prepend('\\');
    if (!folder.endsWith('\\'))
        folder += '\\';
    return folder;
}

} // namespace tolvane
