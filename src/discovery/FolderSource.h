#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace tolvane {

class DosFiles;
class DriveMap;

// One folder as the music scan sees it: its subfolders and its files, listed once.
struct FolderListing
{
    QStringList folders;
    QStringList files;
};

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
    // Subfolders and files of a DOS folder, each name once; links are followed.
    virtual Result List(const QString& dosFolder, FolderListing& out) = 0;
    // The local date a file of a folder listed before was last modified; null when unknown.
    virtual QDate ModifiedDate(const QString& dosFolder, const QString& name) = 0;
};

// Folders of the drive map's local folders. Remembers the local path of every folder it
// lists, so deep trees are not resolved again component by component, and the identity
// of every folder walked, so a link back up the tree cannot make the walk endless.
class LocalFolderSource : public FolderSource
{
public:
    explicit LocalFolderSource(const DosFiles& files) : files_(files) {}
    ~LocalFolderSource() override;
    LocalFolderSource(const LocalFolderSource&) = delete;
    LocalFolderSource& operator=(const LocalFolderSource&) = delete;

    void Begin() override;
    Result List(const QString& dosFolder, FolderListing& out) override;
    QDate ModifiedDate(const QString& dosFolder, const QString& name) override;

private:
    QByteArray LocalOf(const QString& dosFolder) const;
    bool ReadEntries(int fd, const QString& dosFolder, const QByteArray& local, FolderListing& out);
    void CloseLast();

    const DosFiles& files_;
    QHash<QString, QByteArray> local_; // DOS folder (upper case) -> local path
    QSet<QPair<quint64, quint64>> walked_;
    // The folder listed last stays open: its files' dates are read right after.
    QString lastFolder_;
    int lastFd_ = -1;
    std::vector<char> entries_; // raw directory entries, reused from folder to folder
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
