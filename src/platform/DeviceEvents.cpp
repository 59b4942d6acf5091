#include "platform/DeviceEvents.h"

#include "platform/CdDisc.h"
#include "platform/DiscTrays.h"
#include "platform/DriveMap.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace tolvane {

DeviceEvents::DeviceEvents(const DriveMap& drives, DiscTrays& trays, QObject* parent)
    : QObject(parent), drives_(drives), trays_(trays)
{
    // Queued, as the system posts its device messages: a handler never runs inside
    // the command that moved the tray.
    connect(&trays_, &DiscTrays::TrayMoved, this, &DeviceEvents::OnTrayMoved, Qt::QueuedConnection);
}

qint64 DeviceEvents::DeviceId(QChar letter)
{
    int bit = letter.toUpper().unicode() - 'A';
    return bit >= 0 && bit < 26 ? qint64(1) << bit : 0;
}

void DeviceEvents::RaiseArrival(QChar letter)
{
    Q_EMIT DeviceArrival(kDeviceTypeVolume, DeviceId(letter), QString(), 0);
}

void DeviceEvents::RaiseRemoval(QChar letter)
{
    Q_EMIT DeviceRemoveComplete(kDeviceTypeVolume, DeviceId(letter), QString(), 0);
}

void DeviceEvents::OnTrayMoved(const QString& source, bool open)
{
    for (const Drive& drive : drives_.Drives()) {
        if (!drive.HasVirtualTray() || DiscTrays::Key(drive.root) != source ||
            !QFileInfo::exists(drive.root))
            continue;
        if (open)
            RaiseRemoval(drive.letter);
        else
            RaiseArrival(drive.letter);
    }
}

void DeviceEvents::WatchImages(int intervalMs)
{
    if (!imageTimer_) {
        imageTimer_ = new QTimer(this);
        connect(imageTimer_, &QTimer::timeout, this, &DeviceEvents::LookAtImages);
    }
    imageTimer_->start(intervalMs);
    LookAtImages();
}

void DeviceEvents::LookAtImages()
{
    for (const Drive& drive : drives_.Drives()) {
        if (!drive.IsDiscImage())
            continue;
        const bool present = DiscImagePresent(drive.root);
        auto known = imagePresent_.find(drive.letter);
        if (known == imagePresent_.end()) {
            imagePresent_.insert(drive.letter, present);
            continue;
        }
        if (known.value() == present)
            continue;
        known.value() = present;
        // A drive whose tray is open holds nothing either way.
        if (drives_.TrayOpen(drive.letter))
            continue;
        if (present)
            RaiseArrival(drive.letter);
        else
            RaiseRemoval(drive.letter);
    }
}

void DeviceEvents::WatchDisplay()
{
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application)
        return;
    connect(application, &QGuiApplication::primaryScreenChanged, this, [this] {
        FollowScreen();
        Q_EMIT DisplayChanged();
    });
    FollowScreen();
}

void DeviceEvents::FollowScreen()
{
    delete screenLink_;
    screenLink_ = new QObject(this);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    connect(screen, &QScreen::geometryChanged, screenLink_, [this] { Q_EMIT DisplayChanged(); });
    connect(screen, &QScreen::availableGeometryChanged, screenLink_,
            [this] { Q_EMIT DisplayChanged(); });
}

} // namespace tolvane
