#pragma once

namespace tolvane {

class Player;

// The main window's own settings: read at start-up, written at exit.
class FormData
{
public:
    explicit FormData(Player& player) : player_(player) {}

    void ReadFormData();
    void SaveFormData();

private:
    Player& player_;
};

} // namespace tolvane
