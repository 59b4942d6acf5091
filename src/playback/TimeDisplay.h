#pragma once

namespace tolvane {

class Player;

// The time labels and the time cursor of the main window.
class TimeDisplay
{
public:
    explicit TimeDisplay(Player& player) : player_(player) {}

    // Draws the time cursor; comes with the time display.
    void ShowPoint() {}

private:
    [[maybe_unused]] Player& player_;
};

} // namespace tolvane
