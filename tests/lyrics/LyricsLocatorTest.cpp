#include "lyrics/LyricsLocator.h"
#include "app/Text.h"
#include "fakes/FakePlatform.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// Paths of the cases: <a> is the media's folder on D:, <d> the disc's lyrics folder.
QString Expand(QString path)
{
    return path.replace("<a>", "D:\\MUSIC\\ALBUM").replace("<d>", "C:\\Temp\\1A2B-3C4D");
}

TEST(LyricsLocator, FilesAndFoldersByDeviceAndSetting)
{
    struct Case
    {
        const char* what;
        const char* media;
        bool cdrom;
        bool create;
        QStringList before; // files there before, in folders made for them
        const char* file;
        const char* folder;
        const char* after; // a folder there afterwards; with "-" first, not there
    };
    const char* song = "<a>\\S1.MP3";
    const Case cases[] = {
        {"beside, CD-ROM", song, true, true, {"<a>\\S1.txt"}, "<a>\\S1.txt", "", "-<d>"},
        {"beside, setting off", song, false, false, {"<a>\\S1.txt"}, "<a>\\S1.txt", "", "-<d>"},
        {"audio track", "D:\\Track03.cda", true, true, {}, "<d>\\Track03.txt", "<d>", "<d>"},
        {"album made", song, true, true, {}, "<d>\\ALBUM\\S1.txt", "<d>\\ALBUM", "<d>\\ALBUM"},
        {"setting off", song, true, false, {}, "C:\\Tolvane99\\S1.txt", "C:\\Tolvane99", "-<d>"},
        {"not a CD-ROM", song, false, true, {}, "<d>\\S1.txt", "<d>", "-<d>"},
        {"existing disc", song, true, true, {"<d>\\x.txt"}, "<d>\\S1.txt", "<d>", "-<d>\\ALBUM"},
        {"lrc beside", song, true, true, {"<a>\\S1.lrc"}, "<a>\\S1.lrc", "<d>\\ALBUM", "<d>"},
        {"txt first", song, false, false, {"<a>\\S1.lrc", "<d>\\S1.txt"}, "<d>\\S1.txt", "<d>", ""},
        {"beside first", song, true, true, {"<a>\\S1.lrc", "<a>\\S1.txt"}, "<a>\\S1.txt", "", ""},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        QDir().mkpath(fake.dir.path() + "/disc/MUSIC/ALBUM");
        fake.drives.Add({'D', fake.dir.path() + "/disc", kDriveCdrom});
        fake.files.MakeFolder("C:\\Temp");
        for (const QString& path : c.before) {
            fake.files.MakeFolder(FolderPart(Expand(path)));
            fake.files.WriteAll(Expand(path), "x");
        }
        LyricsLocator locator(fake.files, [](const QString& drive) {
            return drive == "D:" ? std::optional<std::uint32_t>(0x1A2B3C4D) : std::nullopt;
        });
        LyricsPaths paths =
            locator.Locate(Expand(c.media), {"C:\\Temp", c.create, c.cdrom, "C:\\Tolvane99"});
        EXPECT_EQ(paths.LyricsFile, Expand(c.file)) << c.what;
        EXPECT_EQ(paths.LyricsFolder, Expand(c.folder)) << c.what;
        const bool there = c.after[0] != '-';
        if (c.after[0] != '\0') {
            EXPECT_EQ(fake.files.FolderExists(Expand(c.after + (there ? 0 : 1))), there) << c.what;
        }
    }
}

TEST(LyricsLocator, ShortPathsAndUnreadableSerials)
{
    FakePlatform fake;
    LyricsLocator locator(fake.files);
    const LyricsPlaces places{"C:\\Temp", true, false, "C:\\Tolvane99"};
    EXPECT_EQ(locator.Locate("D:\\", places).LyricsFile, QString());
    // Without a reader the drive itself is asked; an unmapped one reads as serial 0.
    EXPECT_EQ(locator.Locate("Q:\\Track01.cda", places).LyricsFile,
              "C:\\Temp\\0000-0000\\Track01.txt");
}

} // namespace
