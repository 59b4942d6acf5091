#include "MusicFixture.h"
#include "platform/VcdFixtures.h"
#include "ui/FrmVCD.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tolvane;

namespace {

using Strings = QStringList;

TEST(MusicFiles, TypesComeFromThePatternList)
{
    const QString list = "CDA;DAT;AVI;MP3;MID";
    const QStringList filters = MusicScan::Filters(list);
    EXPECT_EQ(filters, Strings({"*.CDA", "*.DAT", "*.AVI", "*.MP3", "*.MID"}));
    EXPECT_TRUE(MusicScan::IsMusicFile("Song.mp3", filters, list));
    EXPECT_TRUE(MusicScan::IsMusicFile("TRACK01.CDA", filters, list));
    EXPECT_FALSE(MusicScan::IsMusicFile("cover.jpg", filters, list));
    EXPECT_FALSE(MusicScan::IsMusicFile("Song.mp3.bak", filters, list));
    EXPECT_FALSE(MusicScan::IsMusicFile("Song.wav", filters, list));
    // Patterns already written as a list box pattern are taken as they are.
    EXPECT_EQ(MusicScan::Filters("*.MP3; *.WAV;"), Strings({"*.MP3", "*.WAV"}));
}

TEST(MusicFiles, AListedFileNeedsADotInItsLastFiveCharacters)
{
    // A pattern that lists every file: only names with an extension of the list count.
    const QString list = "MP3;*";
    const QStringList filters = MusicScan::Filters(list);
    EXPECT_FALSE(MusicScan::IsMusicFile("README", filters, list));
    EXPECT_FALSE(MusicScan::IsMusicFile("tune.flac3", filters, list));
    EXPECT_FALSE(MusicScan::IsMusicFile("notes.txt", filters, list));
    EXPECT_TRUE(MusicScan::IsMusicFile("tune.MP3", filters, list));
    EXPECT_FALSE(MusicScan::IsMusicFile(".mp3", filters, list));
}

TEST(AlbumsOf, FolderPartsEachOnce)
{
    EXPECT_EQ(MusicScan::AlbumsOf({"E:\\", "E:\\A", "E:\\B"}), Strings({"E:\\", "E:\\A", "E:\\B"}));
    // Dotted names stand for their parent; two in a row make one album.
    EXPECT_EQ(MusicScan::AlbumsOf({"E:\\Pop\\CD.1", "E:\\Pop\\CD.2", "E:\\Rock"}),
              Strings({"E:\\Pop", "E:\\Rock"}));
    // Any dot in the path cuts at the last backslash, not only in the last name.
    EXPECT_EQ(MusicScan::AlbumsOf({"E:\\Vol.1\\Jazz", "E:\\Vol.1\\Soul"}), Strings({"E:\\Vol.1"}));
    // Under the root the parent is the root folder.
    EXPECT_EQ(MusicScan::AlbumsOf({"E:\\Disc.1", "E:\\Disc.2"}), Strings({"E:\\"}));
    // An album is listed once, however its folders come.
    EXPECT_EQ(MusicScan::AlbumsOf({"E:\\", "E:\\B", "E:\\A.1"}), Strings({"E:\\", "E:\\B"}));
    EXPECT_TRUE(MusicScan::AlbumsOf({}).isEmpty());
}

TEST(ScanFileEx, StartFolderFirstThenBreadthFirst)
{
    MusicFixture f;
    f.File("root.mp3");
    f.File("B/b.mp3");
    f.File("A/a1.mp3");
    f.File("A/a2.MP3");
    f.File("A/Deep/d.mid");
    f.File("C/Inner/i.mp3"); // C holds only a subfolder
    f.Folder("Empty");
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:", f.player.app.SearchPattern), 5);
    EXPECT_EQ(f.player.device.MusicFolders,
              Strings({"E:\\", "E:\\A", "E:\\B", "E:\\A\\Deep", "E:\\C\\Inner"}));
    EXPECT_EQ(f.player.Vcd().Label1->text(), "搜尋完成!");
}

TEST(ScanFileEx, FolderNamesAreTakenInNameOrderWhateverTheCase)
{
    MusicFixture f;
    for (const char* name : {"delta", "Bravo", "alpha", "Charlie"})
        f.File(QString(name) + "/x.mp3");
    MusicScan scan(f.player);
    scan.ScanFileEx("E:\\", "MP3");
    EXPECT_EQ(f.player.device.MusicFolders,
              Strings({"E:\\alpha", "E:\\Bravo", "E:\\Charlie", "E:\\delta"}));
}

TEST(ScanFileEx, LogsEveryFolderMetWithItsMusicCount)
{
    MusicFixture f;
    f.File("A/a1.mp3");
    f.File("A/a2.mp3");
    f.File("A/cover.jpg");
    f.File("B/Sub/s.avi");
    MusicScan scan(f.player);
    scan.ScanFileEx("E:", "MP3;AVI");
    EXPECT_EQ(f.fake.LogTexts(),
              Strings({"E:\\A [2] 09:05:03", "E:\\B 09:05:03", "E:\\B\\Sub [1] 09:05:03"}));
}

TEST(ScanFileEx, ProgressAndEventsAtMostEveryFiftyMilliseconds)
{
    MusicFixture f;
    for (int i = 0; i < 60; ++i)
        f.File(QString("F%1/a.mp3").arg(i, 2, 10, QChar('0')));
    LocalFolderSource local(f.player.platform.files);
    WatchedSource source(local);
    QStringList seen; // Label1 while each folder is listed
    source.onList = [&](const QString&) {
        f.fake.clock.now = f.fake.clock.now.addMSecs(20);
        seen.append(f.player.Vcd().Label1->text());
    };
    MusicScan scan(f.player, &source);
    int shows = 0;
    scan.hooks.relayoutLabels = [&] { ++shows; };
    const int events = f.fake.clock.doEvents;
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 60);
    // The root is shown at once; folder k is listed at 40 + 20 k ms, so progress is due
    // again at 60, 120 ... 1200 ms: 21 times in all, and the labels laid out at the end.
    EXPECT_EQ(shows, 22);
    EXPECT_EQ(f.fake.clock.doEvents - events, 21);
    EXPECT_EQ(seen.value(2), "E:\\");
    EXPECT_EQ(f.player.Vcd().Label1->text(), "搜尋完成!");
    // Every folder still has its line, with the time it was met.
    const QStringList lines = f.fake.LogTexts();
    ASSERT_EQ(lines.size(), 60);
    EXPECT_EQ(lines[47], "E:\\F47 [1] 09:05:03");
    EXPECT_EQ(lines[48], "E:\\F48 [1] 09:05:04");
}

