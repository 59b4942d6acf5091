#pragma once

#include "platform/MediaPlayerBus.h"

namespace tolvane {

class ControlPanel;
class Context;
class Forms;
class PlaybackServices;

// The desktop's media keys and its "now playing": each key presses the control
// panel's button of the same name, so it does what a click does, and only while a
// click could (not while the main window is held by a classification or a scan).
class MediaKeys
{
public:
    MediaKeys(Context& context, Forms& forms, PlaybackServices& services)
        : context_(context), forms_(forms), services_(services)
    {
    }

    // The main window's buttons, once they are made.
    void Attach(ControlPanel& panel) { panel_ = &panel; }

    // The play button, unless something plays.
    void Play();
    // What halts the item where it is: the play button on an audio CD (pressed twice
    // when the disc started playing by itself, as the button then stands at "play"),
    // the stop button, which keeps the place, on a file.
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    // The time cursor let go that far from where the item is now, or at a position.
    void Seek(qint64 offsetUs);
    void SetPosition(qint64 positionUs);
    // The volume menu's entry nearest to `volume` (0 to 1).
    void SetVolume(double volume);

    // What plays now.
    NowPlaying Now();

private:
    bool Ready() const;
    void SeekAt(qint64 positionUs);

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    ControlPanel* panel_ = nullptr;
};

} // namespace tolvane
