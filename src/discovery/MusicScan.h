#pragma once

#include "discovery/FolderSource.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace tolvane {

class Player;

// What the scan needs from parts of the program that are wired in by the main window:
// the song book, its new-entry offer and the main window's lists. Unset hooks do
// nothing (a lookup that is not set finds nothing).
struct MusicScanHooks
{
    // The volume serial text of a path ("XXXX-XXXX").
    std::function<QString(const QString& path)> volumeSerial;
    // Looks a whole disc up in the song book; true when its album list is taken from
    // there (filled into `albums`), so the disc is not scanned again.
    std::function<bool(const QString& serial, QStringList& albums)> songBookLookup;
    // Offers to add a scanned disc with its albums to the song book.
    std::function<void(const QString& serial, const QStringList& albums)> offerSongBookEntry;
    // The disc's title from the song book, empty when it has none.
    std::function<QString(const QString& serial)> discTitle;
    // Shows the title in the pop-up menu entry mSele1M and the song book window caption.
    std::function<void(const QString& title)> showDiscTitle;
    // Clears the main window's lists List1 and List2.
    std::function<void()> clearLists;
    // Fills the check-box list PlayList: cleared, every album in scan order, checked.
    std::function<void(const QStringList& albums)> fillPlayList;
    // Lays the skinned labels out again after Label1 changed.
    std::function<void()> relayoutLabels;
};

// The music scan: finds every folder under a device or folder that directly holds files
// of the selected types, breadth first, and turns them into the sorted album list.
class MusicScan
{
public:
    // Reads folders through the drive map (discs in CD-ROM drives without a mount)
    // unless given another source.
    explicit MusicScan(Player& player, FolderSource* source = nullptr);
    ~MusicScan();
    MusicScan(const MusicScan&) = delete;
    MusicScan& operator=(const MusicScan&) = delete;

    // Scans a device ("D:") optionally followed by a folder; fills AlbumDirs and the
    // album list, returns the number of albums.
    int ScanMp3(const QString& path);
    // Walks the tree under `path`: MusicFolders gets the folders holding music, the
    // start folder first, then breadth first. Returns their number.
    int ScanFileEx(const QString& path, const QString& patterns);
    // The number of music files directly in a folder; moves the date range.
    int FindFileList(const QString& folder, const QString& patterns);

    // The range of modification dates of the music files of the last scan.
    QDate EarliestFileDate;
    QDate LatestFileDate;
    MusicScanHooks hooks;

    // True when a file name is a music file of a ";"-separated pattern list such as
    // "MP3;WAV" or "*.MP3;*.WAV".
    static bool IsMusicFile(const QString& name, const QStringList& filters,
                            const QString& upperPatterns);
    static QStringList Filters(const QString& patterns);
    // Album folders from scan results: folder parts, repeats in a row dropped.
    static QStringList AlbumsOf(const QStringList& musicFolders);

private:
    struct Queued;
    int Count(const QString& folder, const FolderListing& listing);
    void ScanSubDirEx(const QString& folder, const QStringList& subfolders,
                      std::vector<Queued>& queue);
    void ShowScanning(const QString& folder);

    void ChooseSource(const QString& path);

    Player& player_;
    FolderSource* given_;
    LocalFolderSource local_;
    DiscFolderSource disc_;
    FolderSource* source_;
    QStringList filters_;
    QString upperPatterns_;
};

} // namespace tolvane
