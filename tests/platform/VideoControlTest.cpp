#include "platform/VideoControl.h"
#include "MediaFixtures.h"

#include <QTimer>
#include <clocale>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A control with every event recorded.
struct Recorded
{
    explicit Recorded(MediaEngine& engine = Headless()) : control(engine)
    {
        control.onExtendedError = [this](int code) { errors.append(code); };
        control.onExtendedModeChange = [this](int mode) { modes.append(mode); };
        control.onPositionChange = [this] { ++positions; };
        control.onError = [this] { ++plainErrors; };
    }
    VideoControl control;
    QList<int> errors;
    QList<int> modes;
    int positions = 0;
    int plainErrors = 0;
};

struct MediaCase
{
    const char* file;
    const char* device;
};

class VideoControlPlays : public ::testing::TestWithParam<MediaCase>
{
};

TEST_P(VideoControlPlays, OpensPlaysAndEnds)
{
    Recorded r;
    VideoControl& control = r.control;
    control.SetTimeUnits(1000);
    control.SetFileName(MediaFixtures() + "/" + GetParam().file);
    ASSERT_TRUE(r.errors.isEmpty()) << r.errors.first();
    EXPECT_EQ(control.FileName(), MediaFixtures() + "/" + GetParam().file);
    EXPECT_EQ(control.DeviceName(), GetParam().device);
    EXPECT_EQ(control.Mode(), "stopped");
    EXPECT_NEAR(control.Length(), 2000, 150);
    EXPECT_DOUBLE_EQ(control.Position(), 0);

    control.SetSpeed(4000);
    control.SetVolume(250);
    EXPECT_EQ(control.Speed(), 4000);
    EXPECT_EQ(control.Volume(), 250);
    control.Command("PLAY");
    EXPECT_EQ(control.Mode(), "playing");
    EXPECT_EQ(r.modes.last(), kMciModePlay);
    ASSERT_TRUE(RunEventsUntil([&] { return control.Mode() != "playing"; }));
    ASSERT_TRUE(r.errors.isEmpty()) << r.errors.first();
    // At the end the position reaches the length, which is how the poll sees the end.
    EXPECT_EQ(control.Mode(), "stopped");
    EXPECT_EQ(r.modes.last(), kMciModeStop);
    EXPECT_DOUBLE_EQ(control.Position(), control.Length());
    EXPECT_GE(r.positions, 2);

    control.SetFileName("");
    EXPECT_EQ(control.FileName(), "");
    EXPECT_EQ(control.Mode(), "not ready");
    EXPECT_DOUBLE_EQ(control.Length(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Media, VideoControlPlays,
    ::testing::Values(MediaCase{"clip.mpg", "MPEGVideo"}, MediaCase{"tone.mp3", "MPEGVideo"},
                      MediaCase{"tone.wav", "waveaudio"}, MediaCase{"clip.avi", "AVIVideo"},
                      MediaCase{"clip.mov", "MPEGVideo"}, MediaCase{"tone.mid", "sequencer"},
                      MediaCase{"tone.rmi", "sequencer"}));

TEST(VideoControlTest, PositionInTheUnitsItIsTold)
{
    Recorded r;
    r.control.SetTimeUnits(30);
    r.control.SetFileName(MediaFixtures() + "/clip.mpg");
    EXPECT_NEAR(r.control.Length(), 60, 5);
    r.control.SetPosition(30);
    EXPECT_TRUE(RunEventsUntil([&] { return std::abs(r.control.Position() - 30) < 1; }));
    r.control.Command("Play");
    EXPECT_TRUE(RunEventsUntil([&] { return r.control.Position() > 33; }));
    r.control.Command("stop");
    EXPECT_EQ(r.control.Mode(), "stopped");
    double stopped = r.control.Position();
    RunEventsFor(200);
    EXPECT_NEAR(r.control.Position(), stopped, 0.5);
    // Stop keeps the file open, so play goes on from there.
    r.control.Command("play");
    EXPECT_EQ(r.control.Mode(), "playing");
    r.control.Command("Close");
    EXPECT_EQ(r.control.FileName(), "");
    EXPECT_EQ(r.control.Mode(), "not ready");
}

TEST(VideoControlTest, FilesThatCannotBePlayed)
{
    Recorded r;
    r.control.SetFileName(MediaFixtures() + "/missing.mpg");
    EXPECT_EQ(r.errors, QList<int>{kMciErrFileNotFound});
    EXPECT_EQ(r.control.FileName(), "");
    r.control.SetFileName(MediaFixtures() + "/notvideo.mpg");
    EXPECT_EQ(r.errors, (QList<int>{kMciErrFileNotFound, kMciErrInvalidFile}));
    EXPECT_EQ(r.plainErrors, 2);
    EXPECT_EQ(r.control.Mode(), "not ready");
    r.control.Command("Play");
    EXPECT_EQ(r.control.Mode(), "not ready");
}

TEST(VideoControlTest, AFileGivenWhileAnotherOpensTakesOver)
{
    Recorded r;
    r.control.SetTimeUnits(1000);
    bool given = false;
    // Events run while the first file opens: the user picks another meanwhile.
    QTimer::singleShot(0, [&] {
        given = true;
        r.control.SetFileName(MediaFixtures() + "/three.wav");
    });
    r.control.SetFileName(MediaFixtures() + "/clip.mpg");
    ASSERT_TRUE(given);
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(r.control.FileName(), MediaFixtures() + "/three.wav");
    EXPECT_NEAR(r.control.Length(), 3000, 150);
    EXPECT_EQ(r.control.DeviceName(), "waveaudio");
    r.control.Command("Play");
    EXPECT_TRUE(RunEventsUntil([&] { return r.control.Position() > 100; }));
}

TEST(VideoControlTest, EveryFileOpensAtNormalSpeed)
{
    Recorded r;
    r.control.SetFileName(MediaFixtures() + "/tone.mp3");
    r.control.SetSpeed(500);
    r.control.SetFileName(MediaFixtures() + "/tone.wav");
    EXPECT_EQ(r.control.Speed(), 1000);
}

TEST(VideoControlTest, AnEngineThatCannotStartIsNoDamagedFile)
{
    MediaEngine engine(MpvOptions{{"vo", "null"}, {"ao", "null"}});
    QStringList reasons;
    engine.onFailure = [&](const QString& reason) { reasons.append(reason); };
    // libmpv refuses to start under any numeric locale but C.
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "zh_TW.UTF-8")) << "zh_TW.UTF-8 is not generated";
    Recorded first(engine);
    Recorded second(engine);
    first.control.SetFileName(MediaFixtures() + "/tone.mp3");
    second.control.SetFileName(MediaFixtures() + "/tone.wav");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(first.errors, QList<int>{kMciErrCannotLoadDriver});
    EXPECT_EQ(second.errors, QList<int>{kMciErrCannotLoadDriver});
    ASSERT_EQ(reasons.size(), 1);
    EXPECT_TRUE(reasons[0].contains("zh_TW.UTF-8")) << reasons[0].toStdString();
}