TEST(ScanFileEx, ASubPathIsSearchedFromThatFolder)
{
    MusicFixture f;
    f.File("top.mp3");
    f.File("Music/Album/a.mp3");
    f.File("Other/o.mp3");
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:\\Music", "MP3"), 1);
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"E:\\Music\\Album"}));
}

TEST(ScanFileEx, NoMusicLeavesNothing)
{
    MusicFixture f;
    f.File("A/readme.txt");
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 0);
    EXPECT_TRUE(f.player.device.MusicFolders.isEmpty());
    // A missing start folder is no music either.
    EXPECT_EQ(scan.ScanFileEx("E:\\Missing", "MP3"), 0);
    EXPECT_EQ(scan.ScanFileEx("Q:", "MP3"), 0);
}

TEST(DateRange, EarliestAndLatestOfTheCountedFiles)
{
    MusicFixture f;
    f.File("A/a.mp3", QDate(2001, 3, 4));
    f.File("A/b.mp3", QDate(1999, 12, 31));
    f.File("B/c.mp3", QDate(2010, 6, 7));
    f.File("B/old.mp3", QDate(1985, 1, 1));
    f.File("B/new.jpg", QDate(2020, 1, 1)); // not music: its date is not read
    LocalFolderSource local(f.player.platform.files);
    WatchedSource source(local);
    MusicScan scan(f.player, &source);
    scan.ScanFileEx("E:", "MP3");
    EXPECT_EQ(source.datesRead, 0); // read when the range is asked for
    EXPECT_EQ(scan.EarliestFileDate(), QDate(1999, 12, 31));
    EXPECT_EQ(scan.LatestFileDate(), QDate(2010, 6, 7));
    EXPECT_EQ(source.datesRead, 4);
}

TEST(DateRange, FilesBefore1990CountButLeaveTheRangeAtToday)
{
    MusicFixture f;
    f.File("A/a.mp3", QDate(1985, 2, 3));
    f.File("A/b.mp3", QDate(1985, 7, 8));
    MusicScan scan(f.player);
    EXPECT_EQ(scan.FindFileList("E:\\A", "MP3"), 2);
    scan.ScanFileEx("E:", "MP3");
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"E:\\A"}));
    EXPECT_EQ(scan.EarliestFileDate(), QDate(2026, 12, 5));
    EXPECT_EQ(scan.LatestFileDate(), QDate(2026, 12, 5));
}

// The walk on trees that can trap a naive one.

TEST(HardTrees, LinksBackUpTheTreeAreNotWalkedAgain)
{
    MusicFixture f;
    f.File("A/a.mp3");
    f.File("A/B/b.mp3");
    f.Link("A/B/up", f.root + "/A");
    f.Link("A/self", f.root + "/A");
    f.Link("A/B/top", f.root);
    f.Link("A/B/loop1", f.root + "/A/B/loop2");
    f.Link("A/B/loop2", f.root + "/A/B/loop1"); // links to each other: neither resolves
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 2);
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"E:\\A", "E:\\A\\B"}));
    EXPECT_EQ(f.fake.LogTexts(), Strings({"E:\\A [1] 09:05:03", "E:\\A\\B [1] 09:05:03"}));
}

