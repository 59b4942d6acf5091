#pragma once

#include "playback/MediaProcedures.h"

namespace tolvane {

class Context;
class Forms;
class MenuActions;
class NumberPad;
class PlaybackServices;

// What the media procedures do to the main window and its neighbours.
class MainMediaView : public MediaView
{
public:
    MainMediaView(Forms& forms, PlaybackServices& services, MenuActions& menus, NumberPad& pad)
        : forms_(forms), services_(services), menus_(menus), pad_(pad)
    {
    }

    void SetStatus(const QString& text) override;
    void SetScanLabel(const QString& text) override;
    void SetLyricsTip(const QString& text) override;
    void SetPlayPicture(int pauseIndex) override;
    void SetPollTimer(bool enabled) override;
    void SetPictureTimer(bool enabled) override;
    void SetSongMenus(bool enabled) override;
    void SetMainEnabled(bool enabled) override;
    void HideSeparateWindow() override;
    void HideBackImage() override;
    void HideVideoPicture() override;
    void ShowTime() override;
    void ShowPoint() override;
    void SetVolume() override;
    void VolumeDown() override;
    void VolumeUp() override;
    void ChkLab(bool firstPage) override;
    void ChkLabColor(int index) override;
    void ChkMp3Menu() override;
    void UpdateMenu() override;
    void UpdateAlbumMenu() override;
    // The text labels stay in front of the buttons when their texts change.
    void RelayoutLabels() override;
    // No lyrics are looked up: the lyrics path stays empty.
    QString LookUpLyrics(const QString&) override { return QString(); }
    void ClearLyricsPath() override {}

private:
    Forms& forms_;
    PlaybackServices& services_;
    MenuActions& menus_;
    NumberPad& pad_;
};

} // namespace tolvane
