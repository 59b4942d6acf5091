#pragma once

#include <QString>
#include <functional>

namespace tolvane {

class FrmVCD;
class MciWindow;
class MediaProcedures;
struct MediaContext;

// Minutes-seconds-hundredths of a number of hundredths: three fields of at least
// two digits joined by ":".
QString MinutesSecondsHundredths(double hundredths);
// Whole seconds of a time of day "hh:mm:ss" (its first 8 characters); 0 when the
// text is no time of day or the seconds do not fit 16 bits.
int ParseTime(const QString& text);

// What the poll hands to the playback controller and the lyrics; unset ones do nothing.
struct TimeDisplayHooks
{
    // The end-of-item test for files, after each poll that read a position.
    std::function<void()> endOfItem;
    // The lyrics follow the song: the position text of this poll and the length.
    std::function<void(const QString& posText, double length)> followLyrics;
};

// The time labels (elements 0 to 2 of Label2) and the knob of the position bar,
// kept current by a poll of the device that plays.
class TimeDisplay
{
public:
    TimeDisplay(MediaContext& media, MediaProcedures& procedures, FrmVCD& vcd);

    // One poll: reads position and length, writes the labels, moves the knob.
    void ShowTime();
    // Redraws the labels and the knob from what the last poll left; does nothing
    // while the user holds the knob (the button-held flag).
    void ShowPoint();
    // The poll timer's tick; the start-up and the control panel hold it off with the
    // time display's busy flag.
    void Timer1_Timer();

    QString PosText; // for element 0
    QString LenText; // for element 1
    TimeDisplayHooks hooks;

private:
    struct FileStatus
    {
        QString mode;
        double position = 0;
        double length = 0;
    };

    FileStatus ReadFile();
    void PollSong(const FileStatus& file);
    void PollDisc();
    void PollVideo(const FileStatus& file);
    void NoMedia();
    QString SongLine() const;
    void ShowItemLine(const QString& text);
    void EndOfItem();

    MediaContext& media_;
    MediaProcedures& procedures_;
    FrmVCD& vcd_;
    int lastTrack_ = 0; // the audio CD track of the previous poll
    bool polling_ = false;
};

} // namespace tolvane
