#include "platform/DriveMap.h"
#include "VcdFixtures.h"
#include "platform/DosFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(DriveMapTest, ResolvesPathsOfMappedDrivesAndMatchesFilesWithoutCase)
{
    QTemporaryDir dir;
    const QString home = dir.path() + "/home";
    QDir().mkpath(home + "/Music/Album One");
    ASSERT_TRUE(WriteFile(home + "/Music/Album One/Song.MP3", "x"));
    DriveMap map({{'c', home + "/", kDriveFixed}, {'Z', "/", kDriveFixed}});
    // Components resolve without regard to case; missing ones keep their case.
    const std::pair<const char*, QString> toLocal[] = {
        {"C:\\MUSIC\\album one\\song.mp3", home + "/Music/Album One/Song.MP3"},
        {"c:\\", home},
        {"C:\\music\\New Folder\\A.txt", home + "/Music/New Folder/A.txt"},
        {"Q:\\x", ""},    // an unmapped drive
        {"Music\\x", ""}, // a relative path
    };
    for (const auto& [dos, local] : toLocal)
        EXPECT_EQ(map.ToLocal(dos), local) << dos;
    // The DOS form prefers the longest root.
    const std::pair<QString, const char*> toDos[] = {
        {home + "/Music", "C:\\Music"}, {home, "C:\\"}, {"/etc/hosts", "Z:\\etc\\hosts"}};
    for (const auto& [local, dos] : toDos)
        EXPECT_EQ(map.ToDos(local), dos) << local.toStdString();
    // Drive lists and the types of mapped drives are checked with the disc drives.
    EXPECT_EQ(map.GetDriveType("q:\\"), kDriveNoRootDir);

    // Looking files up without case is checked with the DOS files and the disc folders.
    DosFiles files(map);
    EXPECT_TRUE(DosFiles::WildcardMatch("*.*", "README"));
    EXPECT_TRUE(DosFiles::WildcardMatch("cut-???.bmp", "Cut-001.BMP"));
    EXPECT_FALSE(DosFiles::WildcardMatch("*.bmp", "a.bmpx"));
    // MkDir makes one level only.
    EXPECT_FALSE(files.MakeFolder("C:\\a\\b"));
    EXPECT_TRUE(files.MakeFolder("C:\\a"));
    EXPECT_TRUE(files.FolderExists("C:\\A"));
}

TEST(DriveMapEntries, ParsesLettersPathsAndCdromMarks)
{
    EXPECT_EQ(DriveMap::ParseEntries("C=/home/me; d=cdrom:/x/disc.cue;bad;QQ=/x;E=", ';'),
              (QList<Drive>{{'C', "/home/me", kDriveFixed}, {'D', "/x/disc.cue", kDriveCdrom}}));
}

TEST(DriveMapFromUser, HomeRootFileAndEnvironmentInThatOrder)
{
    QTemporaryDir home;
    QDir().mkpath(home.path() + "/.local/share/tolvane99");
    ASSERT_TRUE(WriteFile(DriveMap::ConfigFile(home.path()),
                          "; my drives\nM=/music\nE=cdrom:/discs/old.cue\n"));
    qputenv("TOLVANE99_DRIVES", "E=cdrom:/discs/vcd.cue");
    DriveMap map = DriveMap::FromUser(home.path());
    qunsetenv("TOLVANE99_DRIVES");
    for (const Drive& drive :
         {Drive{'C', home.path(), kDriveFixed}, Drive{'M', "/music", kDriveFixed},
          Drive{'E', "/discs/vcd.cue", kDriveCdrom}})
        EXPECT_TRUE(map.Find(drive.letter) && *map.Find(drive.letter) == drive)
            << drive.root.toStdString();
    EXPECT_EQ(map.GetDriveType("Z:"), kDriveFixed);
}

} // namespace
