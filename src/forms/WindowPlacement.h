#pragma once

class QWidget;

namespace tolvane {

// Centres a window in the room to the right of the main window when it fits there,
// otherwise horizontally on the screen; vertically on the screen either way.
void FrmCenter(QWidget& window, const QWidget& main);

// Centres a window on the main window, kept whole on the main window's screen.
void CentreOn(QWidget& window, const QWidget& main);

// Puts a window beside the main window, top edges aligned: to its right when the
// screen has room there, otherwise to its left.
void PlaceBeside(QWidget& window, const QWidget& main);

} // namespace tolvane
