#include "platform/DosFiles.h"

#include "platform/CdDisc.h"
#include "platform/DiscFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tolvane {

// A path on a CD-ROM drive: the drive and the path inside its disc.
const Drive* DosFiles::OnDisc(const QString& dosPath, QString& inside) const
{
    if (dosPath.size() < 2 || dosPath[1] != ':')
        return nullptr;
    const Drive* drive = drives_.Find(dosPath[0]);
    if (!drive || drive->type != kDriveCdrom)
        return nullptr;
    inside = dosPath.mid(2);
    inside.replace('\\', '/');
    return drive;
}

// The entry a disc path names; the root is a folder.
bool DosFiles::DiscEntryOf(const Drive& drive, const QString& inside, bool& folder) const
{
    QStringList parts = inside.split('/', Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        folder = true;
        QList<DiscEntry> entries;
        return DiscFolders::List(drive.root, CdDrive::LooksLikeImage(drive.root), "/", entries);
    }
    QString name = parts.takeLast();
    QList<DiscEntry> entries;
    if (!DiscFolders::List(drive.root, CdDrive::LooksLikeImage(drive.root), parts.join('/'),
                           entries))
        return false;
    for (const DiscEntry& entry : entries) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            folder = entry.folder;
            return true;
        }
    }
    return false;
}

bool DosFiles::FileExists(const QString& dosPath) const
{
    QString inside;
    bool folder = false;
    if (const Drive* drive = OnDisc(dosPath, inside))
        return DiscEntryOf(*drive, inside, folder) && !folder;
    QString local = Local(dosPath);
    return !local.isEmpty() && QFileInfo(local).isFile();
}

bool DosFiles::FolderExists(const QString& dosPath) const
{
    QString inside;
    bool folder = false;
    if (const Drive* drive = OnDisc(dosPath, inside))
        return DiscEntryOf(*drive, inside, folder) && folder;
    QString local = Local(dosPath);
    return !local.isEmpty() && QFileInfo(local).isDir();
}

bool DosFiles::MakeFolder(const QString& dosPath) const
{
    QString local = Local(dosPath);
    if (local.isEmpty())
        return false;
    if (QFileInfo(local).isDir())
        return true;
    return QDir().mkdir(local);
}

bool DosFiles::WildcardMatch(const QString& pattern, const QString& name)
{
    // "*.*" matches every name, with or without a dot, as on DOS.
    if (pattern == "*.*" || pattern == "*")
        return true;
    qsizetype p = 0, n = 0, star = -1, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || pattern[p].toLower() == name[n].toLower())) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

QStringList DosFiles::ListFiles(const QString& dosFolder, const QString& pattern) const
{
    QString inside;
    if (const Drive* drive = OnDisc(dosFolder, inside)) {
        QList<DiscEntry> entries;
        DiscFolders::List(drive->root, CdDrive::LooksLikeImage(drive->root), inside, entries);
        QStringList names;
        for (const DiscEntry& entry : entries) {
            if (!entry.folder && WildcardMatch(pattern, entry.name))
                names.append(entry.name);
        }
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        return names;
    }
    QString local = Local(dosFolder);
    if (local.isEmpty())
        return {};
    QStringList result;
    const QStringList names = QDir(local).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (WildcardMatch(pattern, name))
            result.append(name);
    }
    std::sort(result.begin(), result.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return result;
}

bool DosFiles::ReadAll(const QString& dosPath, QByteArray& bytes) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

QByteArray DosFiles::ReadHead(const QString& dosPath, qint64 count) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(count);
}

bool DosFiles::WriteAll(const QString& dosPath, const QByteArray& bytes) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

bool DosFiles::Append(const QString& dosPath, const QByteArray& bytes) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write(bytes) == bytes.size();
}

bool DosFiles::Remove(const QString& dosPath) const
{
    QString local = Local(dosPath);
    return !local.isEmpty() && QFile::remove(local);
}

} // namespace tolvane