TEST(HardTrees, ALinkToAFolderOutsideIsFollowedOnce)
{
    MusicFixture f;
    QString outside = f.fake.dir.path() + "/outside";
    QDir().mkpath(outside + "/Live");
    QFile(outside + "/Live/l.mp3").open(QIODevice::WriteOnly);
    f.Link("Shared", outside);
    f.Link("Again", outside);
    f.Link("Dangling", f.root + "/nothing");
    MusicScan scan(f.player);
    scan.ScanFileEx("E:", "MP3");
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"E:\\Again\\Live"}));
}

TEST(HardTrees, AHundredLevelsDeep)
{
    MusicFixture f;
    QString relative = "level";
    for (int i = 1; i < 100; ++i)
        relative += "/level";
    f.File(relative + "/deep.mp3");
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 1);
    QString expected = "E:\\" + QString(relative).replace('/', '\\');
    EXPECT_EQ(f.player.device.MusicFolders, Strings({expected}));
    EXPECT_EQ(f.fake.LogTexts().size(), 100);
}

TEST(HardTrees, AnUnreadableFolderContributesNothing)
{
    MusicFixture f;
    f.File("A/Sub/s.mp3");
    f.File("A/a.mp3");
    f.File("B/b.mp3");
    LocalFolderSource local(f.player.platform.files);
    WatchedSource source(local);
    source.unreadable = {"E:\\A"};
    MusicScan scan(f.player, &source);
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 1);
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"E:\\B"}));
    EXPECT_EQ(f.fake.LogTexts(), Strings({"E:\\A 09:05:03", "E:\\B [1] 09:05:03"}));
}

TEST(HardTrees, EachFolderIsListedOnce)
{
    MusicFixture f;
    f.File("A/A1/x.mp3");
    f.File("A/A2/y.mp3");
    f.File("B/z.mp3");
    LocalFolderSource local(f.player.platform.files);
    WatchedSource source(local);
    MusicScan scan(f.player, &source);
    scan.ScanFileEx("E:", "MP3");
    EXPECT_EQ(source.listed, Strings({"E:\\", "E:\\A", "E:\\B", "E:\\A\\A1", "E:\\A\\A2"}));
}

// ScanMp3: albums, the album list and the song book seams.

struct Calls
{
    QStringList playList;
    int playListFills = 0;
    int clears = 0;
    int offers = 0;
    int lookups = 0;
    QString title = "unset";
    QStringList offered;
};

void Watch(MusicScan& scan, Calls& calls)
{
    scan.hooks.volumeSerial = [](const QString&) { return QString("1A2B-3C4D"); };
    scan.hooks.clearLists = [&] { ++calls.clears; };
    scan.hooks.fillPlayList = [&](const QStringList& albums) {
        calls.playList = albums;
        ++calls.playListFills;
    };
    scan.hooks.offerSongBookEntry = [&](const QString& serial, const QStringList& albums) {
        ++calls.offers;
        calls.offered = albums;
        calls.offered.prepend(serial);
    };
    scan.hooks.showDiscTitle = [&](const QString& title) { calls.title = title; };
}

TEST(ScanMp3, AlbumsSortedAndThePlayListInScanOrder)
{
    MusicFixture f;
    f.File("root.mp3");
    f.File("zeta/z.mp3");
    f.File("Alpha/a.mp3");
    f.File("mid/Beta.2/b.mp3");
    f.File("mid/Beta.3/b.mp3");
    MusicScan scan(f.player);
    Calls calls;
    Watch(scan, calls);
    EXPECT_EQ(scan.ScanMp3("E:"), 4);
    EXPECT_EQ(calls.playList, Strings({"E:\\", "E:\\Alpha", "E:\\zeta", "E:\\mid"}));
    EXPECT_EQ(f.player.device.AlbumDirs, Strings({"E:\\", "E:\\Alpha", "E:\\mid", "E:\\zeta"}));
    EXPECT_EQ(calls.clears, 1);
    EXPECT_EQ(calls.title, "");
    // A folder on a fixed disk is not a disc for the song book.
    EXPECT_EQ(calls.offers, 0);
}

TEST(ScanMp3, NothingFoundLeavesOneEmptyAlbum)
{
    MusicFixture f;
    f.File("Docs/a.txt");
    MusicScan scan(f.player);
    Calls calls;
    Watch(scan, calls);
    EXPECT_EQ(scan.ScanMp3("E:"), 0);
    EXPECT_EQ(f.player.device.AlbumDirs, Strings({""}));
    EXPECT_EQ(calls.playListFills, 1);
    EXPECT_TRUE(calls.playList.isEmpty());
}

