#include "shell/Player.h"

#include <QTimer>

#include "forms/FrmVCD.h"
#include "playback/TimeDisplay.h"
#include "ui/LyricsPrinting.h"

namespace tolvane {

Player::Player(Platform& platform) : context(platform), forms(context), services(context, forms)
{
    services.UseView(mediaView);
    services.itemEnded = [this] { controller.CheckItemEnd(); };
    services.followLyrics = [this](const QString& posText) { lyrics.Follow(posText); };
    forms.vcdMade = [this](FrmVCD& vcd) {
        colours.ConnectMain(vcd);
        QObject::connect(vcd.Timer1, &QTimer::timeout, &vcd,
                         [this] { services.Time().Timer1_Timer(); });
        QObject::connect(vcd.TimerBMP, &QTimer::timeout, &vcd,
                         [this] { pictureShow.TimerBMP_Timer(); });
        desktop.Prepare(vcd);
        QObject::connect(&vcd, &FrmVCD::label1MouseDown, &vcd, [this](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                lyrics.ToggleWhole();
        });
    };
    forms.menuMade = [this](FrmMenu& menu) { menus.Connect(menu); };
    skins.chooseSkin = [this] { browser.SeleDesk(); };
    skins.skinShown = [this] { desktop.SkinShown(); };
    lyrics.lineReached = [this](const QString& line) { pictureShow.LyricsLine(line); };
    settingsWindow.pictureShowChanged = [this] { pictureShow.SettingsChanged(); };
    forms.songSetMade = [this](FrmSongSet& window) { playList.Connect(window); };
    forms.colorMade = [this](FrmColor& window) {
        colours.Connect(window);
        desktop.Watch(window);
    };
    playList.printerInstalled = PrinterInstalled;
    playList.print = [this](const QStringList& paths) {
        PrintLyrics(context, paths, &forms.Vcd());
    };
    menus.openSongBook = settingsWindow.openSongBook = [this] { songBookWindow.Open(); };
    menus.openSettings = [this] { settingsWindow.Show(); };
}

ControlPanel::Actions Player::PanelActions()
{
    return {context, forms,     services, controller, speed,   detection,
            menus,   numberPad, faces,    capture,    colours, browser};
}

} // namespace tolvane
