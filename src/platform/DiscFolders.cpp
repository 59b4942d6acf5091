#include "platform/DiscFolders.h"

#include "platform/DiscSectors.h"
#include "platform/IsoFileSystem.h"
#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr qint64 kCdaFileSize = 44; // what the system reports for a track file

void ListAudioRoot(const CdToc& toc, QList<DiscEntry>& entries)
{
    for (const CdTrack& track : toc.AudioTracks())
        entries.append(
            {QString::asprintf("Track%02d.cda", track.number), false, kCdaFileSize, QDateTime()});
}

// A folder below a mounted disc's root, each component matched without case. Names
// are shown as LocalNames shows them.
bool ListLocalFolder(const QString& root, const QString& path, QList<DiscEntry>& entries)
{
    QString folder = root;
    QList<LocalEntry> items;
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        ListLocal(folder, items);
        auto match = std::find_if(items.begin(), items.end(), [&](const LocalEntry& item) {
            return item.folder && DisplayName(item.name).compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == items.end())
            return false;
        folder += "/" + LocalName(match->name);
    }
    if (!ListLocal(folder, items))
        return false;
    for (const LocalEntry& item : items) {
        // Hidden names stay hidden, as on the disc's own system.
        if (item.name.startsWith('.'))
            continue;
        const LocalInfo info = StatLocal(folder + "/" + LocalName(item.name));
        if (info.exists)
            entries.append({DisplayName(item.name), info.folder, info.folder ? 0 : info.size,
                            info.modified.toLocalTime()});
    }
    std::sort(entries.begin(), entries.end(), [](const DiscEntry& a, const DiscEntry& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return true;
}

} // namespace

bool DiscFolders::List(const QString& source, bool image, const QString& path,
                       QList<DiscEntry>& entries)
{
    entries.clear();
    if (StatLocal(source).folder)
        return ListLocalFolder(source, path, entries);
    std::unique_ptr<DiscSectors> disc = DiscSectors::Open(source, image);
    std::optional<CdToc> toc = disc ? disc->Toc() : std::nullopt;
    if (!toc)
        return false;
    // A disc with a data session shows its files, as the system shows them, even
    // when music tracks come first.
    if (std::optional<int> start = toc->DataStart()) {
        if (std::optional<IsoFileSystem> fs = IsoFileSystem::Read(*disc, *start)) {
            QList<IsoEntry> found;
            if (!fs->List(path, found))
                return false;
            for (const IsoEntry& entry : found)
                entries.append({entry.name, entry.folder, entry.size, entry.recorded});
            return true;
        }
    }
    if (toc->AudioTracks().isEmpty() || !path.split('/', Qt::SkipEmptyParts).isEmpty())
        return false;
    ListAudioRoot(*toc, entries);
    return true;
}

} // namespace tolvane
