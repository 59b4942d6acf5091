#include "discovery/MusicScan.h"

#include "app/Context.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmVCD.h"

#include <QFont>
#include <QLabel>
#include <QSet>
#include <algorithm>
#include <vector>

namespace tolvane {

// A folder met by the walk, with the subfolders its one listing found.
struct MusicScan::Queued
{
    QString path;
    QStringList folders;
};

bool ScanPace::Due(qint64 ms)
{
    // A clock set back simply makes progress due.
    if (last_ >= 0 && ms >= last_ && ms - last_ < intervalMs_)
        return false;
    last_ = ms;
    return true;
}

void FileDateRange::Reset(const QDate& today)
{
    pending_ = {};
    today_ = earliest_ = latest_ = today;
}

void FileDateRange::Add(FolderSource& source, const QString& folder, QString names)
{
    names.squeeze();
    pending_.push_back({&source, folder, std::move(names)});
}

void FileDateRange::Pack(QString& names, const QString& name)
{
    // A name on disk has at most a few hundred characters.
    names += QChar(char16_t(std::min<qsizetype>(name.size(), 0xFFFF)));
    names += name;
}

QDate FileDateRange::Earliest()
{
    ReadPending();
    return earliest_;
}

QDate FileDateRange::Latest()
{
    ReadPending();
    return latest_;
}

void FileDateRange::ReadPending()
{
    for (const Pending& folder : pending_) {
        for (qsizetype at = 0; at < folder.names.size();) {
            const qsizetype size = folder.names[at].unicode();
            Move(folder.source->ModifiedDate(folder.folder, folder.names.mid(at + 1, size)));
            at += 1 + size;
        }
    }
    pending_ = {};
}

void FileDateRange::Move(const QDate& date)
{
    if (!date.isValid() || date.year() < 1990)
        return;
    if (latest_ == today_)
        latest_ = date;
    if (earliest_ == today_)
        earliest_ = date;
    if (date > latest_)
        latest_ = date;
    if (date < earliest_)
        earliest_ = date;
}

MusicScan::MusicScan(Context& context, Forms& forms, FolderSource* source)
    : context_(context), forms_(forms), given_(source), local_(context.platform.files),
      disc_(context.platform.drives), source_(source ? source : &local_)
{
    dates_.Reset(context_.platform.clock.Now().date());
}

MusicScan::~MusicScan() = default;

void MusicScan::ChooseSource(const QString& path)
{
    if (given_)
        source_ = given_;
    else if (context_.platform.drives.GetDriveType(path.left(2)) == kDriveCdrom)
        source_ = &disc_;
    else
        source_ = &local_;
}

void MusicScan::ChooseTypes(const QString& patterns)
{
    filters_ = Filters(patterns);
    upperPatterns_ = patterns.toUpper();
    endings_.clear();
    for (const QString& filter : std::as_const(filters_)) {
        QString ending = filter.mid(1);
        if (!filter.startsWith("*.") || ending.contains('*') || ending.contains('?')) {
            endings_.clear();
            return;
        }
        endings_.append(ending);
    }
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
    QSet<QString> kept;
    for (const QString& entry : musicFolders) {
        QString album = FolderPart(entry);
        // A dotted folder right under the root leaves the bare drive: its root folder.
        if (!album.contains('\\'))
            album += '\\';
        // Dotted folders fold into their parent, which may be an album already.
        if (!kept.contains(album)) {
            albums.append(album);
            kept.insert(album);
        }
    }
    return albums;
}

int MusicScan::Count(const QString& folder, const FolderListing& listing)
{
    QString counted;
    int count = 0;
    for (const QString& name : listing.files) {
        if (IsMusicType(name)) {
            FileDateRange::Pack(counted, name);
            ++count;
        }
    }
    if (count > 0)
        dates_.Add(*source_, folder, std::move(counted));
    return count;
}

bool MusicScan::IsMusicType(const QString& name) const
{
    if (endings_.isEmpty())
        return IsMusicFile(name, filters_, upperPatterns_);
    // The same answer as the full test for plain "*.EXT" patterns, without building the
    // extension of every file of the tree.
    for (const QString& ending : endings_) {
        if (name.endsWith(ending, Qt::CaseInsensitive))
            return HasListedExtension(name);
    }
    return false;
}

// ExtName(name) in upper case is one of the patterns' texts; most music files are
// answered without building a string.
bool MusicScan::HasListedExtension(const QString& name) const
{
    const QStringView tail = QStringView(name).right(5);
    const qsizetype dot = tail.indexOf(u'.');
    if (dot < 0)
        return false;
    const qsizetype at = name.size() - tail.size() + dot;
    if (at == 0 || name[at - 1] == u'\\')
        return false;
    const QStringView extension = tail.mid(dot + 1, 3);
    if (extension.isEmpty())
        return false;
    char16_t upper[3];
    for (qsizetype i = 0; i < extension.size(); ++i) {
        const char16_t c = extension[i].unicode();
        // Other letters change case by the full rules: the full test.
        if (c >= 0x80)
            return upperPatterns_.contains(ExtName(name).toUpper());
        upper[i] = c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c;
    }
    return upperPatterns_.contains(QStringView(upper, extension.size()));
}

int MusicScan::FindFileList(const QString& folder, const QString& patterns)
{
    ChooseTypes(patterns);
    ChooseSource(folder);
    source_->Begin();
    FolderListing listing;
    int count = 0;
    if (source_->List(folder, listing) == FolderSource::Listed)
        count = Count(folder, listing);
    context_.platform.clock.DoEvents();
    return count;
}

void MusicScan::Progress(const QString& folder, qint64 ms)
{
    if (!pace_.Due(ms))
        return;
    if (hooks.relayoutLabels)
        hooks.relayoutLabels();
    forms_.Vcd().Label1->setText(folder.size() == 2 ? folder + "\\" : folder);
    context_.log.Flush();
    context_.platform.clock.DoEvents();
}

void MusicScan::Tick()
{
    const Clock& clock = context_.platform.clock;
    lastMs_ = clock.MSecsSinceEpoch();
    // The local time follows the system time to the second, and its zone changes only
    // at whole seconds; converting it costs more than listing a small folder.
    if (lastMs_ / 1000 == lastSecond_)
        return;
    lastNow_ = clock.Now();
    lastSecond_ = lastMs_ / 1000;
}

void MusicScan::ScanSubDirEx(const QString& folder, const QStringList& subfolders,
                             std::vector<Queued>& queue)
{
    // The time of the last folder met: reading the clock costs more than a folder
    // without subfolders, the most common kind.
    Progress(folder, lastMs_);
    DeviceState& device = context_.device;
    FolderListing listing;
    for (const QString& name : subfolders) {
        QString path = PathJoin(folder, name);
        FolderSource::Result result = source_->List(path, listing);
        // A link back to a folder already walked is not met a second time.
        if (result == FolderSource::AlreadyWalked)
            continue;
        const int count = result == FolderSource::Listed ? Count(path, listing) : 0;
        queue.push_back({path, std::move(listing.folders)});
        Tick();
        const QString& time = time_.Of(lastNow_);
        if (count == 0) {
            context_.log.LogWrite(path + ' ' + time, lastNow_);
        } else {
            device.MusicFolders.append(path);
            context_.log.LogWrite(path + " [" + QString::number(count) + "] " + time, lastNow_);
        }
        Progress(folder, lastMs_);
    }
}

int MusicScan::ScanFileEx(const QString& path, const QString& patterns)
{
    QLabel* label = forms_.Vcd().Label1;
    const QFont kept = label->font();
    QFont small = kept;
    small.setPointSize(8);
    label->setFont(small);
    // One line per folder: written together at each progress step, not one by one.
    Log::Batch batch(context_.log);

    lastNow_ = context_.platform.clock.Now();
    lastMs_ = lastNow_.toMSecsSinceEpoch();
    lastSecond_ = lastMs_ / 1000;
    dates_.Reset(lastNow_.date());
    ChooseTypes(patterns);
    pace_.Restart();
    DeviceState& device = context_.device;
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
    DeviceState& device = context_.device;
    const QString serial = hooks.volumeSerial ? hooks.volumeSerial(path) : QString();
    if (hooks.clearLists)
        hooks.clearLists();
    device.AlbumDirs = QStringList{QString()};

    const bool wholeDisc = path.size() <= 3 && device.CdromDriveType == kDriveCdrom;
    QStringList albums;
    bool fromSongBook =
        wholeDisc && hooks.songBookLookup && hooks.songBookLookup(path, serial, albums);
    if (!fromSongBook) {
        ScanFileEx(path, context_.app.SearchPattern);
        albums = AlbumsOf(device.MusicFolders);
        if (wholeDisc && !albums.isEmpty() && hooks.offerSongBookEntry)
            hooks.offerSongBookEntry(*this, path, serial, albums);
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
