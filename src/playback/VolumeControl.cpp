#include "playback/VolumeControl.h"

#include "app/PlaybackState.h"
#include "app/Text.h"
#include "forms/FrmMenu.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "platform/SystemVolume.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/TimeDisplay.h"

#include <algorithm>

namespace tolvane {

namespace {

// The MIDI sequencer plays at the volume the system gives it.
bool IsSequencer(const QString& deviceName)
{
    return deviceName.toUpper().contains("SEQ");
}

} // namespace

VolumeControl::VolumeControl(MediaContext& media, FrmVCD& vcd, FrmSet& set, FrmMenu& menu,
                             SystemVolume& system)
    : media_(media), vcd_(vcd), set_(set), menu_(menu), system_(system)
{
}

int VolumeControl::VolumeLevel() const
{
    return media_.playback.Volume;
}

void VolumeControl::SetLevel(int level)
{
    media_.playback.Volume = std::clamp(level, 0, 1000);
}

void VolumeControl::SetVolume()
{
    MciWindow& active = ActiveMciWindow(media_);
    QString device = active.DeviceName();
    // Wave and MIDI devices have no volume of their own; the system's applies.
    if (device != "waveaudio" && !IsSequencer(device))
        active.SetVolume(VolumeLevel());
    system_.SetLevel(VolumeLevel());
}

void VolumeControl::VolumeDown()
{
    SetLevel(VolumeLevel() - kStep);
    SetVolume();
    ShowLevel();
}

void VolumeControl::VolumeUp()
{
    SetLevel(VolumeLevel() + kStep);
    SetVolume();
    ShowLevel();
}

void VolumeControl::mVolume_Click(int index)
{
    if (index < 0 || index >= menu_.mVolume.size())
        return;
    CheckEntry(index);
    const double percent = LenientNumber(menu_.mVolume[index]->text());
    SetLevel(static_cast<int>(percent * 10));
    if (!IsSequencer(ActiveMciWindow(media_).DeviceName()))
        SetVolume();
    ShowLevel();
}

void VolumeControl::OpenVolumeMenu(const QPoint& at)
{
    CheckEntry(static_cast<int>(RoundHalfEven(10 - VolumeLevel() / 100.0)));
    menu_.mVolumex->popup(at);
}

void VolumeControl::CheckEntry(int index)
{
    for (int i = 0; i < menu_.mVolume.size(); ++i)
        menu_.mVolume[i]->setChecked(i == index);
}

void VolumeControl::ShowLevel()
{
    const double percent = VolumeLevel() / 10.0;
    set_.ProgressBar1->setValue(static_cast<int>(RoundHalfEven(percent)));
    set_.Label4->setText(QString::number(percent) + "%");
    vcd_.Label2[2]->setText("Volume=" + QString::number(percent) + "%");
}

} // namespace tolvane
