#pragma once

#include "platform/FileSaving.h"
#include "platform/LocalFiles.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace tolvane {

// Private-profile files (INI) with the classic semantics: sections and keys compared
// without case, the first match wins, a missing file, section or key reads as the
// default, values are cut at 1023 characters. Writing creates the file and the section
// and keeps every other line byte for byte; lines end in CR LF; text is in the ANSI
// code page (UTF-8 with a byte-order mark when that cannot carry a value). A save that
// fails leaves the file as it was; its edits stay in memory, are read back, and go to
// the file with the next save of it.
class ProfileFile
{
public:
    static constexpr int kMaxValue = 1023;

    struct Entry
    {
        QString section;
        QString key;
        QString value;
    };

    ProfileFile();
    ~ProfileFile();

    QString GetString(const QString& localPath, const QString& section, const QString& key,
                      const QString& fallback);
    // The keys of the first matching section, in file order, each once.
    QStringList Keys(const QString& localPath, const QString& section);
    bool WriteString(const QString& localPath, const QString& section, const QString& key,
                     const QString& value);
    // Several writes with one read and one write of the file.
    bool WriteStrings(const QString& localPath, const QList<Entry>& entries);
    // The file afresh with these entries alone; the old one stays until the new one
    // is saved whole.
    bool RewriteStrings(const QString& localPath, const QList<Entry>& entries);

    // Saves that failed, for the program to tell.
    FileNotices notices;

    struct Lines; // the parsed file

private:
    // Edits whose save failed, made again over the file whenever it is read anew.
    struct Unsaved
    {
        bool afresh = false;
        QList<Entry> entries;
    };

    // The last file read stays parsed while it is unchanged on disk, so a series of
    // reads costs one parse.
    Lines& Load(const QString& localPath);
    bool Write(const QString& localPath, const QList<Entry>& entries, bool afresh);
    bool Save(const QString& localPath);
    void NoteCached(const QString& localPath);

    QHash<QString, Unsaved> unsaved_;
    std::unique_ptr<Lines> cached_;
    QString cachedPath_;
    LocalStamp cachedStamp_;
};

} // namespace tolvane
