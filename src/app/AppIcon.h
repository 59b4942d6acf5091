#pragma once

#include <QIcon>
#include <QPixmap>

namespace tolvane {

// The program's icon: a disc with the player's initial, drawn at the sizes a
// taskbar and a title bar ask for.
QIcon AppIcon();
// The icon drawn at one size, for the desktop's icon theme.
QPixmap AppIconPixmap(int size);

} // namespace tolvane
