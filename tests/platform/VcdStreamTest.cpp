#include "platform/VcdStream.h"

#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/DriveMap.h"
#include "platform/VideoControl.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The MPEG data padded to whole sectors, as the stream presents it.
QByteArray Padded(const QByteArray& data, int payload)
{
    qsizetype sectors = (data.size() + payload - 1) / payload;
    QByteArray padded = data;
    padded.append(QByteArray(sectors * payload - data.size(), '\0'));
    return padded;
}

QByteArray ReadAll(VcdStream& stream, int step)
{
    QByteArray all;
    QByteArray buffer(step, '\0');
    for (;;) {
        qint64 n = stream.Read(buffer.data(), step);
        if (n <= 0)
            break;
        all.append(buffer.constData(), n);
    }
    return all;
}

// The Video CD media of these tests, made once from the generated MPEG-1 clip.
struct VcdMedia
{
    QTemporaryDir dir;
    QByteArray mpeg;
    QByteArray readme;
    QString form2Dat; // RIFF CDXA, Form 2 sectors, as a Video CD's files copy
    QString form1Dat; // RIFF CDXA, Form 1 sectors
    QString cue;
    QString bin;

    VcdMedia()
    {
        mpeg = ReadBytes(MediaFixtures() + "/clip.mpg");
        for (int line = 0; line < 200; ++line)
            readme += "Line " + QByteArray::number(line) + " of the disc's text file.\r\n";
        form2Dat = dir.filePath("AVSEQ01.DAT");
        form1Dat = dir.filePath("FORM1.DAT");
        cue = dir.filePath("vcd.cue");
        bin = dir.filePath("vcd.bin");
        WriteFile(form2Dat, CdxaFile(RawSectors(0, kSubmodeVideoForm2, mpeg)));
        WriteFile(form1Dat, CdxaFile(RawSectors(0, kSubmodeData, mpeg)));
        VcdDisc{mpeg, readme}.Write(cue, bin);
    }

    static const VcdMedia& Get()
    {
        static VcdMedia media;
        return media;
    }
};

TEST(CdxaLayoutTest, FindsTheSectorsOfRiffCdxaFilesOnly)
{
    const VcdMedia& media = VcdMedia::Get();
    ASSERT_GT(media.mpeg.size(), 10 * kForm2Bytes);
    const qint64 form2Sectors = (media.mpeg.size() + kForm2Bytes - 1) / kForm2Bytes;
    const qint64 form1Sectors = (media.mpeg.size() + kForm1Bytes - 1) / kForm1Bytes;

    auto form2 = ReadCdxaLayout(media.form2Dat);
    ASSERT_TRUE(form2);
    EXPECT_EQ(form2->dataOffset, 44); // RIFF, CDXA, a 16-byte "fmt " and the "data" head
    EXPECT_EQ(form2->sectors, form2Sectors);
    EXPECT_EQ(form2->payload, kForm2Bytes);

    auto form1 = ReadCdxaLayout(media.form1Dat);
    ASSERT_TRUE(form1);
    EXPECT_EQ(form1->sectors, form1Sectors);
    EXPECT_EQ(form1->payload, kForm1Bytes);

    // Other chunks before the data are stepped over, odd lengths with their pad byte.
    QString extra = media.dir.filePath("extra.dat");
    ASSERT_TRUE(WriteFile(extra, CdxaFile(RawSectors(0, kSubmodeVideoForm2, media.mpeg),
                                          "LIST" + Le32Bytes(5) + "abcde" + '\0')));
    auto withList = ReadCdxaLayout(extra);
    ASSERT_TRUE(withList);
    EXPECT_EQ(withList->dataOffset, 44 + 14);
    EXPECT_EQ(withList->sectors, form2Sectors);

    // A file cut short keeps its whole sectors.
    QString cut = media.dir.filePath("cut.dat");
    ASSERT_TRUE(WriteFile(cut, ReadBytes(media.form2Dat).chopped(1000)));
    auto shortened = ReadCdxaLayout(cut);
    ASSERT_TRUE(shortened);
    EXPECT_EQ(shortened->sectors, form2Sectors - 1);

    EXPECT_FALSE(ReadCdxaLayout(MediaFixtures() + "/clip.mpg"));
    EXPECT_FALSE(ReadCdxaLayout(MediaFixtures() + "/tone.wav")); // RIFF, but WAVE
    EXPECT_FALSE(ReadCdxaLayout(media.dir.filePath("missing.dat")));
    QString noData = media.dir.filePath("nodata.dat");
    ASSERT_TRUE(WriteFile(noData, ReadBytes(media.form2Dat).left(44 - 8)));
    EXPECT_FALSE(ReadCdxaLayout(noData));
}

