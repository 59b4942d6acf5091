#pragma once

#include "app/MediaMode.h"

#include <QString>
#include <QStringList>

namespace tolvane {

class Clock;
class DosFiles;
class Log;
class Mci;
class MciWindow;
class Prompter;
struct DeviceState;
struct PlaybackState;

// What the audio CD and stop-everything procedures do to the main window and its
// neighbours; the main window implements it.
class MediaView
{
public:
    virtual ~MediaView() = default;
    virtual void SetStatus(const QString& text) = 0;    // Label1, repainted
    virtual void SetScanLabel(const QString& text) = 0; // the hidden LabelScan
    virtual void SetLyricsTip(const QString& text) = 0; // tool tip of element 2 of Label2
    // The play button (element 0 of ImageButton1) takes element i of ImagePause.
    virtual void SetPlayPicture(int pauseIndex) = 0;
    virtual void SetPollTimer(bool enabled) = 0;    // Timer1
    virtual void SetPictureTimer(bool enabled) = 0; // TimerBMP
    virtual void SetSongMenus(bool enabled) = 0;    // mSele and mSele1
    virtual void SetMainEnabled(bool enabled) = 0;
    virtual void HideSeparateWindow() = 0; // FrmPlay
    virtual void HideBackImage() = 0;      // ImageBack
    virtual void HideVideoPicture() = 0;   // VcdPic
    virtual void ChkLab(bool empty) = 0;   // rebuilds the track labels
    virtual void ChkLabColor(int index) = 0;
    virtual void ShowTime() = 0;
    // Looks up the lyrics of a media file, which sets the lyrics path; returns it.
    virtual QString LookUpLyrics(const QString& mediaPath) = 0;
    virtual void ClearLyricsPath() = 0;
    // The time cursor, the volume, the song menus and the label layout: a view
    // without them leaves these empty.
    virtual void ShowPoint() {}
    virtual void SetVolume() {}
    virtual void VolumeDown() {}
    virtual void VolumeUp() {}
    virtual void ChkMp3Menu() {}
    virtual void UpdateMenu() {}      // the album's song menu
    virtual void UpdateAlbumMenu() {} // the album list menu
    virtual void RelayoutLabels() {}
};

// The services the procedures stand on, by reference.
struct MediaContext
{
    Mci& mci;
    MciWindow& mainWnd; // MCIWnd1 of frmVCD
    MciWindow& playWnd; // MCIWnd1 of FrmPlay
    MediaView& view;
    Clock& clock;
    Prompter& prompter;
    DosFiles& files;
    PlaybackState& playback;
    DeviceState& device;
    Log& log;
};

// The video control in use: ActiveMci 1 is the separate window's, any other value
// the main window's.
MciWindow& ActiveMciWindow(MediaContext& media);

// The five replies of one audio CD poll, in the order they were asked.
struct CdPollReplies
{
    QString mode;
    QString currentTrack;
    QString position;
    QString length;
};

// Hours-minutes-seconds of a number of seconds: three fields of at least two digits.
QString HoursMinutesSeconds(double seconds);

// The MCI commands and audio CD control of the main window: the audio CD device is
// always named "CDAudio" and shared; the video controls play every file.
class MediaProcedures
{
public:
    explicit MediaProcedures(MediaContext& context) : c_(context) {}

    MediaView& View() { return c_.view; }
    MediaContext& Context() { return c_; }

    void PlayACD(int track);
    // 0 play/pause, 1 stop, 2 back 60 s, 5 forward 60 s; others do nothing.
    void ChkACD(PanelAction action);
    // The audio CD seek to SeekTarget; other media are left to the file seek.
    void ChkSeek();
    void EjectCd();
    void StopAllMedia();
    void ResetAllMedia();
    void Delay(double seconds);

    // The status strings of the periodic poll, with PlayMode as the device.
    CdPollReplies PollCdStatus();
    // The replies for the track buttons' tool tips, tracks 1 to count.
    QStringList TrackLengths(int count);

    void MCIWnd1_ExtendedError(int code);
    void MCIWnd1_ExtendedModeChange(int mode);
    void MCIWnd1_PositionChange();
    void MCIWnd1_Error() {}

    // Hooks a video control's events to the handlers above.
    void Connect(MciWindow& window);

private:
    void MoveToTrash(const QString& dosPath);
    int Send(const QString& command);
    QString Ask(const QString& command);

    MediaContext& c_;
};

} // namespace tolvane
