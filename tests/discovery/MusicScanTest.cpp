#include "MusicFixture.h"
#include "fixtures/RawNames.h"
#include "forms/FrmVCD.h"
#include "platform/VcdFixtures.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

using Strings = QStringList;

// Names split at ",".
Strings Split(const QString& text)
{
    return text.split(',', Qt::SkipEmptyParts);
}

// A scan of the fixture's tree through a watched local source.
struct Watched : MusicFixture
{
    LocalFolderSource local{player.context.platform.files};
    WatchedSource source{local};
    MusicScan scan{player.context, player.forms, &source};
};

TEST(MusicFiles, TypesComeFromThePatternList)
{
    EXPECT_EQ(MusicScan::Filters("CDA;DAT;AVI;MP3;MID"),
              Strings({"*.CDA", "*.DAT", "*.AVI", "*.MP3", "*.MID"}));
    // Patterns already written as a list box pattern are taken as they are.
    EXPECT_EQ(MusicScan::Filters("*.MP3; *.WAV;"), Strings({"*.MP3", "*.WAV"}));
    // "MP3;*" lists every file: a name still needs a dot in its last five characters.
    const struct
    {
        QString list, music, other;
    } cases[] = {
        {"CDA;DAT;AVI;MP3;MID", "Song.mp3,TRACK01.CDA", "cover.jpg,Song.mp3.bak,Song.wav"},
        {"MP3;*", "tune.MP3", "README,tune.flac3,notes.txt,.mp3"},
    };
    for (const auto& c : cases) {
        const Strings filters = MusicScan::Filters(c.list);
        for (const QString& name : Split(c.music))
            EXPECT_TRUE(MusicScan::IsMusicFile(name, filters, c.list)) << name.toStdString();
        for (const QString& name : Split(c.other))
            EXPECT_FALSE(MusicScan::IsMusicFile(name, filters, c.list)) << name.toStdString();
    }
}

