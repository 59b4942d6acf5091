#pragma once

#include "app/FrmSet.h"
#include "app/Player.h"
#include "fakes/FakeMci.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystemVolume.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <gtest/gtest.h>

namespace tolvane {

// A player over the fake platform whose video controls record what they are told,
// with a fixed drive E: standing for a fresh folder.
class UiFixture : public ::testing::Test
{
protected:
    UiFixture()
    {
        root = fake.dir.path() + "/disc";
        QDir().mkpath(root);
        fake.drives.Add({'E', root, kDriveFixed});
        main.deviceName = separate.deviceName = "MPEGVideo";
        player.UseVideoControls(main, separate);
        player.UseSystemVolume(outputs);
        player.device.CdromDrive = "E:";
        player.device.CdromDriveType = kDriveFixed;
        for (int i = 0; i < FrmVCD::kNumCount; ++i)
            player.app.LabNumColors.append(QColor(200, 200, 200));
    }

    void File(const QString& relative) const
    {
        const QString local = root + "/" + relative;
        QDir().mkpath(QFileInfo(local).path());
        QFile file(local);
        file.open(QIODevice::WriteOnly);
        file.write("x");
    }

    // Names a file "a01.mp3" ... in a folder of E:.
    void Songs(const QString& folder, int count) const
    {
        for (int i = 1; i <= count; ++i)
            File(folder + QString("/a%1.mp3").arg(i, 2, 10, QChar('0')));
    }

    FakePlatform fake;
    FakeMciWindow main;
    FakeMciWindow separate;
    FakeSystemVolume outputs;
    Player player{fake.platform};
    QString root;
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
