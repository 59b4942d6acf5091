#include "discovery/DiscDetection.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystemVolume.h"
#include "fixtures/RawNames.h"
#include "fixtures/RealEngine.h"
#include "forms/FrmPlay.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "platform/CdAudioMci.h"
#include "platform/MediaFixtures.h"
#include "platform/VideoControl.h"
#include "platform/VolumeSerial.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "playback/SpeedSeek.h"
#include "shell/Player.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
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
        player.forms.Set().Check5->setChecked(true);
        player.forms.Set().Option2[0]->setChecked(true);
    }
    ~RealPlayback() override { player.services.Media().StopAllMedia(); }

    QString Ask(const QString& command)
    {
        QChar reply[20] = {};
        cdAudio.SendString(command, reply, 20);
        return QString(reply).trimmed();
    }
    // The device plays and its position moves on.
    bool Playing()
    {
        if (Ask("Status CDAudio mode") != "playing")
            return false;
        const QString before = Ask("Status CDAudio position");
        return RunEventsUntil([&] { return Ask("Status CDAudio position") > before; }, 30000);
    }
    // The device is silent and its position stays.
    bool Still(const char* mode)
    {
        const QString before = Ask("Status CDAudio position");
        RunEventsFor(300);
        return Ask("Status CDAudio mode") == mode && !cdAudio.Sounding() &&
               Ask("Status CDAudio position") == before;
    }
    QString Track() { return Ask("Status CDAudio position").left(2); }

    // What the log says was played, in order ("播放-F:\\1.mp3", "播放E:\\MPEGAV\\...").
    // A song that started once stays in it, however briefly the machine looked away.
    QStringList Played()
    {
        QStringList played;
        for (const QString& line : fake.LogTexts()) {
            if (line.startsWith("播放"))
                played.append(line.mid(line.startsWith("播放-") ? 3 : 2));
        }
        return played;
    }
    bool PlayedUntil(int count)
    {
        return RunEventsUntil([&] { return Played().size() >= count; }, 60000);
    }

    // A folder F: holding the fixtures of the names given ("tone.mp3:1.mp3"), made the
    // device; returns what it was classified as.
    MediaMode Album(const QStringList& files)
    {
        const QString album = fake.dir.path() + "/album";
        QDir().mkpath(album);
        for (const QString& name : files)
            EXPECT_TRUE(QFile::copy(MediaFixtures() + "/" + name.section(':', 0, 0),
                                    album + "/" + name.section(':', 1)));
        fake.drives.Add({'F', album, kDriveFixed});
        player.detection.SetDevice("F:");
        player.detection.CheckCdrom(true);
        return player.context.playback.PlayMode;
    }
    // The same for a generated disc image in E:.
    // Lyrics in Big5, tagged at the start and one second in.
    static bool WriteLyrics(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) &&
               file.write(CodePage(950).EncodeFile(
                   "歌名\r\n00:00:00 第一句\r\n00:01:00 第二句, 還有\r\n")) > 0;
    }
    // The lyrics list reaches the line tagged one second in.
    static void Press(QWidget* widget)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2),
                          widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &press);
    }
    bool FollowsToSecondLine()
    {
        QListWidget* list = player.forms.Vcd().SongList;
        return list->count() == 4 && RunEventsUntil([&] { return list->currentRow() == 2; }, 30000);
    }
    MediaMode Disc(const QString& image)
    {
        Insert(image);
        player.detection.CheckCdrom(true);
        return player.context.playback.PlayMode;
    }
};

TEST_F(RealPlayback, AlbumOfThreeSongsPlaysThroughAndWraps)
{
    ASSERT_EQ(Album({"tone.mp3:1 first.mp3", "tone.mp3:2 second.mp3", "tone.mp3:3 third.mp3"}),
              MediaMode::Mp3);
    MciWindow& control = *player.forms.Vcd().MCIWnd1;
    EXPECT_EQ(control.FileName(), "F:\\1 first.mp3");
    EXPECT_EQ(player.context.playback.AlbumSongCount, 3);
    ASSERT_TRUE(PlayedUntil(4));
    EXPECT_EQ(Played().mid(0, 4), QStringList({"F:\\1 first.mp3", "F:\\2 second.mp3",
                                               "F:\\3 third.mp3", "F:\\1 first.mp3"}));
    EXPECT_EQ(control.Mode(), "playing");
    // The poll shows the song in minutes, seconds and hundredths.
    // The first poll after the wrap may still read where the last song ended.
    ASSERT_TRUE(RunEventsUntil(
        [&] {
            return player.context.playback.PlayPos > 50 && player.context.playback.PlayPos < 150;
        },
        4000));
    EXPECT_EQ(player.forms.Vcd().Label2[1]->text().left(5), "00:02");
    EXPECT_EQ(player.forms.Vcd().Label2[2]->text(), "01-01 1 first.mp3");
}

