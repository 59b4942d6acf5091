#pragma once

#include "app/Text.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;
class DriveMap;

// A play list or print list file: one full DOS path of a file per line. Lists written
// by other programs open too: comment lines ("#EXTM3U", "#EXTINF:...") are skipped,
// paths relative to the list's folder are taken from there, and local paths of this
// system ("/home/...", "file:///...") become DOS paths through the drive map.
class ListFile
{
public:
    // The entries of the list file at `listPath` (a DOS path) that holds `bytes`, read
    // one at a time, so a long list can be shown while it is read.
    ListFile(const DriveMap& drives, const QString& listPath, const QByteArray& bytes);

    bool AtEnd() const { return items_.AtEnd(); }
    // The next entry as a full DOS path; empty when no entry is left.
    QString Next();
    // How much of the list has been read, from 0 to 1.
    double Done() const;

    // Every entry at once.
    static QStringList Parse(const DriveMap& drives, const QString& listPath,
                             const QByteArray& bytes);
    // The full DOS path an item of a list in `listFolder` names; empty when it names
    // no file (a stream's address, a drive alone, a local path outside every drive).
    static QString Resolve(const DriveMap& drives, const QString& listFolder, const QString& item);
    // The file's bytes: each path followed by CR LF, in CP950, or UTF-8 with a
    // byte-order mark when CP950 would not read back as the same paths.
    static QByteArray Format(const QStringList& paths);
    // Replaces the file through the safe save; false, the old file unchanged, when a
    // write failed.
    static bool Save(const DosFiles& files, const QString& dosPath, const QStringList& paths);

private:
    const DriveMap& drives_;
    QString folder_;
    qsizetype lines_ = 0; // lines left once the comments are gone
    qsizetype read_ = 0;
    ItemReader items_;
};

} // namespace tolvane
