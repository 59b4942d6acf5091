#include "platform/Compositor.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdlib>
#include <cstring>
#include <qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace tolvane {

bool DesktopComposites()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith("wayland"))
        return true;
    if (platform != "xcb")
        return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    int screen = 0;
    if (const char* display = std::getenv("DISPLAY")) {
        const char* dot = std::strrchr(display, '.');
        if (dot && dot > std::strrchr(display, ':'))
            screen = std::atoi(dot + 1);
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()),
        nullptr);
    if (!atom)
        return false;
    const bool known = atom->atom != XCB_ATOM_NONE;
    xcb_get_selection_owner_reply_t* owner = nullptr;
    if (known)
        owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool composites = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    std::free(atom);
    return composites;
}

QImage GrabScreenArea(const QRect& area)
{
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen || area.isEmpty())
        return QImage();
    const QRect inside = area.translated(-screen->geometry().topLeft());
    return screen->grabWindow(0, inside.x(), inside.y(), inside.width(), inside.height()).toImage();
}

} // namespace tolvane
