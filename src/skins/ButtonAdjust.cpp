#include "skins/ButtonAdjust.h"

#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"

namespace tolvane {

void ButtonAdj(FrmVCD& vcd, const FrmColor& color, bool show)
{
    if (!show || !color.Selected) {
        vcd.SelectFrame->hide();
        return;
    }
    const QRect object = color.Selected->geometry();
    vcd.SelectFrame->setGeometry(object.adjusted(-2, -2, 2, 2));
    vcd.SelectFrame->show();
    vcd.SelectFrame->raise();
}

} // namespace tolvane
