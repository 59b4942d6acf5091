#pragma once

#include "app/AppState.h"
#include "app/Ini.h"
#include "app/Log.h"
#include "app/Settings.h"
#include "discovery/DeviceState.h"
#include "platform/Platform.h"
#include "playback/PlaybackState.h"
#include "skins/SkinState.h"

#include <QSet>
#include <QStringList>
#include <memory>

namespace tolvane {

class FrmColor;
class FrmCutSet;
class FrmFindMusic;
class FrmMenu;
class VideoControl;
class MciWindow;
class FrmPlay;
class MainMediaView;
class MediaProcedures;
struct MediaContext;
class FrmProg;
class FrmReadme;
class FrmSeleDir;
class FrmSet;
class FrmTemp;
class FrmVCD;
class SystemVolume;
class TimeDisplay;
class VolumeControl;

// The one context of a run: the platform services, the shared state and the windows.
// Windows are created on first use and then only hidden and shown.
class Player
{
public:
    explicit Player(Platform& platform);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    Platform& platform;
    Log log;
    Settings settings;
    Ini ini;
    AppState app;
    PlaybackState playback;
    DeviceState device;
    SkinState skin;

    FrmVCD& Vcd();
    FrmSet& Set();
    FrmTemp& Temp();
    FrmReadme& Readme();
    FrmMenu& Menu();
    FrmCutSet& CutSet();
    FrmColor& Color();
    FrmFindMusic& FindMusic();
    FrmProg& Prog();
    FrmPlay& Play();
    FrmSeleDir& SeleDir();
    // The media procedures over both video controls and the audio CD device.
    MediaProcedures& Media();
    MediaContext& MediaServices();
    // Tests play through other video controls; call before the first Media().
    void UseVideoControls(MciWindow& main, MciWindow& separate);
    // The time labels and their poll.
    TimeDisplay& Time();
    // The volume level on the playing control and the system's outputs.
    VolumeControl& Volume();
    // The system's outputs; without one the ALSA mixer is used. Call before Volume().
    void UseSystemVolume(SystemVolume& outputs) { systemVolume_ = &outputs; }

    // A window made and not unloaded since.
    bool IsLoaded(const QString& window);
    // Hides a loaded window and stops its timers; it then counts as not loaded. The
    // window and the media services stay until the player goes: procedures further up
    // the stack (the exit may start inside their waits) still hold them.
    void Unload(const QString& window);
    // The names of every window, in the order the exit unloads them.
    static const QStringList& UnloadOrder();

    // Ends the process once the lines of the log are written: nothing runs after it.
    void EndProcess(int code = 0);
    bool Ended() const { return ended_; }

private:
    void Prepare(VideoControl& control);
    template <typename Act> bool WithWindow(const QString& window, Act&& act);

    // Outlives the windows: their destruction still asks what is loaded.
    QSet<QString> unloaded_;
    std::unique_ptr<FrmVCD> vcd_;
    std::unique_ptr<FrmSet> set_;
    std::unique_ptr<FrmTemp> temp_;
    std::unique_ptr<FrmReadme> readme_;
    std::unique_ptr<FrmMenu> menu_;
    std::unique_ptr<FrmCutSet> cutSet_;
    std::unique_ptr<FrmColor> color_;
    std::unique_ptr<FrmFindMusic> findMusic_;
    std::unique_ptr<FrmProg> prog_;
    std::unique_ptr<FrmPlay> play_;
    std::unique_ptr<FrmSeleDir> seleDir_;
    std::unique_ptr<MainMediaView> mediaView_;
    std::unique_ptr<MediaContext> mediaContext_;
    std::unique_ptr<MediaProcedures> media_;
    MciWindow* mainWindowControl_ = nullptr;
    MciWindow* separateWindowControl_ = nullptr;
    std::unique_ptr<TimeDisplay> time_;
    std::unique_ptr<SystemVolume> alsaVolume_;
    SystemVolume* systemVolume_ = nullptr;
    std::unique_ptr<VolumeControl> volume_;
    bool ended_ = false;
    bool itemEndPending_ = false;
};

} // namespace tolvane
