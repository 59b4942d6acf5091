#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace tolvane {

// One entry of a folder on a disc, as the system shows it.
struct DiscEntry
{
    QString name;
    bool folder = false;
    qint64 size = 0;
    QDateTime modified; // the recording time; invalid for track files
};

// Folders of the disc in a CD-ROM drive, read from its sectors, never through a mount.
// The root of an audio disc lists Track01.cda ... for its audio tracks; a disc with a
// data session lists that session's ISO 9660 file system. A source that is a folder
// is a disc the desktop has mounted: its files are listed as they are.
class DiscFolders
{
public:
    // `path` is inside the disc with "/" between components, compared without case.
    // False when the disc or the folder cannot be read.
    static bool List(const QString& source, bool image, const QString& path,
                     QList<DiscEntry>& entries);
};

} // namespace tolvane
