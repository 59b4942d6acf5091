#include "shell/Player.h"

#include <QTimer>

#include "forms/FrmVCD.h"
#include "playback/TimeDisplay.h"

namespace tolvane {

Player::Player(Platform& platform) : context(platform), forms(context), services(context, forms)
{
    services.UseView(mediaView);
    services.itemEnded = [this] { controller.CheckItemEnd(); };
    forms.vcdMade = [this](FrmVCD& vcd) {
        QObject::connect(vcd.Timer1, &QTimer::timeout, &vcd,
                         [this] { services.Time().Timer1_Timer(); });
    };
    forms.menuMade = [this](FrmMenu& menu) { menus.Connect(menu); };
    forms.songSetMade = [this](FrmSongSet& window) { playList.Connect(window); };
}

ControlPanel::Actions Player::PanelActions()
{
    return {context, forms, services, controller, speed, detection, menus, numberPad, faces};
}

} // namespace tolvane
