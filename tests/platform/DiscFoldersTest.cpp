#include "platform/DiscFolders.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/DosFiles.h"
#include "platform/IsoFileSystem.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(DiscFolders, AnAudioDiscRootListsItsTracks)
{
    QString cue = MediaFixtures() + "/tones.cue";
    DriveMap drives({{'D', cue, kDriveCdrom}});
    DosFiles files(drives);
    EXPECT_EQ(files.ListFiles("D:\\", "*.cda"),
              QStringList({"Track01.cda", "Track02.cda", "Track03.cda"}));
    EXPECT_TRUE(files.FileExists("d:\\TRACK02.CDA"));
    EXPECT_FALSE(files.FileExists("D:\\Track04.cda"));
    EXPECT_TRUE(files.FolderExists("D:\\"));
    EXPECT_FALSE(files.FolderExists("D:\\MPEGAV"));
    EXPECT_TRUE(files.ListFiles("D:\\MPEGAV", "*.dat").isEmpty());
}

TEST(DiscFolders, AVideoCdListsItsFileSystemWithoutCaseOrVersions)
{
    QTemporaryDir dir;
    VcdDisc disc;
    disc.mpeg = QByteArray(3 * kForm2Bytes, 'm');
    disc.readme = "hello";
    ASSERT_TRUE(disc.Write(dir.path() + "/vcd.cue", dir.path() + "/vcd.bin"));
    DriveMap drives({{'E', dir.path() + "/vcd.cue", kDriveCdrom}});
    DosFiles files(drives);
    EXPECT_EQ(files.ListFiles("E:\\Mpegav", "*.Dat"), QStringList({"AVSEQ01.DAT"}));
    EXPECT_EQ(files.ListFiles("E:\\", "*.*"), QStringList({"README.TXT"}));
    EXPECT_TRUE(files.FolderExists("e:\\mpegav"));
    EXPECT_TRUE(files.FileExists("E:\\MPEGAV\\avseq01.dat"));
    EXPECT_FALSE(files.FileExists("E:\\MPEGAV"));
    EXPECT_FALSE(files.FolderExists("E:\\NOPE"));
    // No track files on a disc whose first track holds data.
    EXPECT_TRUE(files.ListFiles("E:\\", "*.cda").isEmpty());
}

TEST(DiscFolders, AMissingImageReadsAsAnEmptyDrive)
{
    DriveMap drives({{'F', "/no/such/disc.cue", kDriveCdrom}});
    DosFiles files(drives);
    EXPECT_FALSE(files.FolderExists("F:\\"));
    EXPECT_TRUE(files.ListFiles("F:\\", "*.*").isEmpty());
    QList<DiscEntry> entries;
    EXPECT_FALSE(DiscFolders::List("/no/such/disc.cue", true, "/", entries));
    EXPECT_EQ(IsoFileSystem::ShownName("AVSEQ01.DAT;1"), "AVSEQ01.DAT");
    EXPECT_EQ(IsoFileSystem::ShownName("NOEXT.;1"), "NOEXT");
}

} // namespace
