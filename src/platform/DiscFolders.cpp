#include "platform/DiscFolders.h"

#include "platform/DiscSectors.h"
#include "platform/IsoFileSystem.h"

#include <QDir>
#include <QFileInfo>
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

// A folder below a mounted disc's root, each component matched without case.
bool ListLocalFolder(const QString& root, const QString& path, QList<DiscEntry>& entries)
{
    QDir folder(root);
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        const QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        auto match = std::find_if(names.begin(), names.end(), [&](const QString& name) {
            return name.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == names.end() || !folder.cd(*match))
            return false;
    }
    if (!folder.exists())
        return false;
    const QFileInfoList infos = folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : infos)
        entries.append(
            {info.fileName(), info.isDir(), info.isDir() ? 0 : info.size(), info.lastModified()});
    return true;
}

} // namespace

bool DiscFolders::List(const QString& source, bool image, const QString& path,
                       QList<DiscEntry>& entries)
{
    entries.clear();
    if (QFileInfo(source).isDir())
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
