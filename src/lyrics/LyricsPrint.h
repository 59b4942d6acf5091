#pragma once

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace tolvane {

class DosFiles;

struct LyricsPrintResult
{
    bool ok = false; // false when the device could not be painted on or a page not begun
    int pages = 0;
    QString error; // what went wrong, for the user
};

// Lyrics files printed as blocks, left to right, then in rows down the page, then on
// a new page, each page under a heading naming the album of the file that starts it.
// A block is the file's name at 10 points and its items at 7.5 points, read as the
// lyrics display reads them. A block taller than a page goes on in the next places,
// split between lines; a line wider than the page is cut at its edge.
class LyricsPrint
{
public:
    explicit LyricsPrint(const DosFiles& files) : files_(files) {}

    // Nothing is painted for an empty list.
    LyricsPrintResult Print(const QStringList& dosPaths, QPagedPaintDevice& device) const;

    // Printed after the tag line of each page heading.
    static QString WebAddress() { return QStringLiteral("https://tolvane99.example/"); }

private:
    const DosFiles& files_;
};

} // namespace tolvane
