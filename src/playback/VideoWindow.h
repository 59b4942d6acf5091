#pragma once

namespace tolvane {

class Player;

// The separate window that video plays in.
class VideoWindow
{
public:
    explicit VideoWindow(Player& player) : player_(player) {}

    // The separate window keeps the size and place it has: these do nothing.
    void VCDResize() {}
    void ChkVCDSize() {}

private:
    [[maybe_unused]] Player& player_;
};

} // namespace tolvane
