#pragma once

#include "platform/DiscFolders.h"
#include "platform/DriveMap.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>

class QFile;

namespace tolvane {

// File and folder operations on DOS paths, resolved through the drive map. A CD-ROM
// drive whose virtual tray is open holds nothing, as an empty drive.
class DosFiles
{
public:
    explicit DosFiles(const DriveMap& drives) : drives_(drives) {}

    const DriveMap& Drives() const { return drives_; }
    // Empty for an unmapped drive and for a drive without a medium. Names that are not
    // UTF-8 are held as LocalNames says: open it only through this class.
    QString Local(const QString& dosPath) const;

    bool FileExists(const QString& dosPath) const;
    bool FolderExists(const QString& dosPath) const;
    // One level, as MkDir does: fails when the parent is missing.
    bool MakeFolder(const QString& dosPath) const;
    // Names of the files in a folder matching a pattern such as "*.Jpg" (no case),
    // in the order of a case-insensitive sort.
    QStringList ListFiles(const QString& dosFolder, const QString& pattern) const;
    // The subfolders of a folder, sorted by name without regard to case.
    QStringList ListFolders(const QString& dosFolder) const;
    // Size in bytes of a file (a track file of an audio disc shows 44); -1 when there
    // is no such file.
    qint64 FileLen(const QString& dosPath) const;
    // Last change of a file or folder, a disc entry's recording time; invalid when
    // missing and for track files.
    QDateTime FileDateTime(const QString& dosPath) const;

    bool ReadAll(const QString& dosPath, QByteArray& bytes) const;
    // The first `count` bytes (fewer when the file is shorter); empty when unreadable.
    QByteArray ReadHead(const QString& dosPath, qint64 count) const;
    bool WriteAll(const QString& dosPath, const QByteArray& bytes) const;
    bool Append(const QString& dosPath, const QByteArray& bytes) const;
    bool Remove(const QString& dosPath) const;
    // A file of the disk opened into `file`, for readers that take a device.
    bool Open(const QString& dosPath, QFile& file, QIODevice::OpenMode mode) const;
    bool MoveToTrash(const QString& dosPath) const;

    static bool WildcardMatch(const QString& pattern, const QString& name);

private:
    bool NoMedium(const QString& dosPath) const;
    QStringList ListEntries(const QString& dosFolder, const QString& pattern, bool folders) const;
    const Drive* OnDisc(const QString& dosPath, QString& inside) const;
    std::optional<DiscEntry> DiscEntryAt(const QString& dosPath, bool& onDisc) const;

    const DriveMap& drives_;
};

} // namespace tolvane
