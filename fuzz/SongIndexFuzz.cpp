// A song book index (CDROMLib.TXT, or any bytes in its place) listed and added to, as
// the song book window and a new entry do, and the same bytes taken as an exported
// book. A disc added must read back, and every disc listed before must still be listed
// as it was: nothing recorded is ever written over.
#include "FuzzSupport.h"
#include "app/Ini.h"
#include "discovery/SongBook.h"
#include "discovery/SongBookIndex.h"
#include "platform/DosFiles.h"

#include <cstdlib>

using namespace tolvane;

namespace {

bool Same(const SongBookDisc& a, const SongBookDisc& b)
{
    return a.number == b.number && a.listed == b.listed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DosFiles& files = fuzz::FolderAsDriveC();
    const QByteArray bytes = fuzz::Bytes(data, size);
    fuzz::WriteFile(fuzz::Folder() + "/CDROMLib.TXT", bytes);

    Ini ini(files);
    const SongBookIndex index(ini, "C:\\CDROMLib.TXT");
    const QList<SongBookDisc> before = index.Discs();
    const int next = index.NextNumber();
    for (const SongBookDisc& disc : before) {
        if (disc.number < 1 || disc.number > index.DiscCount() || disc.number >= next ||
            !disc.listed.contains(','))
            std::abort();
        QStringList folders;
        index.Title(disc.serial);
        index.Folders(disc.serial, folders);
    }

    const SongBookEntry entry{
        "FACE-0099", "新歌本", "FACE-0099,新歌本,2004/5/6~2004/5/7", {"\\Pop\\", "\\"}};
    if (index.Add({entry})) {
        const QList<SongBookDisc> after = index.Discs();
        for (const SongBookDisc& disc : before) {
            if (std::none_of(after.begin(), after.end(),
                             [&](const SongBookDisc& kept) { return Same(kept, disc); }))
                std::abort();
        }
        QStringList folders;
        if (after.isEmpty() || after.last().number != next || after.last().listed != entry.listed ||
            index.Title(entry.serial) != entry.title || !index.Folders(entry.serial, folders) ||
            folders != entry.folders)
            std::abort();
    }

    QByteArray theirIndex, theirCatalogue;
    if (SongBook::SplitExport(bytes, theirIndex, theirCatalogue) &&
        theirIndex.size() + theirCatalogue.size() > bytes.size())
        std::abort();
    return 0;
}
