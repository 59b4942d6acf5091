#include "platform/VcdStream.h"

#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/VideoControl.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// Steps that are not whole sectors cross sector and chunk boundaries; then seeks back.
TEST(VcdStreamTest, FilesGiveTheirDataInOrderAndSeek)
{
    const ClipVcd& media = ClipVcd::Get();
    auto file = [&](const char* name) { return VcdFileAddress(media.dir.filePath(name)); };
    auto onDisc = [&](const QString& path) {
        auto extent = LocateDiscFile({media.cue, true, path});
        return extent ? VcdDiscAddress(media.cue, true, *extent) : QString();
    };
    // The MPEG data padded to whole sectors, as the streams present it.
    auto padded = [&](int payload) {
        return media.mpeg + QByteArray((payload - media.mpeg.size() % payload) % payload, '\0');
    };
    const std::tuple<QString, QByteArray, int> cases[] = {
        {file("AVSEQ01.DAT"), padded(kForm2Bytes), 1000},
        {file("FORM1.DAT"), padded(kForm1Bytes), 1000},
        {file("LIST.DAT"), padded(kForm2Bytes), 7000},
        // A file cut short keeps its whole sectors.
        {file("CUT.DAT"), padded(kForm2Bytes).chopped(kForm2Bytes), 1000},
        {onDisc("/MPEGAV/AVSEQ01.DAT"), padded(kForm2Bytes), 7000},
        {onDisc("/README.TXT"), media.readme, 1000}};
    for (const auto& [address, expected, step] : cases) {
        SCOPED_TRACE(address.toStdString());
        auto stream = VcdStream::Open(address);
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->Size(), expected.size());
        QByteArray all, buffer(step, '\0');
        for (qint64 n; (n = stream->Read(buffer.data(), step)) > 0;)
            all.append(buffer.constData(), n);
        EXPECT_EQ(all, expected);
        for (qint64 at : {kForm1Bytes + 100, 3 * kForm1Bytes - 10}) {
            const QByteArray part = expected.mid(at, 900);
            ASSERT_TRUE(stream->Seek(at));
            EXPECT_EQ(stream->Read(buffer.data(), 900), part.size());
            EXPECT_EQ(buffer.left(part.size()), part);
        }
        ASSERT_TRUE(stream->Seek(expected.size() - 5));
        EXPECT_EQ(stream->Read(buffer.data(), 40), 5);
        EXPECT_EQ(stream->Read(buffer.data(), 40), 0);
        EXPECT_FALSE(stream->Seek(expected.size() + 1));
        EXPECT_FALSE(stream->Seek(-1));
    }
}

TEST(VcdStreamTest, OnlyItsOwnAddressesOfRiffCdxaFilesAndDiscExtentsOpen)
{
    const ClipVcd& media = ClipVcd::Get();
    const DiscExtent extent{30, 4, kForm2Bytes, 4 * kForm2Bytes};
    EXPECT_TRUE(VcdStream::Open(VcdDiscAddress(media.cue, true, extent)));
    // Other schemes, a plain path, MPEG and RIFF WAVE files, no data chunk, missing
    // files, an odd payload and a size beyond the extent's sectors.
    for (const QString& address :
         {QString("tolvanecd://disc"), media.dir.filePath("AVSEQ01.DAT"),
          QString("tolvanevcd://tape?path=x"), VcdFileAddress(MediaFixtures() + "/clip.mpg"),
          VcdFileAddress(MediaFixtures() + "/tone.wav"),
          VcdFileAddress(media.dir.filePath("NODATA.DAT")),
          VcdFileAddress(media.dir.filePath("missing.dat")),
          VcdDiscAddress(media.dir.filePath("none.cue"), true, extent),
          VcdDiscAddress(media.cue, true, {30, 4, 1000, 4000}),
          VcdDiscAddress(media.cue, true, {30, 4, kForm2Bytes, 5 * kForm2Bytes})})
        EXPECT_FALSE(VcdStream::Open(address)) << address.toStdString();
}

