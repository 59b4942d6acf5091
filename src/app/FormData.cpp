#include "app/FormData.h"

#include "app/Player.h"
#include "app/Text.h"
#include "skins/FrmColor.h"
#include "ui/FrmMenu.h"

namespace tolvane {

namespace {

// A picture size above the 100-pixel floor, or the value already set.
int ReadSize(const Settings& settings, const char* key, int current)
{
    double value = LenientNumber(settings.GetUserSetting(key, current));
    return value > 100 ? static_cast<int>(RoundHalfEven(value)) : current;
}

} // namespace

void FormData::ReadFormData()
{
    const Settings& settings = player_.settings;
    AppState& app = player_.app;
    app.CurrentSkinPicture = settings.GetUserSetting("DeskPic", "");
    app.CapturePicture =
        settings.GetUserSetting("CutPic", player_.platform.programFolder + "\\Cut\\cut-000.bmp");

    app.VideoWidth = ReadSize(settings, "Width", app.VideoWidth);
    app.VideoHeight = ReadSize(settings, "Height", app.VideoHeight);

    app.CaptureWidth = app.VideoWidth;
    ToInt16(settings.GetUserSetting("CutWidtht", app.VideoWidth), app.CaptureWidth);
    app.CaptureHeight = static_cast<int>(
        RoundHalfEven(LenientNumber(settings.GetUserSetting("CutHeight", app.VideoHeight))));

    for (QScrollBar* bar : player_.Color().VScroll1)
        bar->setValue(0);

    int volume = 1000;
    if (ToInt16(settings.GetUserSetting("Volume", 1000), volume))
        player_.playback.Volume = volume;

    DeviceState& device = player_.device;
    device.ScanSubPath.clear();
    device.LastSearchDrive = settings.GetUserSetting("CDROMDISK", "");
    player_.Menu().SetPathCaption(device.LastSearchDrive + device.ScanSubPath);
}

void FormData::SaveFormData()
{
    Settings& settings = player_.settings;
    const AppState& app = player_.app;
    settings.SaveUserSetting("DeskPic", app.CurrentSkinPicture);
    settings.SaveUserSetting("CutPic", app.CapturePicture);
    settings.SaveUserSetting("Width", app.VideoWidth);
    settings.SaveUserSetting("Height", app.VideoHeight);
    settings.SaveUserSetting("CutHeight", app.CaptureHeight);
    settings.SaveUserSetting("CutWidtht", app.CaptureWidth);
    const char* colours[] = {"R", "G", "B", "Light"};
    FrmColor& color = player_.Color();
    for (int i = 0; i < 4; ++i)
        settings.SaveUserSetting(colours[i], color.VScroll1[i]->value());
    settings.SaveUserSetting("Volume", player_.playback.Volume);
    settings.SaveUserSetting("CDROMPATH", player_.device.ScanSubPath);
    settings.SaveUserSetting("CDROMDISK", player_.device.LastSearchDrive);
}

} // namespace tolvane
