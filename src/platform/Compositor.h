#pragma once

#include <QImage>
#include <QRect>

namespace tolvane {

// Whether the desktop blends windows itself, so that the transparent parts of a
// window show what lies behind it: always on Wayland; on X11 when a compositing
// manager holds the screen's _NET_WM_CM_S selection; never elsewhere.
bool DesktopComposites();

// What the screen shows in an area, in pixels of the screen; null when the window
// system gives no pictures of its screen.
QImage GrabScreenArea(const QRect& area);

} // namespace tolvane
