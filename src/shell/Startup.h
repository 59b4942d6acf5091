#pragma once

#include <QString>
#include <QStringList>

namespace tolvane {

class Player;

// The spine of the program: start-up, the main start sequence and the exits.
class Startup
{
public:
    // `localPaths`: what the program was started with (files, folders, lists, a disc),
    // opened in place of the start's search, or handed to the copy already running.
    explicit Startup(Player& player, QStringList localPaths = {})
        : player_(player), localPaths_(std::move(localPaths))
    {
    }

    // The process entry; returns once the main window is up or the process ended.
    void Main();
    void Start();
    // The orderly exit; ends the process.
    void CloseForm();
    // The system asks the program to end (a logout, a Ctrl+C): the orderly exit.
    void EndRequested(const QString& why);
    // The taskbar window's close: the abnormal exit.
    void TempQueryUnload();
    // The main window comes to the front: a later copy or the desktop asks for it.
    void BringForward();
    // The taskbar window restored by the user: the main window shows. The taskbar
    // window is always minimised, so its minimising says nothing.
    void TempRestored();

    static QString AutoPlayKey() { return QStringLiteral("AudioCD\\shell\\play\\command"); }
    static QString SavedAutoPlayKey() { return QStringLiteral("SOFTWARE\\Ostrana\\Tolvan99\\1.0"); }
    static QString VersionKey()
    {
        return QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion");
    }

private:
    void ConnectDeviceEvents();
    void WriteMciEntries();
    void SuspendAutoPlay();
    void ShowReadme();
    void ConnectWindows();
    bool CheckSkinFolder();
    void FillDriveMenu();
    void LoadSettingsWindow();
    void PlaceLogo();
    void LoadSkin();
    void PlaceTaskbarWindow();
    void OpenGivenPaths();

    Player& player_;
    QStringList localPaths_;
    bool claimed_ = false;      // this copy is the one running
    bool settingsRead_ = false; // the saved settings are in the windows, to be saved back
    bool closing_ = false;      // the orderly exit has begun
};

} // namespace tolvane
