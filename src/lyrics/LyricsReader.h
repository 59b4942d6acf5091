#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;

// A lyrics text file as its list of lines: a heading, then lines that start with an
// "mm:ss:ff" time tag. Items end at a line end or an ASCII comma, so a line holding a
// comma becomes two; empty items are skipped.
class LyricsReader
{
public:
    // CP950, or UTF-8 when the bytes are valid UTF-8 (with or without a byte-order mark).
    static QStringList Parse(const QByteArray& bytes);
    // Nothing for a missing or empty file.
    static QStringList Read(const DosFiles& files, const QString& dosPath);
};

} // namespace tolvane
