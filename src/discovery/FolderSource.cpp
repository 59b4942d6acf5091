#include "discovery/FolderSource.h"

#include "platform/CdDisc.h"
#include "platform/DiscFolders.h"
#include "platform/DriveMap.h"

#include <algorithm>

namespace tolvane {

FolderSource::Result LocalFolderSource::List(const QString& dosFolder, FolderListing& out)
{
    switch (folders_.List(dosFolder, out)) {
    case LocalFolders::Listed:
        return Listed;
    case LocalFolders::AlreadyWalked:
        return AlreadyWalked;
    case LocalFolders::Unreadable:
        break;
    }
    return Unreadable;
}

FolderSource::Result DiscFolderSource::List(const QString& dosFolder, FolderListing& out)
{
    out.folders.clear();
    out.files.clear();
    const Drive* drive =
        dosFolder.size() >= 2 && dosFolder[1] == ':' ? drives_.Find(dosFolder[0]) : nullptr;
    if (!drive || drive->type != kDriveCdrom || drives_.TrayOpen(drive->letter))
        return Unreadable;
    QString inside = dosFolder.mid(2);
    inside.replace('\\', '/');
    if (inside.isEmpty())
        inside = "/";
    QList<DiscEntry> entries;
    if (!DiscFolders::List(drive->root, CdDrive::LooksLikeImage(drive->root), inside, entries))
        return Unreadable;
    for (const DiscEntry& entry : entries) {
        (entry.folder ? out.folders : out.files).append(entry.name);
        if (!entry.folder && entry.modified.isValid())
            dates_.insert(Key(dosFolder, entry.name), entry.modified.date());
    }
    std::sort(out.folders.begin(), out.folders.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return Listed;
}

QString DiscFolderSource::Key(const QString& dosFolder, const QString& name)
{
    return (dosFolder + '\\' + name).toUpper();
}

QDate DiscFolderSource::ModifiedDate(const QString& dosFolder, const QString& name)
{
    return dates_.value(Key(dosFolder, name));
}

} // namespace tolvane
