#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QWidget>

namespace tolvane {

// The hidden window that holds the pop-up menus of the main window.
class FrmMenu : public QWidget
{
    Q_OBJECT
public:
    explicit FrmMenu(QWidget* parent = nullptr);

    QMenu* mPopup = nullptr;
    QMenu* mDisk = nullptr;      // drives
    QList<QAction*> mDiskC;      // one element per drive
    QAction* mPath = nullptr;    // search a folder
    QAction* mCutBmp = nullptr;  // continuous capture
    QAction* mCutBmp1 = nullptr; // single capture
    QMenu* mDesk = nullptr;      // skins
    QAction* mSele = nullptr;    // songs of the disc
    QAction* mSele1 = nullptr;   // songs of the album
    QList<QAction*> mDeskFile;   // one element per skin picture; the data is its path
    QMenu* mVolumex = nullptr;   // volume
    QList<QAction*> mVolume;     // "100%" down to "0%" in steps of ten
    QMenu* mSeekM = nullptr;     // seek steps
    QList<QAction*> mSeek;       // 16 steps, exactly one checked
    QMenu* mSpeed = nullptr;     // playback speeds
    QList<QAction*> mSpeed1;     // 10% to 220%
    int SpeedEntry = 9;          // the checked element of mSpeed1

    // Makes sure element i of the drive menu exists; elements are created in order.
    QAction* DiskElement(int i);
    QAction* SkinElement(int i);

private:
    void BuildSeekMenu();
    void BuildSpeedMenu();
    void BuildVolumeMenu();
};

} // namespace tolvane
