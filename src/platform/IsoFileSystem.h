#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace tolvane {

class DiscSectors;

// One entry of an ISO 9660 folder, named as Windows shows it.
struct IsoEntry
{
    QString name;
    bool folder = false;
    qint64 size = 0;
    QDateTime recorded; // local time
    int lsn = 0;
    bool xa = false;    // the entry carries XA attributes
    bool form2 = false; // ... and they mark Mode 2 Form 2 sectors
};

// The ISO 9660 file system of a disc's data session, Joliet names first, read from the
// volume descriptors 16 sectors into the session. Whatever a damaged disc holds, a
// read stays within the sectors and folder sizes the disc states.
class IsoFileSystem
{
public:
    // Nothing when the session holds no ISO 9660 volume.
    static std::optional<IsoFileSystem> Read(DiscSectors& disc, int sessionStart);

    // The entries of a folder ("/" between names, compared without case), without
    // "." and ".."; false when the folder is not there or cannot be read.
    bool List(const QString& path, QList<IsoEntry>& entries) const;
    // A file or folder by its path; nothing when it is missing.
    std::optional<IsoEntry> Find(const QString& path) const;

    // The name Windows shows for a recorded name: without its ";1" version and
    // without the dot of a name that has no extension.
    static QString ShownName(const QString& recorded);

private:
    IsoFileSystem(DiscSectors& disc, int rootLsn, qint64 rootSize, bool joliet)
        : disc_(&disc), rootLsn_(rootLsn), rootSize_(rootSize), joliet_(joliet)
    {
    }
    bool ReadFolder(int lsn, qint64 size, QList<IsoEntry>& entries) const;

    DiscSectors* disc_;
    int rootLsn_;
    qint64 rootSize_;
    bool joliet_;
};

} // namespace tolvane
