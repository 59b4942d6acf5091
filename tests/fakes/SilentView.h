#pragma once

#include "playback/MediaProcedures.h"

namespace tolvane {

// The main window's neighbours doing nothing; a test view overrides what it watches.
class SilentView : public MediaView
{
public:
    void SetStatus(const QString&) override {}
    void SetScanLabel(const QString&) override {}
    void SetLyricsTip(const QString&) override {}
    void SetPlayPicture(int) override {}
    void SetPollTimer(bool) override {}
    void SetPictureTimer(bool) override {}
    void SetSongMenus(bool) override {}
    void SetMainEnabled(bool) override {}
    void HideSeparateWindow() override {}
    void HideBackImage() override {}
    void HideVideoPicture() override {}
    void ChkLab(bool) override {}
    void ChkLabColor(int) override {}
    void ShowTime() override {}
    QString LookUpLyrics(const QString&) override { return QString(); }
    void ClearLyricsPath() override {}
};

} // namespace tolvane
