#pragma once

#include "platform/ProfileFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;

// INI access on the one process-wide file `IniFile`; callers point it at a file
// before a series of reads or writes.
class Ini
{
public:
    explicit Ini(const DosFiles& files) : files_(files) {}

    QString IniFile; // DOS path

    // Empty for a missing file, section or key; trailing blanks stripped.
    QString ReadIni(const QString& section, const QString& key) const;
    // The keys of a section, in file order; none for a missing file or section.
    QStringList IniKeys(const QString& section) const;
    // Creates the file and the section when missing; the result is not checked.
    void WriteIni(const QString& section, const QString& key, const QString& value) const;
    // A series of writes in order, with one rewrite of the file; false when the save
    // failed (the writes are then kept for the next save of the file).
    bool WriteIni(const QList<ProfileFile::Entry>& entries) const;
    // The file afresh with these entries alone; the old file stays until the new one
    // is saved whole.
    void RewriteIni(const QList<ProfileFile::Entry>& entries) const;

    // Saves of INI files that failed, for the program to tell.
    FileNotices& Notices() const { return profile_.notices; }

private:
    const DosFiles& files_;
    mutable ProfileFile profile_;
};

} // namespace tolvane
