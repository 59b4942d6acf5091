#include "ui/MenuActions.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/MousePointer.h"
#include "app/Text.h"
#include "capture/FrameCapture.h"
#include "discovery/DiscDetection.h"
#include "discovery/MusicScan.h"
#include "forms/Forms.h"
#include "forms/FrmMenu.h"
#include "forms/FrmPlay.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "forms/SeleDir.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"
#include "playback/SpeedSeek.h"
#include "playback/VideoWindow.h"
#include "playback/VolumeControl.h"
#include "skins/SkinLoader.h"
#include "ui/NumberPad.h"
#include "ui/PlayListWindow.h"

#include <algorithm>

namespace tolvane {

namespace {

// Runs `act` with the index of the chosen element of one of the menu's arrays.
template <typename Act>
void OnElement(QMenu* menu, const QList<QAction*>& array, QObject* context, Act act)
{
    QObject::connect(menu, &QMenu::triggered, context, [&array, act](QAction* entry) {
        const int index = FrmMenu::IndexOf(array, entry);
        if (index >= 0)
            act(index);
    });
}

} // namespace

void MenuActions::Connect(FrmMenu& menu)
{
    MenuActions* p = this;
    OnElement(menu.mDrive, menu.mDiskC, &menu, [p](int i) { p->mDiskC_Click(i); });
    QObject::connect(menu.mPath, &QAction::triggered, &menu, [p] { p->mPath_Click(); });
    OnElement(menu.mSele1, menu.mSeleItem1, &menu, [p](int i) { p->mSeleItem1_Click(i); });
    QObject::connect(menu.mSele1, &QMenu::aboutToShow, &menu, [p] { p->FillAlbumMenu(); });
    OnElement(menu.mSele, menu.mSeleItem, &menu, [p](int i) { p->mSeleItem_Click(i); });
    OnElement(menu.mSele2, menu.mSeleItem2, &menu, [p](int i) { p->mSeleItem2_Click(i); });
    QObject::connect(menu.mReadme, &QAction::triggered, &menu, [p] { p->mReadme_Click(); });
    QObject::connect(menu.mTool, &QAction::triggered, &menu, [p] { p->mTool_Click(); });
    OnElement(menu.mDesk, menu.mDeskPic, &menu, [p](int i) {
        p->skins_.SkinMenuClick(p->forms_.Menu().mDeskPic[i]->data().toString());
    });
    OnElement(menu.mSeekM, menu.mSeek, &menu, [p](int i) { p->speed_.mSeek_Click(i); });
    OnElement(menu.mSpeed, menu.mSpeed1, &menu, [p](int i) { p->speed_.mSpeed1_Click(i); });
    OnElement(menu.mVolumex, menu.mVolume, &menu,
              [p](int i) { p->services_.Volume().mVolume_Click(i); });
    QObject::connect(menu.mPath1, &QAction::triggered, &menu, [p] { p->playList_.mPath1_Click(); });
    QObject::connect(menu.mSongText, &QAction::triggered, &menu,
                     [p] { p->playList_.mSongText_Click(); });
    QObject::connect(menu.mADDList, &QAction::triggered, &menu,
                     [p] { p->playList_.mADDList_Click(); });
    QObject::connect(menu.mFindMusic, &QAction::triggered, &menu, [p] {
        if (p->openSongBook)
            p->openSongBook();
    });
    QObject::connect(menu.mCutBmp1, &QAction::triggered, &menu,
                     [p] { p->capture_.mCutBmp1_Click(); });
    QObject::connect(menu.mCutBmp, &QAction::triggered, &menu,
                     [p] { p->capture_.mCutBmp_Click(); });
    OnElement(menu.mReSize, menu.mSize, &menu, [p](int i) { p->services_.Video().mSize_Click(i); });
    // Removing from the list has no action in this program: its entry stays disabled.
    menu.mDelList->setEnabled(false);
}

void MenuActions::Popup(QMenu* menu, const QPoint& at)
{
    menu->popup(at);
}

void MenuActions::ChkMenu(int index, const QPoint& at)
{
    FrmMenu& menu = forms_.Menu();
    switch (index) {
    case 0:
        for (QAction* drive : std::as_const(menu.mDiskC)) {
            drive->setVisible(true);
            drive->setChecked(!drive->text().isEmpty() && context_.device.CdromDrive.contains(
                                                              drive->text(), Qt::CaseInsensitive));
        }
        Popup(menu.mdisk, at);
        break;
    case 1: {
        // Sizes apply to the separate video window only, while it is shown.
        const bool shown = forms_.IsLoaded(Window::Play) && forms_.Play().isVisible();
        for (QAction* size : std::as_const(menu.mSize)) {
            size->setVisible(true);
            size->setEnabled(shown);
        }
        Popup(menu.mReSize, at);
        break;
    }
    case 2:
        for (QAction* skin : std::as_const(menu.mDeskPic))
            skin->setVisible(true);
        Popup(menu.mDesk, at);
        break;
    case 3:
        Popup(menu.mToolPopup, at);
        break;
    default:
        break;
    }
}

QString MenuActions::MusicPattern() const
{
    return MusicScan::Filters(context_.app.SearchPattern).join(';');
}

void MenuActions::ChkMp3Menu(int index, bool show, const QPoint& at)
{
    if (context_.playback.PlayMode != MediaMode::Mp3)
        return;
    FrmVCD& vcd = forms_.Vcd();
    FrmMenu& menu = forms_.Menu();
    SetMousePointer(Pointer::ArrowHourglass);
    const int pageKey = int(vcd.PicNum.size()) - 1;
    if (index == pageKey) {
        SetMousePointer(Pointer::Default);
        if (show)
            Popup(menu.mSele1, at);
        return;
    }
    const int number = pad_.KeyNumber(index);
    const QString album = context_.device.AlbumDirs.value(number - 1);
    vcd.File1.Path = album;
    vcd.File1.Pattern = MusicPattern();
    vcd.File1.Refresh(context_.platform.files);
    menu.mSele2M->setText(album);
    for (int i = 1; i < menu.mSeleItem2.size(); ++i)
        menu.mSeleItem2[i]->setVisible(false);
    const QString playing = context_.playback.MediaPath;
    for (int i = 0; i < vcd.File1.List.size(); ++i) {
        QAction* entry = menu.AlbumSongElement(i);
        entry->setText(vcd.File1.List[i]);
        entry->setVisible(true);
        entry->setChecked(playing.contains(vcd.File1.List[i], Qt::CaseInsensitive));
    }
    context_.playback.TrackIndex = number - 1;
    SetMousePointer(Pointer::Default);
    if (show)
        Popup(menu.mSele2, at);
}

int MenuActions::UpdateMenu()
{
    FrmVCD& vcd = forms_.Vcd();
    FrmMenu& menu = forms_.Menu();
    vcd.File1.Pattern = MusicPattern();
    vcd.File1.Refresh(context_.platform.files);
    FrmSet& set = forms_.Set();
    set.File1.Path = vcd.File1.Path;
    set.File1.Pattern = vcd.File1.Pattern;
    const QStringList& files = vcd.File1.List;
    for (int i = 0; i < files.size(); ++i) {
        QAction* entry = menu.SongElement(i);
        entry->setText("<" + ZeroPad(i + 1, 2) + ">" + files[i]);
        entry->setVisible(true);
        entry->setChecked(false);
    }
    if (!files.isEmpty()) {
        for (qsizetype i = files.size(); i < menu.mSeleItem.size(); ++i)
            menu.mSeleItem[i]->setVisible(false);
        if (QAction* playing = menu.mSeleItem.value(context_.playback.Mp3Index))
            playing->setChecked(true);
    }
    return int(files.size());
}

void MenuActions::UpdateAlbumMenu()
{
    const QStringList& albums = context_.device.AlbumDirs;
    albumMenuStale_ = true;
    const bool any = std::any_of(albums.begin(), albums.end(),
                                 [](const QString& album) { return !album.isEmpty(); });
    forms_.Menu().mSele1->menuAction()->setEnabled(any);
}

void MenuActions::FillAlbumMenu()
{
    if (!albumMenuStale_)
        return;
    albumMenuStale_ = false;
    FrmMenu& menu = forms_.Menu();
    const QStringList& albums = context_.device.AlbumDirs;
    for (int i = 0; i < albums.size(); ++i) {
        QAction* entry = menu.AlbumElement(i);
        entry->setText("(" + QString::number(i + 1) + ") " + albums[i]);
        entry->setVisible(true);
    }
    for (qsizetype i = qMax<qsizetype>(albums.size(), 1); i < menu.mSeleItem1.size(); ++i)
        menu.mSeleItem1[i]->setVisible(false);
}

void MenuActions::mDiskC_Click(int index)
{
    context_.device.ScanSubPath.clear();
    DiscDetection& detection = detection_;
    detection.SetDevice(forms_.Menu().mDiskC[index]->text().left(2));
    detection.CheckCdrom(true);
}

void MenuActions::mPath_Click()
{
    FrmMenu& menu = forms_.Menu();
    DeviceState& device = context_.device;
    // The caption ends with the folder searched last; before the first search it
    // names no folder, and the chooser starts on the current device.
    QString start = menu.mPath->text().mid(10);
    if (start.size() < 2 || start[1] != ':')
        start = device.CdromDrive + "\\";
    const QString chosen = ChooseFolder(context_, forms_, forms_.Vcd(), start, MusicPattern());
    if (chosen.isEmpty())
        return;
    device.MixedDisc = false;
    device.ScanSubPath = chosen.mid(2);
    menu.SetPathCaption(chosen.left(2) + device.ScanSubPath);
    device.LastSearchDrive = chosen.left(2);
    DiscDetection& detection = detection_;
    detection.SetDevice(chosen.left(2));
    detection.CheckCdrom(true);
}

void MenuActions::PlayAlbumSong(int album, int song)
{
    const QStringList& albums = context_.device.AlbumDirs;
    if (album < 0 || album >= albums.size())
        return;
    context_.playback.TrackIndex = album;
    controller_.PlayMp3(albums[album], song);
}

void MenuActions::mSeleItem1_Click(int index)
{
    PlayAlbumSong(index, 0);
}

void MenuActions::mSeleItem_Click(int index)
{
    PlayAlbumSong(context_.playback.TrackIndex, index);
}

void MenuActions::mSeleItem2_Click(int index)
{
    const QString album = forms_.Menu().mSele2M->text();
    const int found = int(context_.device.AlbumDirs.indexOf(album));
    PlayAlbumSong(found, index);
}

void MenuActions::mReadme_Click()
{
    const QString readme = PathJoin(context_.platform.programFolder, "readme.htm");
    if (!context_.platform.files.FileExists(readme)) {
        ShowMessage(context_.platform.prompter, "找不到說明文件 " + readme, "error");
        return;
    }
    context_.platform.process.OpenDocument(context_.platform.files.Local(readme));
}

void MenuActions::mTool_Click()
{
    if (openSettings)
        openSettings();
}

} // namespace tolvane
