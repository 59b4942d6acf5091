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
        state.PlayMode = MediaMode::Mp3;
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
        return QString("%1 %2-%3").arg(main.fileName).arg(state.TrackIndex).arg(state.Mp3Index);
    }

    // The poll found the item at its end.
    void EndItem()
    {
        state.PlayLen = 100;
        state.PlayPos = 100;
        controller.CheckItemEnd();
    }

    QString Status() { return player.forms.Vcd().Label1->text(); }

    PlaybackController& controller = player.controller;
    PlaybackState& state = player.context.playback;
};

TEST_F(ControllerTest, VideoCdPlaysOnAndRepeatsEjectsOrStaysByStopMode)
{
    VideoCd(5);
    fake.mci.replies[FakeMci::Key("Status CDAudio Mode")] = "stopped";
    player.forms.Set().Option2[0]->setChecked(true);
    controller.PlayCd(3);
    // No picture area: the separate window.
    EXPECT_EQ(std::tuple(state.CurFile, state.ActiveMci, separate.speed, state.SkipPoll),
              std::tuple(QString("E:\\MPEGAV\\AVSEQ03.DAT"), 1, 1000, true));
    EXPECT_EQ(player.forms.Vcd().Label2[0]->text(), "00:00:00");
    EXPECT_TRUE(player.forms.Vcd().Label2[0]->isEnabled());
    EXPECT_EQ(separate.calls.mid(separate.calls.size() - 4),
              QStringList({"FileName:", "Command:Close", "FileName:E:\\MPEGAV\\AVSEQ03.DAT",
                           "Command:Play"}));
    // The order and the repeat are the real engine's test; here the units it counts in.
    EndItem();
    EXPECT_EQ(Opened().last(), "E:\\MPEGAV\\AVSEQ04.DAT");
    EXPECT_EQ(state.TimeUnits, 30);

    // Stop mode two ejects the finished disc, three leaves it stopped.
    player.forms.Set().Option2[1]->setChecked(true);
    controller.PlayCd(5);
    fake.mci.ClearSent();
    EndItem();
    EXPECT_TRUE(fake.mci.Sent().contains("Set CDAudio Door Open"));
    player.forms.Set().Option2[2]->setChecked(true);
    state.PlayMode = MediaMode::Vcd;
    controller.PlayCd(5);
    const qsizetype opened = Opened().size();
    fake.mci.ClearSent();
    EndItem();
    EXPECT_EQ(std::tuple(Opened().size(), fake.mci.Sent().contains("Set CDAudio Door Open"),
                         separate.calls.last()),
              std::tuple(opened, false, QString("Command:Stop")));
}

TEST_F(ControllerTest, AlbumsWrapByTheEndAndTheNextAndPreviousKeys)
{
    ThreeAlbums();
    controller.PlayMp31();
    EXPECT_EQ(Playing(), "E:\\A\\a1.mp3 0-0");
    EXPECT_EQ(state.AlbumSongCount, 2);
    // 0 is the end of the song, 10 and 11 the keys. Before the first song of the first
    // album it plays again; before the first song of another, the previous album does.
    const std::pair<int, const char*> steps[] = {
        {0, "E:\\A\\a2.mp3 0-1"},  {0, "E:\\B\\b1.mp3 1-0"},  {0, "E:\\C\\c1.mp3 2-0"},
        {0, "E:\\C\\c2.mp3 2-1"},  {0, "E:\\C\\c3.mp3 2-2"},  {0, "E:\\A\\a1.mp3 0-0"},
        {10, "E:\\A\\a1.mp3 0-0"}, {11, "E:\\A\\a2.mp3 0-1"}, {11, "E:\\B\\b1.mp3 1-0"},
        {10, "E:\\A\\a1.mp3 0-0"}, {11, "E:\\A\\a2.mp3 0-1"}, {10, "E:\\A\\a1.mp3 0-0"}};
    for (auto [key, playing] : steps) {
        key == 0 ? EndItem() : controller.ChkCD(PanelAction(key));
        EXPECT_EQ(Playing(), playing);
    }
    EXPECT_EQ(std::tuple(main.calls.last(), state.TimeUnits),
              std::tuple(QString("Command:Play"), 10));
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
    state.PlayMode = MediaMode::CdAudio;
    player.context.device.TrackCount = 12;
    controller.PlayCd(1);
    fake.mci.ClearSent();
    controller.ChkCD(PanelAction::Previous);
    const QTimer& poll = *player.forms.Vcd().Timer1;
    EXPECT_EQ(std::tuple(state.TrackIndex, fake.mci.Sent().contains("Seek CDAudio to 1"),
                         poll.isActive(), poll.interval()),
              std::tuple(0, true, true, 500));
    controller.ChkCD(PanelAction::Next);
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 2"));
}

