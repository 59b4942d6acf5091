#include "playback/MediaControl.h"

#include "app/Player.h"

namespace tolvane {

void MediaControl::ResetAllMedia()
{
    StopAllMedia();
    player_.device.TrackCount = 0;
}

} // namespace tolvane
