#include "forms/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace tolvane {

namespace {

QRect Screen(const QWidget& main)
{
    QScreen* screen = main.screen() ? main.screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

// The frame the window manager puts around the window. A window never shown has
// none yet: allow for a title bar.
QMargins Frame(const QWidget& window)
{
    if (window.isVisible())
        return QMargins(window.geometry().left() - window.frameGeometry().left(),
                        window.geometry().top() - window.frameGeometry().top(),
                        window.frameGeometry().right() - window.geometry().right(),
                        window.frameGeometry().bottom() - window.geometry().bottom());
    const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return QMargins(border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
                    border);
}

// Sizes the window to fit the screen with its frame; the framed size.
QSize FitOnScreen(QWidget& window, const QRect& screen)
{
    // Showing sizes a window that was never sized to what its layout asks for; do it
    // now, so the size placed is the size shown.
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QMargins frame = Frame(window);
    const QSize room(screen.width() - frame.left() - frame.right(),
                     screen.height() - frame.top() - frame.bottom());
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room));
    return window.size().grownBy(frame);
}

} // namespace

void FrmCenter(QWidget& window, const QWidget& main)
{
    const QRect screen = Screen(main);
    const QSize size = FitOnScreen(window, screen);

    const int beside = screen.width() - main.width();
    int left = (screen.width() - size.width()) / 2;
    if (size.width() <= beside)
        left = main.width() + (beside - size.width()) / 2;
    const int top = (screen.height() - size.height()) / 2;
    window.move(screen.x() + qMax(0, left), screen.y() + qMax(0, top));
}

void CentreOn(QWidget& window, const QWidget& main)
{
    const QRect screen = Screen(main);
    const QSize size = FitOnScreen(window, screen);
    const QPoint centre = main.frameGeometry().center();
    const int left = qBound(screen.left(), centre.x() - size.width() / 2,
                            screen.left() + screen.width() - size.width());
    const int top = qBound(screen.top(), centre.y() - size.height() / 2,
                           screen.top() + screen.height() - size.height());
    window.move(left, top);
}

void PlaceBeside(QWidget& window, const QWidget& main)
{
    const QRect screen = Screen(main);
    const QRect at = main.frameGeometry();
    const int width = window.frameGeometry().width();
    int left = at.right() + 1;
    if (left + width > screen.right() + 1)
        left = at.left() - width;
    window.move(left, at.top());
}

} // namespace tolvane
