#include "playback/PlaybackController.h"
#include "app/FrmSet.h"
#include "app/Player.h"
#include "fakes/FakeMci.h"
#include "fakes/PlayerFixture.h"
#include "playback/SpeedSeek.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The controller's player, with auto-play after a search on.
class ControllerTest : public PlayerFixture
{
protected:
    ControllerTest() { player.Set().Check5->setChecked(true); }

    // Three albums of two, one and three songs.
    void ThreeAlbums()
    {
        for (const char* song :
             {"A/a1.mp3", "A/a2.mp3", "B/b1.mp3", "C/c1.mp3", "C/c2.mp3", "C/c3.mp3"})
            File(song);
        player.device.AlbumDirs = {"E:\\A", "E:\\B", "E:\\C"};
        player.device.TrackCount = 3;
        player.app.SearchPattern = "MP3;AVI";
        player.Vcd().File1.Pattern = "*.MP3;*.AVI";
        player.playback.PlayMode = "MP3";
    }

    // The files the separate window was given, in order, without the releases.
    QStringList Opened(const FakeMciWindow& control) const
    {
        QStringList opened;
        for (const QString& call : control.calls) {
            if (call.startsWith("FileName:") && call.size() > 9)
                opened.append(call.mid(9));
        }
        return opened;
    }

    // The poll found the item at its end.
    void EndItem(PlaybackController& controller)
    {
        player.playback.PlayLen = 100;
        player.playback.PlayPos = 100;
        controller.CheckItemEnd();
    }

    QString Status() { return player.Vcd().Label1->text(); }
};

