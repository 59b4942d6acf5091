#pragma once

#include "app/MciReply.h"
#include "app/MediaMode.h"

#include <QString>

namespace tolvane {

// The shared playback state that the playback controller keeps.
struct PlaybackState
{
    MediaMode PlayMode = MediaMode::None;
    int TrackIndex = 0;
    int Mp3Index = 0;
    int AlbumSongCount = 0; // songs of the current album when it is a folder, else 0
    QString AlbumFolder;    // the current album
    double PlayPos = 0;
    double PlayLen = 0;
    double SeekTarget = 0;
    double SeekStep = 0;
    QString CurFile;
    QString CurTitle;
    QString MediaPath;
    QString MediaKind;
    int TimeUnits = 1000;
    int ActiveMci = 0;
    bool IsPlaying = false;
    bool SkipPoll = false;
    bool UserStopped = false;
    bool MediaError = false;
    int PlaySpeed = 1000;  // thousandths of normal speed
    int Volume = 1000;     // 0 to 1000
    bool TimeBusy = false; // the time display's busy flag
    bool ButtonHeld = false;
    int PressOffsetX = 1; // how far a pressed button face is drawn shifted
    int PressOffsetY = 1;
    int VideoExtraWidth = 8; // added to the video picture when sizing the video window
    int VideoExtraHeight = 27;
    bool CheckVideoSize = true;
    bool CdRunning = false; // the audio CD runs under the play/pause button
    QString CdMode;         // the audio CD's mode as the poll read it last, in lower case
    MciReplyBuffer MciReply;
};

} // namespace tolvane
