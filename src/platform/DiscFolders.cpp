#include "platform/DiscFolders.h"

#include "platform/CdDisc.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cdio/cdio.h>
#include <cdio/iso9660.h>

namespace tolvane {

namespace {

constexpr qint64 kCdaFileSize = 44; // what the system reports for a track file

bool ListAudioRoot(CdIo_t* cdio, QList<DiscEntry>& entries)
{
    track_t first = cdio_get_first_track_num(cdio);
    track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK)
        return false;
    for (track_t t = first; t < first + count; ++t) {
        if (cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO)
            entries.append(
                {QString::asprintf("Track%02d.cda", int(t)), false, kCdaFileSize, QDateTime()});
    }
    return true;
}

// The entries of an ISO 9660 folder, or nothing when it cannot be read.
CdioList_t* ReadFolder(CdIo_t* cdio, const QByteArray& folder)
{
    return iso9660_fs_readdir(cdio, folder.constData());
}

// Walks the components without regard to case; the disc's own spelling of the folder.
bool ResolveFolder(CdIo_t* cdio, const QString& path, QByteArray& folder)
{
    folder = "/";
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        CdioList_t* list = ReadFolder(cdio, folder);
        if (!list)
            return false;
        QByteArray match;
        CdioListNode_t* node;
        _CDIO_LIST_FOREACH(node, list)
        {
            auto* stat = static_cast<iso9660_stat_t*>(_cdio_list_node_data(node));
            if (stat->type == iso9660_stat_s::_STAT_DIR &&
                DiscFolders::ShownName(stat->filename).compare(part, Qt::CaseInsensitive) == 0)
                match = stat->filename;
        }
        iso9660_filelist_free(list);
        if (match.isEmpty())
            return false;
        folder += match + "/";
    }
    return true;
}

// libiso9660 gives the recording time already turned into local time.
QDateTime RecordingTime(const struct tm& tm)
{
    return QDateTime(QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
                     QTime(tm.tm_hour, tm.tm_min, tm.tm_sec));
}

bool ListIsoFolder(CdIo_t* cdio, const QString& path, QList<DiscEntry>& entries)
{
    QByteArray folder;
    if (!iso9660_fs_read_superblock(cdio, ISO_EXTENSION_ALL) || !ResolveFolder(cdio, path, folder))
        return false;
    CdioList_t* list = ReadFolder(cdio, folder);
    if (!list)
        return false;
    CdioListNode_t* node;
    _CDIO_LIST_FOREACH(node, list)
    {
        auto* stat = static_cast<iso9660_stat_t*>(_cdio_list_node_data(node));
        QString name = DiscFolders::ShownName(stat->filename);
        if (name == "." || name == ".." || name.isEmpty())
            continue;
        entries.append({name, stat->type == iso9660_stat_s::_STAT_DIR, qint64(stat->size),
                        RecordingTime(stat->tm)});
    }
    iso9660_filelist_free(list);
    return true;
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

QString DiscFolders::ShownName(const char* filename)
{
    // Primary names are plain ASCII; Joliet names come converted to UTF-8.
    QString name = QString::fromUtf8(filename);
    int version = name.indexOf(';');
    if (version >= 0)
        name.truncate(version);
    if (name.endsWith('.') && name != "." && name != "..")
        name.chop(1);
    return name;
}

bool DiscFolders::List(const QString& source, bool image, const QString& path,
                       QList<DiscEntry>& entries)
{
    entries.clear();
    if (QFileInfo(source).isDir())
        return ListLocalFolder(source, path, entries);
    CdIo_t* cdio = CdDrive::OpenHandle(source, image);
    if (!cdio)
        return false;
    track_t first = cdio_get_first_track_num(cdio);
    bool audioDisc =
        first != CDIO_INVALID_TRACK && cdio_get_track_format(cdio, first) == TRACK_FORMAT_AUDIO;
    bool ok = false;
    if (audioDisc)
        ok = path.split('/', Qt::SkipEmptyParts).isEmpty() && ListAudioRoot(cdio, entries);
    else
        ok = ListIsoFolder(cdio, path, entries);
    cdio_destroy(cdio);
    return ok;
}

} // namespace tolvane
