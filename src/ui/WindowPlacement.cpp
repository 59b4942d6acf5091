#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tolvane {

namespace {

QRect Screen()
{
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

void FrmCenter(QWidget& window, const QWidget& main)
{
    const QRect screen = Screen();
    const QSize size = window.frameGeometry().size();
    const int room = screen.width() - main.width();
    int left = (screen.width() - size.width()) / 2;
    if (size.width() <= room)
        left = main.width() + (room - size.width()) / 2;
    window.move(screen.x() + left, screen.y() + (screen.height() - size.height()) / 2);
}

void PlaceBeside(QWidget& window, const QWidget& main)
{
    const QRect screen = Screen();
    const QRect at = main.frameGeometry();
    const int width = window.frameGeometry().width();
    int left = at.right() + 1;
    if (left + width > screen.right() + 1)
        left = at.left() - width;
    window.move(left, at.top());
}

} // namespace tolvane
