#pragma once

#include <QHash>
#include <QObject>
#include <QString>

namespace tolvane {

struct Drive;

// The trays of the drives that have no hardware behind them (disc images and
// folders): open means no medium. One set for the whole program, so the CDAudio
// device, the file layer, the volume reader and the device events agree.
class DiscTrays : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool IsOpen(const QString& source) const;
    void SetOpen(const QString& source, bool open);
    // True when a virtual-tray drive's tray is closed on an image or folder that exists.
    bool HoldsMedium(const Drive& drive) const;

    static QString Key(const QString& source);

Q_SIGNALS:
    void TrayMoved(const QString& source, bool open);

private:
    QHash<QString, bool> open_;
};

} // namespace tolvane
