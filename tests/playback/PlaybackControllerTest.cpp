#include "playback/PlaybackController.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmMenu.h"
#include "forms/FrmVCD.h"
#include "playback/SpeedSeek.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The controller's player, with auto-play after a search on.
class ControllerTest : public PlayerFixture
{
protected:
    ControllerTest() { player.forms.Set().Check5->setChecked(true); }

    // Three albums of two, one and three songs.
    void ThreeAlbums()
    {
        // A hidden file named like a song is none.
        for (const char* song :
             {"A/.mp3", "A/a1.mp3", "A/a2.mp3", "B/b1.mp3", "C/c1.mp3", "C/c2.mp3", "C/c3.mp3"})
            File(song);
        player.context.device.AlbumDirs = {"E:\\A", "E:\\B", "E:\\C"};
        player.context.device.TrackCount = 3;
        player.context.app.SearchPattern = "MP3;AVI";
        player.forms.Vcd().File1.Pattern = "*.MP3;*.AVI";
        player.context.playback.PlayMode = MediaMode::Mp3;
    }

    // The files the separate window was given, in order, without the releases.
    QStringList Opened() const
    {
        QStringList opened;
        for (const QString& call : separate.calls) {
            if (call.startsWith("FileName:") && call.size() > 9)
                opened.append(call.mid(9));
        }
        return opened;
    }

    // The song on the main control, its album and its place in the album.
    QString Playing() const
    {
        return QString("%1 %2-%3")
            .arg(main.fileName)
            .arg(player.context.playback.TrackIndex)
            .arg(player.context.playback.Mp3Index);
    }

    // The poll found the item at its end.
    void EndItem(PlaybackController& controller)
    {
        player.context.playback.PlayLen = 100;
        player.context.playback.PlayPos = 100;
        controller.CheckItemEnd();
    }

    QString Status() { return player.forms.Vcd().Label1->text(); }
};

TEST_F(ControllerTest, VideoCdPlaysOnAndRepeatsEjectsOrStaysByStopMode)
{
    VideoCd(5);
    fake.mci.replies[FakeMci::Key("Status CDAudio Mode")] = "stopped";
    player.forms.Set().Option2[0]->setChecked(true);
    PlaybackController& controller = player.controller;
    controller.PlayCd(3);
    EXPECT_EQ(player.context.playback.CurFile, "E:\\MPEGAV\\AVSEQ03.DAT");
    EXPECT_EQ(player.context.playback.ActiveMci, 1); // no picture area: the separate window
    EXPECT_EQ(separate.speed, 1000);
    EXPECT_TRUE(player.context.playback.SkipPoll);
    EXPECT_EQ(player.forms.Vcd().Label2[0]->text(), "00:00:00");
    EXPECT_TRUE(player.forms.Vcd().Label2[0]->isEnabled());
    EXPECT_EQ(separate.calls.mid(separate.calls.size() - 4),
              QStringList({"FileName:", "Command:Close", "FileName:E:\\MPEGAV\\AVSEQ03.DAT",
                           "Command:Play"}));
    for (int i = 0; i < 3; ++i)
        EndItem(controller);
    EXPECT_EQ(Opened().mid(1), QStringList({"E:\\MPEGAV\\AVSEQ04.DAT", "E:\\MPEGAV\\AVSEQ05.DAT",
                                            "E:\\MPEGAV\\AVSEQ01.DAT"}));
    EXPECT_EQ(player.context.playback.TrackIndex, 0);
    EXPECT_EQ(player.context.playback.TimeUnits, 30);

    // Stop mode two ejects the finished disc, three leaves it stopped.
    player.forms.Set().Option2[1]->setChecked(true);
    controller.PlayCd(5);
    fake.mci.ClearSent();
    EndItem(controller);
    EXPECT_TRUE(fake.mci.Sent().contains("Set CDAudio Door Open"));
    player.forms.Set().Option2[2]->setChecked(true);
    player.context.playback.PlayMode = MediaMode::Vcd;
    controller.PlayCd(5);
    const qsizetype opened = Opened().size();
    fake.mci.ClearSent();
    EndItem(controller);
    EXPECT_EQ(Opened().size(), opened);
    EXPECT_FALSE(fake.mci.Sent().contains("Set CDAudio Door Open"));
    EXPECT_EQ(separate.calls.last(), "Command:Stop");
}