TEST_F(ControllerTest, VideoCdPlaysOnFromItemThreeAndRepeatsWithStopModeOne)
{
    VideoCd(5);
    player.Set().Option2[0]->setChecked(true);
    PlaybackController controller(player);
    controller.PlayCd(3);
    EXPECT_EQ(player.playback.CurFile, "E:\\MPEGAV\\AVSEQ03.DAT");
    EXPECT_EQ(player.playback.ActiveMci, 1); // no picture area: the separate window
    EXPECT_EQ(separate.speed, 1000);
    EXPECT_TRUE(player.playback.SkipPoll);
    EXPECT_EQ(player.Vcd().Label2[0]->text(), "00:00:00");
    EXPECT_TRUE(player.Vcd().Label2[0]->isEnabled());
    EXPECT_EQ(separate.calls.mid(separate.calls.size() - 4),
              QStringList({"FileName:", "Command:Close", "FileName:E:\\MPEGAV\\AVSEQ03.DAT",
                           "Command:Play"}));
    EndItem(controller);
    EndItem(controller);
    EXPECT_EQ(Opened(separate).mid(1),
              QStringList({"E:\\MPEGAV\\AVSEQ04.DAT", "E:\\MPEGAV\\AVSEQ05.DAT"}));
    EndItem(controller);
    EXPECT_EQ(player.playback.TrackIndex, 0);
    EXPECT_EQ(Opened(separate).last(), "E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(player.playback.TimeUnits, 30);
}

TEST_F(ControllerTest, FinishedVideoCdEjectsWithStopModeTwoAndStaysWithThree)
{
    VideoCd(2);
    fake.mci.replies[FakeMci::Key("Status CDAudio Mode")] = "stopped";
    player.Set().Option2[1]->setChecked(true);
    PlaybackController controller(player);
    controller.PlayCd(2);
    fake.mci.ClearSent();
    EndItem(controller);
    EXPECT_TRUE(fake.mci.Sent().contains("Set CDAudio Door Open"));

    player.Set().Option2[2]->setChecked(true);
    player.playback.PlayMode = "VCD";
    controller.PlayCd(2);
    const qsizetype opened = Opened(separate).size();
    fake.mci.ClearSent();
    EndItem(controller);
    EXPECT_EQ(Opened(separate).size(), opened);
    EXPECT_FALSE(fake.mci.Sent().contains("Set CDAudio Door Open"));
    EXPECT_EQ(separate.calls.last(), "Command:Stop");
}

TEST_F(ControllerTest, AlbumsWrapAfterTheLastSongOfTheLastAlbum)
{
    ThreeAlbums();
    PlaybackController controller(player);
    controller.PlayMp31();
    EXPECT_EQ(main.fileName, "E:\\A\\a1.mp3");
    EXPECT_EQ(player.playback.AlbumSongCount, 2);
    EndItem(controller);
    EXPECT_EQ(main.fileName, "E:\\A\\a2.mp3");
    EndItem(controller);
    EXPECT_EQ(main.fileName, "E:\\B\\b1.mp3");
    EXPECT_EQ(player.playback.TrackIndex, 1);
    EndItem(controller);
    EndItem(controller);
    EndItem(controller);
    EXPECT_EQ(main.fileName, "E:\\C\\c3.mp3");
    EndItem(controller);
    EXPECT_EQ(main.fileName, "E:\\A\\a1.mp3");
    EXPECT_EQ(player.playback.TrackIndex, 0);
    EXPECT_EQ(player.playback.Mp3Index, 0);
    EXPECT_EQ(main.calls.last(), "Command:Play");
    EXPECT_EQ(player.playback.TimeUnits, 10);
}

TEST_F(ControllerTest, PreviousAndNextAtBothEnds)
{
    ThreeAlbums();
    PlaybackController controller(player);
    controller.PlayCd(3); // album 3 from its first song
    controller.ChkCD(11);
    controller.ChkCD(11);
    EXPECT_EQ(main.fileName, "E:\\C\\c3.mp3");
    controller.ChkCD(11); // past the last album
    EXPECT_EQ(main.fileName, "E:\\A\\a1.mp3");
    controller.ChkCD(11);
    EXPECT_EQ(main.fileName, "E:\\A\\a2.mp3");
    controller.ChkCD(10); // song 2 back to song 1
    EXPECT_EQ(main.fileName, "E:\\A\\a1.mp3");
    controller.ChkCD(10); // first song of album 1 plays again
    EXPECT_EQ(main.fileName, "E:\\A\\a1.mp3");
    EXPECT_EQ(player.playback.TrackIndex, 0);
    controller.PlayCd(2);
    controller.ChkCD(10); // first song of album 2: the previous album
    EXPECT_EQ(main.fileName, "E:\\A\\a1.mp3");
}

TEST_F(ControllerTest, AudioCdPreviousOnTrackOneRestartsIt)
{
    player.playback.PlayMode = "CDAudio";
    player.device.TrackCount = 12;
    PlaybackController controller(player);
    controller.PlayCd(1);
    fake.mci.ClearSent();
    controller.ChkCD(10);
    EXPECT_EQ(player.playback.TrackIndex, 0);
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 1"));
    EXPECT_TRUE(player.Vcd().Timer1->isActive());
    EXPECT_EQ(player.Vcd().Timer1->interval(), 500);
    controller.ChkCD(11);
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 2"));
}

TEST_F(ControllerTest, AviInAnAlbumPlaysAsVideoAndTheAlbumGoesOn)
{
    ThreeAlbums();
    File("A/a3.avi");
    PlaybackController controller(player);
    controller.PlayMp3("E:\\A", 2);
    EXPECT_EQ(player.playback.MediaKind, "AVI");
    EXPECT_EQ(player.playback.TimeUnits, 10);
    EXPECT_EQ(player.playback.ActiveMci, 1); // the video path: the separate window
    EXPECT_EQ(separate.fileName, "E:\\A\\a3.avi");
    EXPECT_EQ(player.playback.CurFile, "E:\\A");
    EndItem(controller);
    EXPECT_EQ(separate.fileName, "E:\\B\\b1.mp3");
}

TEST_F(ControllerTest, AlbumsWithoutMp3AndMissingSongs)
{
    ThreeAlbums();
    File("D/only.wav");
    PlaybackController controller(player);
    controller.PlayMp3("E:\\D", 0);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找不到 'E:\\D' 目錄");
    // A file album that is gone.
    File("F/x.mp3");
    controller.PlayMp3("E:\\F\\x.mp3", 0);
    EXPECT_EQ(fake.prompter.shown.size(), 2);
}

TEST_F(ControllerTest, ChoosingWithoutAutoPlayAsksForAnItem)
{
    ThreeAlbums();
    player.Set().Check5->setChecked(false);
    PlaybackController(player).PlayMp31();
    EXPECT_EQ(Status(), "請選擇播放曲目 1~3");
    EXPECT_EQ(player.playback.PlayMode, "MP3");
    EXPECT_TRUE(main.fileName.isEmpty());
}

TEST_F(ControllerTest, StopAndPlayOfFiles)
{
    ThreeAlbums();
    PlaybackController controller(player);
    controller.PlayCd(1);
    player.playback.IsPlaying = true;
    controller.ChkCD(1);
    EXPECT_EQ(Status(), "停止");
    EXPECT_FALSE(player.playback.IsPlaying);
    EXPECT_FALSE(player.playback.UserStopped); // only the video handler marks it
    controller.ChkCD(0);
    EXPECT_EQ(Status(), "播放中");
    EXPECT_EQ(main.calls.last(), "Command:Play");
    player.playback.PlayMode = "VCD";
    controller.ChkCD(1);
    EXPECT_TRUE(player.playback.UserStopped);
}

// Speed and seek.

TEST_F(ControllerTest, FasterUpToTheLimit)
{
    VideoCd(1);
    PlaybackController controller(player);
    controller.PlayCd(1);
    controller.ChkCD(11);
    EXPECT_EQ(Status(), "播放速度125%");
    for (int i = 0; i < 4; ++i)
        controller.ChkCD(11);
    EXPECT_EQ(player.playback.PlaySpeed, 2250);
    EXPECT_EQ(fake.prompter.beeps, 0);
    controller.ChkCD(11);
    EXPECT_EQ(Status(), "播放速度已到極限!");
    EXPECT_EQ(fake.prompter.beeps, 1);
    EXPECT_EQ(separate.speed, 2250);
}

TEST_F(ControllerTest, SlowerDownToTheErrorBox)
{
    VideoCd(1);
    PlaybackController controller(player);
    controller.PlayCd(1);
    QList<int> speeds;
    for (int i = 0; i < 4; ++i) {
        controller.ChkCD(10);
        speeds.append(player.playback.PlaySpeed);
    }
    EXPECT_EQ(speeds, QList<int>({750, 500, 250, 100}));
    EXPECT_EQ(Status(), "播放速度10%");
    controller.ChkCD(10);
    EXPECT_EQ(Status(), "喂!已經夠慢了吧?");
    EXPECT_EQ(fake.prompter.beeps, 1);
    controller.ChkCD(10);
    EXPECT_EQ(Status(), "真不死心!好吧?\n播放速度降為5%");
    EXPECT_EQ(separate.speed, 50);
    player.playback.PlayLen = 60;
    controller.ChkCD(10);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt,
              "喂!喂!喂!#@$%!*&" + QString(19, ' ') +
                  "\r\n你知道這種速度要看多久嗎?\r\n總共須要1200秒 (0多小時)");
    EXPECT_EQ(separate.speed, 50);
}

