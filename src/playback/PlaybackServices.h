#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace tolvane {

class AlsaSystemVolume;
class Context;
class Forms;
class MciWindow;
class MediaProcedures;
class MediaView;
class SystemVolume;
class TimeDisplay;
class VideoWindow;
class VolumeControl;
struct MediaContext;

// The playback services of a run, each made when first asked for: the media
// procedures over both video controls and the audio CD device, the time display and
// the volume.
class PlaybackServices
{
public:
    PlaybackServices(Context& context, Forms& forms);
    ~PlaybackServices();
    PlaybackServices(const PlaybackServices&) = delete;
    PlaybackServices& operator=(const PlaybackServices&) = delete;

    // The window that shows what the procedures report; given before the first Media().
    void UseView(MediaView& view) { view_ = &view; }
    // Tests play through other video controls; call before the first Media().
    void UseVideoControls(MciWindow& main, MciWindow& separate);
    // The system's outputs; without one the ALSA mixer is used. Call before Volume().
    void UseSystemVolume(SystemVolume& outputs) { systemVolume_ = &outputs; }

    MediaProcedures& Media();
    MediaContext& MediaServices();
    // The time labels and their poll.
    TimeDisplay& Time();
    // The volume level on the playing control and the system's outputs.
    VolumeControl& Volume();
    // The separate video window's sizes.
    VideoWindow& Video();

    // Run once an item has ended, after the engine's event that ended it is handled.
    std::function<void()> itemEnded;
    // Each poll's elapsed time ("mm:ss:ff"), for the lyrics to follow.
    std::function<void(const QString& posText)> followLyrics;

private:
    Context& context_;
    Forms& forms_;
    MediaView* view_ = nullptr;
    MciWindow* mainWindowControl_ = nullptr;
    MciWindow* separateWindowControl_ = nullptr;
    SystemVolume* systemVolume_ = nullptr;
    std::unique_ptr<MediaContext> mediaContext_;
    std::unique_ptr<MediaProcedures> media_;
    std::unique_ptr<TimeDisplay> time_;
    std::unique_ptr<AlsaSystemVolume> alsaVolume_;
    std::unique_ptr<VolumeControl> volume_;
    std::unique_ptr<VideoWindow> video_;
    bool itemEndPending_ = false;
};

} // namespace tolvane