TEST_F(ControllerTest, AlbumsWrapByTheEndAndTheNextAndPreviousKeys)
{
    ThreeAlbums();
    PlaybackController& controller = player.controller;
    controller.PlayMp31();
    EXPECT_EQ(Playing(), "E:\\A\\a1.mp3 0-0");
    EXPECT_EQ(player.context.playback.AlbumSongCount, 2);
    // 0 is the end of the song, 10 and 11 the keys. Before the first song of the first
    // album it plays again; before the first song of another, the previous album does.
    const std::pair<int, const char*> steps[] = {
        {0, "E:\\A\\a2.mp3 0-1"},  {0, "E:\\B\\b1.mp3 1-0"},  {0, "E:\\C\\c1.mp3 2-0"},
        {0, "E:\\C\\c2.mp3 2-1"},  {0, "E:\\C\\c3.mp3 2-2"},  {0, "E:\\A\\a1.mp3 0-0"},
        {10, "E:\\A\\a1.mp3 0-0"}, {11, "E:\\A\\a2.mp3 0-1"}, {11, "E:\\B\\b1.mp3 1-0"},
        {10, "E:\\A\\a1.mp3 0-0"}, {11, "E:\\A\\a2.mp3 0-1"}, {10, "E:\\A\\a1.mp3 0-0"}};
    for (auto [key, playing] : steps) {
        key == 0 ? EndItem(controller) : controller.ChkCD(PanelAction(key));
        EXPECT_EQ(Playing(), playing);
    }
    EXPECT_EQ(main.calls.last(), "Command:Play");
    EXPECT_EQ(player.context.playback.TimeUnits, 10);
    // Album three from its first song; past the last album comes the first.
    controller.PlayCd(3);
    controller.ChkCD(PanelAction::Next);
    controller.ChkCD(PanelAction::Next);
    EXPECT_EQ(Playing(), "E:\\C\\c3.mp3 2-2");
    controller.ChkCD(PanelAction::Next);
    EXPECT_EQ(Playing(), "E:\\A\\a1.mp3 0-0");
}

TEST_F(ControllerTest, AudioCdPreviousOnTrackOneRestartsIt)
{
    player.context.playback.PlayMode = MediaMode::CdAudio;
    player.context.device.TrackCount = 12;
    PlaybackController& controller = player.controller;
    controller.PlayCd(1);
    fake.mci.ClearSent();
    controller.ChkCD(PanelAction::Previous);
    EXPECT_EQ(player.context.playback.TrackIndex, 0);
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 1"));
    EXPECT_TRUE(player.forms.Vcd().Timer1->isActive());
    EXPECT_EQ(player.forms.Vcd().Timer1->interval(), 500);
    controller.ChkCD(PanelAction::Next);
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 2"));
}

TEST_F(ControllerTest, AviInAnAlbumPlaysAsVideoAndTheAlbumGoesOn)
{
    ThreeAlbums();
    File("A/a3.avi");
    PlaybackController& controller = player.controller;
    controller.PlayMp3("E:\\A", 2);
    EXPECT_EQ(player.context.playback.MediaKind, "AVI");
    EXPECT_EQ(player.context.playback.TimeUnits, 10);
    EXPECT_EQ(player.context.playback.ActiveMci, 1); // the video path: the separate window
    EXPECT_EQ(separate.fileName, "E:\\A\\a3.avi");
    EXPECT_EQ(player.context.playback.CurFile, "E:\\A");
    EndItem(controller);
    EXPECT_EQ(separate.fileName, "E:\\B\\b1.mp3");
}

TEST_F(ControllerTest, AlbumsThatDoNotPlay)
{
    ThreeAlbums();
    File("D/only.wav");
    PlaybackController& controller = player.controller;
    controller.PlayMp3("E:\\D", 0);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找不到 'E:\\D' 目錄");
    // A file album that is gone.
    File("F/x.mp3");
    controller.PlayMp3("E:\\F\\x.mp3", 0);
    EXPECT_EQ(fake.prompter.shown.size(), 2);
    // Without auto-play the choice is the user's.
    player.forms.Set().Check5->setChecked(false);
    controller.PlayMp31();
    EXPECT_EQ(Status(), "請選擇播放曲目 1~3");
    EXPECT_EQ(player.context.playback.PlayMode, MediaMode::Mp3);
    EXPECT_TRUE(main.fileName.isEmpty());
}

TEST_F(ControllerTest, StopAndPlayOfFilesAndASongTheEngineCannotOpen)
{
    ThreeAlbums();
    main.onFileName = [&](const QString& path) {
        if (path.endsWith("a2.mp3"))
            player.context.playback.MediaError = true;
    };
    PlaybackController& controller = player.controller;
    controller.PlayCd(1);
    player.context.playback.IsPlaying = true;
    controller.ChkCD(PanelAction::Stop);
    EXPECT_EQ(Status(), "停止");
    EXPECT_FALSE(player.context.playback.IsPlaying);
    EXPECT_FALSE(player.context.playback.UserStopped); // only the video handler marks it
    controller.ChkCD(PanelAction::Play);
    EXPECT_EQ(Status(), "播放中");
    EXPECT_EQ(main.calls.last(), "Command:Play");

    main.calls.clear();
    controller.PlayMp3("E:\\A", 1);
    EXPECT_EQ(Status(), "播放媒體錯誤");
    EXPECT_FALSE(main.calls.contains("Command:Play"));
    EXPECT_TRUE(separate.fileName.isEmpty()); // not handed to the video path either
    controller.PlayMp3("E:\\A", 0);
    EXPECT_FALSE(player.context.playback.MediaError);
    EXPECT_EQ(main.calls.last(), "Command:Play");

    player.context.playback.PlayMode = MediaMode::Vcd;
    controller.ChkCD(PanelAction::Stop);
    EXPECT_TRUE(player.context.playback.UserStopped);
}

