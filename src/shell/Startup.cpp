#include "shell/Startup.h"

#include "app/Messages.h"
#include "app/MousePointer.h"
#include "app/Product.h"
#include "app/Text.h"
#include "discovery/DeviceHandlers.h"
#include "discovery/DiscDetection.h"
#include "forms/FrmMenu.h"
#include "forms/FrmReadme.h"
#include "forms/FrmSet.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "platform/DeviceEvents.h"
#include "playback/MediaProcedures.h"
#include "playback/TimeDisplay.h"
#include "playback/VideoWindow.h"
#include "shell/Player.h"
#include "skins/ButtonFaces.h"
#include "skins/LayoutFile.h"
#include "skins/SkinLoader.h"
#include "ui/ControlPanel.h"
#include "ui/FormData.h"
#include "ui/SettingsWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace tolvane {

void Startup::Main()
{
    Platform& platform = player_.context.platform;
    if (!platform.registry.Query(HKey::LocalMachine, VersionKey(), "Version",
                                 player_.context.app.WindowsVersion))
        player_.context.app.WindowsVersion.clear();
    WriteMciEntries();

    FrmVCD& vcd = player_.forms.Vcd();
    switch (platform.instance.ActivateRunning(localPaths_)) {
    case InstanceGuard::Running::None:
        break;
    case InstanceGuard::Running::Activated:
        vcd.setWindowTitle(QString());
        player_.context.EndProcess(0);
        return;
    case InstanceGuard::Running::NoAnswer:
        // The log is the running copy's: a line is added, nothing started over.
        player_.context.log.LogWrite("執行中的" + Product::NameWithRevision() + "沒有回應");
        ShowMessage(platform.prompter,
                    Product::NameWithRevision() +
                        " 已在執行中,但沒有回應。\r\n請先結束執行中的程式,再重新啟動。",
                    "exc");
        player_.context.EndProcess(1);
        return;
    }
    platform.instance.Claim();
    claimed_ = true;
    ConnectWindows();

    SuspendAutoPlay();
    player_.context.log.LogOpen();
    player_.context.log.LogWrite("設定參數");
    ShowReadme();
    SetMousePointer(Pointer::Hourglass);
    platform.clock.DoEvents();
    Start();
}

void Startup::WriteMciEntries()
{
    Ini& ini = player_.context.ini;
    QString windows = player_.context.platform.windowsFolder;
    ini.IniFile = windows + "\\SYSTEM.INI";
    ini.WriteIni("mci", "MPEGVideo", "mciqtz.drv");
    ini.WriteIni("mci", "CDIVideo", "mciqtz.drv");
    ini.IniFile = windows + "\\WIN.INI";
    ini.WriteIni("mci extensions", "dat", "MPEGVideo");
    ini.WriteIni("mci extensions", "mpg", "MPEGVideo");
}

void Startup::SuspendAutoPlay()
{
    Registry& registry = player_.context.platform.registry;
    QString command;
    if (!registry.Query(HKey::ClassesRoot, AutoPlayKey(), QString(), command) || command.isEmpty())
        return;
    registry.Set(HKey::LocalMachine, SavedAutoPlayKey(), "AudioCD", command);
    registry.Set(HKey::ClassesRoot, AutoPlayKey(), QString(), QString());
}

void Startup::ShowReadme()
{
    if (LenientNumber(player_.context.settings.GetUserSetting("ReadMe", "0")) != 0)
        return;
    player_.context.log.LogWrite("開啟說明畫面");
    FrmReadme& readme = player_.forms.Readme();
    readme.FormLoad();
    while (readme.isVisible() && !player_.context.Ended())
        player_.context.platform.clock.WaitForEvents();
    player_.context.log.LogWrite("結束說明畫面");
}

void Startup::ConnectWindows()
{
    FrmVCD& vcd = player_.forms.Vcd();
    QObject::connect(&vcd, &FrmVCD::queryUnload, &vcd, [this] { CloseForm(); });
    FrmTemp& temp = player_.forms.Temp();
    QObject::connect(&temp, &FrmTemp::queryUnload, &temp, [this] { TempQueryUnload(); });
    QObject::connect(&temp, &FrmTemp::restored, &temp, [this] { TempRestored(); });
    auto* panel = new ControlPanel(player_.PanelActions(), vcd);
    QObject::connect(panel, &ControlPanel::closeRequested, &vcd, [this] { CloseForm(); });
    player_.mediaKeys.Attach(*panel);
    QObject::connect(&player_.context.platform.instance, &InstanceGuard::openRequested, &vcd,
                     [this](const QStringList& paths) { player_.desktopOpen.Open(paths); });
    QObject::connect(&player_.context.platform.instance, &InstanceGuard::activationRequested, &vcd,
                     [this] { BringForward(); });
}

