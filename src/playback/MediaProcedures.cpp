#include "playback/MediaProcedures.h"

#include "app/DeviceState.h"
#include "app/Log.h"
#include "app/Messages.h"
#include "app/PlaybackState.h"
#include "app/Text.h"
#include "platform/Clock.h"
#include "platform/DosFiles.h"
#include "platform/DriveMap.h"
#include "platform/Mci.h"
#include "platform/Prompter.h"
#include "platform/VideoControl.h"

#include <QFile>
#include <cmath>

namespace tolvane {

namespace {

QString AtLeastTwo(long long n)
{
    return QString::number(n).rightJustified(2, '0');
}

// The numeric value of the leading digits of a reply, 0 without any.
int LeadingNumber(const QString& text)
{
    QString trimmed = text.trimmed();
    int end = 0;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    return trimmed.left(end).toInt();
}

} // namespace

MciWindow& ActiveMciWindow(MediaContext& media)
{
    return media.playback.ActiveMci == 1 ? media.playWnd : media.mainWnd;
}

QString HoursMinutesSeconds(double x)
{
    long long hours = static_cast<long long>(std::floor(x / 3600));
    long long minutes = static_cast<long long>(std::floor(x / 60)) % 60;
    // The last field is rounded, halves to the even neighbour, before the modulo.
    long long seconds = static_cast<long long>(std::nearbyint(x)) % 60;
    return AtLeastTwo(hours) + ":" + AtLeastTwo(minutes) + ":" + AtLeastTwo(seconds);
}

int MediaProcedures::Send(const QString& command)
{
    return c_.mci.SendString(command, nullptr, 0);
}

QString MediaProcedures::Ask(const QString& command)
{
    MciReplyBuffer& reply = c_.playback.MciReply;
    c_.mci.SendString(command, reply.Data(), MciReplyBuffer::kLength);
    return reply.Text();
}

void MediaProcedures::Delay(double seconds)
{
    c_.clock.Delay(seconds);
}

void MediaProcedures::PlayACD(int track)
{
    PlaybackState& p = c_.playback;
    MediaView& view = c_.view;
    view.HideSeparateWindow();
    view.SetStatus(QString());
    QString mode = Ask("Status CDAudio Mode").toUpper();
    view.SetScanLabel(mode);
    Send("Stop CDAudio");
    // The device is reopened unless it was playing.
    if (mode != "PLAYING") {
        Send("Close CDAudio");
        Send("Open CDAudio Shareable");
    }
    Send("Stop CDAudio ");
    view.SetScanLabel(QString::number(track));
    p.CurTitle = "Track" + QString::number(track);
    p.MediaPath.clear();
    QString cda = c_.device.CdromDrive + "\\Track" + AtLeastTwo(track) + ".cda";
    QString lyrics = view.LookUpLyrics(cda);
    view.ShowTime();
    Send("Set CDAudio Time format tmsf");
    Send("Seek CDAudio to " + QString::number(track));
    Send("Play CDAudio");
    view.SetPollTimer(true);
    if (!lyrics.isEmpty() && c_.files.FileExists(lyrics)) {
        view.SetPictureTimer(false);
    } else {
        view.SetLyricsTip("歌詞須放在:" + lyrics);
        view.ClearLyricsPath();
        view.SetPictureTimer(true);
    }
    view.SetSongMenus(false);
}

void MediaProcedures::ChkACD(PanelAction action)
{
    PlaybackState& p = c_.playback;
    c_.view.SetStatus(QString());
    switch (action) {
    case PanelAction::Play:
        if (p.CdRunning) {
            c_.view.SetPlayPicture(0);
            Send("Pause CDAudio");
        } else {
            c_.view.SetPlayPicture(1);
            Send("Play CDAudio");
        }
        p.CdRunning = !p.CdRunning;
        break;
    case PanelAction::Stop:
        Send("Stop CDAudio");
        p.CdRunning = false;
        break;
    case PanelAction::Back:
    case PanelAction::Forward:
        Ask("Status CDAudio position");
        p.SeekTarget = p.PlayPos + (action == PanelAction::Back ? -60 : 60);
        p.SeekTarget = std::clamp(p.SeekTarget, 0.0, std::max(0.0, p.PlayLen));
        ChkSeek();
        break;
    default:
        break;
    }
}

void MediaProcedures::ChkSeek()
{
    PlaybackState& p = c_.playback;
    if (p.PlayMode != MediaMode::CdAudio)
        return;
    Send("Stop CDAudio");
    Ask("Set CDAudio time format tmsf");
    QString track = Ask("Status CDAudio position").left(3);
    // Times 60 makes the three fields minutes, seconds and a frame field.
    QString target = HoursMinutesSeconds(p.SeekTarget * 60);
    Send("Seek CDAudio to " + track + target + " Wait");
    Ask("Status CDAudio position");
    if (p.IsPlaying)
        Send("play CDAudio");
    c_.view.ShowTime();
}

void MediaProcedures::EjectCd()
{
    PlaybackState& p = c_.playback;
    MediaView& view = c_.view;
    if (c_.device.CdromDriveType == kDriveCdrom) {
        p.PlayMode = MediaMode::None;
        view.SetStatus(QString());
        view.SetMainEnabled(false);
        StopAllMedia();
        Delay(0.1);
    }
    QString tray = Ask("Status CDAudio Mode").trimmed().left(4).toUpper();
    QString present = Ask("Status CDAudio media present").trimmed().left(5).toUpper();
    if (tray == "OPEN") {
        view.SetStatus("進片中,請稍後...");
        Send("Open CDAudio ");
        Send("Set CDAudio Door Closed");
        Delay(0.1);
        present = Ask("Status CDAudio media present").trimmed().left(5).toUpper();
    } else {
        p.PlayLen = 0;
        p.PlayPos = 0;
        p.TrackIndex = 0;
        c_.device.TrackCount = 0;
        view.ChkLab(true);
        view.ChkLabColor(-1);
        view.SetStatus("退片中,請稍後...");
        StopAllMedia();
        Delay(0.1);
        Send("Open CDAudio ");
        Send("Set CDAudio Door Open");
        Delay(0.1);
    }
    Delay(0.1);
    view.SetMainEnabled(true);
}

void MediaProcedures::StopAllMedia()
{
    MediaView& view = c_.view;
    view.SetPictureTimer(false);
    view.HideBackImage();
    c_.playWnd.Command("Stop");
    c_.playWnd.SetFileName(QString());
    c_.playWnd.Command("Close");
    view.HideSeparateWindow();
    c_.mainWnd.Command("Stop");
    c_.mainWnd.SetFileName(QString());
    c_.mainWnd.Command("Close");
    view.HideVideoPicture();
    Send("Stop CDAudio wait");
    Send("close CDAudio wait");
    view.HideSeparateWindow();
}

void MediaProcedures::ResetAllMedia()
{
    StopAllMedia();
    c_.device.TrackCount = 0;
    c_.view.ChkLab(true);
}

CdPollReplies MediaProcedures::PollCdStatus()
{
    const QString device = ModeTag(c_.playback.PlayMode);
    MciReplyBuffer& reply = c_.playback.MciReply;
    CdPollReplies replies;
    reply.Fill();
    replies.mode = Ask("Status " + device + " mode");
    Send("Set " + device + " time format tmsf Wait");
    reply.Fill();
    replies.currentTrack = Ask("Status " + device + " Current Track Wait");
    reply.Fill();
    replies.position = Ask("Status " + device + " position Wait");
    reply.Fill();
    replies.length = Ask("Status " + device + " length Track " +
                         QString::number(LeadingNumber(replies.currentTrack)));
    return replies;
}

QStringList MediaProcedures::TrackLengths(int count)
{
    QStringList lengths;
    Send("Set CDAudio time format tmsf ");
    for (int track = 1; track <= count; ++track)
        lengths.append(Ask("Status CDAudio length track " + QString::number(track)));
    return lengths;
}

void MediaProcedures::MCIWnd1_ExtendedError(int code)
{
    PlaybackState& p = c_.playback;
    p.MediaError = true;
    QString name = FileNamePart(p.MediaPath);
    if (code == kMciErrFileNotFound) {
        c_.view.SetStatus(name + "格式錯誤");
    } else if (code == kMciErrInvalidFile) {
        c_.view.SetStatus(name + "錯誤");
        QString text = "找不到可供播放" + ModeTag(p.PlayMode) + "的驅動程式\r\n" +
                       "強烈建議安裝 MicroSoft Active Movie V1.0 以上版本! \r\n" +
                       "或安裝好Win95(98)時,不要再安裝其它VCD播放程式.\r\n" +
                       "使用Win95(98)內建Active Movie V1.0(2.0).\r\n" +
                       "若您安裝的是其它的驅動程是可能導致部份功能喪失或當機!";
        ShowMessage(c_.prompter, text, "ERROR");
        // A file on a fixed disk that no driver plays is taken for a damaged one; it
        // goes to the trash, from where the user can bring it back.
        if (c_.device.CdromDriveType == kDriveFixed) {
            QString ask = p.MediaPath + "\r\n" + "若您已安裝驅動程式表式此檔以損壞!" + "\r\n" +
                          "是否要刪除此檔?";
            // Yes deletes: a second Enter after the driver message must not.
            if (ShowMessage(c_.prompter, ask, "yesno", kMbDefButton2) == "6")
                MoveToTrash(p.MediaPath);
        }
    } else if (code == kMciErrNoMidiSynth) {
        c_.view.SetStatus("ERROR:" + QString::number(code));
        c_.log.LogWrite("找不到 MIDI 音色庫");
        ShowMessage(c_.prompter,
                    "播放 MIDI 檔需要 General MIDI 音色庫 (SoundFont)。\r\n"
                    "請安裝 timgm6mb-soundfont 或 fluid-soundfont-gm 套件。",
                    "error");
    } else {
        c_.view.SetStatus("ERROR:" + QString::number(code));
    }
    StopAllMedia();
}

void MediaProcedures::MoveToTrash(const QString& dosPath)
{
    if (c_.files.MoveToTrash(dosPath)) {
        c_.log.LogWrite("移到垃圾桶-" + dosPath);
        return;
    }
    c_.log.LogWrite("無法移到垃圾桶-" + dosPath);
    ShowMessage(c_.prompter, dosPath + "\r\n無法移到垃圾桶,檔案保留原處。", "error");
}

void MediaProcedures::MCIWnd1_ExtendedModeChange(int mode)
{
    if (mode == kMciModePlay)
        c_.playback.IsPlaying = true;
}

void MediaProcedures::MCIWnd1_PositionChange()
{
    c_.view.ShowTime();
}

void MediaProcedures::Connect(MciWindow& window)
{
    window.onExtendedError = [this](int code) { MCIWnd1_ExtendedError(code); };
    window.onExtendedModeChange = [this](int mode) { MCIWnd1_ExtendedModeChange(mode); };
    window.onPositionChange = [this] { MCIWnd1_PositionChange(); };
    window.onError = [this] { MCIWnd1_Error(); };
}

} // namespace tolvane
