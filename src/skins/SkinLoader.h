#pragma once

#include <QString>

namespace tolvane {

class Player;

// Choosing and loading the skin of the main window.
class SkinLoader
{
public:
    explicit SkinLoader(Player& player) : player_(player) {}

    // Checks the skin catalogue; comes with the skin catalogue.
    void ChkDeskFile();
    // Warns when the screen size changed since the skin was chosen; comes with it too.
    void ScreenResize();
    // Resolves the chosen skin's picture and its layout file.
    void ChkDeskName();
    // The layout file of the chosen skin; empty while skins have none.
    QString LayoutFile() const { return layoutFile_; }
    // Shows the skin picture as the window at its own size.
    void DeskUpdate();

    static QString DefaultSkinPicture(const QString& programFolder);

private:
    Player& player_;
    QString layoutFile_;
};

} // namespace tolvane
