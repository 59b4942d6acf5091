#include "platform/VideoControl.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/DriveMap.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <clocale>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// The files of these tests as the player names them: the generated media on C:, Video
// CD files made from the clip on D: and on the image in E:, the authored Video CD in F:
// where vcdimager is installed, and G:, an image drive whose image is gone.
const DriveMap& Drives()
{
    static const DriveMap drives = [] {
        const ClipVcd& vcd = ClipVcd::Get();
        DriveMap map(DriveMap::ParseEntries("C=" + MediaFixtures() + ";D=" + vcd.dir.path() +
                                                ";E=cdrom:" + vcd.cue + ";G=cdrom:/no/such.cue",
                                            ';'));
        if (QFileInfo::exists(MediaFixtures() + "/vcd.cue"))
            map.Add({'F', MediaFixtures() + "/vcd.cue", kDriveCdrom});
        return map;
    }();
    return drives;
}

// A control with every event recorded.
struct Recorded
{
    explicit Recorded(MediaEngine& engine = Headless()) : control(engine)
    {
        control.onExtendedError = [this](int code) { errors.append(code); };
        control.onExtendedModeChange = [this](int mode) { modes.append(mode); };
        control.onPositionChange = [this] { ++positions; };
        control.onError = [this] { ++plainErrors; };
        control.resolvePath = [](const QString& dos) { return Drives().ToLocal(dos); };
    }
    VideoControl control;
    QList<int> errors, modes;
    int positions = 0, plainErrors = 0;
};

void OpensPlaysAndEnds(const QString& path, const QString& device)
{
    Recorded r;
    VideoControl& control = r.control;
    control.SetTimeUnits(1000);
    control.SetFileName(path);
    ASSERT_TRUE(r.errors.isEmpty()) << r.errors.first();
    EXPECT_EQ(control.FileName(), path);
    EXPECT_EQ(control.DeviceName(), device);
    EXPECT_EQ(control.Mode(), "stopped");
    EXPECT_NEAR(control.Length(), 2000, 150);
    // The engine may place a just-opened stream at its first frame's time, a few ms in.
    EXPECT_NEAR(control.Position(), 0, 50);
    control.SetPosition(1000);
    // A stream seeks to what its demuxer can reach, within a part of a second.
    EXPECT_TRUE(RunEventsUntil([&] { return std::abs(control.Position() - 1000) < 600; }))
        << control.Position();
    control.SetPosition(0);

    control.SetSpeed(4000);
    control.SetVolume(250);
    control.Command("PLAY");
    EXPECT_EQ(control.Mode(), "playing");
    EXPECT_EQ(r.modes.last(), kMciModePlay);
    ASSERT_TRUE(RunEventsUntil([&] { return control.Mode() != "playing"; }));
    ASSERT_TRUE(r.errors.isEmpty()) << r.errors.first();
    // At the end the position reaches the length, which is how the poll sees the end.
    EXPECT_EQ(control.Mode(), "stopped");
    EXPECT_EQ(r.modes.last(), kMciModeStop);
    EXPECT_DOUBLE_EQ(control.Position(), control.Length());
    // The end itself is told as a position change: the poll sees it there.
    EXPECT_GE(r.positions, 1);

    control.SetFileName("");
    EXPECT_EQ(control.FileName(), "");
    EXPECT_EQ(control.Mode(), "not ready");
    EXPECT_DOUBLE_EQ(control.Length(), 0);
}

TEST(VideoControlTest, EveryKindOfFileOpensPlaysAndEnds)
{
    // Video CD files copied to a disk in Form 2 and Form 1 sectors, and on discs, too.
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\clip.mpg", "MPEGVideo"},           {"C:\\tone.mp3", "MPEGVideo"},
        {"C:\\tone.wav", "waveaudio"},           {"C:\\clip.avi", "AVIVideo"},
        {"C:\\clip.mov", "MPEGVideo"},           {"C:\\tone.mid", "sequencer"},
        {"C:\\tone.rmi", "sequencer"},           {"D:\\avseq01.dat", "MPEGVideo"},
        {"D:\\FORM1.DAT", "MPEGVideo"},          {"E:\\MPEGAV\\AVSEQ01.DAT", "MPEGVideo"},
        {"F:\\Mpegav\\Avseq01.dat", "MPEGVideo"}};
    for (const auto& [path, device] : cases) {
        SCOPED_TRACE(path);
        if (Drives().Find(path[0]))
            OpensPlaysAndEnds(path, device);
    }
    if (!Drives().Find('F'))
        GTEST_SKIP() << "vcdimager is not installed, so no authored Video CD image was made";
}

