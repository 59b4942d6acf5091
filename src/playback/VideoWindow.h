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

private:
    [[maybe_unused]] Player& player_;
};

} // namespace tolvane
