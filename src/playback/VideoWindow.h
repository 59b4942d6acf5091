#pragma once

namespace tolvane {

class Player;

// The separate window that video plays in.
class VideoWindow
{
public:
    explicit VideoWindow(Player& player) : player_(player) {}

    // Sizes and places the video window; comes with the video window.
    void VCDResize() {}
    // Fits the requested size to the screen and resizes; comes with the video window.
    void ChkVCDSize() {}

private:
    [[maybe_unused]] Player& player_;
};

} // namespace tolvane
