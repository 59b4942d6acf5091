#include "playback/TimeDisplay.h"

#include "app/Context.h"
#include "app/DeviceState.h"
#include "app/PlaybackState.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackServices.h"

#include <QRegularExpression>
#include <cmath>

namespace tolvane {

namespace {

QString AtLeastTwo(long long n)
{
    return QString::number(n).rightJustified(2, '0');
}

void ShowText(QLabel* label, const QString& text)
{
    // The poll runs twice a second: a label is written only when its text changes.
    if (label->text() != text)
        label->setText(text);
}

// Clears the poll's flags however the poll ends.
class PollScope
{
public:
    PollScope(bool& polling, bool& skip) : polling_(polling), skip_(skip)
    {
        polling_ = true;
        skip_ = true;
    }
    ~PollScope()
    {
        polling_ = false;
        skip_ = false;
    }
    PollScope(const PollScope&) = delete;
    PollScope& operator=(const PollScope&) = delete;

private:
    bool& polling_;
    bool& skip_;
};

// Seconds of "00:" + the first 5 characters of a minutes:seconds:frames text, plus
// its last two digits as hundredths.
double DiscSeconds(const QString& msf)
{
    return ParseTime("00:" + msf.left(5)) + LenientNumber(msf.right(2)) / 100;
}

} // namespace

QString MinutesSecondsHundredths(double x)
{
    long long minutes = static_cast<long long>(std::floor(x / 6000));
    long long seconds = static_cast<long long>(std::floor(x / 100)) % 60;
    long long hundredths = RoundHalfEven(x) % 100;
    return AtLeastTwo(minutes) + ":" + AtLeastTwo(seconds) + ":" + AtLeastTwo(hundredths);
}

int ParseTime(const QString& text)
{
    static const QRegularExpression time(R"(^\s*(\d{1,2}):(\d{1,2}):(\d{1,2})\s*$)");
    QRegularExpressionMatch match = time.match(text.left(8));
    if (!match.hasMatch())
        return 0;
    int hours = match.captured(1).toInt();
    int minutes = match.captured(2).toInt();
    int seconds = match.captured(3).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return 0;
    int total = hours * 3600 + minutes * 60 + seconds;
    return total > 32767 ? 0 : total;
}

TimeDisplay::TimeDisplay(MediaContext& media, MediaProcedures& procedures, FrmVCD& vcd)
    : media_(media), procedures_(procedures), vcd_(vcd)
{
}

void TimeDisplay::Timer1_Timer()
{
    if (!media_.playback.TimeBusy)
        ShowTime();
}

void TimeDisplay::ShowTime()
{
    PlaybackState& p = media_.playback;
    // The poll right after a start, and one started while another waits, do nothing.
    if (p.SkipPoll) {
        p.SkipPoll = false;
        return;
    }
    if (polling_)
        return;
    FileStatus file;
    if (p.PlayMode != MediaMode::CdAudio) {
        file = ReadFile();
        bool ended = file.length >= 1 && file.position >= file.length;
        if (file.mode != "playing" && !ended) {
            p.PlayPos = 0;
            p.PlayLen = 0;
            ShowPoint();
            return;
        }
    }
    PollScope scope(polling_, p.SkipPoll);
    if (p.PlayMode == MediaMode::Mp3)
        PollSong(file);
    else if (p.PlayMode == MediaMode::CdAudio)
        PollDisc();
    else if (p.PlayMode == MediaMode::Vcd)
        PollVideo(file);
    else if (p.PlayMode == MediaMode::None)
        NoMedia();
    if (hooks.followLyrics)
        hooks.followLyrics(PosText, p.PlayLen);
    bool timed = p.PlayLen > 0;
    vcd_.Label2[0]->setEnabled(timed);
    vcd_.Label2[1]->setEnabled(timed);
    if (timed)
        media_.view.ChkLabColor(p.TrackIndex);
}

TimeDisplay::FileStatus TimeDisplay::ReadFile()
{
    MciWindow& active = ActiveMciWindow(media_);
    return {active.Mode(), active.Position(), active.Length()};
}

void TimeDisplay::PollSong(const FileStatus& file)
{
    PlaybackState& p = media_.playback;
    p.PlayPos = file.position / p.TimeUnits;
    p.PlayLen = file.length / p.TimeUnits;
    // MP3 positions are hundredths of a second; other songs count seconds.
    if (p.MediaKind == "MP3") {
        PosText = MinutesSecondsHundredths(p.PlayPos);
        LenText = MinutesSecondsHundredths(p.PlayLen);
    } else {
        PosText = HoursMinutesSeconds(p.PlayPos);
        LenText = HoursMinutesSeconds(p.PlayLen);
    }
    ShowItemLine(SongLine());
    ShowPoint();
    EndOfItem();
}

QString TimeDisplay::SongLine() const
{
    const PlaybackState& p = media_.playback;
    QString name = FileNamePart(ActiveMciWindow(media_).FileName());
    QString album = ZeroPad(p.TrackIndex + 1, 2);
    if (p.AlbumSongCount == 0)
        return album + "/" + ZeroPad(media_.device.TrackCount, 2) + " " + name;
    return album + "-" + ZeroPad(p.Mp3Index + 1, 2) + " " + name;
}

void TimeDisplay::PollDisc()
{
    PlaybackState& p = media_.playback;
    CdPollReplies replies = procedures_.PollCdStatus();
    p.IsPlaying = replies.mode.left(7).toUpper() == "PLAYING";
    p.CdMode = replies.mode.trimmed().toLower();
    const int track = static_cast<int>(LenientNumber(replies.currentTrack));
    p.TrackIndex = track;
    PosText = replies.position.trimmed().mid(3);
    LenText = replies.length.left(8);
    p.PlayPos = DiscSeconds(PosText);
    p.PlayLen = DiscSeconds(LenText);
    ShowItemLine("<" + QString::number(track) + ">");
    ShowPoint();
    // A length of 0 is an unreadable reply, not the end of the disc.
    if (p.PlayLen > 0 && p.PlayPos >= p.PlayLen)
        procedures_.PlayACD(1);
    if (track != lastTrack_) {
        p.CurTitle = "Track" + QString::number(track);
        media_.view.LookUpLyrics(media_.device.CdromDrive + "\\Track" + ZeroPad(track, 2) + ".cda");
    }
    lastTrack_ = track;
    p.TrackIndex = track - 1;
}

void TimeDisplay::PollVideo(const FileStatus& file)
{
    PlaybackState& p = media_.playback;
    p.PlayPos = file.position / p.TimeUnits;
    p.PlayLen = file.length / p.TimeUnits;
    PosText = HoursMinutesSeconds(p.PlayPos);
    LenText = HoursMinutesSeconds(p.PlayLen);
    ShowItemLine(FileNamePart(p.CurFile));
    ShowPoint();
    EndOfItem();
}

void TimeDisplay::NoMedia()
{
    PlaybackState& p = media_.playback;
    p.PlayPos = 0;
    p.PlayLen = 0;
    ShowPoint();
    if (vcd_.LabNum.isEmpty() || !vcd_.LabNum[0]->isEnabledTo(&vcd_))
        return;
    procedures_.StopAllMedia();
    p.IsPlaying = false;
    vcd_.Label1->setText("請放入光碟片");
    vcd_.Label1->raise();
    procedures_.StopAllMedia();
}

void TimeDisplay::ShowItemLine(const QString& text)
{
    ShowText(vcd_.Label2[2], text);
}

void TimeDisplay::EndOfItem()
{
    if (hooks.endOfItem)
        hooks.endOfItem();
}

void TimeDisplay::ShowPoint()
{
    const PlaybackState& p = media_.playback;
    if (p.ButtonHeld)
        return;
    QWidget* bar = vcd_.PicCtl[9];
    QWidget* knob = vcd_.PicCtl[13];
    int left = bar->x();
    if (p.PlayLen != 0)
        left +=
            static_cast<int>(RoundHalfEven(p.PlayPos / p.PlayLen * (bar->width() - knob->width())));
    knob->move(left, knob->y());
    QLabel* pos = vcd_.Label2[0];
    QLabel* len = vcd_.Label2[1];
    if (p.PlayLen == 0) {
        ShowText(pos, "00:00:00");
        ShowText(len, "00:00:00");
        ShowText(vcd_.Label2[2], QString());
        pos->setEnabled(false);
        len->setEnabled(false);
        return;
    }
    ShowText(pos, PosText);
    ShowText(len, LenText);
    pos->setEnabled(true);
    len->setEnabled(true);
}

} // namespace tolvane
