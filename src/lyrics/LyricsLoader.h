#pragma once

#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;

// The lines of the lyrics file the locator found, whichever its kind: a ".lrc" file
// is turned into the lines of a text one. Nothing for a missing or empty file.
class LyricsLoader
{
public:
    static QStringList Load(const DosFiles& files, const QString& lyricsFile);
};

} // namespace tolvane
