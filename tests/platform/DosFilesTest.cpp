#include "platform/DosFiles.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/DiscFolders.h"
#include "platform/DiscTrays.h"
#include "platform/VolumeSerial.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

const QDateTime kStamp(QDate(2003, 4, 5), QTime(6, 7, 8));

bool WriteDated(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.setFileTime(kStamp, QFileDevice::FileModificationTime);
}

TEST(DosFilesSizeAndDate, FilesOnAFixedFolder)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("Songs"));
    ASSERT_TRUE(WriteDated(dir.filePath("Songs/One.mp3"), QByteArray(1234, 'x')));
    DriveMap drives({{'C', dir.path(), kDriveFixed}});
    DosFiles files(drives);
    EXPECT_EQ(files.FileLen("c:\\SONGS\\one.MP3"), 1234);
    EXPECT_EQ(files.FileDateTime("C:\\Songs\\One.mp3"), kStamp);
    EXPECT_EQ(files.FileLen("C:\\Songs\\Two.mp3"), -1);
    EXPECT_FALSE(files.FileDateTime("C:\\Songs\\Two.mp3").isValid());
    EXPECT_EQ(files.FileLen("C:\\Songs"), -1); // a folder is no file
    EXPECT_EQ(files.FileLen("Q:\\Songs\\One.mp3"), -1);
}

TEST(DosFilesSizeAndDate, EntriesOfDiscImages)
{
    QTemporaryDir dir;
    VcdDisc disc;
    disc.mpeg = QByteArray(3 * kForm2Bytes, 'm');
    disc.readme = "hello, disc";
    ASSERT_TRUE(disc.Write(dir.filePath("vcd.cue"), dir.filePath("vcd.bin")));
    DriveMap drives({{'D', MediaFixtures() + "/tones.cue", kDriveCdrom},
                     {'E', dir.filePath("vcd.cue"), kDriveCdrom}});
    DosFiles files(drives);
    EXPECT_EQ(files.FileLen("E:\\readme.txt"), 11);
    // A Form 2 file counts its sectors at 2048 bytes, as the directory says.
    EXPECT_EQ(files.FileLen("E:\\MPEGAV\\AVSEQ01.DAT"), 3 * 2048);
    // The fixture records its files at 2000-01-01 00:00:00 UTC.
    EXPECT_EQ(files.FileDateTime("E:\\README.TXT"), QDateTime::fromSecsSinceEpoch(946684800));
    EXPECT_EQ(files.FileLen("E:\\MPEGAV\\AVSEQ02.DAT"), -1);
    EXPECT_EQ(files.FileLen("E:\\MPEGAV"), -1);
    EXPECT_EQ(files.FileLen("D:\\Track03.cda"), 44);
    EXPECT_FALSE(files.FileDateTime("D:\\Track03.cda").isValid());
    EXPECT_EQ(files.FileLen("D:\\Track04.cda"), -1);
}

class FolderDiscTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        disc = dir.filePath("Mounted VCD");
        QDir().mkpath(disc + "/MPEGAV");
        ASSERT_TRUE(WriteDated(disc + "/MPEGAV/AVSEQ01.DAT", QByteArray(300, 'v')));
        ASSERT_TRUE(WriteDated(disc + "/Readme.txt", "read me"));
        drives = DriveMap(DriveMap::ParseEntries("C=" + dir.path() + ";E=cdrom:" + disc, ';'));
        drives.SetTrays(&trays);
    }
    QTemporaryDir dir;
    QString disc;
    DiscTrays trays;
    DriveMap drives;
};

TEST_F(FolderDiscTest, AFolderDiscReadsItsFilesAsACdRom)
{
    DosFiles files(drives);
    EXPECT_EQ(drives.GetDriveType("E:\\"), kDriveCdrom);
    EXPECT_EQ(files.ListFiles("E:\\mpegav", "*.Dat"), QStringList({"AVSEQ01.DAT"}));
    EXPECT_TRUE(files.FolderExists("e:\\MPEGAV"));
    EXPECT_EQ(files.FileLen("E:\\MPEGAV\\avseq01.dat"), 300);
    EXPECT_EQ(files.FileDateTime("E:\\Readme.txt"), kStamp);
    EXPECT_EQ(files.ReadHead("E:\\README.TXT", 4), "read");
    // A file picked inside it is on the disc, not on C:.
    EXPECT_EQ(drives.ToDos(disc + "/MPEGAV/AVSEQ01.DAT"), "E:\\MPEGAV\\AVSEQ01.DAT");
    QList<DiscEntry> entries;
    ASSERT_TRUE(DiscFolders::List(disc, false, "mpegav", entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].size, 300);

    VolumeInformation volume = VolumeSerial::Read(drives, "E:\\");
    ASSERT_TRUE(volume.ok);
    EXPECT_EQ(volume.label, "Mounted VCD");
    EXPECT_EQ(drives.DriveList().at(1), "e: [Mounted VCD]");
}

TEST_F(FolderDiscTest, WithItsTrayOpenAFolderDiscIsAnEmptyDrive)
{
    DosFiles files(drives);
    trays.SetOpen(disc, true);
    EXPECT_FALSE(files.FolderExists("E:\\"));
    EXPECT_FALSE(files.FileExists("E:\\Readme.txt"));
    EXPECT_TRUE(files.ListFiles("E:\\MPEGAV", "*.*").isEmpty());
    EXPECT_TRUE(files.ReadHead("E:\\Readme.txt", 4).isEmpty());
    EXPECT_FALSE(VolumeSerial::Read(drives, "E:\\").ok);
    EXPECT_EQ(drives.DriveList().at(1), "e:");
    trays.SetOpen(disc + "/", false); // the same folder, written another way
    EXPECT_TRUE(files.FileExists("E:\\Readme.txt"));
}

TEST(DriveListLabels, FixedFoldersAndReadableDiscsShowTheirLabels)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("Home Disk"));
    VcdDisc vcd;
    vcd.mpeg = QByteArray(kForm2Bytes, 'm');
    ASSERT_TRUE(vcd.Write(dir.filePath("vcd.cue"), dir.filePath("vcd.bin")));
    DiscTrays trays;
    DriveMap drives({{'Z', "/", kDriveFixed},
                     {'C', dir.filePath("Home Disk"), kDriveFixed},
                     {'D', dir.filePath("vcd.cue"), kDriveCdrom},
                     {'E', MediaFixtures() + "/tones.cue", kDriveCdrom},
                     {'F', "/no/such/disc.cue", kDriveCdrom}});
    drives.SetTrays(&trays);
    // An audio disc has no label; an empty drive and the root have none either.
    EXPECT_EQ(drives.DriveList(),
              QStringList({"c: [Home Disk]", "d: [TOLVANE_VCD]", "e:", "f:", "z:"}));
    trays.SetOpen(dir.filePath("vcd.cue"), true);
    EXPECT_EQ(drives.DriveList().at(1), "d:");
    EXPECT_EQ(drives.DriveLetters(), QStringList({"c:", "d:", "e:", "f:", "z:"}));
}

} // namespace
} // namespace tolvane
