#include "app/FrmSet.h"
#include "app/Player.h"
#include "discovery/DiscDetection.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystemVolume.h"
#include "fixtures/RealEngine.h"
#include "platform/CdAudioMci.h"
#include "platform/MediaFixtures.h"
#include "platform/VideoControl.h"
#include "playback/FrmPlay.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "ui/FrmVCD.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The whole chain on the real engine (no picture, no sound): classification, the
// controller, the video controls' position events and the time display's poll.
class RealPlayback : public RealEngineTest
{
protected:
    RealPlayback()
    {
        player.Set().Check5->setChecked(true);
        player.Set().Option2[0]->setChecked(true);
    }
    ~RealPlayback() override { player.Media().StopAllMedia(); }
};

TEST_F(RealPlayback, AlbumOfThreeSongsPlaysThroughAndWraps)
{
    const QString album = fake.dir.path() + "/album";
    QDir().mkpath(album);
    for (const char* name : {"1 first.mp3", "2 second.mp3", "3 third.mp3"})
        ASSERT_TRUE(QFile::copy(MediaFixtures() + "/tone.mp3", album + "/" + name));
    fake.drives.Add({'F', album, kDriveFixed});
    DiscDetection(player).SetDevice("F:");
    DiscDetection(player).CheckCdrom(true);
    ASSERT_EQ(player.playback.PlayMode, "MP3");
    MciWindow& control = *player.Vcd().MCIWnd1;
    EXPECT_EQ(control.FileName(), "F:\\1 first.mp3");
    EXPECT_EQ(player.playback.AlbumSongCount, 3);
    ASSERT_TRUE(RunEventsUntil([&] { return control.FileName() == "F:\\2 second.mp3"; }, 8000));
    EXPECT_EQ(control.Mode(), "playing");
    ASSERT_TRUE(RunEventsUntil([&] { return control.FileName() == "F:\\3 third.mp3"; }, 8000));
    ASSERT_TRUE(RunEventsUntil([&] { return control.FileName() == "F:\\1 first.mp3"; }, 8000));
    EXPECT_EQ(player.playback.Mp3Index, 0);
    // The poll shows the song in minutes, seconds and hundredths.
    // The first poll after the wrap may still read where the last song ended.
    ASSERT_TRUE(RunEventsUntil(
        [&] { return player.playback.PlayPos > 50 && player.playback.PlayPos < 150; }, 4000));
    EXPECT_EQ(player.Vcd().Label2[1]->text().left(5), "00:02");
    EXPECT_EQ(player.Vcd().Label2[2]->text(), "01-01 1 first.mp3");
}

TEST_F(RealPlayback, VideoCdPlaysItsTracksInOrderAndRepeats)
{
    Insert("vcd.cue");
    DiscDetection(player).CheckCdrom(true);
    ASSERT_EQ(player.playback.PlayMode, "VCD");
    MciWindow& control = *player.Play().MCIWnd1;
    EXPECT_TRUE(control.FileName().endsWith("AVSEQ01.DAT", Qt::CaseInsensitive));
    ASSERT_TRUE(RunEventsUntil(
        [&] { return control.FileName().endsWith("AVSEQ02.DAT", Qt::CaseInsensitive); }, 8000));
    ASSERT_TRUE(RunEventsUntil(
        [&] { return control.FileName().endsWith("AVSEQ03.DAT", Qt::CaseInsensitive); }, 8000));
    ASSERT_TRUE(RunEventsUntil(
        [&] { return control.FileName().endsWith("AVSEQ01.DAT", Qt::CaseInsensitive); }, 8000));
    EXPECT_EQ(player.playback.TrackIndex, 0);
    EXPECT_EQ(player.playback.TimeUnits, 30);
}

TEST_F(RealPlayback, AudioCdPlaysFromTrackOneAndThePollShowsWhere)
{
    Insert("audio12.cue");
    DiscDetection(player).CheckCdrom(true);
    ASSERT_EQ(player.playback.PlayMode, "CDAudio");
    EXPECT_TRUE(player.Vcd().Timer1->isActive());
    ASSERT_TRUE(RunEventsUntil([&] { return player.playback.PlayPos >= 0.5; }, 6000));
    EXPECT_EQ(player.Vcd().Label2[2]->text(), "<1>");
    EXPECT_DOUBLE_EQ(player.playback.PlayLen, 2);
    EXPECT_EQ(player.Vcd().Label2[1]->text(), "00:02:00");
    EXPECT_TRUE(player.Vcd().Label2[0]->text().startsWith("00:0"));
    EXPECT_TRUE(player.playback.IsPlaying);
}

} // namespace
} // namespace tolvane
