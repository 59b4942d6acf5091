#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tolvane {

class Ini;

// One disc of the index's "CDROM" list: serial, title and date range split at the
// first two commas of its entry.
struct SongBookDisc
{
    int number = 0; // its key
    QString serial;
    QString title;
    QString dates;
    QString listed; // the whole entry
};

// A disc to record.
struct SongBookEntry
{
    QString serial;
    QString title;       // its section's "Title"
    QString listed;      // its "CDROM" entry: serial, title and dates between commas
    QStringList folders; // stored album folders, "\Pop\" for E:\Pop
};

// The disc index CDROMLib.TXT: a profile file, read and written through the program's
// profile layer, so a save that fails leaves the file as it was.
class SongBookIndex
{
public:
    SongBookIndex(Ini& ini, QString dosPath) : ini_(ini), path_(std::move(dosPath)) {}

    // "DiscNum"; 0 when missing or not a number.
    int DiscCount() const;
    // The key a new disc goes under: past "DiscNum" and past every numbered entry, so
    // a count that fell behind its entries never writes over one of them. 0 when the
    // numbers are used up.
    int NextNumber() const;
    // The entries 1 to "DiscNum" that hold a comma, in key order. Only the keys the
    // file has are read, so a huge "DiscNum" costs nothing.
    QList<SongBookDisc> Discs() const;
    QString Title(const QString& serial) const;
    // The stored folders of a disc, "DirNumbers" of them; false for a damaged entry,
    // one of whose folders is empty or missing.
    bool Folders(const QString& serial, QStringList& folders) const;
    // Records discs under NextNumber() on, in one write; false when the save failed or
    // no number is left.
    bool Add(const QList<SongBookEntry>& entries) const;

    // Where a stored folder lies on a disc read from `path` ("E:" or "E:\"): one that
    // begins with "\" after the drive, any other under the path. The closing "\" goes,
    // so the folder reads as the scan names it.
    static QString AlbumOf(const QString& path, const QString& folder);
    // "E:\Pop" -> "\Pop\"; the root "E:\" -> "\".
    static QString StoredFolder(const QString& album);

private:
    void Point() const;

    Ini& ini_;
    QString path_;
};

} // namespace tolvane