TEST(VideoControlTest, AFileGivenWhileAnotherOpensTakesOverAndCountsInTheUnitsItIsTold)
{
    Recorded r;
    r.control.SetTimeUnits(30);
    bool given = false;
    // Events run while the first file opens: the user picks another meanwhile.
    QTimer::singleShot(0, [&] {
        given = true;
        r.control.SetFileName("C:\\clip.mpg");
    });
    r.control.SetFileName("C:\\three.wav");
    ASSERT_TRUE(given);
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(r.control.FileName(), "C:\\clip.mpg");
    EXPECT_EQ(r.control.DeviceName(), "MPEGVideo");
    EXPECT_NEAR(r.control.Length(), 60, 5);
    EXPECT_EQ(r.control.VideoSize(), QSize(160, 120));
    r.control.SetPosition(30);
    // A stream seeks to what its demuxer can reach, within a part of a second.
    EXPECT_TRUE(RunEventsUntil([&] { return std::abs(r.control.Position() - 30) < 18; }))
        << r.control.Position();
    r.control.Command("Play");
    EXPECT_TRUE(RunEventsUntil([&] { return r.control.Position() > 33; }));
    r.control.Command("stop");
    EXPECT_EQ(r.control.Mode(), "stopped");
    double stopped = r.control.Position();
    const int toldBeforeStop = r.positions;
    RunEventsFor(200);
    EXPECT_NEAR(r.control.Position(), stopped, 0.5);
    EXPECT_EQ(r.positions, toldBeforeStop);
    // Stop keeps the file open, so play goes on from there.
    r.control.Command("play");
    EXPECT_EQ(r.control.Mode(), "playing");
    // Every file opens at normal speed.
    r.control.SetSpeed(500);
    r.control.SetFileName("C:\\three.wav");
    EXPECT_EQ(r.control.Speed(), 1000);
    EXPECT_NEAR(r.control.Length(), 90, 5);
    // While it plays, the control tells its position twice a second.
    const int told = r.positions;
    QElapsedTimer playing;
    playing.start();
    r.control.Command("play");
    EXPECT_TRUE(RunEventsUntil([&] { return r.positions >= told + 2; }));
    EXPECT_EQ(r.control.Mode(), "playing");
    EXPECT_GE(playing.elapsed(), 900);
    r.control.Command("Close");
    EXPECT_EQ(r.control.FileName(), "");
    EXPECT_EQ(r.control.Mode(), "not ready");
}

TEST(VideoControlTest, FilesThatCannotBePlayedGiveTheirErrors)
{
    const std::pair<const char*, int> cases[] = {
        {"C:\\missing.mpg", kMciErrFileNotFound}, {"C:\\notvideo.mpg", kMciErrInvalidFile},
        {"C:\\tone.mid", kMciErrNoMidiSynth},     {"E:\\MPEGAV\\AVSEQ02.DAT", kMciErrFileNotFound},
        {"E:\\MPEGAV", kMciErrFileNotFound},      {"G:\\MPEGAV\\AVSEQ01.DAT", kMciErrFileNotFound},
        {"E:\\README.TXT", kMciErrInvalidFile}}; // found on the disc, but no video
    qputenv("TOLVANE99_SOUNDFONT", "/nonexistent/GM.sf2");
    for (const auto& [path, error] : cases) {
        SCOPED_TRACE(path);
        Recorded r;
        r.control.SetFileName(path);
        EXPECT_EQ(r.errors, QList<int>{error});
        EXPECT_EQ(r.plainErrors, 1);
        EXPECT_EQ(r.control.FileName(), "");
        r.control.Command("Play");
        EXPECT_EQ(r.control.Mode(), "not ready");
    }
    qunsetenv("TOLVANE99_SOUNDFONT");
}

TEST(VideoControlTest, AnEngineThatCannotStartIsNoDamagedFile)
{
    MediaEngine engine(MpvOptions{{"vo", "null"}, {"ao", "null"}});
    QStringList reasons;
    engine.onFailure = [&](const QString& reason) { reasons.append(reason); };
    // libmpv refuses to start under any numeric locale but C.
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "zh_TW.UTF-8")) << "zh_TW.UTF-8 is not generated";
    Recorded first(engine), second(engine);
    first.control.SetFileName("C:\\tone.mp3");
    second.control.SetFileName("C:\\tone.wav");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(first.errors, QList<int>{kMciErrCannotLoadDriver});
    EXPECT_EQ(second.errors, QList<int>{kMciErrCannotLoadDriver});
    ASSERT_EQ(reasons.size(), 1);
    EXPECT_TRUE(reasons[0].contains("zh_TW.UTF-8")) << reasons[0].toStdString();
}

// The defaults by extension are checked with every kind of file above.
TEST(MciDeviceNameTest, EntriesFirstThenDefaults)
{
    auto entries = [](const QString& ext) {
        return ext == "mp3" ? QString("MPEGVideo2") : QString();
    };
    EXPECT_EQ(MciDeviceName("song.MP3", entries), "MPEGVideo2");
    EXPECT_EQ(MciDeviceName("song.mp3", nullptr), "MPEGVideo");
    EXPECT_EQ(MciDeviceName("C:\\a\\b.AVI", entries), "AVIVideo");
}

} // namespace
