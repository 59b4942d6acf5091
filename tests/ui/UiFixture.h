#pragma once

#include "fakes/PlayerFixture.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <gtest/gtest.h>

namespace tolvane {

// The player of the window tests, with the number keys' own colours.
class UiFixture : public PlayerFixture
{
protected:
    UiFixture()
    {
        for (int i = 0; i < FrmVCD::kNumCount; ++i)
            player.app.LabNumColors.append(QColor(200, 200, 200));
    }
};

// Mouse events delivered to a shown window as the window system would: the press
// goes to the widget under the mouse and the release to the one that took the press.
class Mouse
{
public:
    explicit Mouse(QWidget& window) : window_(window) {}

    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        held_ |= button;
        Send(QEvent::MouseButtonPress, at, button);
    }
    void Move(QPoint at) { Send(QEvent::MouseMove, at, Qt::NoButton); }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        held_ &= ~button;
        Send(QEvent::MouseButtonRelease, at, button);
    }
    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        Press(at, button);
        Release(at, button);
    }
    // The middle of a child widget, in window coordinates.
    static QPoint Centre(const QWidget& widget)
    {
        return widget.mapTo(widget.window(), widget.rect().center());
    }

private:
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button)
    {
        QWindow* handle = window_.windowHandle();
        QMouseEvent event(type, QPointF(at), QPointF(handle->mapToGlobal(at)), button, held_,
                          Qt::NoModifier);
        QGuiApplication::sendEvent(handle, &event);
    }

    QWidget& window_;
    Qt::MouseButtons held_;
};

} // namespace tolvane