TEST_F(ControllerTest, AviInAnAlbumPlaysAsVideoAndTheAlbumGoesOn)
{
    ThreeAlbums();
    File("A/a3.avi");
    controller.PlayMp3("E:\\A", 2);
    EXPECT_EQ(state.MediaKind, "AVI");
    EXPECT_EQ(state.TimeUnits, 10);
    EXPECT_EQ(state.ActiveMci, 1); // the video path: the separate window
    EXPECT_EQ(separate.fileName, "E:\\A\\a3.avi");
    EXPECT_EQ(state.CurFile, "E:\\A");
    EndItem();
    EXPECT_EQ(separate.fileName, "E:\\B\\b1.mp3");
}

TEST_F(ControllerTest, AlbumsThatDoNotPlay)
{
    ThreeAlbums();
    File("D/only.wav");
    controller.PlayMp3("E:\\D", 0);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找不到 'E:\\D' 目錄");
    // A file album that is gone.
    controller.PlayMp3("E:\\F\\x.mp3", 0);
    EXPECT_EQ(fake.prompter.shown.size(), 2);
    // Without auto-play the choice is the user's.
    player.forms.Set().Check5->setChecked(false);
    controller.PlayMp31();
    EXPECT_EQ(std::tuple(Status(), state.PlayMode, main.fileName),
              std::tuple(QString("請選擇播放曲目 1~3"), MediaMode::Mp3, QString()));
}

TEST_F(ControllerTest, StopAndPlayOfFilesAndASongTheEngineCannotOpen)
{
    ThreeAlbums();
    main.onFileName = [&](const QString& path) {
        if (path.endsWith("a2.mp3"))
            state.MediaError = true;
    };
    controller.PlayCd(1);
    state.IsPlaying = true;
    controller.ChkCD(PanelAction::Stop);
    // Only the video handler marks the stop as the user's.
    EXPECT_EQ(std::tuple(Status(), state.IsPlaying, state.UserStopped),
              std::tuple(QString("停止"), false, false));
    controller.ChkCD(PanelAction::Play);
    EXPECT_EQ(std::tuple(Status(), main.calls.last()),
              std::tuple(QString("播放中"), QString("Command:Play")));

    main.calls.clear();
    controller.PlayMp3("E:\\A", 1);
    // Not played, nor handed to the video path.
    EXPECT_EQ(std::tuple(Status(), main.calls.contains("Command:Play"), separate.fileName),
              std::tuple(QString("播放媒體錯誤"), false, QString()));
    controller.PlayMp3("E:\\A", 0);
    EXPECT_EQ(std::tuple(state.MediaError, main.calls.last()),
              std::tuple(false, QString("Command:Play")));

    state.PlayMode = MediaMode::Vcd;
    controller.ChkCD(PanelAction::Stop);
    EXPECT_TRUE(state.UserStopped);
}

TEST_F(ControllerTest, SpeedsFromTheMenuAndTheKeysUpToTheLimits)
{
    VideoCd(1);
    controller.PlayCd(1);
    // A menu speed sets both controls but not the speed the next item starts at.
    player.speed.mSpeed1_Click(4);
    const FrmMenu& menu = player.forms.Menu();
    EXPECT_EQ(std::tuple(main.speed, separate.speed, menu.mSpeed1[4]->isChecked(),
                         menu.mSpeed1[9]->isChecked(), state.PlaySpeed),
              std::tuple(500, 500, true, false, 1000));

    // Key 0 starts the item again, which keeps the keys' speed; -1 does so at 100% for
    // the way down. Key, presses, speed, status, beeps.
    using Step = std::tuple<int, int, int, const char*, int>;
    const Step steps[] = {{0, 1, 1000, "", 0},
                          {11, 1, 1250, "播放速度125%", 0},
                          {11, 4, 2250, "播放速度225%", 0},
                          {11, 1, 2250, "播放速度已到極限!", 1},
                          {0, 1, 2250, "", 1},
                          {-1, 1, 1000, "", 1},
                          {10, 1, 750, "播放速度75%", 1},
                          {10, 3, 100, "播放速度10%", 1},
                          {10, 1, 100, "喂!已經夠慢了吧?", 2},
                          {10, 1, 50, "真不死心!好吧?\n播放速度降為5%", 2}};
    for (auto [key, presses, speed, status, beeps] : steps) {
        SCOPED_TRACE(status);
        if (key == -1)
            state.PlaySpeed = 1000;
        for (int i = 0; i < presses; ++i)
            key <= 0 ? controller.PlayCd(1) : controller.ChkCD(PanelAction(key));
        EXPECT_EQ(std::tuple(state.PlaySpeed, separate.speed, Status(), fake.prompter.beeps),
                  std::tuple(speed, speed, QString(status), beeps));
    }
    state.PlayLen = 60;
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
    state.MediaKind = "MP3";
    seek.ChkSeekNum(10);
    EXPECT_EQ(state.SeekStep, 1000);

    ThreeAlbums();
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
    EXPECT_EQ(std::tuple(state.SeekStep, separate.position), std::tuple(10, 1300.0));
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
    state.PlayMode = MediaMode::CdAudio;
    state.PlayLen = 250.05;
    seek.ChkSeekTime(0.5);
    EXPECT_DOUBLE_EQ(state.SeekTarget, 125.025);
    EXPECT_EQ(player.forms.Vcd().Label2[0]->text(), "02:05:02");
}

} // namespace
} // namespace tolvane
