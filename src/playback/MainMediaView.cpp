#include "playback/MainMediaView.h"

#include "app/Player.h"
#include "playback/FrmPlay.h"
#include "playback/TimeDisplay.h"
#include "playback/VolumeControl.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"
#include "ui/MenuActions.h"
#include "ui/NumberPad.h"

namespace tolvane {

void MainMediaView::SetStatus(const QString& text)
{
    QLabel* label = player_.Vcd().Label1;
    label->setText(text);
    label->repaint();
}

void MainMediaView::SetScanLabel(const QString& text)
{
    player_.Vcd().LabelScan->setText(text);
}

void MainMediaView::SetLyricsTip(const QString& text)
{
    player_.Vcd().Label2[2]->setToolTip(text);
}

void MainMediaView::SetPlayPicture(int pauseIndex)
{
    FrmVCD& vcd = player_.Vcd();
    if (pauseIndex >= 0 && pauseIndex < vcd.ImagePause.size()) {
        vcd.ImageButton1[0]->setPixmap(vcd.ImagePause[pauseIndex]);
        vcd.ImageButton1[0]->adjustSize();
    }
}

void MainMediaView::SetPollTimer(bool enabled)
{
    QTimer* timer = player_.Vcd().Timer1;
    if (enabled)
        timer->start();
    else
        timer->stop();
}

void MainMediaView::SetPictureTimer(bool enabled)
{
    QTimer* timer = player_.Vcd().TimerBMP;
    // An interval of 0 means the show is off.
    if (enabled && timer->interval() > 0)
        timer->start();
    else
        timer->stop();
}

void MainMediaView::SetSongMenus(bool enabled)
{
    FrmMenu& menu = player_.Menu();
    menu.mSele->menuAction()->setEnabled(enabled);
    menu.mSele1->menuAction()->setEnabled(enabled);
}

void MainMediaView::SetMainEnabled(bool enabled)
{
    player_.Vcd().setEnabled(enabled);
}

void MainMediaView::HideSeparateWindow()
{
    if (player_.IsLoaded("FrmPlay"))
        player_.Play().hide();
}

void MainMediaView::HideBackImage()
{
    player_.Vcd().ImageBack->hide();
}

void MainMediaView::HideVideoPicture()
{
    player_.Vcd().VcdPic->hide();
}

void MainMediaView::ShowTime()
{
    player_.Time().ShowTime();
}

void MainMediaView::ShowPoint()
{
    player_.Time().ShowPoint();
}

void MainMediaView::SetVolume()
{
    player_.Volume().SetVolume();
}

void MainMediaView::VolumeDown()
{
    player_.Volume().VolumeDown();
}

void MainMediaView::VolumeUp()
{
    player_.Volume().VolumeUp();
}

void MainMediaView::ChkLab(bool firstPage)
{
    NumberPad(player_).ChkLab(firstPage);
}

void MainMediaView::ChkLabColor(int index)
{
    NumberPad(player_).ChkLabColor(index);
}

void MainMediaView::ChkMp3Menu()
{
    MenuActions(player_).ChkMp3Menu(0, false, QPoint());
}

void MainMediaView::UpdateMenu()
{
    MenuActions(player_).UpdateMenu();
}

void MainMediaView::RelayoutLabels()
{
    FrmVCD& vcd = player_.Vcd();
    vcd.Label1->raise();
    for (QLabel* label : vcd.Label2)
        label->raise();
}

void MainMediaView::UpdateAlbumMenu()
{
    MenuActions(player_).UpdateAlbumMenu();
}

} // namespace tolvane
