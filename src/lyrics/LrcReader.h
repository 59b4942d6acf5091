#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;

// A time-tagged lyrics file in the common ".lrc" form turned into the lines of a
// lyrics text file: the heading first, then one "mm:ss:ff text" line per time tag
// (ff in hundredths), sorted by time, so both kinds are followed alike.
//
// "[mm:ss.xx]" tags lead a line, several on one line giving one line each; the
// fraction may have one to three digits or be left out. "[ti:]" and "[ar:]" make the
// heading; "[offset:]" in milliseconds moves every tag earlier (later when negative).
// Lines without a valid tag are dropped, and so are tags past 99:59:99.
class LrcReader
{
public:
    // `heading` stands first when the file names neither title nor artist. Nothing
    // when the file holds no tagged line.
    static QStringList Parse(const QByteArray& bytes, const QString& heading = QString());
    // The heading defaults to the file's name without its extension.
    static QStringList Read(const DosFiles& files, const QString& dosPath);
};

} // namespace tolvane