TEST_F(ControllerTest, SeekStepsByMenuEntry)
{
    SpeedSeek seek(player, player.MediaServices());
    seek.mSeek_Click(8); // "10 Sec"
    player.playback.MediaKind = "MP3";
    seek.ChkSeekNum(10);
    EXPECT_EQ(player.playback.SeekStep, 1000);

    ThreeAlbums();
    PlaybackController controller(player);
    controller.PlayCd(1);
    main.length = 200000;
    main.position = 50000;
    controller.ChkCD(5);
    EXPECT_EQ(main.position, 60000);
    controller.ChkCD(2);
    controller.ChkCD(2);
    EXPECT_EQ(main.position, 40000);

    VideoCd(1);
    controller.PlayCd(1);
    separate.length = 3000;
    separate.position = 1000;
    controller.ChkCD(5);
    EXPECT_EQ(player.playback.SeekStep, 10);
    EXPECT_EQ(separate.position, 1300);
    seek.mSeek_Click(1); // "5   Frame"
    controller.ChkCD(5);
    EXPECT_DOUBLE_EQ(separate.position, 1305);
    separate.position = 2998;
    controller.ChkCD(5);
    EXPECT_EQ(separate.position, 3000); // not past the end
    int checked = 0;
    for (QAction* entry : player.Menu().mSeek)
        checked += entry->isChecked();
    EXPECT_EQ(checked, 1);
}

TEST_F(ControllerTest, SpeedMenuSetsBothControlsButNotTheStartSpeed)
{
    SpeedSeek seek(player, player.MediaServices());
    FrmMenu& menu = player.Menu();
    ASSERT_EQ(menu.mSpeed1.size(), 22);
    EXPECT_EQ(menu.mSpeed1[4]->text(), "50%");
    EXPECT_TRUE(menu.mSpeed1[9]->isChecked());
    seek.mSpeed1_Click(4);
    EXPECT_EQ(main.speed, 500);
    EXPECT_EQ(separate.speed, 500);
    EXPECT_FALSE(menu.mSpeed1[9]->isChecked());
    EXPECT_TRUE(menu.mSpeed1[4]->isChecked());
    EXPECT_EQ(player.playback.PlaySpeed, 1000);
    VideoCd(1);
    PlaybackController(player).PlayCd(1);
    EXPECT_EQ(separate.speed, 1000);
}

TEST_F(ControllerTest, KnobPreviewByMode)
{
    SpeedSeek seek(player, player.MediaServices());
    player.playback.PlayMode = "CDAudio";
    player.playback.PlayLen = 250.05;
    seek.ChkSeekTime(0.5);
    EXPECT_DOUBLE_EQ(player.playback.SeekTarget, 125.025);
    EXPECT_EQ(player.Vcd().Label2[0]->text(), "02:05:02");
    player.playback.PlayMode = "VCD";
    player.playback.TimeUnits = 30;
    main.length = 3600 * 30;
    seek.ChkSeekTime(0.25);
    EXPECT_EQ(player.Vcd().Label2[0]->text(), "00:15:00");
}

TEST_F(ControllerTest, ASongTheEngineCannotOpenIsNotPlayed)
{
    ThreeAlbums();
    main.onFileName = [&](const QString& path) {
        if (path.endsWith("a2.mp3"))
            player.playback.MediaError = true;
    };
    PlaybackController controller(player);
    controller.PlayMp3("E:\\A", 1);
    EXPECT_EQ(player.Vcd().Label1->text(), "播放媒體錯誤");
    EXPECT_FALSE(main.calls.contains("Command:Play"));
    EXPECT_TRUE(separate.fileName.isEmpty()); // not handed to the video path either
    main.calls.clear();
    controller.PlayMp3("E:\\A", 0);
    EXPECT_FALSE(player.playback.MediaError);
    EXPECT_EQ(main.calls.last(), "Command:Play");
}

} // namespace
} // namespace tolvane