// The scan's quick test of a listed name gives the full test's answer.
TEST(MusicFiles, TheScanCountsWhatTheFullTestAccepts)
{
    const QString names[] = {"a.mp3",     "B.MP3",  "c.Mp3", "x..mp3", "y.b.mp3",
                             "z.mp3.txt", "a.flac", "a.fla", "a.wav",  "wave",
                             "mp3",       "a.mp4",  "é.mp3", "a.mpé3", "a.\\.mp3"};
    const QString lists[] = {"MP3;WAV", "*.MP3;FLAC", "MP3;*", "mp3"};
    for (const QString& list : lists) {
        for (const QString& name : names) {
            MusicFixture f;
            f.File("A/" + name);
            MusicScan scan(f.player.context, f.player.forms);
            const bool music =
                MusicScan::IsMusicFile(name, MusicScan::Filters(list), list.toUpper());
            EXPECT_EQ(scan.FindFileList("E:\\A", list), music ? 1 : 0)
                << list.toStdString() << " " << name.toStdString();
        }
    }
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

// The walk for MP3, AVI and MID files over trees under E: of files ("A/b.mp3"), empty
// folders ("A/"), links ("name>target") and unreadable folders ("!A"), some made to trap
// a naive walk. No folder is listed twice; each one met below the start is logged with
// its music count.
TEST(ScanFileEx, FindsTheFoldersHoldingMusicStartFolderFirstThenBreadthFirst)
{
    const QString deep = "level" + QString("/level").repeated(99);
    QString deepLog;
    for (int i = 0; i < 100; ++i)
        deepLog += ",E:\\level" + QString("\\level").repeated(i);
    const struct
    {
        const char* name;
        QString start, files, folders, log;
    } trees[] = {
        {"subfolders by name whatever the case",
         "E:", "root.mp3,B/b.mp3,alpha/1.mp3,alpha/2.MP3,alpha/Deep/d.mid,C/Inner/i.mp3,Empty/",
         "E:\\,E:\\alpha,E:\\B,E:\\alpha\\Deep,E:\\C\\Inner",
         "E:\\alpha [2],E:\\B [1],E:\\C,E:\\Empty,E:\\alpha\\Deep [1],E:\\C\\Inner [1]"},
        {"music files counted", "E:", "A/a1.mp3,A/a2.mp3,A/cover.jpg,B/Sub/s.avi",
         "E:\\A,E:\\B\\Sub", "E:\\A [2],E:\\B,E:\\B\\Sub [1]"},
        {"a sub path", "E:\\Music", "top.mp3,Music/Album/a.mp3,Other/o.mp3", "E:\\Music\\Album",
         "E:\\Music\\Album [1]"},
        {"no music", "E:", "A/readme.txt", "", "E:\\A"},
        {"a missing folder", "E:\\Missing", "A/a.mp3", "", ""},
        {"a missing drive", "Q:", "A/a.mp3", "", ""},
        {"links back up the tree; the loops link to each other so neither resolves", "E:",
         "A/a.mp3,A/B/b.mp3,A/B/up>A,A/self>A,A/B/top>,A/B/loop1>A/B/loop2,A/B/loop2>A/B/loop1",
         "E:\\A,E:\\A\\B", "E:\\A [1],E:\\A\\B [1]"},
        {"a folder inside followed once",
         "E:", "Music/Live/l.mp3,Shared>Music,Again>Music,Dangling>nothing", "E:\\Again\\Live",
         "E:\\Again,E:\\Again\\Live [1]"},
        {"folders out of the drive not followed, a file link is", "E:",
         "A/a.mp3,../outside/Live/l.mp3,../disc2/n.mp3,Out>../outside,Near>../disc2,"
         "Up>..,Root>/,A/in.mp3>../outside/Live/l.mp3",
         "E:\\A", "E:\\A [2]"},
        {"an unreadable folder", "E:", "A/Sub/s.mp3,A/a.mp3,B/b.mp3,!A", "E:\\B",
         "E:\\A,E:\\B [1]"},
        {"a hundred levels deep", "E:", deep + "/deep.mp3",
         "E:\\" + QString(deep).replace('/', '\\'), deepLog + " [1]"},
    };
    for (const auto& t : trees) {
        SCOPED_TRACE(t.name);
        Watched w;
        for (const QString& file : Split(t.files)) {
            if (file.startsWith('!'))
                w.source.unreadable.append("E:\\" + file.mid(1));
            else if (file.contains('>'))
                QFile::link(file.section('>', 1).startsWith('/')
                                ? file.section('>', 1)
                                : QDir::cleanPath(w.root + "/" + file.section('>', 1)),
                            w.root + "/" + file.section('>', 0, 0));
            else
                w.File(file);
        }
        EXPECT_EQ(w.scan.ScanFileEx(t.start, "MP3;AVI;MID"), Split(t.folders).size());
        EXPECT_EQ(w.player.context.device.MusicFolders, Split(t.folders));
        EXPECT_EQ(Strings(w.source.listed).removeDuplicates(), 0);
        Strings log = Split(t.log);
        for (QString& line : log)
            line += " 09:05:03";
        EXPECT_EQ(w.fake.LogTexts(), log);
    }
}

TEST(ScanFileEx, ProgressAndEventsAtMostEveryFiftyMilliseconds)
{
    Watched w;
    for (int i = 0; i < 60; ++i)
        w.File(QString("F%1/a.mp3").arg(i, 2, 10, QChar('0')));
    QStringList seen; // Label1 while each folder is listed
    w.source.onList = [&](const QString&) {
        w.fake.clock.now = w.fake.clock.now.addMSecs(20);
        seen.append(w.player.forms.Vcd().Label1->text());
    };
    int shows = 0;
    w.scan.hooks.relayoutLabels = [&] { ++shows; };
    const int events = w.fake.clock.doEvents;
    EXPECT_EQ(w.scan.ScanFileEx("E:", "MP3"), 60);
    // The root is shown at once; folder k is listed at 40 + 20 k ms, so progress is due
    // again at 60, 120 ... 1200 ms: 21 times in all, and the labels laid out at the end.
    EXPECT_EQ(shows, 22);
    EXPECT_EQ(w.fake.clock.doEvents - events, 21);
    EXPECT_EQ(seen.value(2), "E:\\");
    EXPECT_EQ(w.player.forms.Vcd().Label1->text(), "搜尋完成!");
    // Every folder still has its line, with the time it was met.
    const QStringList lines = w.fake.LogTexts();
    ASSERT_EQ(lines.size(), 60);
    EXPECT_EQ(lines[47], "E:\\F47 [1] 09:05:03");
    EXPECT_EQ(lines[48], "E:\\F48 [1] 09:05:04");
}

TEST(DateRange, EarliestAndLatestOfTheCountedFilesSince1990ReadWhenAskedFor)
{
    Watched w;
    w.File("A/a.mp3", QDate(2001, 3, 4));
    w.File("A/b.mp3", QDate(1999, 12, 31));
    w.File("B/c.mp3", QDate(2010, 6, 7));
    w.File("B/old.mp3", QDate(1985, 1, 1));
    w.File("B/new.jpg", QDate(2020, 1, 1)); // not music: its date is not read
    w.File("Old/a.mp3", QDate(1985, 2, 3));
    w.File("Old/b.mp3", QDate(1985, 7, 8));
    w.scan.ScanFileEx("E:", "MP3");
    EXPECT_EQ(w.source.datesRead, 0);
    EXPECT_EQ(w.scan.EarliestFileDate(), QDate(1999, 12, 31));
    EXPECT_EQ(w.scan.LatestFileDate(), QDate(2010, 6, 7));
    EXPECT_EQ(w.source.datesRead, 6);
    // Older files count but leave the range at today.
    EXPECT_EQ(w.scan.ScanFileEx("E:\\Old", "MP3"), 1);
    EXPECT_EQ(w.scan.FindFileList("E:\\Old", "MP3"), 2);
    EXPECT_EQ(w.scan.EarliestFileDate(), QDate(2026, 12, 5));
    EXPECT_EQ(w.scan.LatestFileDate(), QDate(2026, 12, 5));
}

// A folder and a song named in Big5 bytes are found under the names shown, and their
// dates are read from the bytes.
TEST(ScanFileEx, FoldersAndSongsNamedInBig5)
{
    Watched w;
    const QByteArray disc = RawPath(w.root, kBig5Disc);
    ASSERT_TRUE(MakeRawFolder(disc));
    RawTree cleanup(disc);
    ASSERT_TRUE(MakeRawFolder(disc + "/" + kNoText));
    ASSERT_TRUE(WriteRaw(disc + "/" + kBig5Song + ".mp3", "x"));
    ASSERT_TRUE(WriteRaw(disc + "/" + kNoText + "/b.mp3", "x"));
    ASSERT_TRUE(
        DateRaw(disc + "/" + kBig5Song + ".mp3", QDateTime(QDate(2001, 3, 4), QTime(12, 0))));
    ASSERT_TRUE(
        DateRaw(disc + "/" + kNoText + "/b.mp3", QDateTime(QDate(2002, 5, 6), QTime(12, 0))));
    EXPECT_EQ(w.scan.ScanFileEx("E:", "MP3"), 2);
    const Strings folders = w.player.context.device.MusicFolders;
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], "E:\\光碟");
    // Bytes that are no Big5 either still lead to their folder.
    EXPECT_TRUE(folders[1].startsWith("E:\\光碟\\")) << folders[1].toStdString();
    EXPECT_EQ(w.fake.LogTexts(), Strings({"E:\\光碟 [1] 09:05:03", folders[1] + " [1] 09:05:03"}));
    EXPECT_EQ(w.scan.EarliestFileDate(), QDate(2001, 3, 4));
    EXPECT_EQ(w.scan.LatestFileDate(), QDate(2002, 5, 6));
    EXPECT_EQ(w.scan.FindFileList("E:\\光碟", "MP3"), 1);
}

