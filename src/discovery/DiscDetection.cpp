#include "discovery/DiscDetection.h"

#include "app/FrmSet.h"
#include "app/Player.h"
#include "ui/FrmVCD.h"

namespace tolvane {

void DiscDetection::SetDevice(const QString& drive)
{
    DeviceState& device = player_.device;
    device.CdromDrive = drive;
    device.VcdFolder = drive + "\\Mpegav";
    device.CdromDriveType = player_.platform.drives.GetDriveType(drive);
}

void DiscDetection::FindCDROM()
{
    FrmSet& set = player_.Set();
    for (int i = 1; i < set.Drive1.List.size(); ++i) {
        const QString& entry = set.Drive1.List[i];
        if (player_.platform.drives.GetDriveType(entry) != kDriveCdrom)
            continue;
        player_.device.CdromDrive = entry.left(2).toUpper();
        FrmVCD& vcd = player_.Vcd();
        vcd.Label1->setText("光碟機=" + player_.device.CdromDrive);
        vcd.Label1->repaint();
        player_.device.VcdFolder = player_.device.CdromDrive + "\\Mpegav";
    }
}

void DiscDetection::StartUpSearch()
{
    FrmSet& set = player_.Set();
    FrmVCD& vcd = player_.Vcd();
    QString configured = set.Combo1->currentText().left(2);
    if (set.Option1[0]->isChecked()) {
        player_.platform.clock.Delay(0.1);
        vcd.Label1->setText("讀取光碟資訊中...");
        FindCDROM();
        SetDevice(player_.device.CdromDrive);
        CheckCdrom(true);
    } else if (set.Option1[1]->isChecked()) {
        vcd.Label1->setText("讀取指定裝置資訊中...");
        SetDevice(configured);
        CheckCdrom(true);
    } else {
        SetDevice(configured);
        vcd.Label1->setText(player_.device.CdromDrive + "自動搜尋關閉中,請按光碟鈕開始搜尋");
    }
}

void DiscDetection::CheckCdrom(bool autoPlay)
{
    // Disc classification is not built yet: nothing is classified or played.
    (void)autoPlay;
}

} // namespace tolvane