TEST(VideoControlTest, MidiWithoutASoundFontSaysSo)
{
    qputenv("TOLVANE99_SOUNDFONT", "/nonexistent/GM.sf2");
    Recorded r;
    r.control.SetFileName(MediaFixtures() + "/tone.mid");
    qunsetenv("TOLVANE99_SOUNDFONT");
    EXPECT_EQ(r.errors, QList<int>{kMciErrNoMidiSynth});
    EXPECT_EQ(r.control.Mode(), "not ready");
}

TEST(VideoControlTest, PathsGoThroughTheResolver)
{
    Recorded r;
    r.control.resolvePath = [](const QString& dos) {
        return MediaFixtures() + "/" + dos.section('\\', -1).toLower();
    };
    r.control.SetFileName("D:\\MPEGAV\\CLIP.MPG");
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(r.control.FileName(), "D:\\MPEGAV\\CLIP.MPG");
}

TEST(VideoControlTest, GrabsTheFrameShown)
{
    MediaEngine rendering(MpvOptions{{"ao", "null"}});
    Recorded r(rendering);
    r.control.resize(80, 60);
    r.control.SetFileName(MediaFixtures() + "/clip.mpg");
    ASSERT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(r.control.VideoSize(), QSize(160, 120));
    r.control.Command("Play");
    ASSERT_TRUE(RunEventsUntil([&] { return !r.control.GrabFrame().isNull(); }));
    QImage frame = r.control.GrabFrame();
    EXPECT_EQ(frame.size(), QSize(160, 120));
    // The test picture is colourful, never one flat colour.
    EXPECT_NE(frame.pixel(5, 5), frame.pixel(150, 60));
}

TEST(MciDeviceNameTest, EntriesFirstThenDefaults)
{
    EXPECT_EQ(MciDeviceName("C:\\a\\b.AVI", nullptr), "AVIVideo");
    EXPECT_EQ(MciDeviceName("b.wav", nullptr), "waveaudio");
    EXPECT_EQ(MciDeviceName("b.mid", nullptr), "sequencer");
    EXPECT_EQ(MciDeviceName("b.rmi", nullptr), "sequencer");
    EXPECT_EQ(MciDeviceName("AVSEQ01.DAT", nullptr), "MPEGVideo");
    EXPECT_EQ(MciDeviceName("song.mp3", nullptr), "MPEGVideo");
    auto entries = [](const QString& ext) {
        return ext == "mp3" ? QString("MPEGVideo2") : QString();
    };
    EXPECT_EQ(MciDeviceName("song.MP3", entries), "MPEGVideo2");
    EXPECT_EQ(MciDeviceName("clip.avi", entries), "AVIVideo");
}

} // namespace
} // namespace tolvane
