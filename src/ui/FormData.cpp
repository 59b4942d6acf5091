#include "ui/FormData.h"

#include "app/Context.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmMenu.h"

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
    const Settings& settings = context_.settings;
    AppState& app = context_.app;
    app.CurrentSkinPicture = settings.GetUserSetting("DeskPic", "");
    app.CapturePicture =
        settings.GetUserSetting("CutPic", context_.platform.programFolder + "\\Cut\\cut-000.bmp");

    app.VideoWidth = ReadSize(settings, "Width", app.VideoWidth);
    app.VideoHeight = ReadSize(settings, "Height", app.VideoHeight);

    app.CaptureWidth = app.VideoWidth;
    ToInt16(settings.GetUserSetting("CutWidtht", app.VideoWidth), app.CaptureWidth);
    app.CaptureHeight = static_cast<int>(
        RoundHalfEven(LenientNumber(settings.GetUserSetting("CutHeight", app.VideoHeight))));

    for (QScrollBar* bar : forms_.Color().VScroll1)
        bar->setValue(0);

    int volume = 1000;
    if (ToInt16(settings.GetUserSetting("Volume", 1000), volume))
        context_.playback.Volume = volume;

    DeviceState& device = context_.device;
    device.ScanSubPath.clear();
    device.LastSearchDrive = settings.GetUserSetting("CDROMDISK", "");
    forms_.Menu().SetPathCaption(device.LastSearchDrive + device.ScanSubPath);
}

void FormData::SaveFormData()
{
    Settings& settings = context_.settings;
    const AppState& app = context_.app;
    settings.SaveUserSetting("DeskPic", app.CurrentSkinPicture);
    settings.SaveUserSetting("CutPic", app.CapturePicture);
    settings.SaveUserSetting("Width", app.VideoWidth);
    settings.SaveUserSetting("Height", app.VideoHeight);
    settings.SaveUserSetting("CutHeight", app.CaptureHeight);
    settings.SaveUserSetting("CutWidtht", app.CaptureWidth);
    const char* colours[] = {"R", "G", "B", "Light"};
    FrmColor& color = forms_.Color();
    for (int i = 0; i < 4; ++i)
        settings.SaveUserSetting(colours[i], color.VScroll1[i]->value());
    settings.SaveUserSetting("Volume", context_.playback.Volume);
    settings.SaveUserSetting("CDROMPATH", context_.device.ScanSubPath);
    settings.SaveUserSetting("CDROMDISK", context_.device.LastSearchDrive);
}

} // namespace tolvane
