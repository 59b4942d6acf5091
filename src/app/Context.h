#pragma once

#include "app/AppState.h"
#include "app/DeviceState.h"
#include "app/Ini.h"
#include "app/Log.h"
#include "app/PlaybackState.h"
#include "app/Settings.h"
#include "app/SkinState.h"
#include "platform/Platform.h"

namespace tolvane {

// What every subsystem of a run shares: the platform services, the settings, the
// log and the state. Made once and passed by reference.
class Context
{
public:
    explicit Context(Platform& platform);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    Platform& platform;
    Log log;
    Settings settings;
    Ini ini;
    AppState app;
    PlaybackState playback;
    DeviceState device;
    SkinState skin;

    // Ends the process once the lines of the log are written: nothing runs after it.
    void EndProcess(int code = 0);
    bool Ended() const { return ended_; }

private:
    bool ended_ = false;
};

} // namespace tolvane