// A scan whose calls to the main window's lists and the song book are recorded; the song
// book holds the albums `known` for the disc of serial 1A2B-3C4D.
struct SongBookScan : MusicFixture
{
    SongBookScan()
    {
        scan.hooks.volumeSerial = [](const QString&) { return QString("1A2B-3C4D"); };
        scan.hooks.clearLists = [this] { calls.append("clear"); };
        scan.hooks.fillPlayList = [this](const Strings& albums) {
            calls.append(QString("fill %1: %2").arg(albums.size()).arg(albums.join(',')));
        };
        scan.hooks.songBookLookup = [this](const QString& path, const QString& serial,
                                           Strings& albums) {
            calls.append("lookup " + path + " " + serial);
            albums = known;
            return !known.isEmpty();
        };
        scan.hooks.offerSongBookEntry = [this](MusicScan&, const QString& path,
                                               const QString& serial, const Strings& albums) {
            calls.append("offer " + path + " " + serial + ": " + albums.join(','));
        };
        scan.hooks.showDiscTitle = [this](const QString& text) { calls.append("title " + text); };
    }

    MusicScan scan{player.context, player.forms};
    Strings known;
    Strings calls;
};

TEST(ScanMp3, AlbumsSortedAndThePlayListInScanOrderWithTheSettingsPatterns)
{
    const struct
    {
        const char* name;
        QString patterns, files, albums, playList;
    } cases[] = {
        {"dotted folders stand for their parent", "MP3",
         "root.mp3,zeta/z.mp3,Alpha/a.mp3,mid/Beta.2/b.mp3,mid/Beta.3/b.mp3",
         "E:\\,E:\\Alpha,E:\\mid,E:\\zeta", "E:\\,E:\\Alpha,E:\\zeta,E:\\mid"},
        {"nothing found leaves one empty album", "MP3", "Docs/a.txt", "", ""},
        {"other types", "WAV", "Midi/a.mid,Wave/a.wav", "E:\\Wave", "E:\\Wave"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SongBookScan s;
        for (const QString& file : Split(c.files))
            s.File(file);
        s.player.context.app.SearchPattern = c.patterns;
        const qsizetype count = Split(c.playList).size();
        EXPECT_EQ(s.scan.ScanMp3("E:"), count);
        EXPECT_EQ(s.player.context.device.AlbumDirs, c.albums.split(','));
        // A folder on a fixed disk is not a disc for the song book.
        EXPECT_EQ(s.calls,
                  Strings({"clear", "title ", QString("fill %1: %2").arg(count).arg(c.playList)}));
    }
}

TEST(ScanMp3, ANewDiscIsOfferedToTheSongBookAndOnceThereNotScannedAgain)
{
    SongBookScan s;
    s.File("A/a.mp3");
    s.File("B/b.mp3");
    s.player.context.device.CdromDriveType = kDriveCdrom;
    EXPECT_EQ(s.scan.ScanMp3("E:"), 2);
    // A folder of the disc is no whole disc: no lookup, no offer.
    EXPECT_EQ(s.scan.ScanMp3("E:\\A"), 1);
    EXPECT_EQ(s.player.context.device.AlbumDirs, Strings({"E:\\A"}));
    EXPECT_EQ(s.calls,
              Strings({"clear", "lookup E: 1A2B-3C4D", "offer E: 1A2B-3C4D: E:\\A,E:\\B", "title ",
                       "fill 2: E:\\A,E:\\B", "clear", "title ", "fill 1: E:\\A"}));

    s.calls.clear();
    s.known = {"E:\\Zulu", "E:\\Bravo"};
    s.scan.hooks.discTitle = [](const QString& serial) { return "Title of " + serial; };
    s.player.context.device.MusicFolders = {"stale"};
    const Strings log = s.fake.LogTexts();
    EXPECT_EQ(s.scan.ScanMp3("E:\\"), 2);
    EXPECT_EQ(s.calls, Strings({"clear", "lookup E:\\ 1A2B-3C4D", "title Title of 1A2B-3C4D",
                                "fill 2: E:\\Zulu,E:\\Bravo"}));
    EXPECT_EQ(s.player.context.device.AlbumDirs, Strings({"E:\\Bravo", "E:\\Zulu"}));
    EXPECT_EQ(s.player.context.device.MusicFolders, Strings({"stale"})); // no walk happened
    EXPECT_EQ(s.fake.LogTexts(), log);
}

// A disc in a CD-ROM drive is read through the drive layer, not through a mount.
TEST(DiscScan, AVideoCdImageIsWalkedWithoutMounting)
{
    MusicFixture f;
    VcdDisc disc;
    disc.mpeg = QByteArray(2 * kForm2Bytes, 'm');
    disc.readme = "hello";
    const QString dir = f.fake.dir.path();
    ASSERT_TRUE(disc.Write(dir + "/vcd.cue", dir + "/vcd.bin"));
    f.fake.drives.Add({'F', dir + "/vcd.cue", kDriveCdrom});
    MusicScan scan(f.player.context, f.player.forms);
    EXPECT_EQ(scan.ScanFileEx("F:", "DAT;TXT"), 2);
    EXPECT_EQ(f.player.context.device.MusicFolders, Strings({"F:\\", "F:\\MPEGAV"}));
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
    EXPECT_TRUE(f.player.context.device.MusicFolders.isEmpty());
    f.fake.trays.SetOpen(dir + "/vcd.cue", false);
    // The same scanner goes back to local folders for a fixed drive.
    f.File("A/a.mp3");
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 1);
}

} // namespace
