#include "fixtures/DiscFixtures.h"
#include "MusicFixture.h"
#include "platform/CdDisc.h"
#include "platform/DiscFolders.h"
#include "platform/DosFiles.h"
#include "platform/VcdStream.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

using Strings = QStringList;

// The entries of a folder on a disc as "name" and "name\" for folders, in disc order.
Strings Entries(const QString& image, const QString& path)
{
    QList<DiscEntry> entries;
    if (!DiscFolders::List(image, true, path, entries))
        return {"unreadable"};
    Strings names;
    for (const DiscEntry& entry : entries)
        names.append(entry.folder ? entry.name + "\\" : entry.name);
    return names;
}

// "A" for an audio track, "D" for a data track, in track order.
QString TrackKinds(const QString& image)
{
    CdDrive drive(image, true);
    std::optional<CdToc> toc = drive.ReadToc();
    if (!toc)
        return "no table of contents";
    QString kinds;
    for (const CdTrack& track : toc->tracks)
        kinds += track.audio ? 'A' : 'D';
    return kinds;
}

using DiscImages = DiscImageTest;

TEST_F(DiscImages, AVideoCdHoldsThreeMpegSequences)
{
    DriveMap drives = DiscDrive('E', "vcd.cue");
    DosFiles files(drives);
    ASSERT_EQ(drives.GetDriveType("E:"), kDriveCdrom);
    EXPECT_EQ(files.ListFiles("E:\\Mpegav", "*.Dat"),
              Strings({"AVSEQ01.DAT", "AVSEQ02.DAT", "AVSEQ03.DAT"}));
    EXPECT_TRUE(files.FolderExists("E:\\VCD"));
    EXPECT_TRUE(files.ListFiles("E:\\", "*.cda").isEmpty());
    // A data track for the file system, then one track per sequence.
    EXPECT_EQ(TrackKinds(Image("vcd.cue")), "DDDD");

    // Each file is its own MPEG stream, read from the disc's raw sectors: packs after
    // the empty sectors that lead a track, a different picture and tone in each.
    int previous = -1;
    QList<QByteArray> streams;
    for (const char* name : {"AVSEQ01.DAT", "AVSEQ02.DAT", "AVSEQ03.DAT"}) {
        SCOPED_TRACE(name);
        std::optional<DiscExtent> extent =
            LocateDiscFile({Image("vcd.cue"), true, QString("MPEGAV/") + name});
        ASSERT_TRUE(extent);
        EXPECT_GT(extent->lsn, previous);
        previous = extent->lsn;
        std::unique_ptr<VcdStream> stream =
            VcdStream::Open(VcdDiscAddress(Image("vcd.cue"), true, *extent));
        ASSERT_TRUE(stream);
        QByteArray data(int(stream->Size()), '\0');
        ASSERT_EQ(stream->Read(data.data(), data.size()), data.size());
        qsizetype pack = data.indexOf(QByteArray("\x00\x00\x01\xBA", 4));
        ASSERT_GE(pack, 0);
        streams.append(data.mid(pack));
    }
    EXPECT_NE(streams[0], streams[1]);
    EXPECT_NE(streams[1], streams[2]);
}

TEST_F(DiscImages, AnAudioCdRootListsTwelveTrackFiles)
{
    DriveMap drives = DiscDrive('E', "audio12.cue");
    DosFiles files(drives);
    Strings expected;
    for (int track = 1; track <= 12; ++track)
        expected.append(QString::asprintf("Track%02d.cda", track));
    EXPECT_EQ(files.ListFiles("E:\\", "*.cda"), expected);
    EXPECT_EQ(files.ListFiles("E:\\", "*.*"), expected);
    EXPECT_FALSE(files.FolderExists("E:\\MPEGAV"));

    CdDrive drive(Image("audio12.cue"), true);
    std::optional<CdToc> toc = drive.ReadToc();
    ASSERT_TRUE(toc);
    ASSERT_EQ(toc->AudioTracks().size(), 12);
    for (const CdTrack& track : toc->tracks)
        EXPECT_EQ(track.length, 150) << "track " << track.number; // two seconds
}

