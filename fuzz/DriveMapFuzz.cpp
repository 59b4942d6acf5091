// The drive map file (drives.ini, or the variable's ';'-separated form) parsed, and
// DOS paths turned into local ones and back over the map. Paths are resolved over the
// map with every root moved into a folder of the run's own, so no input makes the
// program look anywhere else on the disk; the forms of paths need no disk and use the
// roots as read.
#include "FuzzSupport.h"
#include "platform/DiscTrays.h"
#include "platform/DriveMap.h"

#include <cstdlib>

using namespace tolvane;

namespace {

const QString& Base()
{
    static const QString base = [] {
        const QString path = fuzz::Folder() + "/drives";
        for (const char* folder : {"/home/me/Music/Album One", "/home/me/Temp", "/discs/MPEGAV"})
            QDir().mkpath(path + folder);
        fuzz::WriteFile(path + "/home/me/Music/Album One/Song.MP3", "x");
        fuzz::WriteFile(path + "/discs/MPEGAV/AVSEQ01.DAT", "x");
        return path;
    }();
    return base;
}

// The roots moved under the run's folder; a root that would lead out of it is left out.
QList<Drive> Contained(const QList<Drive>& drives)
{
    QList<Drive> inside;
    for (Drive drive : drives) {
        drive.root = QDir::cleanPath(Base() + "/" + drive.root);
        if (drive.root == Base() || drive.root.startsWith(Base() + "/"))
            inside.append(drive);
    }
    return inside;
}

void Check(const QList<Drive>& drives)
{
    for (const Drive& drive : drives) {
        if (drive.root.isEmpty() || !drive.letter.isLetter() ||
            drive.letter != drive.letter.toUpper())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::QuietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(fuzz::Bytes(data, size));
    const QList<Drive> lines = DriveMap::ParseEntries(text, '\n');
    const QList<Drive> variable = DriveMap::ParseEntries(text, ';');
    Check(lines);
    Check(variable);

    // The forms of paths, over the roots as read.
    DriveMap asRead(lines + variable);
    for (const Drive& drive : asRead.Drives()) {
        asRead.ToDos(drive.root);
        asRead.ToDos(drive.root + "/Music/Album One/Song.MP3");
        asRead.GetDriveType(QString(drive.letter) + ":\\");
    }
    asRead.ToDos("/etc/hosts");
    asRead.DriveLetters();

    // Paths resolved on the disk, inside the run's folder only.
    DiscTrays trays;
    DriveMap map(Contained(lines + variable));
    map.SetTrays(&trays);
    const QList<Drive>& drives = map.Drives();
    if (!drives.isEmpty() && drives.first().type == kDriveCdrom)
        trays.SetOpen(drives.first().root, true);
    QStringList paths = {"C:\\Temp\\a.txt", "c:\\", "D:\\MPEGAV\\AVSEQ01.DAT",
                         "E:\\music\\ALBUM one\\song.mp3", "Z:/x/y"};
    for (int i = 0; i < drives.size() && i < 3; ++i)
        paths.append(QString(drives[i].letter) + ":\\MUSIC\\Album One");
    for (const QString& path : paths) {
        const QString local = map.ToLocal(path);
        const Drive* drive = map.Find(path[0]);
        if (drive && !local.startsWith(drive->root))
            std::abort();
        map.ToDos(local);
    }
    // The list box's entries, with the volume labels read from each drive.
    map.DriveList();
    return 0;
}