TEST(VcdStreamTest, CdxaFilesGiveTheirMpegDataInOrder)
{
    const VcdMedia& media = VcdMedia::Get();
    for (auto [path, payload] :
         {std::pair{media.form2Dat, kForm2Bytes}, std::pair{media.form1Dat, kForm1Bytes}}) {
        SCOPED_TRACE(path.toStdString());
        QByteArray expected = Padded(media.mpeg, payload);
        auto stream = VcdStream::Open(VcdFileAddress(path));
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->Size(), expected.size());
        // Steps that are not whole sectors cross sector and chunk boundaries.
        EXPECT_EQ(ReadAll(*stream, 1000), expected);
        EXPECT_EQ(stream->Pos(), expected.size());

        // Seeking back across the sectors already read.
        qint64 at = 3 * payload - 10;
        ASSERT_TRUE(stream->Seek(at));
        QByteArray buffer(40, '\0');
        EXPECT_EQ(stream->Read(buffer.data(), 40), 40);
        EXPECT_EQ(buffer, expected.mid(at, 40));
        ASSERT_TRUE(stream->Seek(expected.size() - 5));
        EXPECT_EQ(stream->Read(buffer.data(), 40), 5);
        EXPECT_EQ(stream->Read(buffer.data(), 40), 0);
        EXPECT_FALSE(stream->Seek(expected.size() + 1));
        EXPECT_FALSE(stream->Seek(-1));
    }
}

TEST(VcdStreamTest, OnlyItsOwnAddressesOpen)
{
    const VcdMedia& media = VcdMedia::Get();
    EXPECT_FALSE(VcdStream::Open("tolvanecd://disc"));
    EXPECT_FALSE(VcdStream::Open(media.form2Dat));
    EXPECT_FALSE(VcdStream::Open("tolvanevcd://tape?path=x"));
    // A file that is not RIFF CDXA is not presented as one.
    EXPECT_FALSE(VcdStream::Open(VcdFileAddress(MediaFixtures() + "/clip.mpg")));
    DiscExtent extent{30, 4, kForm2Bytes, 4 * kForm2Bytes};
    EXPECT_TRUE(VcdStream::Open(VcdDiscAddress(media.cue, true, extent)));
    EXPECT_FALSE(VcdStream::Open(VcdDiscAddress(media.dir.filePath("none.cue"), true, extent)));
    DiscExtent oddPayload{30, 4, 1000, 4000};
    EXPECT_FALSE(VcdStream::Open(VcdDiscAddress(media.cue, true, oddPayload)));
    DiscExtent tooLong{30, 4, kForm2Bytes, 5 * kForm2Bytes};
    EXPECT_FALSE(VcdStream::Open(VcdDiscAddress(media.cue, true, tooLong)));
}

TEST(DiscPathTest, SplitsPathsThatRunThroughADiscImage)
{
    const VcdMedia& media = VcdMedia::Get();
    auto onCue = SplitDiscPath(media.cue + "/MPEGAV/AVSEQ01.DAT");
    ASSERT_TRUE(onCue);
    EXPECT_EQ(onCue->source, media.cue);
    EXPECT_TRUE(onCue->image);
    EXPECT_EQ(onCue->path, "/MPEGAV/AVSEQ01.DAT");
    auto onBin = SplitDiscPath(media.bin + "/README.TXT");
    ASSERT_TRUE(onBin);
    EXPECT_EQ(onBin->source, media.bin);
    EXPECT_EQ(onBin->path, "/README.TXT");

    EXPECT_FALSE(SplitDiscPath(media.form2Dat));                    // an ordinary file
    EXPECT_FALSE(SplitDiscPath(media.dir.filePath("missing.dat"))); // missing from a folder
    EXPECT_FALSE(SplitDiscPath(media.dir.filePath("a/b/c.dat")));   // missing folders
    EXPECT_FALSE(SplitDiscPath(media.form2Dat + "/X.DAT"));         // through a non-image
    EXPECT_FALSE(SplitDiscPath("MPEGAV/AVSEQ01.DAT"));
    EXPECT_FALSE(SplitDiscPath(""));
}

