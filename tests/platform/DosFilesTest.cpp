#include "platform/DosFiles.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "fixtures/RawNames.h"
#include "platform/DiscTrays.h"
#include "platform/VolumeSerial.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QDateTime kStamp(QDate(2003, 4, 5), QTime(6, 7, 8));

bool WriteDated(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.setFileTime(kStamp, QFileDevice::FileModificationTime);
}

// Files on image drives are checked with the disc folders.
TEST(DosFiles, FixedFoldersAndFolderDiscsWithTheirLabels)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("Home Disk"), disc = home + "/Mounted VCD";
    ASSERT_TRUE(WriteDated(home + "/Songs/One.mp3", QByteArray(1234, 'x')));
    ASSERT_TRUE(WriteDated(disc + "/MPEGAV/AVSEQ01.DAT", QByteArray(300, 'v')));
    ASSERT_TRUE(WriteDated(disc + "/Readme.txt", "read me"));
    DiscTrays trays;
    DriveMap drives(DriveMap::ParseEntries("Z=/;C=" + home + ";D=cdrom:" + ClipVcd::Get().cue +
                                               ";E=cdrom:" + disc + ";F=cdrom:" + MediaFixtures() +
                                               "/tones.cue;G=cdrom:/no/such/disc.cue",
                                           ';'));
    drives.SetTrays(&trays);
    DosFiles files(drives);
    EXPECT_EQ(files.FileLen("c:\\SONGS\\one.MP3"), 1234);
    EXPECT_EQ(files.FileDateTime("C:\\Songs\\One.mp3"), kStamp);
    EXPECT_EQ(files.FileLen("C:\\Songs"), -1); // a folder is no file
    for (const char* missing : {"C:\\Songs\\Two.mp3", "Q:\\Songs\\One.mp3"}) {
        EXPECT_EQ(files.FileLen(missing), -1) << missing;
        EXPECT_FALSE(files.FileDateTime(missing).isValid()) << missing;
    }
    // A folder disc reads its files as a CD-ROM.
    EXPECT_EQ(drives.GetDriveType("E:\\"), kDriveCdrom);
    EXPECT_EQ(files.ListFiles("E:\\mpegav", "*.Dat"), QStringList({"AVSEQ01.DAT"}));
    EXPECT_TRUE(files.FolderExists("e:\\MPEGAV"));
    EXPECT_EQ(files.FileLen("E:\\MPEGAV\\avseq01.dat"), 300);
    EXPECT_EQ(files.FileDateTime("E:\\Readme.txt"), kStamp);
    EXPECT_EQ(files.ReadHead("E:\\README.TXT", 4), "read");
    // A file picked inside it is on the disc, not on C:.
    EXPECT_EQ(drives.ToDos(disc + "/MPEGAV/AVSEQ01.DAT"), "E:\\MPEGAV\\AVSEQ01.DAT");
    VolumeInformation volume = VolumeSerial::Read(drives, "E:\\");
    ASSERT_TRUE(volume.ok);
    EXPECT_EQ(volume.label, "Mounted VCD");
    // An audio disc has no label; an empty drive and the root have none either.
    EXPECT_EQ(drives.DriveList(), QStringList({"c: [Home Disk]", "d: [TOLVANE_VCD]",
                                               "e: [Mounted VCD]", "f:", "g:", "z:"}));

    // With their trays open discs are empty drives.
    trays.SetOpen(disc, true);
    trays.SetOpen(ClipVcd::Get().cue, true);
    EXPECT_FALSE(files.FolderExists("E:\\"));
    EXPECT_FALSE(files.FileExists("E:\\Readme.txt"));
    EXPECT_TRUE(files.ListFiles("E:\\MPEGAV", "*.*").isEmpty());
    EXPECT_TRUE(files.ReadHead("E:\\Readme.txt", 4).isEmpty());
    EXPECT_FALSE(VolumeSerial::Read(drives, "E:\\").ok);
    EXPECT_EQ(drives.DriveList(), QStringList({"c: [Home Disk]", "d:", "e:", "f:", "g:", "z:"}));
    EXPECT_EQ(drives.DriveLetters(), QStringList({"c:", "d:", "e:", "f:", "g:", "z:"}));
    trays.SetOpen(disc + "/", false); // the same folder, written another way
    EXPECT_TRUE(files.FileExists("E:\\Readme.txt"));
}