TEST_F(DiscImages, AMixedDiscShowsItsDataTrackAndKeepsTheAudioTracks)
{
    EXPECT_EQ(TrackKinds(Image("mixed.cue")), "DAA");
    CdDrive drive(Image("mixed.cue"), true);
    std::optional<CdToc> toc = drive.ReadToc();
    ASSERT_TRUE(toc);
    ASSERT_EQ(toc->AudioTracks().size(), 2);
    EXPECT_EQ(toc->AudioTracks()[0].length, 150);
    EXPECT_EQ(toc->AudioTracks()[1].start, toc->AudioTracks()[0].start + 150);

    DriveMap drives = DiscDrive('E', "mixed.cue");
    DosFiles files(drives);
    EXPECT_EQ(files.ListFiles("E:\\", "*.*"), Strings({"README.TXT", "SETUP.EXE"}));
    EXPECT_TRUE(files.ListFiles("E:\\", "*.cda").isEmpty());
    EXPECT_TRUE(files.FolderExists("e:\\music"));
    EXPECT_EQ(files.ListFiles("E:\\MUSIC", "*.mp3"), Strings({"Song.mp3"}));
    EXPECT_TRUE(files.FileExists("E:\\readme.txt"));
}

TEST_F(DiscImages, AMusicDiscListsItsFoldersDottedOnesToo)
{
    const QString image = Image("music.cue");
    EXPECT_EQ(TrackKinds(image), "D");
    Strings root = Entries(image, "/");
    root.sort(Qt::CaseInsensitive);
    EXPECT_EQ(root, Strings({"Intro.mp3", "Jazz\\", "Pop\\", "ReadMe.txt"}));
    Strings pop = Entries(image, "/pop");
    pop.sort(Qt::CaseInsensitive);
    EXPECT_EQ(pop, Strings({"Album 1\\", "Vol.2\\"}));

    DriveMap drives = DiscDrive('E', "music.cue");
    DosFiles files(drives);
    EXPECT_TRUE(files.FolderExists("E:\\Pop\\Vol.2"));
    EXPECT_TRUE(files.FolderExists("E:\\JAZZ\\Live\\Set 1"));
    EXPECT_FALSE(files.FolderExists("E:\\Pop\\Vol"));
    EXPECT_EQ(files.ListFiles("E:\\Pop\\Album 1", "*.*"),
              Strings({"cover.jpg", "Song 1.mp3", "Song 2.mp3"}));
    EXPECT_EQ(files.ListFiles("E:\\Pop\\Vol.2", "*.mp3"), Strings({"Song 3.mp3"}));
    EXPECT_EQ(files.ListFiles("E:\\Jazz", "*.*"), Strings()); // folders only
}

TEST_F(DiscImages, TheMusicScanFindsTheAlbumsOfAMusicDisc)
{
    MusicFixture f;
    f.fake.drives.Add(DriveMap::ParseEntries("E=cdrom:" + Image("music.cue"), ';').value(0));
    f.player.device.CdromDriveType = kDriveCdrom;
    f.player.app.SearchPattern = "MP3";
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:", "MP3"), 4);
    // Breadth first, each folder's subfolders by name.
    EXPECT_EQ(f.player.device.MusicFolders,
              Strings({"E:\\", "E:\\Pop\\Album 1", "E:\\Pop\\Vol.2", "E:\\Jazz\\Live\\Set 1"}));
    EXPECT_EQ(f.fake.LogTexts(),
              Strings({"E:\\Jazz 09:05:03", "E:\\Pop 09:05:03", "E:\\Jazz\\Live 09:05:03",
                       "E:\\Pop\\Album 1 [2] 09:05:03", "E:\\Pop\\Vol.2 [1] 09:05:03",
                       "E:\\Jazz\\Live\\Set 1 [1] 09:05:03"}));
    // The dotted album stands for its parent folder.
    EXPECT_EQ(scan.ScanMp3("E:"), 4);
    EXPECT_EQ(f.player.device.AlbumDirs,
              Strings({"E:\\", "E:\\Jazz\\Live\\Set 1", "E:\\Pop", "E:\\Pop\\Album 1"}));
}

TEST_F(DiscImages, AnEmptyDataDiscHoldsOnlyItsTextFile)
{
    EXPECT_EQ(TrackKinds(Image("empty.cue")), "D");
    EXPECT_EQ(Entries(Image("empty.cue"), "/"), Strings({"ReadMe.txt"}));
    DriveMap drives = DiscDrive('E', "empty.cue");
    DosFiles files(drives);
    EXPECT_EQ(files.ListFiles("E:\\", "*.*"), Strings({"ReadMe.txt"}));
    EXPECT_TRUE(files.ListFiles("E:\\", "*.cda").isEmpty());
    EXPECT_FALSE(files.FolderExists("E:\\MPEGAV"));

    MusicFixture f;
    f.fake.drives.Add(DriveMap::ParseEntries("E=cdrom:" + Image("empty.cue"), ';').value(0));
    MusicScan scan(f.player);
    EXPECT_EQ(scan.ScanFileEx("E:", "CDA;DAT;AVI;MP3;MID"), 0);
    EXPECT_TRUE(f.fake.LogTexts().isEmpty());
}

} // namespace
