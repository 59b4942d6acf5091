#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

namespace tolvane {

// Private-profile files (INI) with the classic semantics: sections and keys compared
// without case, the first match wins, a missing file, section or key reads as the
// default, values are cut at 1023 characters. Writing creates the file and the section
// and keeps every other line byte for byte; lines end in CR LF; text is in the ANSI
// code page (UTF-8 with a byte-order mark when that cannot carry a value).
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
    bool WriteString(const QString& localPath, const QString& section, const QString& key,
                     const QString& value);
    // Several writes with one read and one write of the file.
    bool WriteStrings(const QString& localPath, const QList<Entry>& entries);

    struct Lines; // the parsed file

private:
    // The last file read stays parsed while it is unchanged on disk, so a series of
    // reads costs one parse.
    Lines& Load(const QString& localPath);
    bool Save(const QString& localPath);

    std::unique_ptr<Lines> cached_;
    QString cachedPath_;
    QDateTime cachedStamp_;
    qint64 cachedSize_ = -1;
};

} // namespace tolvane
