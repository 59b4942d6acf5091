#pragma once

#include "platform/FileSaving.h"
#include "platform/LocalFiles.h"

#include <QHash>
#include <QSet>
#include <QString>

namespace tolvane {

enum class HKey { ClassesRoot, CurrentUser, LocalMachine };

// The system registry: string values under keys of three roots. An empty value
// name stands for the unnamed (default) value. Key and value names ignore case.
class Registry
{
public:
    virtual ~Registry() = default;
    // False when the key or value does not exist.
    virtual bool Query(HKey root, const QString& key, const QString& name,
                       QString& value) const = 0;
    // Creates the key when missing.
    virtual bool Set(HKey root, const QString& key, const QString& name, const QString& value) = 0;

    static QString RootName(HKey root);
    // The values the system itself provides, written when missing: the version
    // that this platform layer stands in for.
    static void SeedSystemValues(Registry& registry);

    // Saves that failed and files that could not be read, for the program to tell;
    // reading the store may find a file unreadable.
    mutable FileNotices notices;
};

// The registry kept in one per-user text file in the form of a .reg export:
//   [HKEY_CURRENT_USER\Software\Ostrana\Tolvane99 V1.1]
//   "Volume"="1000"
//   @="the unnamed value"
// Backslashes and quotes inside values are escaped with a backslash. Files the Windows
// registry editor exports read as well: UTF-16 with a byte-order mark, UTF-8 with or
// without one, and single lines in Big5; saves write UTF-8. A value whose quote is left
// open keeps the rest of its line. A value that failed to save stays in memory and goes
// with the next save. Lines that cannot be read are never written back: the file as it
// was is first kept beside it; a file of which nothing can be read is set aside at once.
class FileRegistry : public Registry
{
public:
    explicit FileRegistry(QString localPath);

    bool Query(HKey root, const QString& key, const QString& name, QString& value) const override;
    bool Set(HKey root, const QString& key, const QString& name, const QString& value) override;

    const QString& Path() const { return path_; }
    static QString DefaultPath(const QString& home);

private:
    struct Entry
    {
        QString key; // as first written
        QString name;
        QString value;
    };
    using Table = QHash<QString, Entry>; // by lower-cased "key\nname"

    void Reload() const;
    // Parses the file's bytes into the table; false when not one key or value reads
    // from a file that has lines it cannot read.
    bool Parse(const QByteArray& bytes) const;
    void Insert(const Entry& entry) const;
    void SetAside() const;
    bool Save() const;
    void NoteLoaded() const;
    static QString Id(const QString& key, const QString& name);

    QString path_;
    mutable Table table_;
    mutable QList<QString> order_;  // ids in file order
    mutable QSet<QString> unsaved_; // ids set since the last save that succeeded
    mutable LocalStamp loadedStamp_;
    // The file as read when some of its lines could not be: kept beside it before the
    // first save drops them.
    mutable QByteArray unreadableLines_;
    // Why the file may not be saved over (it could not be read, nor set aside).
    mutable QString blocked_;
};

} // namespace tolvane
