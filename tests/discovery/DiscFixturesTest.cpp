#include "fixtures/DiscFixtures.h"
#include "platform/CdDisc.h"
#include "platform/DiscFolders.h"
#include "platform/DosFiles.h"
#include "platform/VcdStream.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

using Strings = QStringList;
using DiscImages = DiscImageTest;

// What the drive layer shows of each generated disc: its tracks ("A" audio, "D" data)
// and its folders. A check "folder|pattern|names" lists the files of a folder, the names
// split by ","; without a pattern it lists the entries of a folder as stored on the disc,
// folders ending in "\". Any other check is a file or folder ("\" at the end) that
// exists or, after "!", does not.
TEST_F(DiscImages, EachDiscShowsItsTracksFoldersAndFiles)
{
    QString tracks;
    for (int track = 1; track <= 12; ++track)
        tracks += QString::asprintf("Track%02d.cda,", track);
    const struct
    {
        const char* image;
        QString kinds; // in track order
        Strings checks;
    } discs[] = {
        {"vcd.cue",
         "DDDD", // the file system, then one track per sequence
         {"E:\\Mpegav|*.Dat|AVSEQ01.DAT,AVSEQ02.DAT,AVSEQ03.DAT", "E:\\|*.cda|", "E:\\VCD\\"}},
        {"audio12.cue",
         QString(12, 'A'),
         {"E:\\|*.cda|" + tracks, "E:\\|*.*|" + tracks, "!E:\\MPEGAV\\"}},
        {"mixed.cue",
         "DAA",
         {"E:\\|*.*|README.TXT,SETUP.EXE", "E:\\|*.cda|", "E:\\MUSIC|*.mp3|Song.mp3", "e:\\music\\",
          "E:\\readme.txt"}},
        {"music.cue",
         "D",
         {"/||Intro.mp3,Jazz\\,Pop\\,ReadMe.txt", "/pop||Album 1\\,Vol.2\\",
          "E:\\Pop\\Album 1|*.*|cover.jpg,Song 1.mp3,Song 2.mp3", "E:\\Pop\\Vol.2|*.mp3|Song 3.mp3",
          "E:\\Jazz|*.*|", "E:\\Pop\\Vol.2\\", "E:\\JAZZ\\Live\\Set 1\\", "!E:\\Pop\\Vol\\"}},
        {"empty.cue",
         "D",
         {"/||ReadMe.txt", "E:\\|*.*|ReadMe.txt", "E:\\|*.cda|", "!E:\\MPEGAV\\"}},
    };
    for (const auto& d : discs) {
        SCOPED_TRACE(d.image);
        DriveMap drives = DiscDrive('E', d.image);
        DosFiles files(drives);
        for (const QString& check : d.checks) {
            const Strings parts = check.split('|');
            const QString path = QString(check).remove('!');
            if (parts.size() == 1) {
                EXPECT_NE(path.endsWith('\\') ? files.FolderExists(path.chopped(1))
                                              : files.FileExists(path),
                          check.startsWith('!'))
                    << path.toStdString();
                continue;
            }
            Strings names;
            QList<DiscEntry> entries;
            if (!parts[1].isEmpty()) {
                names = files.ListFiles(parts[0], parts[1]);
            } else if (DiscFolders::List(Image(d.image), true, parts[0], entries)) {
                for (const DiscEntry& entry : entries)
                    names.append(entry.folder ? entry.name + "\\" : entry.name);
                names.sort(Qt::CaseInsensitive);
            }
            EXPECT_EQ(names, parts[2].split(',', Qt::SkipEmptyParts)) << check.toStdString();
        }
        std::optional<CdToc> toc = CdDrive(Image(d.image), true).ReadToc();
        ASSERT_TRUE(toc);
        QString kinds;
        for (const CdTrack& track : toc->tracks)
            kinds += track.audio ? 'A' : 'D';
        EXPECT_EQ(kinds, d.kinds);
        // Audio tracks of two seconds each, one right after the other.
        const QList<CdTrack> audio = toc->AudioTracks();
        EXPECT_EQ(audio.size(), d.kinds.count('A'));
        for (qsizetype i = 0; i < audio.size(); ++i) {
            EXPECT_EQ(audio[i].length, 150) << "track " << audio[i].number;
            if (i > 0) {
                EXPECT_EQ(audio[i].start, audio[i - 1].start + 150) << "track " << audio[i].number;
            }
        }
    }
}

// Each file of a Video CD is its own MPEG stream, read from the disc's raw sectors:
// packs after the empty sectors that lead a track, a different picture and tone in each.
TEST_F(DiscImages, AVideoCdHoldsThreeMpegSequences)
{
    QList<QByteArray> streams;
    for (const char* name : {"AVSEQ01.DAT", "AVSEQ02.DAT", "AVSEQ03.DAT"}) {
        SCOPED_TRACE(name);
        auto extent = LocateDiscFile({Image("vcd.cue"), true, QString("MPEGAV/") + name});
        ASSERT_TRUE(extent);
        auto stream = VcdStream::Open(VcdDiscAddress(Image("vcd.cue"), true, *extent));
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

} // namespace