// Names on disk are bytes: a name that is not UTF-8 shows decoded as Big5, and its
// bytes are what every open, listing and lookup uses.
TEST(DosFiles, NamesInBig5BytesShowDecodedAndKeepTheirBytes)
{
    QTemporaryDir dir;
    const QByteArray disc = RawPath(dir.path(), kBig5Disc);
    ASSERT_TRUE(MakeRawFolder(disc));
    RawTree cleanup(disc);
    ASSERT_TRUE(MakeRawFolder(RawPath(dir.path(), "\xE9\x9F\xB3\xE6\xA8\x82"))); // UTF-8 "音樂"
    ASSERT_TRUE(WriteRaw(disc + "/Song.mp3", "12345"));
    ASSERT_TRUE(WriteRaw(disc + "/" + kBig5Song + ".mp3", "song"));
    DriveMap drives({{'C', dir.path(), kDriveFixed}});
    DosFiles files(drives);
    EXPECT_EQ(files.ListFolders("C:\\"), QStringList({"光碟", "音樂"}));
    EXPECT_EQ(files.ListFiles("C:\\光碟", "*.MP3"), QStringList({"Song.mp3", "歌.mp3"}));
    EXPECT_TRUE(files.FolderExists("c:\\光碟"));
    EXPECT_FALSE(files.FileExists("C:\\光碟"));
    EXPECT_TRUE(files.FileExists("C:\\光碟\\song.MP3"));
    EXPECT_EQ(files.FileLen("C:\\光碟\\Song.mp3"), 5);
    EXPECT_TRUE(files.FileDateTime("C:\\光碟\\歌.mp3").isValid());
    QByteArray bytes;
    EXPECT_TRUE(files.ReadAll("C:\\光碟\\歌.mp3", bytes));
    EXPECT_EQ(bytes, "song");
    EXPECT_EQ(files.ReadHead("C:\\光碟\\Song.mp3", 2), "12");
    // New names inside keep the folder's bytes.
    EXPECT_TRUE(files.WriteAll("C:\\光碟\\new.txt", "a"));
    EXPECT_TRUE(files.Append("C:\\光碟\\new.txt", "b"));
    EXPECT_EQ(ReadRaw(disc + "/new.txt"), "ab");
    EXPECT_TRUE(files.MakeFolder("C:\\光碟\\Sub"));
    EXPECT_TRUE(RawExists(disc + "/Sub"));
    EXPECT_TRUE(files.Remove("C:\\光碟\\歌.mp3"));
    EXPECT_FALSE(RawExists(disc + "/" + kBig5Song + ".mp3"));
    // The DOS form of the local path is the path shown.
    EXPECT_EQ(drives.ToDos(drives.ToLocal("c:\\光碟\\SONG.mp3")), "C:\\光碟\\Song.mp3");
}

// A song named in Big5 goes to the trash under the name shown, with its own bytes
// recorded as where it came from; a second one of that name gets a name of its own.
TEST(DosFiles, ANameInBig5GoesToTheTrashWithItsBytesRecorded)
{
    QTemporaryDir dir;
    const QByteArray disc = RawPath(dir.path(), kBig5Disc);
    ASSERT_TRUE(MakeRawFolder(disc));
    RawTree cleanup(disc);
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash";
    DriveMap drives({{'C', dir.path(), kDriveFixed}});
    DosFiles files(drives);
    for (const char* name : {"歌.mp3", "歌.mp3.2"}) {
        QFile::remove(trash + "/files/" + name);
        QFile::remove(trash + "/info/" + name + ".trashinfo");
    }
    for (const QByteArray& content : {QByteArray("first"), QByteArray("second")}) {
        ASSERT_TRUE(WriteRaw(disc + "/" + kBig5Song + ".mp3", content));
        EXPECT_TRUE(files.MoveToTrash("C:\\光碟\\歌.MP3"));
        EXPECT_FALSE(RawExists(disc + "/" + kBig5Song + ".mp3"));
    }
    QFile first(trash + "/files/歌.mp3"), second(trash + "/files/歌.mp3.2");
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), "first");
    EXPECT_EQ(second.readAll(), "second");
    QFile info(trash + "/info/歌.mp3.trashinfo");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    const QByteArray record = info.readAll();
    EXPECT_TRUE(record.startsWith(
        "[Trash Info]\nPath=" + (disc + "/" + kBig5Song + ".mp3").toPercentEncoding("/") +
        "\nDeletionDate="))
        << record.toStdString();
    EXPECT_FALSE(files.MoveToTrash("C:\\光碟\\歌.mp3")); // nothing left to move
}

} // namespace
