#include "platform/DosFiles.h"

#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"

#include <QFile>
#include <algorithm>

namespace tolvane {

bool DosFiles::NoMedium(const QString& dosPath) const
{
    return dosPath.size() >= 2 && dosPath[1] == ':' && drives_.TrayOpen(dosPath[0]);
}

QString DosFiles::Local(const QString& dosPath) const
{
    return NoMedium(dosPath) ? QString() : drives_.ToLocal(dosPath);
}

// A path on a disc read through libcdio: the drive and the path inside its disc. A
// folder disc's files are local files.
const Drive* DosFiles::OnDisc(const QString& dosPath, QString& inside) const
{
    if (dosPath.size() < 2 || dosPath[1] != ':')
        return nullptr;
    const Drive* drive = drives_.Find(dosPath[0]);
    if (!drive || drive->type != kDriveCdrom || drive->IsDiscFolder())
        return nullptr;
    inside = dosPath.mid(2);
    inside.replace('\\', '/');
    return drive;
}

// The disc entry a path names (the root is a folder); onDisc tells whether the path
// lies on such a disc at all.
std::optional<DiscEntry> DosFiles::DiscEntryAt(const QString& dosPath, bool& onDisc) const
{
    QString inside;
    const Drive* drive = OnDisc(dosPath, inside);
    onDisc = drive != nullptr;
    if (!drive || NoMedium(dosPath))
        return std::nullopt;
    QStringList parts = inside.split('/', Qt::SkipEmptyParts);
    bool image = !drive->IsOpticalDevice();
    QList<DiscEntry> entries;
    if (parts.isEmpty()) {
        if (!DiscFolders::List(drive->root, image, "/", entries))
            return std::nullopt;
        return DiscEntry{QString(), true, 0, QDateTime()};
    }
    QString name = parts.takeLast();
    if (!DiscFolders::List(drive->root, image, parts.join('/'), entries))
        return std::nullopt;
    for (const DiscEntry& entry : entries) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

bool DosFiles::FileExists(const QString& dosPath) const
{
    bool onDisc = false;
    std::optional<DiscEntry> entry = DiscEntryAt(dosPath, onDisc);
    if (onDisc)
        return entry && !entry->folder;
    return StatLocal(Local(dosPath)).file;
}

bool DosFiles::FolderExists(const QString& dosPath) const
{
    bool onDisc = false;
    std::optional<DiscEntry> entry = DiscEntryAt(dosPath, onDisc);
    if (onDisc)
        return entry && entry->folder;
    return StatLocal(Local(dosPath)).folder;
}

qint64 DosFiles::FileLen(const QString& dosPath) const
{
    bool onDisc = false;
    std::optional<DiscEntry> entry = DiscEntryAt(dosPath, onDisc);
    if (onDisc)
        return entry && !entry->folder ? entry->size : -1;
    const LocalInfo info = StatLocal(Local(dosPath));
    return info.file ? info.size : -1;
}

QDateTime DosFiles::FileDateTime(const QString& dosPath) const
{
    bool onDisc = false;
    std::optional<DiscEntry> entry = DiscEntryAt(dosPath, onDisc);
    if (onDisc)
        return entry ? entry->modified : QDateTime();
    const LocalInfo info = StatLocal(Local(dosPath));
    return info.exists ? info.modified.toLocalTime() : QDateTime();
}

bool DosFiles::MakeFolder(const QString& dosPath) const
{
    QString local = Local(dosPath);
    if (local.isEmpty())
        return false;
    return StatLocal(local).folder || MakeLocalFolder(local);
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
    return ListEntries(dosFolder, pattern, false);
}

QStringList DosFiles::ListFolders(const QString& dosFolder) const
{
    return ListEntries(dosFolder, "*.*", true);
}

QStringList DosFiles::ListEntries(const QString& dosFolder, const QString& pattern,
                                  bool folders) const
{
    if (NoMedium(dosFolder))
        return {};
    QStringList names;
    QString inside;
    if (const Drive* drive = OnDisc(dosFolder, inside)) {
        QList<DiscEntry> entries;
        DiscFolders::List(drive->root, !drive->IsOpticalDevice(), inside, entries);
        for (const DiscEntry& entry : entries) {
            if (entry.folder == folders && WildcardMatch(pattern, entry.name))
                names.append(entry.name);
        }
    } else {
        QString local = Local(dosFolder);
        QList<LocalEntry> entries;
        if (local.isEmpty() || !ListLocal(local, entries))
            return {};
        for (const LocalEntry& entry : entries) {
            if (!(folders ? entry.folder : entry.file))
                continue;
            QString name = DisplayName(entry.name);
            if (WildcardMatch(pattern, name))
                names.append(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

bool DosFiles::ReadAll(const QString& dosPath, QByteArray& bytes) const
{
    QFile file;
    if (!OpenLocal(file, Local(dosPath), QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

QByteArray DosFiles::ReadHead(const QString& dosPath, qint64 count) const
{
    QFile file;
    if (!OpenLocal(file, Local(dosPath), QIODevice::ReadOnly))
        return QByteArray();
    return file.read(count);
}

bool DosFiles::WriteAll(const QString& dosPath, const QByteArray& bytes) const
{
    QFile file;
    if (!OpenLocal(file, Local(dosPath), QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

bool DosFiles::Append(const QString& dosPath, const QByteArray& bytes) const
{
    QFile file;
    if (!OpenLocal(file, Local(dosPath), QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write(bytes) == bytes.size();
}

bool DosFiles::Remove(const QString& dosPath) const
{
    return RemoveLocalFile(Local(dosPath));
}

bool DosFiles::Open(const QString& dosPath, QFile& file, QIODevice::OpenMode mode) const
{
    return OpenLocal(file, Local(dosPath), mode);
}

bool DosFiles::MoveToTrash(const QString& dosPath) const
{
    return TrashLocal(Local(dosPath));
}

} // namespace tolvane
