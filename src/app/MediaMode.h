#pragma once

#include <QString>

namespace tolvane {

// What the current device holds, as classification found it.
enum class MediaMode { None, Vcd, CdAudio, Mp3, Cdrom };

// The mode's tag as the log and the messages show it; the audio CD's is also the
// name of its device.
inline QString ModeTag(MediaMode mode)
{
    switch (mode) {
    case MediaMode::Vcd: return QStringLiteral("VCD");
    case MediaMode::CdAudio: return QStringLiteral("CDAudio");
    case MediaMode::Mp3: return QStringLiteral("MP3");
    case MediaMode::Cdrom: return QStringLiteral("CDROM");
    case MediaMode::None: break;
    }
    return QString();
}

// The buttons of the control panel by their index, which is also the action the
// playback controller takes for the button.
enum class PanelAction {
    Play,     // play, pause on an audio CD
    Stop,
    Back,     // left: seek back
    Quieter,
    Louder,
    Forward,  // left: seek forward
    Capture,  // continuous frame capture
    Eject,
    Exit,
    Track,    // the time cursor's track
    Previous, // previous item, slower on a Video CD
    Next,     // next item, faster on a Video CD
    Hide,     // hide the panel
    Knob,     // the time cursor
};

} // namespace tolvane
