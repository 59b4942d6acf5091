#include "app/SeleDir.h"

#include "app/FrmSeleDir.h"
#include "app/Player.h"

#include <QWidget>

namespace tolvane {

void ModSeleDir(Player& player)
{
    ChooserState& chooser = player.app.Chooser;
    chooser.Open = true;
    FrmSeleDir& window = player.SeleDir();
    window.RefreshDrives();
    // A drive that is not ready or a folder that is gone leaves the lists where
    // they are; the window opens all the same.
    window.SetDrive(chooser.Path.left(2));
    window.Dir1->SetPath(chooser.Path);
    window.SetPattern(chooser.Pattern);
    window.show();
    window.raise();
    while (chooser.Open && !player.Ended())
        player.platform.clock.WaitForEvents();
}

QString ChooseFolder(Player& player, QWidget& caller, const QString& start, const QString& pattern)
{
    caller.setEnabled(false);
    player.app.Chooser.Path = start;
    player.app.Chooser.Pattern = pattern;
    ModSeleDir(player);
    caller.setEnabled(true);
    return player.app.Chooser.Path;
}

} // namespace tolvane