// A folder named in Big5 bytes is listed under its Big5 name, and its songs, whatever
// their names, open on the engine from the bytes on disk.
TEST_F(RealPlayback, SongsOfAFolderNamedInBig5)
{
    const QString music = fake.dir.path() + "/music";
    QDir().mkpath(music);
    const QByteArray disc = RawPath(music, kBig5Disc);
    ASSERT_TRUE(MakeRawFolder(disc));
    RawTree cleanup(disc);
    QFile file(MediaFixtures() + "/tone.mp3");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray tone = file.readAll();
    ASSERT_TRUE(WriteRaw(disc + "/1 song.mp3", tone));
    ASSERT_TRUE(WriteRaw(disc + "/2 " + kBig5Song + ".mp3", tone));
    fake.drives.Add({'F', music, kDriveFixed});
    player.detection.SetDevice("F:");
    player.detection.CheckCdrom(true);
    ASSERT_EQ(player.context.playback.PlayMode, MediaMode::Mp3);
    EXPECT_EQ(player.context.device.AlbumDirs, QStringList({"F:\\光碟"}));
    MciWindow& control = *player.forms.Vcd().MCIWnd1;
    EXPECT_EQ(control.FileName(), "F:\\光碟\\1 song.mp3");
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
    ASSERT_TRUE(PlayedUntil(2));
    EXPECT_EQ(Played().mid(0, 2), QStringList({"F:\\光碟\\1 song.mp3", "F:\\光碟\\2 歌.mp3"}));
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
}

TEST_F(RealPlayback, VideoCdPlaysItsTracksInOrderAndRepeats)
{
    ASSERT_EQ(Disc("vcd.cue"), MediaMode::Vcd);
    MciWindow& control = *player.forms.Play().MCIWnd1;
    EXPECT_TRUE(control.FileName().endsWith("AVSEQ01.DAT", Qt::CaseInsensitive));
    ASSERT_TRUE(PlayedUntil(4));
    QStringList tracks;
    for (const QString& path : Played().mid(0, 4))
        tracks.append(path.right(11).toUpper());
    EXPECT_EQ(tracks, QStringList({"AVSEQ01.DAT", "AVSEQ02.DAT", "AVSEQ03.DAT", "AVSEQ01.DAT"}));
    EXPECT_EQ(player.context.playback.TimeUnits, 30);
}

TEST_F(RealPlayback, AudioCdStopPickPausePlayNextAndTheEndOfTheDisc)
{
    ASSERT_EQ(Disc("audio12.cue"), MediaMode::CdAudio);
    PlaybackController& control = player.controller;
    EXPECT_TRUE(Playing());
    control.ChkCD(PanelAction::Stop);
    EXPECT_TRUE(Still("stopped"));
    control.PlayCd(4);
    EXPECT_TRUE(Playing());
    EXPECT_EQ(Track(), "04");
    control.ChkCD(PanelAction::Play); // the button's first press plays
    control.ChkCD(PanelAction::Play);
    EXPECT_TRUE(Still("paused"));
    control.ChkCD(PanelAction::Play);
    EXPECT_TRUE(Playing());
    control.ChkCD(PanelAction::Next);
    EXPECT_TRUE(Playing());
    EXPECT_EQ(Track(), "05");
    control.ChkCD(PanelAction::Stop);
    EXPECT_TRUE(Still("stopped"));
    // The last track plays to the end of the disc, and the poll starts it again.
    control.PlayCd(12);
    ASSERT_TRUE(RunEventsUntil([&] { return Track() == "01"; }, 30000));
    EXPECT_TRUE(Playing());
    EXPECT_TRUE(
        RunEventsUntil([&] { return player.forms.Vcd().Label2[2]->text() == "<1>"; }, 30000));
}

TEST_F(RealPlayback, MidiAndWaveSongsOfAFolder)
{
    player.context.app.SearchPattern = "MP3;MID;WAV";
    // An album is a folder with at least one MP3 song.
    ASSERT_EQ(Album({"tone.mid:1 midi.mid", "tone.wav:2 wave.wav", "tone.mp3:3 last.mp3"}),
              MediaMode::Mp3);
    MciWindow& control = *player.forms.Vcd().MCIWnd1;
    EXPECT_EQ(control.FileName(), "F:\\1 midi.mid");
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
    EXPECT_NEAR(control.Length(), 2000, 50);
    // The MIDI song plays to its end, and the wave song follows.
    ASSERT_TRUE(PlayedUntil(2));
    EXPECT_EQ(Played().mid(0, 2), QStringList({"F:\\1 midi.mid", "F:\\2 wave.wav"}));
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
}

TEST_F(RealPlayback, ASpeedFromTheMenuHoldsForOneSongOnly)
{
    ASSERT_EQ(Album({"tone.mp3:1.mp3", "tone.mp3:2.mp3"}), MediaMode::Mp3);
    MciWindow& control = *player.forms.Vcd().MCIWnd1;
    player.speed.mSpeed1_Click(4); // 50%
    EXPECT_EQ(control.Speed(), 500);
    player.controller.ChkCD(PanelAction::Next);
    ASSERT_EQ(control.FileName(), "F:\\2.mp3");
    EXPECT_EQ(control.Speed(), 1000);
}

