#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>

class QFile;

namespace tolvane {

// Operations on local paths as LocalNames holds them, each on the path's bytes: Qt's
// own file classes take names as text and lose any name that is not UTF-8.

// What the system tells of a path, links followed.
struct LocalInfo
{
    bool exists = false;
    bool folder = false;
    bool file = false;
    qint64 size = 0;
    QDateTime modified; // in UTC: the local zone costs a look at the system's settings
};
LocalInfo StatLocal(const QString& local);

// What tells one state of a file from another without reading it: a save through a
// rename makes a new inode, an edit in place a new time or size. Plain numbers, so a
// comparison asks nothing of the time zone.
struct LocalStamp
{
    qint64 size = -1; // -1: no such file
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    bool operator==(const LocalStamp&) const = default;
};
LocalStamp StampLocal(const QString& local);
bool ReadableLocal(const QString& local);

// One entry of a folder: its name's bytes and, links followed, what it is.
struct LocalEntry
{
    QByteArray name;
    bool folder = false;
    bool file = false;
};
// The entries of a folder but "." and ".."; false when it cannot be listed.
bool ListLocal(const QString& folder, QList<LocalEntry>& entries);

// Opens a file into `file`, which then owns the descriptor. Write modes create the
// file; WriteOnly alone truncates it, as QFile does.
bool OpenLocal(QFile& file, const QString& local, QIODevice::OpenMode mode);
bool MakeLocalFolder(const QString& local);
bool RemoveLocalFile(const QString& local);
// Moves a file to the user's trash with the record that lets the desktop put it back.
bool TrashLocal(const QString& local);

} // namespace tolvane
