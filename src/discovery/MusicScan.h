#pragma once

#include "app/Text.h"
#include "discovery/FolderSource.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tolvane {

class Context;
class Forms;
class MusicScan;

// What the scan needs from parts of the program that are wired in by the main window:
// the song book, its new-entry offer and the main window's lists. Unset hooks do
// nothing (a lookup that is not set finds nothing).
struct MusicScanHooks
{
    // The volume serial text of a path ("XXXX-XXXX").
    std::function<QString(const QString& path)> volumeSerial;
    // Looks a whole disc on `path` up in the song book; true when its album list is
    // taken from there (filled into `albums`), so the disc is not scanned again.
    std::function<bool(const QString& path, const QString& serial, QStringList& albums)>
        songBookLookup;
    // Offers to add a scanned disc with its albums to the song book; the scan tells
    // the dates of its music files.
    std::function<void(MusicScan& scan, const QString& path, const QString& serial,
                       const QStringList& albums)>
        offerSongBookEntry;
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

// Paces the scan's progress: Label1 and pending window events at most once per interval
// of clock time, first at once. A walk meets thousands of folders a second; showing each
// one cost more than listing it, while a person cannot read them that fast anyway.
class ScanPace
{
public:
    explicit ScanPace(int intervalMs = 50) : intervalMs_(intervalMs) {}

    void Restart() { last_ = -1; }
    // True the first time and once the interval has passed since the last true, for
    // a time in milliseconds since 1970 UTC.
    bool Due(qint64 ms);

private:
    qint64 intervalMs_;
    qint64 last_ = -1;
};

// The range of modification dates of the music files a scan counted, both ends starting
// at today. The dates are read, in the order the files were counted, when the range is
// first asked for: only the song book asks, for whole discs, while stating every song
// during the walk would cost as much as the walk itself.
class FileDateRange
{
public:
    // Both ends at `today`; files not read yet are forgotten.
    void Reset(const QDate& today);
    // Counted files of a folder of `source`, whose dates move the range; `names` is
    // built by Pack.
    void Add(FolderSource& source, const QString& folder, QString names);
    // Appends a name to a folder's names: its length as one character, then the name.
    // One string a folder instead of one a song keeps a large scan small.
    static void Pack(QString& names, const QString& name);
    QDate Earliest();
    QDate Latest();

private:
    struct Pending
    {
        FolderSource* source;
        QString folder;
        QString names; // packed
    };
    void ReadPending();
    void Move(const QDate& date);

    std::vector<Pending> pending_;
    QDate today_;
    QDate earliest_;
    QDate latest_;
};

// The music scan: finds every folder under a device or folder that directly holds files
// of the selected types, breadth first, and turns them into the sorted album list.
class MusicScan
{
public:
    // Reads folders through the drive map (discs in CD-ROM drives without a mount)
    // unless given another source.
    MusicScan(Context& context, Forms& forms, FolderSource* source = nullptr);
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
    QDate EarliestFileDate() { return dates_.Earliest(); }
    QDate LatestFileDate() { return dates_.Latest(); }
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
    bool IsMusicType(const QString& name) const;
    bool HasListedExtension(const QString& name) const;
    void ScanSubDirEx(const QString& folder, const QStringList& subfolders,
                      std::vector<Queued>& queue);
    // Shows the folder being scanned and lets events run, when the pace allows.
    void Progress(const QString& folder, qint64 ms);
    // Reads the clock after a folder was met: the local time is read again only when
    // the second has changed, all a log line shows of it.
    void Tick();

    void ChooseSource(const QString& path);
    void ChooseTypes(const QString& patterns);

    Context& context_;
    Forms& forms_;
    FolderSource* given_;
    LocalFolderSource local_;
    DiscFolderSource disc_;
    FolderSource* source_;
    QStringList filters_;
    QString upperPatterns_;
    // ".MP3" for each pattern that is a plain "*.MP3": such a name only needs its ending
    // compared. Empty when any pattern needs the wildcard match.
    QStringList endings_;
    ScanPace pace_;
    ClockText time_;
    QDateTime lastNow_;      // the local time of the last folder met, to the second
    qint64 lastMs_ = 0;      // the time of the last folder met, ms since 1970 UTC
    qint64 lastSecond_ = -1; // the second of lastNow_, since 1970 UTC
    FileDateRange dates_;
};

} // namespace tolvane
