#pragma once

#include "fakes/PlayerFixture.h"
#include "forms/FrmMenu.h"
#include "forms/FrmVCD.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <functional>

namespace tolvane {

// The player of the window tests, with the number keys' own colours.
class UiFixture : public PlayerFixture
{
protected:
    UiFixture()
    {
        for (int i = 0; i < FrmVCD::kNumCount; ++i)
            player.context.app.LabNumColors.append(QColor(200, 200, 200));
    }
    ~UiFixture() override { CloseMenus(); }

    static void CloseMenus()
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    // The indices of the items that pass `test`, such as &QAction::isChecked.
    template <typename T, typename Test> static QList<int> Which(const QList<T*>& items, Test test)
    {
        QList<int> found;
        for (int i = 0; i < items.size(); ++i)
            if (std::invoke(test, items[i]))
                found.append(i);
        return found;
    }
};

// Mouse events delivered to a shown window as the window system would: the press
// goes to the widget under the mouse and the release to the one that took the press.
struct Mouse
{
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonPress, at, button, buttons |= button);
    }
    void Move(QPoint at) { Send(QEvent::MouseMove, at, Qt::NoButton, buttons); }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonRelease, at, button, buttons &= ~button);
    }
    void Click(const QWidget& widget, Qt::MouseButton button = Qt::LeftButton)
    {
        Press(Centre(widget), button);
        Release(Centre(widget), button);
    }
    // The middle of a child widget, in window coordinates.
    static QPoint Centre(const QWidget& widget)
    {
        return widget.mapTo(widget.window(), widget.rect().center());
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWindow* handle = window.windowHandle();
        QMouseEvent event(type, QPointF(at), QPointF(handle->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QGuiApplication::sendEvent(handle, &event);
    }

    QWidget& window;
    Qt::MouseButtons buttons = {};
};

} // namespace tolvane
