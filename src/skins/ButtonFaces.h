#pragma once

namespace tolvane {

class Player;

// The skinned buttons, cut from the picture and cached.
class ButtonFaces
{
public:
    explicit ButtonFaces(Player& player) : player_(player) {}

    // Prepares the skinned objects; comes with button generation.
    void InitObj() {}

private:
    [[maybe_unused]] Player& player_;
};

} // namespace tolvane
