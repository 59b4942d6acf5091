#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QWidget>

namespace tolvane {

// The hidden window that holds the pop-up menus of the main window. Sub-menus are
// QMenu objects: their entry in the parent menu is menuAction(). Menu arrays only
// grow; elements a list no longer needs are hidden.
class FrmMenu : public QWidget
{
    Q_OBJECT
public:
    explicit FrmMenu(QWidget* parent = nullptr);

    QMenu* mMain = nullptr; // never popped up itself

    QMenu* mdisk = nullptr;  // play menu
    QMenu* mDrive = nullptr; // search a device
    QList<QAction*> mDiskC;  // one element per drive
    QAction* mPath = nullptr;
    QAction* mPath1 = nullptr;
    QMenu* mSele1 = nullptr; // album list
    QAction* mSele1M = nullptr;
    QList<QAction*> mSeleItem1;
    QMenu* mSele = nullptr; // quick song pick
    QAction* mSeleM = nullptr;
    QList<QAction*> mSeleItem;
    QMenu* mSele2 = nullptr; // the songs of one album
    QAction* mSele2M = nullptr;
    QList<QAction*> mSeleItem2;
    QAction* mSongText = nullptr;
    QAction* mFindMusic = nullptr;
    QAction* mReadme = nullptr;

    QMenu* mReSize = nullptr; // picture size
    QAction* mReSizeM = nullptr;
    QAction* mCutBmp1 = nullptr; // single capture
    QAction* mCutBmp = nullptr;  // continuous capture
    QList<QAction*> mSize;

    QMenu* mDesk = nullptr; // change skin
    QAction* mDeskM = nullptr;
    QList<QAction*> mDeskPic; // one element per skin picture; the data is its path

    QAction* mTool = nullptr;    // settings
    QMenu* mToolPopup = nullptr; // mTool alone, for the settings button

    QMenu* mSeekM = nullptr; // skip steps
    QAction* mSeekM1 = nullptr;
    QList<QAction*> mSeek; // 16 steps, exactly one checked

    QMenu* mSpeed = nullptr; // playback speeds
    QAction* mSpeedM = nullptr;
    QList<QAction*> mSpeed1; // 10% to 220%
    int SpeedEntry = 9;      // the checked element of mSpeed1

    QMenu* mVolumex = nullptr; // volume
    QAction* mVolumeM = nullptr;
    QList<QAction*> mVolume; // "100%" down to "0%" in steps of ten

    QMenu* mList = nullptr; // play list
    QAction* mListM = nullptr;
    QAction* mADDList = nullptr;
    QAction* mDelList = nullptr;

    // Element i of a run-time array, created (with those before it) when missing.
    QAction* DiskElement(int i) { return Element(mDrive, mDiskC, i); }
    QAction* SkinElement(int i) { return Element(mDesk, mDeskPic, i); }
    QAction* AlbumElement(int i) { return Element(mSele1, mSeleItem1, i); }
    QAction* SongElement(int i) { return Element(mSele, mSeleItem, i); }
    QAction* AlbumSongElement(int i) { return Element(mSele2, mSeleItem2, i); }

    // "搜尋目錄" followed by the place searched last: the caption kept to nine
    // characters, a blank, then the place.
    void SetPathCaption(const QString& place);

    // The index of an entry in one of the arrays, or -1.
    static int IndexOf(const QList<QAction*>& array, const QAction* entry);

private:
    static QAction* Element(QMenu* menu, QList<QAction*>& array, int i);
    // A sub-menu that starts with its header entry and a separator.
    static QMenu* TitledMenu(QMenu* parent, const QString& title, QAction*& header);
    void BuildPlayMenu();
    void BuildSizeMenu();
    void BuildSeekMenu();
    void BuildSpeedMenu();
    void BuildVolumeMenu();
    void BuildListMenu();
};

} // namespace tolvane