TEST(DiscFileTest, FindsFilesWithoutCaseOrVersion)
{
    const VcdMedia& media = VcdMedia::Get();
    const int sectors = VcdDisc{media.mpeg, {}}.MpegSectors();
    for (const QString& path : {QString("/MPEGAV/AVSEQ01.DAT"), QString("/mpegav/Avseq01.dat"),
                                QString("MPEGAV//AVSEQ01.DAT")}) {
        SCOPED_TRACE(path.toStdString());
        auto extent = LocateDiscFile({media.cue, true, path});
        ASSERT_TRUE(extent);
        EXPECT_EQ(extent->lsn, VcdDisc::kTrack2Lsn);
        EXPECT_EQ(extent->sectors, sectors);
        EXPECT_EQ(extent->payload, kForm2Bytes);
        EXPECT_EQ(extent->size, qint64(sectors) * kForm2Bytes);
    }
    // A file without XA attributes is told by its first sector: Form 1, exact size.
    auto readme = LocateDiscFile({media.cue, true, "/readme.txt"});
    ASSERT_TRUE(readme);
    EXPECT_EQ(readme->lsn, VcdDisc::kReadmeLsn);
    EXPECT_EQ(readme->payload, kForm1Bytes);
    EXPECT_EQ(readme->size, media.readme.size());
    // The image may be named by its .bin too.
    EXPECT_TRUE(LocateDiscFile({media.bin, true, "/MPEGAV/AVSEQ01.DAT"}));

    EXPECT_FALSE(LocateDiscFile({media.cue, true, "/MPEGAV"}));
    EXPECT_FALSE(LocateDiscFile({media.cue, true, "/MPEGAV/AVSEQ02.DAT"}));
    EXPECT_FALSE(LocateDiscFile({media.cue, true, "/README.TXT/AVSEQ01.DAT"}));
    EXPECT_FALSE(LocateDiscFile({media.cue, true, "/"}));
    EXPECT_FALSE(LocateDiscFile({media.dir.filePath("none.cue"), true, "/README.TXT"}));
    // An audio CD has no file system to look in.
    EXPECT_FALSE(LocateDiscFile({MediaFixtures() + "/tones.cue", true, "/MPEGAV/AVSEQ01.DAT"}));
}

TEST(VcdStreamTest, DiscFilesGiveTheirDataInOrder)
{
    const VcdMedia& media = VcdMedia::Get();
    for (auto [path, expected] :
         {std::pair{QString("/MPEGAV/AVSEQ01.DAT"), Padded(media.mpeg, kForm2Bytes)},
          std::pair{QString("/README.TXT"), media.readme}}) {
        SCOPED_TRACE(path.toStdString());
        auto extent = LocateDiscFile({media.cue, true, path});
        ASSERT_TRUE(extent);
        auto stream = VcdStream::Open(VcdDiscAddress(media.cue, true, *extent));
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->Size(), expected.size());
        EXPECT_EQ(ReadAll(*stream, 7000), expected);
        ASSERT_TRUE(stream->Seek(kForm1Bytes + 100));
        QByteArray buffer(3000, '\0');
        EXPECT_EQ(stream->Read(buffer.data(), buffer.size()), buffer.size());
        EXPECT_EQ(buffer, expected.mid(kForm1Bytes + 100, buffer.size()));
    }
}

struct DatCase
{
    const char* name;
    // The drive map of the test, and the file's path in the program's DOS form.
    std::function<DriveMap()> drives;
    QString dosPath;
    double length; // milliseconds
};

void PrintTo(const DatCase& datCase, std::ostream* out)
{
    *out << datCase.name << " " << datCase.dosPath.toStdString();
}

class VideoControlPlaysDat : public ::testing::TestWithParam<DatCase>
{
};

TEST_P(VideoControlPlaysDat, OpensSeeksAndPlaysToTheEnd)
{
    const DatCase& param = GetParam();
    DriveMap drives = param.drives();
    if (drives.Drives().isEmpty())
        GTEST_SKIP() << "vcdimager is not installed, so no authored Video CD image was made";
    VideoControl control(Headless());
    QList<int> errors;
    QList<int> modes;
    control.onExtendedError = [&](int code) { errors.append(code); };
    control.onExtendedModeChange = [&](int mode) { modes.append(mode); };
    control.resolvePath = [&](const QString& dos) { return drives.ToLocal(dos); };
    control.SetTimeUnits(1000);

    control.SetFileName(param.dosPath);
    ASSERT_TRUE(errors.isEmpty()) << errors.first();
    EXPECT_EQ(control.FileName(), param.dosPath);
    EXPECT_EQ(control.DeviceName(), "MPEGVideo");
    EXPECT_EQ(control.Mode(), "stopped");
    EXPECT_NEAR(control.Length(), param.length, 150);
    EXPECT_FALSE(control.VideoSize().isEmpty());

    control.SetPosition(param.length / 2);
    EXPECT_TRUE(
        RunEventsUntil([&] { return std::abs(control.Position() - param.length / 2) < 100; }));
    control.SetSpeed(4000);
    control.Command("Play");
    EXPECT_EQ(control.Mode(), "playing");
    ASSERT_TRUE(RunEventsUntil([&] { return control.Mode() != "playing"; }));
    EXPECT_EQ(modes.last(), kMciModeStop);
    EXPECT_DOUBLE_EQ(control.Position(), control.Length());
    EXPECT_TRUE(errors.isEmpty());

    // Play again from the start after the end.
    control.Command("Play");
    EXPECT_TRUE(RunEventsUntil([&] { return control.Position() > 100; }));
    control.Command("Close");
    EXPECT_EQ(control.Mode(), "not ready");
}

