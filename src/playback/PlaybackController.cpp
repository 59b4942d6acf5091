#include "playback/PlaybackController.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/MousePointer.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmMenu.h"
#include "forms/FrmPlay.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "platform/Clock.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackServices.h"
#include "playback/SpeedSeek.h"
#include "playback/VideoWindow.h"

#include <algorithm>

namespace tolvane {

PlaybackController::PlaybackController(Context& context, Forms& forms, PlaybackServices& services,
                                       SpeedSeek& speed)
    : context_(context), forms_(forms), services_(services), speed_(speed)
{
}

MediaContext& PlaybackController::Media()
{
    return services_.MediaServices();
}

MciWindow& PlaybackController::Active()
{
    return ActiveMciWindow(Media());
}

void PlaybackController::Delay(double seconds)
{
    Media().clock.Delay(seconds);
}

void PlaybackController::DoEvents()
{
    Media().clock.DoEvents();
}

void PlaybackController::ShowTime()
{
    Media().view.ShowTime();
}

void PlaybackController::ShowPoint()
{
    // The time labels follow the poll's values; the poll draws them.
    Media().view.ShowPoint();
}

void PlaybackController::ApplyVolume()
{
    Media().view.SetVolume();
}

void PlaybackController::PlayCd(int item)
{
    PlaybackState& p = Media().playback;
    FrmVCD& vcd = forms_.Vcd();
    p.SkipPoll = true;
    Media().view.SetStatus(QString());
    SetMousePointer(Pointer::Hourglass);
    p.TrackIndex = item - 1;
    Media().view.SetPollTimer(false);
    for (int i : {0, 1}) {
        vcd.Label2[i]->setText("00:00:00");
        vcd.Label2[i]->setEnabled(false);
    }
    p.PlayPos = 0;
    ShowPoint();
    Media().view.SetPollTimer(false);
    if (p.PlayMode == MediaMode::Vcd) {
        StayOnTop(vcd, true);
        if (p.TrackIndex >= 0 && p.TrackIndex < Media().device.VcdFiles.size()) {
            p.CurFile = Media().device.VcdFiles[p.TrackIndex];
            PlayVCD(p.CurFile);
        }
    } else if (p.PlayMode == MediaMode::CdAudio) {
        StayOnTop(vcd, false);
        services_.Media().PlayACD(item);
        forms_.Vcd().Timer1->setInterval(kPollMilliseconds);
        Media().view.SetPollTimer(true);
    } else if (p.PlayMode == MediaMode::Mp3) {
        StayOnTop(vcd, false);
        p.Mp3Index = p.TrackIndex;
        if (p.Mp3Index >= 0 && p.Mp3Index < Media().device.AlbumDirs.size())
            PlayMp3(Media().device.AlbumDirs[p.Mp3Index], 0);
    }
    for (int i : {0, 1})
        vcd.Label2[i]->setEnabled(true);
    SetMousePointer(Pointer::Default);
    p.SkipPoll = true;
}

void PlaybackController::PlayVCD(const QString& path)
{
    PlaybackState& p = Media().playback;
    FrmVCD& vcd = forms_.Vcd();
    forms_.Menu().mCutBmp->setEnabled(true);
    forms_.Menu().mCutBmp1->setEnabled(true);
    services_.Media().StopAllMedia();
    p.MediaPath = path;
    context_.log.LogWrite("播放" + path);
    p.MediaKind = ExtName(path).toUpper();
    p.TimeUnits = p.MediaKind == "AVI" ? 10 : p.MediaKind == "MOV" ? 15 : 30;
    // Set before the file opens: the video window's title names it.
    p.CurFile = p.PlayMode == MediaMode::Vcd ? path : FolderPart(path);
    p.CurTitle = p.CurFile;
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
        services_.Video().FileOpened();
        forms_.Play().show();
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
}

void PlaybackController::PlayMp31()
{
    PlaybackState& p = Media().playback;
    p.PlayMode = MediaMode::Mp3;
    DoEvents();
    Media().view.ChkLab(true);
    Delay(0.1);
    if (forms_.Set().Check5->isChecked()) {
        p.TrackIndex = 0;
        if (!Media().device.AlbumDirs.isEmpty())
            PlayMp3(Media().device.AlbumDirs[0], 0);
        ShowTime();
        Media().view.ChkMp3Menu();
    } else {
        Media().view.SetStatus("請選擇播放曲目 1~" + QString::number(Media().device.TrackCount));
        Media().view.RelayoutLabels();
    }
}

void PlaybackController::PlayMp3(const QString& album, int song)
{
    PlaybackState& p = Media().playback;
    p.SkipPoll = true;
    p.TimeUnits = 10;
    Media().view.SetStatus(QString());
    services_.Media().StopAllMedia();
    QStringList songs = Media().files.ListFiles(album, "*.Mp3");
    // An entry of a play list is a file: it is its own album's song.
    if (songs.isEmpty() && Media().files.FileExists(album))
        songs.append(FileNamePart(album));
    if (songs.isEmpty()) {
        ShowMessage(Media().prompter, "找不到 '" + album + "' 目錄", "error");
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
    context_.log.LogWrite("播放-" + p.MediaPath);

    const QString lyrics = Media().view.LookUpLyrics(p.MediaPath);
    if (!lyrics.isEmpty() && Media().files.FileExists(lyrics)) {
        Media().view.SetPictureTimer(false);
    } else {
        Media().view.SetLyricsTip("歌詞須放在:" + lyrics);
        Media().view.ClearLyricsPath();
        Media().view.SetPictureTimer(true);
    }

    if (Media().files.FileExists(p.MediaPath)) {
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
            Media().view.SetStatus("播放媒體錯誤");
        } else if (control.DeviceName().contains("Video") && !p.MediaKind.contains("MP3")) {
            control.SetFileName(QString());
            PlayVCD(p.MediaPath);
        } else {
            ApplyVolume();
            if (p.MediaError) {
                Media().view.SetStatus("播放媒體錯誤");
            } else {
                Delay(0.1);
                control.Command("Play");
            }
        }
    } else {
        Media().view.SetStatus("找不到'" + p.MediaPath + "'");
    }
    p.SkipPoll = false;
}

// The file to play: song k of the album's music files, or the album when it is a file.
QString PlaybackController::AlbumSong(const QString& album, int song)
{
    PlaybackState& p = Media().playback;
    FrmVCD& vcd = forms_.Vcd();
    FrmMenu& menu = forms_.Menu();
    if (!Media().files.FolderExists(album)) {
        p.AlbumSongCount = 0;
        menu.mSele->menuAction()->setEnabled(false);
        Media().view.UpdateAlbumMenu();
        return album;
    }
    // The song menu lists the album's music files in File1; the count and the song
    // played come from that list.
    vcd.File1.Path = album;
    Media().view.UpdateMenu();
    p.AlbumSongCount = int(vcd.File1.List.size());
    menu.mSele->menuAction()->setEnabled(true);
    Media().view.UpdateAlbumMenu();
    if (song < 0 || song >= vcd.File1.List.size())
        return PathJoin(album, QString());
    return PathJoin(album, vcd.File1.List[song]);
}

void PlaybackController::ChkCD(PanelAction action)
{
    PlaybackState& p = Media().playback;
    switch (action) {
    case PanelAction::Quieter:
        Media().view.VolumeDown();
        return;
    case PanelAction::Louder:
        Media().view.VolumeUp();
        return;
    case PanelAction::Eject:
        services_.Media().EjectCd();
        return;
    case PanelAction::Exit:
    case PanelAction::Track:
        return;
    case PanelAction::Previous:
    case PanelAction::Next:
        if (p.PlayMode == MediaMode::Vcd) {
            SpeedSeek& speed = speed_;
            if (action == PanelAction::Next)
                speed.Faster();
            else
                speed.Slower();
        } else if (p.PlayMode == MediaMode::CdAudio || p.PlayMode == MediaMode::Mp3) {
            if (action == PanelAction::Next)
                Next();
            else
                Previous();
        }
        return;
    default:
        break;
    }
    p.SkipPoll = true;
    if (p.PlayMode == MediaMode::CdAudio)
        services_.Media().ChkACD(action);
    else if (p.PlayMode == MediaMode::Vcd)
        ChkVCD(action);
    else if (p.PlayMode == MediaMode::Mp3)
        ChkMP3(action);
    p.SkipPoll = false;
}

void PlaybackController::ChkVCD(PanelAction action)
{
    PlaybackState& p = Media().playback;
    if (action == PanelAction::Stop)
        p.UserStopped = true;
    if (action == PanelAction::Play || action == PanelAction::Stop)
        ChkMP3(action);
    else if (action == PanelAction::Back || action == PanelAction::Forward)
        Step(action);
}

void PlaybackController::ChkMP3(PanelAction action)
{
    PlaybackState& p = Media().playback;
    switch (action) {
    case PanelAction::Play:
        if (!p.CurFile.isEmpty()) {
            Active().Command("Play");
            Media().view.SetStatus("播放中");
        }
        break;
    case PanelAction::Stop:
        Media().view.SetStatus("停止");
        Active().Command("Stop");
        p.IsPlaying = false;
        break;
    case PanelAction::Back:
    case PanelAction::Forward:
        Step(action);
        break;
    default:
        break;
    }
}

void PlaybackController::Step(PanelAction action)
{
    PlaybackState& p = Media().playback;
    speed_.ChkSeekNum(p.TimeUnits);
    MciWindow& control = Active();
    const double position = control.Position();
    p.PlayLen = control.Length();
    const double move = p.SeekStep * p.TimeUnits;
    double target = action == PanelAction::Back ? position - move : position + move;
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
    PlaybackState& p = Media().playback;
    if (p.PlayMode == MediaMode::CdAudio) {
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
    PlaybackState& p = Media().playback;
    if (p.PlayMode == MediaMode::CdAudio) {
        ++p.TrackIndex;
        // Past the last track the disc starts again, at its first audio track.
        if (p.TrackIndex >= Media().device.TrackCount)
            p.TrackIndex = Media().device.MixedDisc ? 1 : 0;
        PlayCd(p.TrackIndex + 1);
        return;
    }
    NextSong();
}

// The next song of the album, else the next album's first, the first album after the
// last.
void PlaybackController::NextSong()
{
    PlaybackState& p = Media().playback;
    if (p.Mp3Index + 1 < p.AlbumSongCount) {
        ++p.Mp3Index;
        PlayMp3(p.AlbumFolder, p.Mp3Index);
        return;
    }
    ++p.TrackIndex;
    if (p.TrackIndex >= Media().device.AlbumDirs.size())
        p.TrackIndex = 0;
    PlayAlbum(p.TrackIndex);
}

void PlaybackController::PlayAlbum(int index)
{
    PlaybackState& p = Media().playback;
    p.Mp3Index = 0;
    if (index < 0 || index >= Media().device.AlbumDirs.size())
        return;
    p.CurFile = Media().device.AlbumDirs[index];
    PlayMp3(p.CurFile, 0);
}

void PlaybackController::CheckItemEnd()
{
    PlaybackState& p = Media().playback;
    if (p.PlayLen == 0 || p.PlayPos < p.PlayLen)
        return;
    if (p.PlayMode == MediaMode::Vcd)
        EndOfVideo();
    else if (p.PlayMode == MediaMode::Mp3)
        EndOfSong();
}

void PlaybackController::EndOfVideo()
{
    PlaybackState& p = Media().playback;
    Active().Command("Stop");
    Delay(0.1);
    if (p.TrackIndex + 1 < Media().device.TrackCount) {
        ++p.TrackIndex;
        PlayVCD(Media().device.VcdFiles.value(p.TrackIndex));
        return;
    }
    FrmSet& set = forms_.Set();
    if (set.Option2[0]->isChecked()) {
        p.TrackIndex = 0;
        PlayVCD(Media().device.VcdFiles.value(0));
    } else if (set.Option2[1]->isChecked()) {
        services_.Media().EjectCd();
    }
}

void PlaybackController::EndOfSong()
{
    Active().Command("Stop");
    Delay(0.1);
    NextSong();
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

} // namespace tolvane
