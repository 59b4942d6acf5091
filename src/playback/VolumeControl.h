#pragma once

#include <QPoint>

namespace tolvane {

class FrmMenu;
class FrmSet;
class FrmVCD;
class SystemVolume;
struct MediaContext;

// The one volume level (0 to 1000, kept in the playback state and the settings) on
// the video control in use and on every output of the system.
class VolumeControl
{
public:
    static constexpr int kStep = 100;

    VolumeControl(MediaContext& media, FrmVCD& vcd, FrmSet& set, FrmMenu& menu,
                  SystemVolume& system);

    int VolumeLevel() const;
    // The level on the playing control (unless it has no volume of its own) and on
    // the system's outputs.
    void SetVolume();
    void VolumeDown();
    void VolumeUp();
    // Entry `index` of the volume menu ("100%" ... "0%") was chosen.
    void mVolume_Click(int index);
    // Checks the entry of the current level and pops the volume menu up at `at`.
    void OpenVolumeMenu(const QPoint& at);
    // The level in the settings window and in the item line.
    void ShowLevel();

private:
    void SetLevel(int level);
    void CheckEntry(int index);

    MediaContext& media_;
    FrmVCD& vcd_;
    FrmSet& set_;
    FrmMenu& menu_;
    SystemVolume& system_;
};

} // namespace tolvane