DriveMap FolderDrive()
{
    return DriveMap({{'C', VcdMedia::Get().dir.path(), kDriveFixed}});
}

DriveMap ImageDrive()
{
    return DriveMap({{'D', VcdMedia::Get().cue, kDriveCdrom}});
}

DriveMap AuthoredDrive()
{
    QString cue = MediaFixtures() + "/vcd.cue";
    if (!QFileInfo::exists(cue))
        return DriveMap();
    return DriveMap({{'E', cue, kDriveCdrom}});
}

INSTANTIATE_TEST_SUITE_P(
    Dat, VideoControlPlaysDat,
    ::testing::Values(DatCase{"CdxaFileOnADisk", FolderDrive, "C:\\avseq01.dat", 2000},
                      DatCase{"Form1CdxaFileOnADisk", FolderDrive, "C:\\FORM1.DAT", 2000},
                      DatCase{"Form2FileOnADiscImage", ImageDrive, "D:\\MPEGAV\\AVSEQ01.DAT", 2000},
                      DatCase{"AuthoredVideoCd", AuthoredDrive, "E:\\Mpegav\\Avseq01.dat", 2000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VideoControlVcdTest, MissingFilesOnADiscAreNotFound)
{
    DriveMap drives = ImageDrive();
    drives.Add({'F', VcdMedia::Get().dir.filePath("none.cue"), kDriveCdrom});
    VideoControl control(Headless());
    QList<int> errors;
    control.onExtendedError = [&](int code) { errors.append(code); };
    control.resolvePath = [&](const QString& dos) { return drives.ToLocal(dos); };
    control.SetFileName("D:\\MPEGAV\\AVSEQ02.DAT");
    control.SetFileName("D:\\MPEGAV");
    control.SetFileName("F:\\MPEGAV\\AVSEQ01.DAT"); // a drive whose image is gone
    EXPECT_EQ(errors, (QList<int>{kMciErrFileNotFound, kMciErrFileNotFound, kMciErrFileNotFound}));
    EXPECT_EQ(control.Mode(), "not ready");
    // A text file on the disc is found but is no video.
    control.SetFileName("D:\\README.TXT");
    EXPECT_EQ(errors.last(), kMciErrInvalidFile);
}

TEST(VideoControlVcdTest, ShowsTheDiscsPictures)
{
    MediaEngine rendering(MpvOptions{{"ao", "null"}});
    VideoControl control(rendering);
    DriveMap drives = ImageDrive();
    control.resolvePath = [&](const QString& dos) { return drives.ToLocal(dos); };
    control.SetFileName("D:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(control.VideoSize(), QSize(160, 120));
    control.Command("Play");
    ASSERT_TRUE(RunEventsUntil([&] { return !control.GrabFrame().isNull(); }));
    QImage frame = control.GrabFrame();
    EXPECT_EQ(frame.size(), QSize(160, 120));
    EXPECT_NE(frame.pixel(5, 5), frame.pixel(150, 60));
}

// The picture shown after a seek while stopped: the frame at that position, decoded
// from the data the control hands to the engine.
QImage FrameAt(const QString& path, double milliseconds)
{
    MediaEngine rendering(MpvOptions{{"ao", "null"}});
    VideoControl control(rendering);
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
    RunEventsUntil(
        [&] {
            QImage now = control.GrabFrame();
            if (now != frame) {
                frame = now;
                steady.setRemainingTime(250);
            }
            return steady.hasExpired();
        },
        3000);
    return frame;
}

TEST(VideoControlVcdTest, PicturesAreTheSourcesOwn)
{
    const VcdMedia& media = VcdMedia::Get();
    QImage source = FrameAt(MediaFixtures() + "/clip.mpg", 1500);
    ASSERT_FALSE(source.isNull());
    EXPECT_EQ(FrameAt(media.form2Dat, 1500), source);
    EXPECT_EQ(FrameAt(media.form1Dat, 1500), source);
    EXPECT_EQ(FrameAt(media.cue + "/MPEGAV/AVSEQ01.DAT", 1500), source);
}

} // namespace
} // namespace tolvane