TEST(ScanMp3, ADiscInTheSongBookIsNotScannedAgain)
{
    MusicFixture f;
    f.File("A/a.mp3");
    f.player.device.CdromDriveType = kDriveCdrom;
    MusicScan scan(f.player);
    Calls calls;
    Watch(scan, calls);
    QString askedSerial;
    scan.hooks.songBookLookup = [&](const QString& serial, QStringList& albums) {
        askedSerial = serial;
        albums = {"E:\\Zulu", "E:\\Bravo"};
        return true;
    };
    scan.hooks.discTitle = [](const QString& serial) { return "Title of " + serial; };
    EXPECT_EQ(scan.ScanMp3("E:\\"), 2);
    EXPECT_EQ(askedSerial, "1A2B-3C4D");
    EXPECT_EQ(f.player.device.AlbumDirs, Strings({"E:\\Bravo", "E:\\Zulu"}));
    EXPECT_EQ(calls.playList, Strings({"E:\\Zulu", "E:\\Bravo"}));
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"stale"})); // no walk happened
    EXPECT_TRUE(f.fake.LogTexts().isEmpty());
    EXPECT_EQ(calls.offers, 0);
    EXPECT_EQ(calls.title, "Title of 1A2B-3C4D");
}

TEST(ScanMp3, ANewDiscIsScannedAndOfferedToTheSongBook)
{
    MusicFixture f;
    f.File("A/a.mp3");
    f.File("B/b.mp3");
    f.player.device.CdromDriveType = kDriveCdrom;
    MusicScan scan(f.player);
    Calls calls;
    Watch(scan, calls);
    scan.hooks.songBookLookup = [&](const QString&, QStringList&) {
        ++calls.lookups;
        return false;
    };
    EXPECT_EQ(scan.ScanMp3("E:"), 2);
    EXPECT_EQ(calls.lookups, 1);
    EXPECT_EQ(calls.offers, 1);
    EXPECT_EQ(calls.offered, Strings({"1A2B-3C4D", "E:\\A", "E:\\B"}));

    // A folder of the disc is no whole disc: no lookup, no offer.
    EXPECT_EQ(scan.ScanMp3("E:\\A"), 1);
    EXPECT_EQ(calls.lookups, 1);
    EXPECT_EQ(calls.offers, 1);
    EXPECT_EQ(f.player.device.AlbumDirs, Strings({"E:\\A"}));
}

TEST(ScanMp3, ScansWithTheSettingsPatternList)
{
    MusicFixture f;
    f.File("Midi/a.mid");
    f.File("Wave/a.wav");
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanMp3("E:"), 1);
    EXPECT_EQ(f.player.device.AlbumDirs, Strings({"E:\\Midi"}));
    f.player.app.SearchPattern = "WAV";
    EXPECT_EQ(scan.ScanMp3("E:"), 1);
    EXPECT_EQ(f.player.device.AlbumDirs, Strings({"E:\\Wave"}));
}

} // namespace

namespace {

// A disc in a CD-ROM drive is read through the drive layer, not through a mount.
TEST(DiscScan, AVideoCdImageIsWalkedWithoutMounting)
{
    MusicFixture f;
    VcdDisc disc;
    disc.mpeg = QByteArray(2 * kForm2Bytes, 'm');
    disc.readme = "hello";
    QString dir = f.fake.dir.path();
    ASSERT_TRUE(disc.Write(dir + "/vcd.cue", dir + "/vcd.bin"));
    f.fake.drives.Add({'F', dir + "/vcd.cue", kDriveCdrom});
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("F:", "DAT;TXT"), 2);
    EXPECT_EQ(f.player.device.MusicFolders, Strings({"F:\\", "F:\\MPEGAV"}));
    EXPECT_EQ(f.fake.LogTexts(), Strings({"F:\\MPEGAV [1] 09:05:03"}));
    // The range comes from the files' recording times on the disc.
    const QDate recorded = QDateTime::fromSecsSinceEpoch(946684800).date();
    EXPECT_EQ(scan.EarliestFileDate(), recorded);
    EXPECT_EQ(scan.LatestFileDate(), recorded);
    EXPECT_EQ(scan.FindFileList("F:\\Mpegav", "DAT"), 1);
    EXPECT_EQ(scan.ScanFileEx("F:", "MP3"), 0);
    // With the virtual tray open the drive holds nothing.
    f.fake.trays.SetOpen(dir + "/vcd.cue", true);
    EXPECT_EQ(scan.ScanFileEx("F:", "DAT;TXT"), 0);
    EXPECT_TRUE(f.player.device.MusicFolders.isEmpty());
    f.fake.trays.SetOpen(dir + "/vcd.cue", false);
    // The same scanner goes back to local folders for a fixed drive.
    f.File("A/a.mp3");
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 1);
}

} // namespace
