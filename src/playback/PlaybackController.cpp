#include "playback/PlaybackController.h"

#include "app/FrmSet.h"
#include "app/Messages.h"
#include "app/MousePointer.h"
#include "app/Player.h"
#include "app/Text.h"
#include "discovery/DiscIdentity.h"
#include "discovery/FrmFindMusic.h"
#include "platform/VideoControl.h"
#include "playback/FrmPlay.h"
#include "playback/MediaProcedures.h"
#include "playback/SpeedSeek.h"
#include "playback/VideoWindow.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <algorithm>

namespace tolvane {

PlaybackController::PlaybackController(Player& player)
    : player_(player), media_(player.MediaServices())
{
}

MciWindow& PlaybackController::Active()
{
    return ActiveMciWindow(media_);
}

void PlaybackController::Delay(double seconds)
{
    media_.clock.Delay(seconds);
}

void PlaybackController::DoEvents()
{
    media_.clock.DoEvents();
}

void PlaybackController::ShowTime()
{
    media_.view.ShowTime();
}

void PlaybackController::ShowPoint()
{
    // The time labels follow the poll's values; the poll draws them.
    media_.view.ShowPoint();
}

void PlaybackController::ApplyVolume()
{
    media_.view.SetVolume();
}

void PlaybackController::PlayCd(int item)
{
    PlaybackState& p = media_.playback;
    FrmVCD& vcd = player_.Vcd();
    p.SkipPoll = true;
    media_.view.SetStatus(QString());
    SetMousePointer(Pointer::Hourglass);
    p.TrackIndex = item - 1;
    media_.view.SetPollTimer(false);
    for (int i : {0, 1}) {
        vcd.Label2[i]->setText("00:00:00");
        vcd.Label2[i]->setEnabled(false);
    }
    p.PlayPos = 0;
    ShowPoint();
    media_.view.SetPollTimer(false);
    if (p.PlayMode == "VCD") {
        StayOnTop(vcd, true);
        if (p.TrackIndex >= 0 && p.TrackIndex < media_.device.VcdFiles.size()) {
            p.CurFile = media_.device.VcdFiles[p.TrackIndex];
            PlayVCD(p.CurFile);
        }
    } else if (p.PlayMode == "CDAudio") {
        StayOnTop(vcd, false);
        MediaProcedures(media_).PlayACD(item);
        player_.Vcd().Timer1->setInterval(500);
        media_.view.SetPollTimer(true);
    } else if (p.PlayMode == "MP3") {
        StayOnTop(vcd, false);
        p.Mp3Index = p.TrackIndex;
        if (p.Mp3Index >= 0 && p.Mp3Index < media_.device.AlbumDirs.size())
            PlayMp3(media_.device.AlbumDirs[p.Mp3Index], 0);
    }
    for (int i : {0, 1})
        vcd.Label2[i]->setEnabled(true);
    SetMousePointer(Pointer::Default);
    p.SkipPoll = true;
}

void PlaybackController::PlayVCD(const QString& path)
{
    PlaybackState& p = media_.playback;
    FrmVCD& vcd = player_.Vcd();
    MediaProcedures(media_).StopAllMedia();
    p.MediaPath = path;
    player_.log.LogWrite("播放" + path);
    p.MediaKind = ExtName(path).toUpper();
    p.TimeUnits = p.MediaKind == "AVI" ? 10 : p.MediaKind == "MOV" ? 15 : 30;
    // A skin without a picture area plays video in the separate window.
    if (vcd.Image1->isHidden()) {
        DoEvents();
        Delay(0.1);
        p.ActiveMci = 1;
        vcd.Image1->hide();
        MciWindow& control = Active();
        control.SetFileName(QString());
        control.Command("Close");
        DoEvents();
        Delay(0.1);
        control.SetOpeningOption(true);
        control.SetTimeUnits(p.TimeUnits);
        control.SetFileName(path);
        control.SetSpeed(p.PlaySpeed);
        VideoWindow(player_).VCDResize();
        ApplyVolume();
        Delay(0.1);
        control.Command("Play");
        DoEvents();
    } else {
        p.ActiveMci = 0;
        Delay(0.1);
        MciWindow& control = Active();
        control.SetTimeUnits(p.TimeUnits);
        control.SetFileName(path);
        control.SetSpeed(p.PlaySpeed);
        // The control and the picture over it take the skin's picture area.
        vcd.MCIWnd1->setGeometry(vcd.Image1->geometry());
        vcd.VcdPic->setGeometry(vcd.Image1->geometry());
        control.SetShown(true);
        vcd.VcdPic->show();
        ApplyVolume();
        Delay(0.1);
        control.Command("Play");
        DoEvents();
    }
    p.CurFile = p.PlayMode == "VCD" ? path : FolderPart(path);
    p.CurTitle = p.CurFile;
}

void PlaybackController::PlayMp31()
{
    PlaybackState& p = media_.playback;
    p.PlayMode = "MP3";
    DoEvents();
    media_.view.ChkLab(true);
    Delay(0.1);
    if (player_.Set().Check5->isChecked()) {
        p.TrackIndex = 0;
        if (!media_.device.AlbumDirs.isEmpty())
            PlayMp3(media_.device.AlbumDirs[0], 0);
        ShowTime();
        media_.view.ChkMp3Menu();
    } else {
        media_.view.SetStatus("請選擇播放曲目 1~" + QString::number(media_.device.TrackCount));
        media_.view.RelayoutLabels();
    }
}

void PlaybackController::PlayMp3(const QString& album, int song)
{
    PlaybackState& p = media_.playback;
    p.SkipPoll = true;
    p.TimeUnits = 10;
    media_.view.SetStatus(QString());
    MediaProcedures(media_).StopAllMedia();
    const QStringList songs = media_.files.ListFiles(album, "*.Mp3");
    if (songs.isEmpty()) {
        ShowMessage(media_.prompter, "找不到 '" + album + "' 目錄", "error");
        return;
    }
    p.Mp3Index = song;
    p.AlbumFolder = album;
    p.CurTitle = songs.first();
    p.MediaKind = ExtName(songs.first()).toUpper();
    Active().Command("Stop");
    Active().Command("Close");
    p.CurFile = album;
    p.MediaPath = AlbumSong(album, song);
    // What plays decides the path it takes, an AVI of an album included.
    p.MediaKind = ExtName(p.MediaPath).toUpper();
    player_.log.LogWrite("播放-" + p.MediaPath);

    const QString lyrics = media_.view.LookUpLyrics(p.MediaPath);
    if (!lyrics.isEmpty() && media_.files.FileExists(lyrics)) {
        media_.view.SetPictureTimer(false);
    } else {
        media_.view.SetLyricsTip("歌詞須放在:" + lyrics);
        media_.view.ClearLyricsPath();
        media_.view.SetPictureTimer(true);
    }

    if (media_.files.FileExists(p.MediaPath)) {
        MciWindow& control = Active();
        control.Command("Stop");
        control.Command("Close");
        control.SetFileName(QString());
        DoEvents();
        Delay(0.1);
        // Songs count in milliseconds; the poll shows them in hundredths.
        control.SetTimeUnits(1000);
        // The control reports a file it cannot open while it is given the file, so the
        // flag is cleared before, and an error then keeps the file from playing.
        p.MediaError = false;
        control.SetFileName(p.MediaPath);
        if (p.MediaError) {
            media_.view.SetStatus("播放媒體錯誤");
        } else if (control.DeviceName().contains("Video") && !p.MediaKind.contains("MP3")) {
            control.SetFileName(QString());
            PlayVCD(p.MediaPath);
        } else {
            ApplyVolume();
            if (p.MediaError) {
                media_.view.SetStatus("播放媒體錯誤");
            } else {
                Delay(0.1);
                control.Command("Play");
            }
        }
    } else {
        media_.view.SetStatus("找不到'" + p.MediaPath + "'");
    }
    p.SkipPoll = false;
}

// The file to play: song k of the album's music files, or the album when it is a file.
QString PlaybackController::AlbumSong(const QString& album, int song)
{
    PlaybackState& p = media_.playback;
    FrmVCD& vcd = player_.Vcd();
    FrmMenu& menu = player_.Menu();
    if (!media_.files.FolderExists(album)) {
        p.AlbumSongCount = 0;
        menu.mSele->menuAction()->setEnabled(false);
        media_.view.UpdateAlbumMenu();
        return album;
    }
    // The song menu lists the album's music files in File1; the count and the song
    // played come from that list.
    vcd.File1.Path = album;
    media_.view.UpdateMenu();
    p.AlbumSongCount = int(vcd.File1.List.size());
    menu.mSele->menuAction()->setEnabled(true);
    media_.view.UpdateAlbumMenu();
    if (song < 0 || song >= vcd.File1.List.size())
        return PathJoin(album, QString());
    return PathJoin(album, vcd.File1.List[song]);
}

void PlaybackController::ChkCD(int action)
{
    PlaybackState& p = media_.playback;
    switch (action) {
    case 3:
        media_.view.VolumeDown();
        return;
    case 4:
        media_.view.VolumeUp();
        return;
    case 7:
        MediaProcedures(media_).EjectCd();
        return;
    case 8:
    case 9:
        return;
    case 10:
    case 11:
        if (p.PlayMode == "VCD") {
            SpeedSeek speed(player_, media_);
            if (action == 11)
                speed.Faster();
            else
                speed.Slower();
        } else if (p.PlayMode == "CDAudio" || p.PlayMode == "MP3") {
            if (action == 11)
                Next();
            else
                Previous();
        }
        return;
    default:
        break;
    }
    p.SkipPoll = true;
    if (p.PlayMode == "CDAudio")
        MediaProcedures(media_).ChkACD(action);
    else if (p.PlayMode == "VCD")
        ChkVCD(action);
    else if (p.PlayMode == "MP3")
        ChkMP3(action);
    p.SkipPoll = false;
}

void PlaybackController::ChkVCD(int action)
{
    PlaybackState& p = media_.playback;
    if (action == 1)
        p.UserStopped = true;
    if (action == 0 || action == 1)
        ChkMP3(action);
    else if (action == 2 || action == 5)
        Step(action);
}

void PlaybackController::ChkMP3(int action)
{
    PlaybackState& p = media_.playback;
    switch (action) {
    case 0:
        if (!p.CurFile.isEmpty()) {
            Active().Command("Play");
            media_.view.SetStatus("播放中");
        }
        break;
    case 1:
        media_.view.SetStatus("停止");
        Active().Command("Stop");
        p.IsPlaying = false;
        break;
    case 2:
    case 5:
        Step(action);
        break;
    default:
        break;
    }
}

void PlaybackController::Step(int action)
{
    PlaybackState& p = media_.playback;
    SpeedSeek(player_, media_).ChkSeekNum(p.TimeUnits);
    MciWindow& control = Active();
    const double position = control.Position();
    p.PlayLen = control.Length();
    const double move = p.SeekStep * p.TimeUnits;
    double target = action == 2 ? position - move : position + move;
    target = std::clamp(target, 0.0, std::max(0.0, p.PlayLen));
    control.Command("Stop");
    control.SetPosition(target);
    Delay(0.1);
    if (p.IsPlaying)
        control.Command("Play");
    ShowTime();
}

void PlaybackController::Previous()
{
    PlaybackState& p = media_.playback;
    if (p.PlayMode == "CDAudio") {
        p.TrackIndex = std::max(0, p.TrackIndex - 1);
        PlayCd(p.TrackIndex + 1);
        return;
    }
    --p.Mp3Index;
    if (p.Mp3Index >= 0) {
        PlayMp3(p.AlbumFolder, p.Mp3Index);
        return;
    }
    p.TrackIndex = std::max(0, p.TrackIndex - 1);
    PlayAlbum(p.TrackIndex);
}

void PlaybackController::Next()
{
    PlaybackState& p = media_.playback;
    if (p.PlayMode == "CDAudio") {
        ++p.TrackIndex;
        // Past the last track the disc starts again, at its first audio track.
        if (p.TrackIndex >= media_.device.TrackCount)
            p.TrackIndex = media_.device.MixedDisc ? 1 : 0;
        PlayCd(p.TrackIndex + 1);
        return;
    }
    ++p.Mp3Index;
    if (p.Mp3Index < p.AlbumSongCount) {
        PlayMp3(p.AlbumFolder, p.Mp3Index);
        return;
    }
    ++p.TrackIndex;
    if (p.TrackIndex >= media_.device.AlbumDirs.size())
        p.TrackIndex = 0;
    PlayAlbum(p.TrackIndex);
}

void PlaybackController::PlayAlbum(int index)
{
    PlaybackState& p = media_.playback;
    p.Mp3Index = 0;
    if (index < 0 || index >= media_.device.AlbumDirs.size())
        return;
    p.CurFile = media_.device.AlbumDirs[index];
    PlayMp3(p.CurFile, 0);
}

void PlaybackController::CheckItemEnd()
{
    PlaybackState& p = media_.playback;
    if (p.PlayLen == 0 || p.PlayPos < p.PlayLen)
        return;
    if (p.PlayMode == "VCD")
        EndOfVideo();
    else if (p.PlayMode == "MP3")
        EndOfSong();
}

void PlaybackController::EndOfVideo()
{
    PlaybackState& p = media_.playback;
    Active().Command("Stop");
    Delay(0.1);
    if (p.TrackIndex + 1 < media_.device.TrackCount) {
        ++p.TrackIndex;
        PlayVCD(media_.device.VcdFiles.value(p.TrackIndex));
        return;
    }
    FrmSet& set = player_.Set();
    if (set.Option2[0]->isChecked()) {
        p.TrackIndex = 0;
        PlayVCD(media_.device.VcdFiles.value(0));
    } else if (set.Option2[1]->isChecked()) {
        MediaProcedures(media_).EjectCd();
    }
}

void PlaybackController::EndOfSong()
{
    PlaybackState& p = media_.playback;
    Active().Command("Stop");
    Delay(0.1);
    if (p.Mp3Index + 1 < p.AlbumSongCount) {
        ++p.Mp3Index;
        PlayMp3(p.CurFile, p.Mp3Index);
        return;
    }
    ++p.TrackIndex;
    if (p.TrackIndex >= media_.device.AlbumDirs.size())
        p.TrackIndex = 0;
    PlayAlbum(p.TrackIndex);
}

void PlaybackController::StayOnTop(QWidget& window, bool on)
{
    const QRect geometry = window.geometry();
    const bool shown = window.isVisible();
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != on) {
        window.setAttribute(Qt::WA_ShowWithoutActivating, true);
        window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
        window.setGeometry(geometry);
    }
    if (on || shown)
        window.show();
}

MusicScanHooks PlaybackController::ScanHooks(Player& player)
{
    MusicScanHooks hooks;
    hooks.volumeSerial = [&player](const QString& path) {
        return DiscIdentity::SerialText(DiscIdentity::ReadSerial(player.platform.drives, path));
    };
    hooks.showDiscTitle = [&player](const QString& title) {
        player.Menu().mSele1M->setText(title);
        player.FindMusic().setWindowTitle("歌本管理 - " + title);
    };
    hooks.relayoutLabels = [&player] { player.Media().View().RelayoutLabels(); };
    hooks.fillPlayList = [&player](const QStringList& albums) {
        QListWidget* list = player.Vcd().PlayList;
        list->clear();
        for (const QString& album : albums) {
            auto* item = new QListWidgetItem(album, list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    };
    return hooks;
}

} // namespace tolvane
