// A play list file (or any bytes in its place) read through the drive map as the play
// list window reads it, then saved and read again. Every entry must be a full DOS path
// of a file, and a list saved must read back as the same entries, but for those that
// hold a comma, which the reading takes for two.
#include "FuzzSupport.h"
#include "lyrics/ListFile.h"
#include "platform/DosFiles.h"
#include "platform/DriveMap.h"

#include <cstdlib>

using namespace tolvane;

namespace {

bool IsEntry(const QString& path)
{
    if (path.size() < 4 || !path[0].isLetter() || path[0].unicode() > 127 || path[1] != ':' ||
        path[2] != '\\' || path.contains('/') || path.contains('\n') || path.trimmed() != path)
        return false;
    const QStringList names = path.mid(3).split('\\');
    for (const QString& name : names) {
        if (name.isEmpty() || name == "." || name == "..")
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const DriveMap drives({{'C', fuzz::Folder(), kDriveFixed}, {'Z', "/", kDriveFixed}});
    static const DosFiles files(drives);
    static const bool made = QDir().mkpath(fuzz::Folder() + "/Lists");
    if (!made)
        std::abort();
    fuzz::WriteFile(fuzz::Folder() + "/Lists/list.m3u", fuzz::Bytes(data, size));
    QByteArray bytes;
    if (!files.ReadAll("C:\\LISTS\\LIST.M3U", bytes))
        std::abort();

    ListFile list(drives, "C:\\Lists\\list.m3u", bytes);
    QStringList paths;
    double done = 0;
    while (!list.AtEnd()) {
        const QString path = list.Next();
        if (!path.isEmpty())
            paths.append(path);
        if (list.Done() < done || list.Done() > 1)
            std::abort();
        done = list.Done();
    }
    for (const QString& path : paths) {
        if (!IsEntry(path))
            std::abort();
    }

    paths.removeIf([](const QString& path) { return path.contains(','); });
    if (!ListFile::Save(files, "C:\\Lists\\saved.m3u", paths))
        std::abort();
    QByteArray saved;
    if (!files.ReadAll("C:\\Lists\\saved.m3u", saved) || saved != ListFile::Format(paths))
        std::abort();
    if (ListFile::Parse(drives, "C:\\Lists\\saved.m3u", saved) != paths)
        std::abort();
    return 0;
}
