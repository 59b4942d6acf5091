// A lyrics file (or any bytes in its place) read as a text lyrics file and as an
// ".lrc" file, through the drive map as the program reads it, then followed by the
// synchroniser at a few times. The lines of either kind must follow the rules the
// synchroniser relies on.
#include "FuzzSupport.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LyricsLoader.h"
#include "lyrics/LyricsReader.h"
#include "lyrics/LyricsSync.h"
#include "platform/DosFiles.h"

#include <cstdlib>

using namespace tolvane;

namespace {

void Follow(const QStringList& lines)
{
    int selected = lines.isEmpty() ? -1 : 0;
    for (const char* pos : {"00:00:00", "00:30:50", "01:02:03", "99:59:99", ""}) {
        for (bool check : {false, true}) {
            const LyricsStep step = LyricsSync::Follow(lines, selected, pos, check);
            for (int line : step.selects) {
                if (line < 0 || line >= lines.size())
                    std::abort();
                selected = line;
            }
            if (step.line && (*step.line < 1 || *step.line >= lines.size()))
                std::abort();
            if (!step.error.isEmpty() && (!check || step.line))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DosFiles& files = fuzz::FolderAsDriveC();
    const QByteArray bytes = fuzz::Bytes(data, size);
    fuzz::WriteFile(fuzz::Folder() + "/song.txt", bytes);
    fuzz::WriteFile(fuzz::Folder() + "/song.lrc", bytes);

    const QStringList text = LyricsLoader::Load(files, "C:\\SONG.TXT");
    if (text != LyricsReader::Parse(bytes))
        std::abort();
    for (const QString& line : text) {
        if (line.isEmpty())
            std::abort();
    }
    Follow(text);

    const QStringList lrc = LyricsLoader::Load(files, "C:\\Song.lrc");
    if (lrc != LrcReader::Parse(bytes, "Song"))
        std::abort();
    // Every line after the heading is tagged, in time order, so none is an error.
    for (qsizetype i = 1; i < lrc.size(); ++i) {
        if (lrc[i].size() < 8 || lrc[i][2] != ':' || lrc[i][5] != ':')
            std::abort();
        if (i > 1 && lrc[i].left(8) < lrc[i - 1].left(8))
            std::abort();
    }
    if (!LyricsSync::Follow(lrc, 0, "00:00:00", true).error.isEmpty())
        std::abort();
    Follow(lrc);
    return 0;
}