TEST_F(RealPlayback, SongsOfAPlainIsoImage)
{
    ASSERT_EQ(Disc("music.iso"), MediaMode::Mp3);
    EXPECT_EQ(player.forms.Vcd().MCIWnd1->FileName(), "E:\\Intro.mp3");
    // The song plays to its end, and the next album's song follows.
    ASSERT_TRUE(PlayedUntil(2));
    EXPECT_EQ(Played().mid(0, 2),
              QStringList({"E:\\Intro.mp3", "E:\\Jazz\\Live\\Set 1\\Song 4.mp3"}));
}

// The selected line follows the song; the text label shows it while the whole lyrics
// are hidden, and a click on the label shows them.
TEST_F(RealPlayback, Big5LyricsBesideASongFollowItAndShowOnAClick)
{
    const QString album = fake.dir.path() + "/album";
    QDir().mkpath(album);
    ASSERT_TRUE(WriteLyrics(album + "/1 first.txt"));
    player.context.app.SongFolder = "C:\\Lyrics";
    ASSERT_EQ(Album({"tone.mp3:1 first.mp3", "tone.mp3:2 second.mp3"}), MediaMode::Mp3);
    FrmVCD& vcd = player.forms.Vcd();
    EXPECT_EQ(vcd.SongList->item(0)->text(), "歌名");
    EXPECT_EQ(vcd.SongList->item(3)->text(), "還有");
    ASSERT_TRUE(FollowsToSecondLine());
    EXPECT_EQ(vcd.Label1->text(), "第二句");
    ASSERT_TRUE(RunEventsUntil([&] { return vcd.SongList->count() == 0; }, 30000));
    // Not on a CD-ROM: expected in the disc's folder under the lyrics folder.
    const QString tip = vcd.Label2[2]->toolTip();
    EXPECT_TRUE(tip.startsWith("歌詞須放在:C:\\Lyrics\\") && tip.endsWith("\\2 second.txt"))
        << tip.toStdString();
    ASSERT_TRUE(RunEventsUntil([&] { return vcd.SongList->count() == 4; }, 30000));
    Press(vcd.Label1);
    EXPECT_FALSE(vcd.SongList->isHidden());
    EXPECT_TRUE(vcd.Image1->isHidden());
    EXPECT_EQ(vcd.Label1->toolTip(), "隱藏整篇歌詞");
    Press(vcd.Label1);
    EXPECT_TRUE(vcd.SongList->isHidden());
    EXPECT_EQ(vcd.Label1->toolTip(), "顯示整篇歌詞");
}

// An audio track's lyrics lie in the folder named by the disc's serial under the
// lyrics folder, made when the setting asks for it.
TEST_F(RealPlayback, AudioCdTrackThreeFollowsItsLyricsInTheDiscFolder)
{
    player.context.app.SongFolder = "C:\\Lyrics";
    player.context.app.LyricsMapping = true;
    ASSERT_TRUE(fake.files.MakeFolder("C:\\Lyrics"));
    ASSERT_EQ(Disc("audio12.cue"), MediaMode::CdAudio);
    const VolumeInformation volume = VolumeSerial::Read(fake.drives, "E:\\");
    ASSERT_TRUE(volume.ok);
    const QString digits = QString("%1").arg(volume.serial, 8, 16, QChar('0')).toUpper();
    const QString folder = "C:\\Lyrics\\" + digits.left(4) + "-" + digits.mid(4);
    EXPECT_TRUE(fake.files.FolderExists(folder)); // made for track 1
    ASSERT_TRUE(WriteLyrics(fake.files.Local(folder + "\\Track03.txt")));
    player.controller.PlayCd(3);
    ASSERT_TRUE(FollowsToSecondLine());
    EXPECT_EQ(player.forms.Vcd().SongList->item(2)->text(), "00:01:00 第二句");
}

TEST_F(RealPlayback, AudioCdPlaysFromTrackOneAndThePollShowsWhere)
{
    ASSERT_EQ(Disc("audio12.cue"), MediaMode::CdAudio);
    EXPECT_TRUE(player.forms.Vcd().Timer1->isActive());
    ASSERT_TRUE(RunEventsUntil([&] { return player.context.playback.PlayPos >= 0.5; }, 6000));
    EXPECT_EQ(player.forms.Vcd().Label2[2]->text(), "<1>");
    EXPECT_DOUBLE_EQ(player.context.playback.PlayLen, 2);
    EXPECT_EQ(player.forms.Vcd().Label2[1]->text(), "00:02:00");
    EXPECT_TRUE(player.forms.Vcd().Label2[0]->text().startsWith("00:0"));
    EXPECT_TRUE(player.context.playback.IsPlaying);
}

} // namespace
} // namespace tolvane
