#include "lyrics/LyricsLocator.h"
#include "app/Text.h"
#include "fakes/FakePlatform.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// D: is a CD-ROM drive holding a folder; the disc's serial is 0x1A2B3C4D.
class LyricsLocatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(fake.dir.path() + "/disc/MUSIC/ALBUM");
        fake.drives.Add({'D', fake.dir.path() + "/disc", kDriveCdrom});
        fake.files.MakeFolder("C:\\Temp");
    }

    LyricsPaths Locate(const QString& media, bool cdrom, bool create)
    {
        LyricsLocator locator(fake.files, [this](const QString& drive) {
            drivesAsked.append(drive);
            return std::optional<std::uint32_t>(0x1A2B3C4D);
        });
        return locator.Locate(media, {"C:\\Temp", create, cdrom, "C:\\Tolvane99"});
    }

    FakePlatform fake;
    QStringList drivesAsked;
};

TEST_F(LyricsLocatorTest, TheTextFileBesideTheMediaWinsWhateverTheSettings)
{
    ASSERT_TRUE(fake.files.WriteAll("D:\\MUSIC\\ALBUM\\SONG01.txt", "Song\r\n"));
    ASSERT_TRUE(fake.files.WriteAll("D:\\MUSIC\\ALBUM\\SONG01.lrc", "[00:01.00]la\n"));
    for (bool cdrom : {false, true}) {
        for (bool create : {false, true}) {
            LyricsPaths paths = Locate("D:\\MUSIC\\ALBUM\\SONG01.MP3", cdrom, create);
            EXPECT_EQ(paths.LyricsFile, "D:\\MUSIC\\ALBUM\\SONG01.txt");
            EXPECT_TRUE(paths.LyricsFolder.isEmpty());
        }
    }
    EXPECT_FALSE(fake.files.FolderExists("C:\\Temp\\1A2B-3C4D"));
}

TEST_F(LyricsLocatorTest, FoldersByDeviceAndSetting)
{
    struct Case
    {
        const char* what;
        const char* media;
        bool cdrom;
        bool create;
        const char* file;
        QStringList made; // folders that exist afterwards
        QStringList notMade;
    };
    const Case cases[] = {
        {"an audio track has no album",
         "D:\\Track03.cda",
         true,
         true,
         "C:\\Temp\\1A2B-3C4D\\Track03.txt",
         {"C:\\Temp\\1A2B-3C4D"},
         {}},
        {"an album folder is made on a CD-ROM",
         "D:\\MUSIC\\ALBUM\\SONG01.MP3",
         true,
         true,
         "C:\\Temp\\1A2B-3C4D\\ALBUM\\SONG01.txt",
         {"C:\\Temp\\1A2B-3C4D\\ALBUM"},
         {}},
        {"setting off: the program folder",
         "D:\\MUSIC\\ALBUM\\SONG01.MP3",
         true,
         false,
         "C:\\Tolvane99\\SONG01.txt",
         {},
         {"C:\\Temp\\1A2B-3C4D"}},
        {"not a CD-ROM: the disc folder, not made",
         "D:\\MUSIC\\ALBUM\\SONG01.MP3",
         false,
         true,
         "C:\\Temp\\1A2B-3C4D\\SONG01.txt",
         {},
         {"C:\\Temp\\1A2B-3C4D"}},
    };
    for (const Case& c : cases) {
        QDir(fake.LocalPath("C:\\Temp")).removeRecursively();
        fake.files.MakeFolder("C:\\Temp");
        drivesAsked.clear();
        LyricsPaths paths = Locate(c.media, c.cdrom, c.create);
        EXPECT_EQ(paths.LyricsFile, c.file) << c.what;
        EXPECT_EQ(paths.LyricsFolder, FolderPart(c.file)) << c.what;
        EXPECT_EQ(drivesAsked, QStringList{"D:"}) << c.what;
        for (const QString& folder : c.made)
            EXPECT_TRUE(fake.files.FolderExists(folder)) << c.what << " " << folder.toStdString();
        for (const QString& folder : c.notMade)
            EXPECT_FALSE(fake.files.FolderExists(folder)) << c.what << " " << folder.toStdString();
    }
}

TEST_F(LyricsLocatorTest, AnExistingDiscFolderIsUsedAsItIs)
{
    ASSERT_TRUE(fake.files.MakeFolder("C:\\Temp\\1A2B-3C4D"));
    LyricsPaths paths = Locate("D:\\MUSIC\\ALBUM\\SONG01.MP3", true, true);
    EXPECT_EQ(paths.LyricsFile, "C:\\Temp\\1A2B-3C4D\\SONG01.txt");
    EXPECT_FALSE(fake.files.FolderExists("C:\\Temp\\1A2B-3C4D\\ALBUM"));
}

TEST_F(LyricsLocatorTest, AnLrcBesideTheMediaOnlyWhenNoTextFileExists)
{
    ASSERT_TRUE(fake.files.WriteAll("D:\\MUSIC\\ALBUM\\SONG01.lrc", "[00:01.00]la\n"));
    EXPECT_EQ(Locate("D:\\MUSIC\\ALBUM\\SONG01.MP3", true, true).LyricsFile,
              "D:\\MUSIC\\ALBUM\\SONG01.lrc");
    ASSERT_TRUE(fake.files.WriteAll("C:\\Temp\\1A2B-3C4D\\SONG01.txt", "Song\r\n"));
    EXPECT_EQ(Locate("D:\\MUSIC\\ALBUM\\SONG01.MP3", true, true).LyricsFile,
              "C:\\Temp\\1A2B-3C4D\\SONG01.txt");
}

TEST_F(LyricsLocatorTest, ShortPathsAndUnreadableSerials)
{
    EXPECT_EQ(Locate("D:\\", true, true).LyricsFile, QString());
    EXPECT_TRUE(drivesAsked.isEmpty());
    // Without a reader the drive is asked itself; an unmapped one reads as serial 0.
    LyricsLocator locator(fake.files);
    EXPECT_EQ(
        locator.Locate("Q:\\Track01.cda", {"C:\\Temp", true, false, "C:\\Tolvane99"}).LyricsFile,
        "C:\\Temp\\0000-0000\\Track01.txt");
}

} // namespace
