#pragma once

#include "platform/DriveMap.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tolvane {

// File and folder operations on DOS paths, resolved through the drive map.
class DosFiles
{
public:
    explicit DosFiles(const DriveMap& drives) : drives_(drives) {}

    const DriveMap& Drives() const { return drives_; }
    QString Local(const QString& dosPath) const { return drives_.ToLocal(dosPath); }

    bool FileExists(const QString& dosPath) const;
    bool FolderExists(const QString& dosPath) const;
    // One level, as MkDir does: fails when the parent is missing.
    bool MakeFolder(const QString& dosPath) const;
    // Names of the files in a folder matching a pattern such as "*.Jpg" (no case),
    // in the order of a case-insensitive sort.
    QStringList ListFiles(const QString& dosFolder, const QString& pattern) const;

    bool ReadAll(const QString& dosPath, QByteArray& bytes) const;
    // The first `count` bytes (fewer when the file is shorter); empty when unreadable.
    QByteArray ReadHead(const QString& dosPath, qint64 count) const;
    bool WriteAll(const QString& dosPath, const QByteArray& bytes) const;
    bool Append(const QString& dosPath, const QByteArray& bytes) const;
    bool Remove(const QString& dosPath) const;

    static bool WildcardMatch(const QString& pattern, const QString& name);

private:
    const Drive* OnDisc(const QString& dosPath, QString& inside) const;
    bool DiscEntryOf(const Drive& drive, const QString& inside, bool& folder) const;

    const DriveMap& drives_;
};

} // namespace tolvane
