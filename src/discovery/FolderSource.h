#pragma once

#include "platform/LocalFolders.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;
class DriveMap;

// Where the music scan reads folders from. Folders on disk come from LocalFolderSource;
// a drive read without a mount (a disc through the drive layer) brings its own.
class FolderSource
{
public:
    enum Result {
        Listed,
        Unreadable,    // cannot be opened or listed: contributes nothing
        AlreadyWalked, // the same folder reached again, through a link
    };

    virtual ~FolderSource() = default;
    // Forgets what an earlier walk has seen.
    virtual void Begin() = 0;
    // Subfolders and files of a DOS folder, each name once; links are followed, to
    // folders only within their drive.
    virtual Result List(const QString& dosFolder, FolderListing& out) = 0;
    // The local date a file of a folder listed before was last modified; null when unknown.
    virtual QDate ModifiedDate(const QString& dosFolder, const QString& name) = 0;
};

// Folders of the drive map's local folders, read by the platform's LocalFolders.
class LocalFolderSource : public FolderSource
{
public:
    explicit LocalFolderSource(const DosFiles& files) : folders_(files) {}

    void Begin() override { folders_.Begin(); }
    Result List(const QString& dosFolder, FolderListing& out) override;
    QDate ModifiedDate(const QString& dosFolder, const QString& name) override
    {
        return folders_.ModifiedDate(dosFolder, name);
    }

private:
    LocalFolders folders_;
};

// Folders of the disc in a CD-ROM drive, read through the drive layer without a mount.
// An ISO 9660 disc has no links. A drive whose tray is open holds nothing.
class DiscFolderSource : public FolderSource
{
public:
    explicit DiscFolderSource(const DriveMap& drives) : drives_(drives) {}

    void Begin() override { dates_.clear(); }
    Result List(const QString& dosFolder, FolderListing& out) override;
    // The recording date of a file listed since Begin.
    QDate ModifiedDate(const QString& dosFolder, const QString& name) override;

private:
    static QString Key(const QString& dosFolder, const QString& name);

    const DriveMap& drives_;
    QHash<QString, QDate> dates_; // folder and name (upper case) -> recording date
};

} // namespace tolvane
