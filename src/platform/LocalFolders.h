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

// One folder as the music scan sees it: its subfolders and its files, listed once.
struct FolderListing
{
    QStringList folders;
    QStringList files;
};

// Lists the folders of the drive map's local folders for a walk, under the names the
// program shows. Remembers the bytes of every folder it lists, so deep trees are not
// resolved again component by component, and of every name that is not UTF-8; and the
// identity of every folder walked, so a link back up the tree cannot make the walk
// endless. A link to a folder is followed only when it stays on its drive.
class LocalFolders
{
public:
    enum Result {
        Listed,
        Unreadable,
        AlreadyWalked,
    };

    explicit LocalFolders(const DosFiles& files) : files_(files) {}
    ~LocalFolders();
    LocalFolders(const LocalFolders&) = delete;
    LocalFolders& operator=(const LocalFolders&) = delete;

    void Begin();
    Result List(const QString& dosFolder, FolderListing& out);
    // The local date a file of a folder listed before was last modified; null when unknown.
    QDate ModifiedDate(const QString& dosFolder, const QString& name);

private:
    QByteArray LocalOf(const QString& dosFolder) const;
    const QByteArray* RootOf(const QString& dosFolder);
    bool ReadEntries(int fd, const QString& dosFolder, const QByteArray& local,
                     const QByteArray* root, FolderListing& out);
    void CloseLast();

    const DosFiles& files_;
    QHash<QString, QByteArray> local_; // DOS folder -> local path
    QHash<QString, QByteArray> names_; // DOS path of a name that is not UTF-8 -> its bytes
    QHash<QChar, QByteArray> roots_;   // drive letter -> real path of its root
    QSet<QPair<quint64, quint64>> walked_;
    // The folder listed last stays open: its files' dates are read right after.
    QString lastFolder_;
    int lastFd_ = -1;
    std::vector<char> entries_; // raw directory entries, reused from folder to folder
};

} // namespace tolvane