void Startup::Start()
{
    Log& log = player_.context.log;
    AppState& app = player_.context.app;
    player_.context.playback.TimeBusy = true;
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    app.ScreenWidthPx = screen.width();
    app.ScreenHeightPx = screen.height();

    log.LogWrite("檢查面板目錄");
    if (!CheckSkinFolder())
        return;
    SetMousePointer(Pointer::Hourglass);
    SkinLoader& skins = player_.skins;
    skins.ChkDeskFile();
    FillDriveMenu();
    app.SkinLoaded = false;
    SetMousePointer(Pointer::ArrowHourglass);
    log.LogWrite("設定面板選單");
    LoadSettingsWindow();

    FrmVCD& vcd = player_.forms.Vcd();
    vcd.hide();
    app.VideoWidth = 354;
    app.VideoHeight = 242;
    log.LogWrite("讀取設定");
    player_.formData.ReadFormData();
    settingsRead_ = true;
    player_.context.platform.files.MakeFolder(app.ButtonCacheFolder);

    PlaybackState& playback = player_.context.playback;
    playback.UserStopped = false;
    playback.PlaySpeed = 1000;
    playback.VideoExtraWidth = 8;
    playback.VideoExtraHeight = 27;
    playback.CheckVideoSize = true;
    playback.PressOffsetX = 1;
    playback.PressOffsetY = 1;
    skins.ScreenResize();

    PlaceLogo();
    player_.context.ini.IniFile = app.SkinFolder + "\\Button.ini";
    player_.layout.WriteLayout();
    player_.context.platform.clock.DoEvents();
    app.MainWidthPx = vcd.width();
    app.MainHeightPx = vcd.height();

    log.LogWrite("物件初始化");
    player_.faces.InitObj();
    LoadSkin();
    // The first background picture, in the picture area the skin has.
    player_.pictureShow.ShowCurrent();

    playback.PlayPos = 0;
    playback.PlayLen = 0;
    playback.TrackIndex = 0;
    player_.context.device.TrackCount = 0;
    playback.ButtonHeld = false;
    player_.services.Time().ShowPoint();
    app.SkinLoaded = true;
    vcd.show();
    player_.services.Video().VCDResize();

    // The keys' own colours, taken before anything plays: the first poll paints the
    // playing key green.
    app.LabNumColors.clear();
    for (QLabel* label : vcd.LabNum)
        app.LabNumColors.append(label->palette().color(QPalette::WindowText));

    log.LogWrite("參數設定");
    ConnectDeviceEvents();
    if (localPaths_.isEmpty())
        player_.detection.StartUpSearch();
    else
        OpenGivenPaths();
    player_.services.Time().ShowPoint();
    PlaceTaskbarWindow();

    SetMousePointer(Pointer::Default);
    log.LogWrite("進入主程式");
    app.CaptureFileName = PathJoin(app.CaptureFolder, "Cut0000.BMP");
    player_.forms.Menu().mCutBmp->setEnabled(false);
    player_.forms.Menu().mCutBmp1->setEnabled(false);
    playback.TimeBusy = false;
}

// What the program was started with is opened in place of the start mode's search; the
// configured device is the current one, as when the start searches nothing.
void Startup::OpenGivenPaths()
{
    player_.detection.SetDevice(player_.context.device.ConfiguredDevice);
    player_.desktopOpen.OpenNow(localPaths_);
}

bool Startup::CheckSkinFolder()
{
    AppState& app = player_.context.app;
    const DosFiles& files = player_.context.platform.files;
    QString program = player_.context.platform.programFolder;
    app.SkinFolder = program + "\\Skin";
    app.MaskFolder = program + "\\Button Mask";
    files.MakeFolder(app.SkinFolder);
    files.MakeFolder(app.MaskFolder);

    QStringList found;
    int count = 0;
    for (const char* pattern : {"\\*.Jpg", "\\*.Bmp", "\\*.Gif"})
        count += ScanFileA(files, app.SkinFolder + pattern, found);
    if (count > 0)
        return true;
    player_.context.log.LogWrite("找不到面板?");
    player_.context.platform.prompter.Beep();
    ShowMessage(player_.context.platform.prompter,
                "找不到任何面板,請將面板放在\r\n" + app.SkinFolder + "目錄下", "error");
    player_.context.EndProcess(0);
    return false;
}

void Startup::FillDriveMenu()
{
    FrmVCD& vcd = player_.forms.Vcd();
    vcd.Drive1.Refresh(player_.context.platform.drives);
    FrmMenu& menu = player_.forms.Menu();
    for (int i = 0; i < vcd.Drive1.List.size(); ++i)
        menu.DiskElement(i)->setText(vcd.Drive1.List[i].left(2));
}

void Startup::LoadSettingsWindow()
{
    player_.settingsWindow.Load();
    FrmSet& set = player_.forms.Set();
    AppState& app = player_.context.app;
    app.BackgroundFolder = set.Text1->text();
    player_.context.device.ConfiguredDevice = set.Combo1->currentText().left(2);
    player_.pictureShow.ReadFolder();
}

