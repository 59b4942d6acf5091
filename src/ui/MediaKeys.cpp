#include "ui/MediaKeys.h"

#include "app/Context.h"
#include "app/MediaMode.h"
#include "forms/Forms.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackServices.h"
#include "playback/VolumeControl.h"
#include "ui/ControlPanel.h"

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

constexpr double kMicroseconds = 1e6;

NowPlaying::Status StatusOf(const QString& mode)
{
    const QString lower = mode.trimmed().toLower();
    if (lower == "playing")
        return NowPlaying::Status::Playing;
    if (lower == "paused")
        return NowPlaying::Status::Paused;
    return NowPlaying::Status::Stopped;
}

QString WithoutExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) : name;
}

// The name of the folder holding a file; none for a drive's root.
QString FolderName(const QString& path)
{
    const QString folder = path.left(path.lastIndexOf('\\'));
    const QString name = folder.mid(folder.lastIndexOf('\\') + 1);
    return name.endsWith(':') ? QString() : name;
}

} // namespace

bool MediaKeys::Ready() const
{
    return panel_ && !context_.Ended() && forms_.IsLoaded(Window::Vcd) && forms_.Vcd().isEnabled();
}

NowPlaying MediaKeys::Now()
{
    const PlaybackState& p = context_.playback;
    NowPlaying now;
    now.volume = std::clamp(p.Volume, 0, 1000) / 1000.0;
    if (p.PlayMode == MediaMode::None)
        return now;
    if (p.PlayMode == MediaMode::CdAudio) {
        now.status = StatusOf(p.CdMode);
        now.item = context_.device.CdromDrive + "\\" + p.CurTitle;
        now.title = p.CurTitle;
        now.album = "音樂光碟 " + context_.device.DiscSerial;
        now.lengthUs = qint64(p.PlayLen * kMicroseconds);
        now.positionUs = qint64(p.PlayPos * kMicroseconds);
    } else {
        const MciWindow& control = ActiveMciWindow(services_.MediaServices());
        const QString path = control.FileName();
        if (path.isEmpty())
            return now;
        now.status = StatusOf(control.Mode());
        now.item = path;
        now.title = WithoutExtension(FileNamePart(path));
        now.album = p.PlayMode == MediaMode::Vcd ? "影音光碟 " + context_.device.DiscSerial
                                                 : FolderName(path);
        const double units = control.TimeUnits() > 0 ? control.TimeUnits() : 1000;
        now.lengthUs = qint64(std::max(0.0, control.Length()) / units * kMicroseconds);
        now.positionUs = qint64(std::max(0.0, control.Position()) / units * kMicroseconds);
    }
    now.canSeek = now.lengthUs > 0;
    return now;
}

void MediaKeys::Play()
{
    if (Ready() && Now().status != NowPlaying::Status::Playing)
        panel_->Act(PanelAction::Play);
}

void MediaKeys::Pause()
{
    if (!Ready() || Now().status != NowPlaying::Status::Playing)
        return;
    if (context_.playback.PlayMode != MediaMode::CdAudio) {
        panel_->Act(PanelAction::Stop);
        return;
    }
    if (!context_.playback.CdRunning)
        panel_->Act(PanelAction::Play);
    panel_->Act(PanelAction::Play);
}

void MediaKeys::PlayPause()
{
    if (Now().status == NowPlaying::Status::Playing)
        Pause();
    else
        Play();
}

void MediaKeys::Stop()
{
    if (Ready())
        panel_->Act(PanelAction::Stop);
}

void MediaKeys::Next()
{
    if (Ready())
        panel_->Act(PanelAction::Next);
}

void MediaKeys::Previous()
{
    if (Ready())
        panel_->Act(PanelAction::Previous);
}

void MediaKeys::Seek(qint64 offsetUs)
{
    SeekAt(Now().positionUs + offsetUs);
}

void MediaKeys::SetPosition(qint64 positionUs)
{
    SeekAt(positionUs);
}

void MediaKeys::SeekAt(qint64 positionUs)
{
    const NowPlaying now = Now();
    if (!Ready() || now.lengthUs <= 0)
        return;
    panel_->SeekTo(double(std::clamp(positionUs, qint64(0), now.lengthUs)) / double(now.lengthUs));
}

void MediaKeys::SetVolume(double volume)
{
    if (!Ready())
        return;
    // Entries run from "100%" down to "0%" in tens.
    const int tens = int(std::lround(std::clamp(volume, 0.0, 1.0) * 10));
    services_.Volume().mVolume_Click(10 - tens);
}

} // namespace tolvane
