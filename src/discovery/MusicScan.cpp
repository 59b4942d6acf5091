#include "discovery/MusicScan.h"

#include "app/Player.h"
#include "app/Text.h"
#include "ui/FrmVCD.h"

#include <QFont>
#include <QLabel>
#include <algorithm>
#include <vector>

namespace tolvane {

// A folder met by the walk, with the subfolders its one listing found.
struct MusicScan::Queued
{
    QString path;
    QStringList folders;
};

MusicScan::MusicScan(Player& player, FolderSource* source)
    : player_(player), given_(source), local_(player.platform.files), disc_(player.platform.drives),
      source_(source ? source : &local_)
{
    EarliestFileDate = LatestFileDate = player_.platform.clock.Now().date();
}

MusicScan::~MusicScan() = default;

void MusicScan::ChooseSource(const QString& path)
{
    if (given_)
        source_ = given_;
    else if (player_.platform.drives.GetDriveType(path.left(2)) == kDriveCdrom)
        source_ = &disc_;
    else
        source_ = &local_;
}

QStringList MusicScan::Filters(const QString& patterns)
{
    QStringList filters;
    for (const QString& raw : patterns.split(';', Qt::SkipEmptyParts)) {
        QString entry = raw.trimmed();
        if (entry.isEmpty())
            continue;
        // The settings keep bare extensions ("MP3"); a list box pattern is "*.MP3".
        bool wildcard = entry.contains('*') || entry.contains('?');
        filters.append(wildcard ? entry : "*." + entry);
    }
    return filters;
}

bool MusicScan::IsMusicFile(const QString& name, const QStringList& filters,
                            const QString& upperPatterns)
{
    // The cheap extension test first; most files of a tree are not music.
    QString extension = ExtName(name).toUpper();
    if (extension.isEmpty() || !upperPatterns.contains(extension))
        return false;
    return std::any_of(filters.begin(), filters.end(), [&](const QString& filter) {
        return DosFiles::WildcardMatch(filter, name);
    });
}

QStringList MusicScan::AlbumsOf(const QStringList& musicFolders)
{
    QStringList albums;
    QString previous = QStringLiteral("X");
    for (const QString& entry : musicFolders) {
        QString album = FolderPart(entry);
        // A dotted folder right under the root leaves the bare drive: its root folder.
        if (!album.contains('\\'))
            album += '\\';
        if (album != previous) {
            albums.append(album);
            previous = album;
        }
    }
    return albums;
}

int MusicScan::Count(const QString& folder, const FolderListing& listing)
{
    const QDate today = player_.platform.clock.Now().date();
    int count = 0;
    for (const QString& name : listing.files) {
        if (!IsMusicFile(name, filters_, upperPatterns_))
            continue;
        ++count;
        // Only counted files have their dates read.
        QDate date = source_->ModifiedDate(folder, name);
        if (!date.isValid() || date.year() < 1990)
            continue;
        if (LatestFileDate == today)
            LatestFileDate = date;
        if (EarliestFileDate == today)
            EarliestFileDate = date;
        if (date > LatestFileDate)
            LatestFileDate = date;
        if (date < EarliestFileDate)
            EarliestFileDate = date;
    }
    player_.platform.clock.DoEvents();
    return count;
}

int MusicScan::FindFileList(const QString& folder, const QString& patterns)
{
    filters_ = Filters(patterns);
    upperPatterns_ = patterns.toUpper();
    ChooseSource(folder);
    source_->Begin();
    FolderListing listing;
    if (source_->List(folder, listing) != FolderSource::Listed) {
        player_.platform.clock.DoEvents();
        return 0;
    }
    return Count(folder, listing);
}

void MusicScan::ShowScanning(const QString& folder)
{
    if (hooks.relayoutLabels)
        hooks.relayoutLabels();
    player_.Vcd().Label1->setText(folder.size() == 2 ? folder + "\\" : folder);
}

void MusicScan::ScanSubDirEx(const QString& folder, const QStringList& subfolders,
                             std::vector<Queued>& queue)
{
    ShowScanning(folder);
    DeviceState& device = player_.device;
    for (const QString& name : subfolders) {
        QString path = PathJoin(folder, name);
        FolderListing listing;
        FolderSource::Result result = source_->List(path, listing);
        // A link back to a folder already walked is not met a second time.
        if (result == FolderSource::AlreadyWalked)
            continue;
        int count = 0;
        if (result == FolderSource::Listed)
            count = Count(path, listing);
        else
            player_.platform.clock.DoEvents();
        queue.push_back({path, std::move(listing.folders)});
        QString time = player_.platform.clock.Now().toString("HH:mm:ss");
        if (count == 0) {
            player_.log.LogWrite(path + " " + time);
            continue;
        }
        device.MusicFolders.append(path);
        player_.platform.clock.DoEvents();
        player_.log.LogWrite(path + " [" + QString::number(count) + "] " + time);
    }
}

int MusicScan::ScanFileEx(const QString& path, const QString& patterns)
{
    QLabel* label = player_.Vcd().Label1;
    const QFont kept = label->font();
    QFont small = kept;
    small.setPointSize(8);
    label->setFont(small);

    EarliestFileDate = LatestFileDate = player_.platform.clock.Now().date();
    filters_ = Filters(patterns);
    upperPatterns_ = patterns.toUpper();
    DeviceState& device = player_.device;
    device.MusicFolders.clear();
    ChooseSource(path);
    source_->Begin();

    const QString start = path.size() == 2 ? path + "\\" : path;
    FolderListing listing;
    if (source_->List(start, listing) == FolderSource::Listed) {
        if (Count(start, listing) >= 1)
            device.MusicFolders.append(start);
    }
    // Breadth first; the queue grows while it is walked, so entries are taken by value.
    std::vector<Queued> queue;
    ScanSubDirEx(start, listing.folders, queue);
    for (size_t i = 0; i < queue.size(); ++i) {
        QString folder = queue[i].path;
        QStringList subfolders = std::move(queue[i].folders);
        queue[i].folders = QStringList();
        ScanSubDirEx(folder, subfolders, queue);
    }

    label->setText("搜尋完成!");
    label->setFont(kept);
    if (hooks.relayoutLabels)
        hooks.relayoutLabels();
    return int(device.MusicFolders.size());
}

int MusicScan::ScanMp3(const QString& path)
{
    DeviceState& device = player_.device;
    const QString serial = hooks.volumeSerial ? hooks.volumeSerial(path) : QString();
    if (hooks.clearLists)
        hooks.clearLists();
    device.AlbumDirs = QStringList{QString()};

    const bool wholeDisc = path.size() <= 3 && device.CdromDriveType == kDriveCdrom;
    QStringList albums;
    bool fromSongBook = wholeDisc && hooks.songBookLookup && hooks.songBookLookup(serial, albums);
    if (!fromSongBook) {
        ScanFileEx(path, player_.app.SearchPattern);
        albums = AlbumsOf(device.MusicFolders);
        if (wholeDisc && !albums.isEmpty() && hooks.offerSongBookEntry)
            hooks.offerSongBookEntry(serial, albums);
    }

    if (hooks.showDiscTitle)
        hooks.showDiscTitle(hooks.discTitle ? hooks.discTitle(serial) : QString());
    if (hooks.fillPlayList)
        hooks.fillPlayList(albums);
    if (!albums.isEmpty()) {
        QStringList sorted = albums;
        std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        device.AlbumDirs = sorted;
    }
    return int(albums.size());
}

} // namespace tolvane