void Startup::PlaceLogo()
{
    AppState& app = player_.context.app;
    FrmVCD& vcd = player_.forms.Vcd();
    double twipsPerPixel = 1440.0 / vcd.logicalDpiX();
    app.TwipsFactor = twipsPerPixel / 15.0;
    vcd.Label3[0]->move(builtin::kLogo.x, builtin::kLogo.y);
    vcd.Label3[1]->move(builtin::kLogo.x + builtin::kLogoShadow,
                        builtin::kLogo.y + builtin::kLogoShadow);
    app.MainLeft = vcd.x();
    app.MainTop = vcd.y();
}

void Startup::LoadSkin()
{
    AppState& app = player_.context.app;
    if (app.CurrentSkinPicture.isEmpty())
        app.CurrentSkinPicture =
            SkinLoader::DefaultSkinPicture(player_.context.platform.programFolder);
    SkinLoader& skins = player_.skins;
    skins.ChkDeskName();
    if (player_.context.platform.files.FileExists(player_.context.skin.LayoutFile)) {
        player_.context.ini.IniFile = player_.context.skin.LayoutFile;
        player_.layout.ReadLayout(true);
    }
    player_.context.log.LogWrite("開始載入面板及按鈕");
    skins.DeskUpdate(false);
    player_.context.log.LogWrite("面板及按鈕載入完成");
}

void Startup::PlaceTaskbarWindow()
{
    FrmTemp& temp = player_.forms.Temp();
    temp.move(-temp.width() - 2, -temp.height() - 2);
    temp.Tuck();
    temp.show();
}

void Startup::CloseForm()
{
    // A second close or end signal while the exit waits on something is the same exit.
    if (player_.context.Ended() || closing_)
        return;
    closing_ = true;
    Log& log = player_.context.log;
    // Before the start has read them, the windows hold defaults, not the user's settings.
    if (settingsRead_) {
        log.LogWrite("儲存個人參數");
        player_.formData.SaveFormData();
    }
    log.LogWrite("關閉媒體控制介面");
    player_.services.Media().StopAllMedia();

    Registry& registry = player_.context.platform.registry;
    QString saved;
    if (!registry.Query(HKey::LocalMachine, SavedAutoPlayKey(), "AudioCD", saved))
        saved.clear();
    registry.Set(HKey::ClassesRoot, AutoPlayKey(), QString(), saved);

    log.LogWrite("釋放所有物件");
    if (player_.forms.IsLoaded(Window::Vcd)) {
        for (QLabel* picture : player_.forms.Vcd().DeskPic) {
            picture->clear();
            picture->repaint();
        }
    }
    log.LogWrite("退出" + Product::NameWithRevision());
    for (Window window : Forms::UnloadOrder()) {
        // The taskbar window's close handler ends the process itself.
        if (window == Window::Temp && player_.forms.IsLoaded(window))
            TempQueryUnload();
        if (player_.context.Ended())
            return;
        player_.forms.Unload(window);
    }
    player_.context.EndProcess(0);
}

void Startup::EndRequested(const QString& why)
{
    if (player_.context.Ended() || closing_)
        return;
    // A copy that leaves for the one running (and says why) has nothing to save and
    // must not give back the autoplay command the running one holds.
    if (!claimed_) {
        player_.context.EndProcess(0);
        return;
    }
    player_.context.log.LogWrite("系統要求結束(" + why + ")");
    CloseForm();
}

void Startup::TempQueryUnload()
{
    if (player_.context.Ended())
        return;
    player_.context.log.LogWrite("不正常關閉" + Product::NameWithRevision());
    player_.services.Media().ResetAllMedia();
    player_.context.EndProcess(0);
}

void Startup::BringForward()
{
    FrmVCD& vcd = player_.forms.Vcd();
    vcd.showNormal();
    vcd.raise();
    vcd.activateWindow();
}

void Startup::TempRestored()
{
    FrmVCD& vcd = player_.forms.Vcd();
    vcd.showNormal();
    vcd.show();
    // Back into the taskbar once the window manager has finished restoring it.
    FrmTemp& temp = player_.forms.Temp();
    QTimer::singleShot(0, &temp, [&temp] { temp.Tuck(); });
}

// Discs arriving in and leaving drives reach the main window's handlers.
void Startup::ConnectDeviceEvents()
{
    DeviceHandlers& devices = player_.devices;
    DeviceEvents& events = player_.context.platform.events;
    QObject::connect(&events, &DeviceEvents::DeviceArrival, &player_.forms.Vcd(),
                     [&devices](int type, qint64 id, const QString& name, qint64 data) {
                         devices.DeviceArrival(type, id, name, data);
                     });
    QObject::connect(&events, &DeviceEvents::DeviceRemoveComplete, &player_.forms.Vcd(),
                     [&devices](int type, qint64 id, const QString& name, qint64 data) {
                         devices.DeviceRemoveComplete(type, id, name, data);
                     });
    QObject::connect(&events, &DeviceEvents::DisplayChanged, &player_.forms.Vcd(), [this] {
        player_.skins.ScreenResize();
        player_.services.Video().DisplayChanged();
    });
}

} // namespace tolvane
