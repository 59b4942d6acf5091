#pragma once

#include <QIcon>

namespace tolvane {

// The program's icon: a disc with the player's initial, drawn at the sizes a
// taskbar and a title bar ask for.
QIcon AppIcon();

} // namespace tolvane
