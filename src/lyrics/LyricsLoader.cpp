#include "lyrics/LyricsLoader.h"

#include "app/Text.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LyricsReader.h"

namespace tolvane {

QStringList LyricsLoader::Load(const DosFiles& files, const QString& lyricsFile)
{
    if (lyricsFile.isEmpty())
        return {};
    if (ExtName(lyricsFile) == "lrc")
        return LrcReader::Read(files, lyricsFile);
    return LyricsReader::Read(files, lyricsFile);
}

} // namespace tolvane
