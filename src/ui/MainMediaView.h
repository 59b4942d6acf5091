#pragma once

#include "playback/MediaProcedures.h"

namespace tolvane {

class Context;
class Forms;
class LyricsDisplay;
class MenuActions;
class NumberPad;
class PictureShow;
class PlaybackServices;

// What the media procedures do to the main window and its neighbours.
class MainMediaView : public MediaView
{
public:
    MainMediaView(Forms& forms, PlaybackServices& services, MenuActions& menus, NumberPad& pad,
                  LyricsDisplay& lyrics, PictureShow& pictures)
        : forms_(forms), services_(services), menus_(menus), pad_(pad), lyrics_(lyrics),
          pictures_(pictures)
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
    QString LookUpLyrics(const QString& mediaPath) override;
    void ClearLyricsPath() override;

private:
    Forms& forms_;
    PlaybackServices& services_;
    MenuActions& menus_;
    NumberPad& pad_;
    LyricsDisplay& lyrics_;
    PictureShow& pictures_;
};

} // namespace tolvane
