#pragma once

#include <QString>

namespace tolvane {

class Player;

// The procedures of the settings window: loading it, reading all settings into its
// controls and writing them back.
class SettingsWindow
{
public:
    explicit SettingsWindow(Player& player) : player_(player) {}

    // Creates the window when not loaded yet and runs its load.
    void Load();
    void ReadSetData();
    void SaveSetData();
    // Rebuilds the search pattern from the selected file types.
    void ChkPatten();
    static QString ChkExtName(const QString& text);
    void Check1Click();
    void Check3Click();

private:
    void FormLoad();
    void ReadFileTypes();
    void ReadFolders();
    void ReadOptions();
    void ReadCheckBoxes();
    void ReadPictureShow();
    void SaveOptions();
    void SaveCheckBoxes();
    void SaveFileTypes();
    void SetShowTimeInterval(int seconds);

    Player& player_;
};

} // namespace tolvane