TEST_F(ControllerTest, SpeedsFromTheMenuAndTheKeysUpToTheLimits)
{
    VideoCd(1);
    PlaybackController& controller = player.controller;
    controller.PlayCd(1);
    // A menu speed sets both controls but not the speed the next item starts at.
    player.speed.mSpeed1_Click(4);
    EXPECT_EQ(main.speed, 500);
    EXPECT_EQ(separate.speed, 500);
    EXPECT_TRUE(player.forms.Menu().mSpeed1[4]->isChecked());
    EXPECT_FALSE(player.forms.Menu().mSpeed1[9]->isChecked());
    EXPECT_EQ(player.context.playback.PlaySpeed, 1000);

    // Key 0 starts the item again, which keeps the keys' speed; -1 does so at 100% for
    // the way down.
    using Step = std::tuple<int, int, const char*, int>; // key, speed, status, beeps
    const Step steps[] = {{0, 1000, "", 0},
                          {11, 1250, "播放速度125%", 0},
                          {11, 1500, "播放速度150%", 0},
                          {11, 1750, "播放速度175%", 0},
                          {11, 2000, "播放速度200%", 0},
                          {11, 2250, "播放速度225%", 0},
                          {11, 2250, "播放速度已到極限!", 1},
                          {0, 2250, "", 1},
                          {-1, 1000, "", 1},
                          {10, 750, "播放速度75%", 1},
                          {10, 500, "播放速度50%", 1},
                          {10, 250, "播放速度25%", 1},
                          {10, 100, "播放速度10%", 1},
                          {10, 100, "喂!已經夠慢了吧?", 2},
                          {10, 50, "真不死心!好吧?\n播放速度降為5%", 2}};
    for (auto [key, speed, status, beeps] : steps) {
        SCOPED_TRACE(status);
        if (key == -1)
            player.context.playback.PlaySpeed = 1000;
        key <= 0 ? controller.PlayCd(1) : controller.ChkCD(PanelAction(key));
        EXPECT_EQ(player.context.playback.PlaySpeed, speed);
        EXPECT_EQ(separate.speed, speed);
        EXPECT_EQ(Status(), QString(status));
        EXPECT_EQ(fake.prompter.beeps, beeps);
    }
    player.context.playback.PlayLen = 60;
    controller.ChkCD(PanelAction::Previous);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt,
              "喂!喂!喂!#@$%!*&" + QString(19, ' ') +
                  "\r\n你知道這種速度要看多久嗎?\r\n總共須要1200秒 (0多小時)");
    EXPECT_EQ(separate.speed, 50);
}

TEST_F(ControllerTest, SeekStepsByMenuEntryAndTheKnobPreview)
{
    SpeedSeek& seek = player.speed;
    seek.mSeek_Click(8); // "10 Sec"
    player.context.playback.MediaKind = "MP3";
    seek.ChkSeekNum(10);
    EXPECT_EQ(player.context.playback.SeekStep, 1000);

    ThreeAlbums();
    PlaybackController& controller = player.controller;
    controller.PlayCd(1);
    main.length = 200000;
    main.position = 50000;
    controller.ChkCD(PanelAction::Forward);
    EXPECT_EQ(main.position, 60000);
    controller.ChkCD(PanelAction::Back);
    controller.ChkCD(PanelAction::Back);
    EXPECT_EQ(main.position, 40000);

    VideoCd(1);
    controller.PlayCd(1);
    separate.length = 3000;
    separate.position = 1000;
    controller.ChkCD(PanelAction::Forward);
    EXPECT_EQ(player.context.playback.SeekStep, 10);
    EXPECT_EQ(separate.position, 1300);
    seek.mSeek_Click(1); // "5   Frame"
    controller.ChkCD(PanelAction::Forward);
    EXPECT_DOUBLE_EQ(separate.position, 1305);
    separate.position = 2998;
    controller.ChkCD(PanelAction::Forward);
    EXPECT_EQ(separate.position, 3000); // not past the end
    int checked = 0;
    for (QAction* entry : player.forms.Menu().mSeek)
        checked += entry->isChecked();
    EXPECT_EQ(checked, 1);

    // The knob's preview of where a drag lands.
    separate.length = 3600 * 30;
    seek.ChkSeekTime(0.25);
    EXPECT_EQ(player.forms.Vcd().Label2[0]->text(), "00:15:00");
    player.context.playback.PlayMode = MediaMode::CdAudio;
    player.context.playback.PlayLen = 250.05;
    seek.ChkSeekTime(0.5);
    EXPECT_DOUBLE_EQ(player.context.playback.SeekTarget, 125.025);
    EXPECT_EQ(player.forms.Vcd().Label2[0]->text(), "02:05:02");
}

} // namespace
} // namespace tolvane
