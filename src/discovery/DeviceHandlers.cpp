#include "discovery/DeviceHandlers.h"

#include "app/Context.h"
#include "discovery/DiscDetection.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackServices.h"

#include <bit>

namespace tolvane {

QString DeviceHandlers::DriveOf(qint64 deviceId)
{
    if (deviceId <= 0 || deviceId > (qint64(1) << 26))
        return QString();
    const int bit = std::bit_width(static_cast<quint64>(deviceId)) - 1;
    return QString(QChar('a' + bit)) + ':';
}

bool DeviceHandlers::IsCurrent(qint64 deviceId) const
{
    const QString drive = DriveOf(deviceId);
    return !drive.isEmpty() &&
           drive.compare(context_.device.CdromDrive.left(2), Qt::CaseInsensitive) == 0;
}

void DeviceHandlers::DeviceArrival(int, qint64 deviceId, const QString&, qint64)
{
    if (!IsCurrent(deviceId))
        return;
    DiscDetection& detection = detection_;
    detection.SetDevice(context_.device.CdromDrive);
    services_.Media().Delay(0.1);
    detection.CheckCdrom(true);
}

void DeviceHandlers::DeviceRemoveComplete(int, qint64 deviceId, const QString&, qint64)
{
    if (!IsCurrent(deviceId))
        return;
    MediaProcedures& media = services_.Media();
    context_.playback.PlayMode = MediaMode::None;
    context_.device.TrackCount = 0;
    media.View().ChkLab(true);
    media.StopAllMedia();
    // The file on the disc that left is released.
    context_.playback.CurFile.clear();
    MediaContext& services = media.Context();
    (context_.playback.ActiveMci == 1 ? services.playWnd : services.mainWnd).SetFileName(QString());
    media.View().SetStatus("-請放入光碟片-");
    media.Delay(0.1);
    context_.playback.IsPlaying = false;
}

} // namespace tolvane
