#include "platform/DriveMap.h"
#include "platform/DosFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

class DriveMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.path() + "/home/Music/Album One");
        QFile file(dir.path() + "/home/Music/Album One/Song.MP3");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        map = DriveMap({{'c', dir.path() + "/home/", kDriveFixed}, {'Z', "/", kDriveFixed}});
    }
    QTemporaryDir dir;
    DriveMap map;
};

TEST_F(DriveMapTest, ResolvesComponentsWithoutRegardToCase)
{
    EXPECT_EQ(map.ToLocal("C:\\MUSIC\\album one\\song.mp3"),
              dir.path() + "/home/Music/Album One/Song.MP3");
    EXPECT_EQ(map.ToLocal("c:\\"), dir.path() + "/home");
}

TEST_F(DriveMapTest, MissingComponentsKeepTheirCase)
{
    EXPECT_EQ(map.ToLocal("C:\\music\\New Folder\\A.txt"),
              dir.path() + "/home/Music/New Folder/A.txt");
}

TEST_F(DriveMapTest, UnmappedDrivesAndRelativePathsResolveToNothing)
{
    EXPECT_TRUE(map.ToLocal("Q:\\x").isEmpty());
    EXPECT_TRUE(map.ToLocal("Music\\x").isEmpty());
}

TEST_F(DriveMapTest, DosFormPrefersTheLongestRoot)
{
    EXPECT_EQ(map.ToDos(dir.path() + "/home/Music"), "C:\\Music");
    EXPECT_EQ(map.ToDos(dir.path() + "/home"), "C:\\");
    EXPECT_EQ(map.ToDos("/etc/hosts"), "Z:\\etc\\hosts");
}

TEST_F(DriveMapTest, DriveTypesAndDriveList)
{
    map.Add({'d', "/tmp/disc.cue", kDriveCdrom});
    EXPECT_EQ(map.GetDriveType("C:\\"), kDriveFixed);
    EXPECT_EQ(map.GetDriveType("d:"), kDriveCdrom);
    EXPECT_EQ(map.GetDriveType("q:\\"), kDriveNoRootDir);
    EXPECT_EQ(map.DriveList(), QStringList({"c: [home]", "d:", "z:"}));
}

TEST(DriveMapEntries, ParsesLettersPathsAndCdromMarks)
{
    auto drives = DriveMap::ParseEntries("C=/home/me; d=cdrom:/x/disc.cue;bad;QQ=/x;E=", ';');
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives[0].letter, QChar('C'));
    EXPECT_EQ(drives[0].root, "/home/me");
    EXPECT_EQ(drives[1].letter, QChar('D'));
    EXPECT_EQ(drives[1].type, kDriveCdrom);
    EXPECT_EQ(drives[1].root, "/x/disc.cue");
}

TEST_F(DriveMapTest, FilesMatchPatternsWithoutCase)
{
    DosFiles files(map);
    EXPECT_TRUE(files.FileExists("c:\\music\\ALBUM ONE\\song.mp3"));
    EXPECT_TRUE(files.FolderExists("C:\\Music"));
    EXPECT_EQ(files.ListFiles("C:\\Music\\Album One", "*.Mp3"), QStringList({"Song.MP3"}));
    EXPECT_TRUE(files.ListFiles("C:\\Music\\Album One", "*.jpg").isEmpty());
    EXPECT_TRUE(DosFiles::WildcardMatch("*.*", "README"));
    EXPECT_TRUE(DosFiles::WildcardMatch("cut-???.bmp", "Cut-001.BMP"));
    EXPECT_FALSE(DosFiles::WildcardMatch("*.bmp", "a.bmpx"));
    // MkDir makes one level only.
    EXPECT_FALSE(files.MakeFolder("C:\\a\\b"));
    EXPECT_TRUE(files.MakeFolder("C:\\a"));
    EXPECT_TRUE(files.FolderExists("C:\\A"));
}

} // namespace

namespace {

TEST(DriveMapFromUser, HomeRootFileAndEnvironmentInThatOrder)
{
    QTemporaryDir home;
    QDir().mkpath(home.path() + "/.local/share/tolvane99");
    QFile file(DriveMap::ConfigFile(home.path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; my drives\nM=/music\nE=cdrom:/discs/old.cue\n");
    file.close();
    qputenv("TOLVANE99_DRIVES", "E=cdrom:/discs/vcd.cue");
    DriveMap map = DriveMap::FromUser(home.path());
    qunsetenv("TOLVANE99_DRIVES");
    ASSERT_NE(map.Find('C'), nullptr);
    EXPECT_EQ(map.Find('C')->root, home.path());
    EXPECT_EQ(map.GetDriveType("Z:"), kDriveFixed);
    EXPECT_EQ(map.Find('M')->root, "/music");
    EXPECT_EQ(map.Find('E')->root, "/discs/vcd.cue");
    EXPECT_EQ(map.GetDriveType("E:\\"), kDriveCdrom);
}

} // namespace
