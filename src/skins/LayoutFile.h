#pragma once

namespace tolvane {

class Player;

// The skin layout file: positions, sizes and colours of the skinned objects.
class LayoutFile
{
public:
    explicit LayoutFile(Player& player) : player_(player) {}

    // Writes the window's built-in layout into `IniFile`; comes with the layout file.
    void WriteDefaultLayout();
    // Reads the layout of `IniFile` into the skinned objects; comes with it too.
    void ReadLayout();

private:
    [[maybe_unused]] Player& player_;
};

} // namespace tolvane