// Paths through a .cue are split on the way to the engine in the tests below, and the
// extents found there are read back exactly by the stream test above.
TEST(DiscFileTest, SplitsPathsThroughImagesAndFindsFilesWithoutCaseOrVersion)
{
    const ClipVcd& media = ClipVcd::Get();
    auto split = SplitDiscPath(media.bin + "/README.TXT");
    ASSERT_TRUE(split);
    EXPECT_EQ(split->source, media.bin);
    EXPECT_TRUE(split->image);
    EXPECT_EQ(split->path, "/README.TXT");
    // An ordinary file, missing files and folders, a path through a file that is no image.
    for (const QString& path :
         {media.dir.filePath("AVSEQ01.DAT"), media.dir.filePath("missing.dat"),
          media.dir.filePath("a/b/c.dat"), media.dir.filePath("AVSEQ01.DAT/X.DAT"),
          QString("MPEGAV/AVSEQ01.DAT"), QString()})
        EXPECT_FALSE(SplitDiscPath(path)) << path.toStdString();

    for (const auto& [source, path, lsn] :
         {std::tuple{media.cue, "/mpegav/Avseq01.dat", VcdDisc::kTrack2Lsn},
          std::tuple{media.cue, "MPEGAV//AVSEQ01.DAT", VcdDisc::kTrack2Lsn},
          std::tuple{media.bin, "/MPEGAV/AVSEQ01.DAT", VcdDisc::kTrack2Lsn},
          std::tuple{media.cue, "/readme.txt", VcdDisc::kReadmeLsn}}) {
        auto extent = LocateDiscFile({source, true, path});
        ASSERT_TRUE(extent) << path;
        EXPECT_EQ(extent->lsn, lsn) << path;
    }
    // Folders, missing files and images; an audio CD has no file system to look in.
    for (const auto& [source, path] :
         {std::pair{media.cue, "/MPEGAV"}, std::pair{media.cue, "/MPEGAV/AVSEQ02.DAT"},
          std::pair{media.cue, "/README.TXT/AVSEQ01.DAT"}, std::pair{media.cue, "/"},
          std::pair{media.dir.filePath("none.cue"), "/README.TXT"},
          std::pair{MediaFixtures() + "/tones.cue", "/MPEGAV/AVSEQ01.DAT"}})
        EXPECT_FALSE(LocateDiscFile({source, true, path})) << path;
}

// The picture shown after a seek while stopped: the frame at that position, decoded
// from the data the control hands to the engine.
QImage FrameAt(const QString& path, double milliseconds)
{
    MediaEngine rendering(MpvOptions{{"ao", "null"}});
    VideoControl control(rendering);
    control.resize(80, 60); // the grab has the picture's size, not the window's
    control.SetTimeUnits(1000);
    control.SetFileName(path);
    // Seek once the first picture is up: this compares pictures, not early seeks.
    RunEventsUntil([&] { return !control.GrabFrame().isNull(); });
    control.SetPosition(milliseconds);
    // The exact seek lands on the frame shown at the target, a frame's time at most away.
    RunEventsUntil([&] {
        return std::abs(control.Position() - milliseconds) <= 40 && !control.GrabFrame().isNull();
    });
    // The frame at the target replaces the first one; it is the one that stays.
    QImage frame = control.GrabFrame();
    QDeadlineTimer steady(250);
    auto steadyFrame = [&] {
        if (control.GrabFrame() != frame) {
            frame = control.GrabFrame();
            steady.setRemainingTime(250);
        }
        return steady.hasExpired();
    };
    RunEventsUntil(steadyFrame, 3000);
    return frame;
}

// Every form of the Video CD file shows exactly the clip's own pictures.
TEST(VideoControlVcdTest, PicturesAreTheSourcesOwn)
{
    const ClipVcd& media = ClipVcd::Get();
    QImage source = FrameAt(MediaFixtures() + "/clip.mpg", 1500);
    ASSERT_EQ(source.size(), QSize(160, 120));
    // The test picture is colourful, never one flat colour.
    EXPECT_NE(source.pixel(5, 5), source.pixel(150, 60));
    for (const QString& path : {media.dir.filePath("AVSEQ01.DAT"), media.dir.filePath("FORM1.DAT"),
                                media.cue + "/MPEGAV/AVSEQ01.DAT"})
        EXPECT_EQ(FrameAt(path, 1500), source) << path.toStdString();
}

} // namespace
