#include "ui/MainMediaView.h"

#include "forms/Forms.h"
#include "forms/FrmMenu.h"
#include "forms/FrmPlay.h"
#include "forms/FrmVCD.h"
#include "lyrics/LyricsDisplay.h"
#include "pictures/PictureShow.h"
#include "playback/PlaybackServices.h"
#include "playback/TimeDisplay.h"
#include "playback/VolumeControl.h"
#include "ui/MenuActions.h"
#include "ui/NumberPad.h"

namespace tolvane {

void MainMediaView::SetStatus(const QString& text)
{
    QLabel* label = forms_.Vcd().Label1;
    label->setText(text);
    label->repaint();
}

void MainMediaView::SetScanLabel(const QString& text)
{
    forms_.Vcd().LabelScan->setText(text);
}

void MainMediaView::SetLyricsTip(const QString& text)
{
    forms_.Vcd().Label2[2]->setToolTip(text);
}

QString MainMediaView::LookUpLyrics(const QString& mediaPath)
{
    return lyrics_.LookUp(mediaPath);
}

void MainMediaView::ClearLyricsPath()
{
    lyrics_.ClearLyricsPath();
}

void MainMediaView::SetPlayPicture(int pauseIndex)
{
    FrmVCD& vcd = forms_.Vcd();
    if (pauseIndex >= 0 && pauseIndex < vcd.ImagePause.size()) {
        vcd.ImageButton1[0]->setPixmap(vcd.ImagePause[pauseIndex]);
        vcd.ImageButton1[0]->adjustSize();
    }
}

void MainMediaView::SetPollTimer(bool enabled)
{
    QTimer* timer = forms_.Vcd().Timer1;
    if (enabled)
        timer->start();
    else
        timer->stop();
}

void MainMediaView::SetPictureTimer(bool enabled)
{
    pictures_.SetTimer(enabled);
}

void MainMediaView::SetSongMenus(bool enabled)
{
    FrmMenu& menu = forms_.Menu();
    menu.mSele->menuAction()->setEnabled(enabled);
    menu.mSele1->menuAction()->setEnabled(enabled);
}

void MainMediaView::SetMainEnabled(bool enabled)
{
    forms_.Vcd().setEnabled(enabled);
}

void MainMediaView::HideSeparateWindow()
{
    if (forms_.IsLoaded(Window::Play))
        forms_.Play().hide();
}

void MainMediaView::HideBackImage()
{
    forms_.Vcd().ImageBack->hide();
}

void MainMediaView::HideVideoPicture()
{
    forms_.Vcd().VcdPic->hide();
}

void MainMediaView::ShowTime()
{
    services_.Time().ShowTime();
}

void MainMediaView::ShowPoint()
{
    services_.Time().ShowPoint();
}

void MainMediaView::SetVolume()
{
    services_.Volume().SetVolume();
}

void MainMediaView::VolumeDown()
{
    services_.Volume().VolumeDown();
}

void MainMediaView::VolumeUp()
{
    services_.Volume().VolumeUp();
}

void MainMediaView::ChkLab(bool firstPage)
{
    pad_.ChkLab(firstPage);
}

void MainMediaView::ChkLabColor(int index)
{
    pad_.ChkLabColor(index);
}

void MainMediaView::ChkMp3Menu()
{
    menus_.ChkMp3Menu(0, false, QPoint());
}

void MainMediaView::UpdateMenu()
{
    menus_.UpdateMenu();
}

void MainMediaView::RelayoutLabels()
{
    FrmVCD& vcd = forms_.Vcd();
    vcd.Label1->raise();
    for (QLabel* label : vcd.Label2)
        label->raise();
}

void MainMediaView::UpdateAlbumMenu()
{
    menus_.UpdateAlbumMenu();
}

} // namespace tolvane
