#include "ui/FrmMenu.h"

namespace tolvane {

FrmMenu::FrmMenu(QWidget* parent) : QWidget(parent)
{
    mPopup = new QMenu(this);
    mDisk = mPopup->addMenu("光碟機");
    mDiskC.append(mDisk->addAction("c:"));
    mPath = mPopup->addAction("搜尋目錄");
    mCutBmp1 = mPopup->addAction("單張抓圖");
    mCutBmp = mPopup->addAction("連續抓圖");
    mDesk = mPopup->addMenu("面板");
    mSele = mPopup->addAction("選曲");
    mSele1 = mPopup->addAction("專輯選曲");
    BuildSeekMenu();
    BuildSpeedMenu();
    BuildVolumeMenu();
}

void FrmMenu::BuildVolumeMenu()
{
    mVolumex = mPopup->addMenu("音量控制");
    mVolumex->addAction("音量控制")->setEnabled(false);
    mVolumex->addSeparator();
    for (int percent = 100; percent >= 0; percent -= 10) {
        QAction* entry = mVolumex->addAction(QString::number(percent) + "%");
        entry->setCheckable(true);
        mVolume.append(entry);
    }
}

void FrmMenu::BuildSeekMenu()
{
    static const char* const kSteps[] = {
        "1   Frame", "5   Frame", "10 Frame", "0.5 Sec", "1  Sec", "2  Sec", "3  Sec", "5 Sec",
        "10 Sec",    "20 Sec",    "30 Sec",   "1  Min",  "2  Min", "3  Min", "5  Min", "10  Min"};
    mSeekM = mPopup->addMenu("前進/後退");
    mSeekM->addAction("前進/後退")->setEnabled(false);
    mSeekM->addSeparator();
    for (const char* step : kSteps) {
        QAction* entry = mSeekM->addAction(QString::fromUtf8(step));
        entry->setCheckable(true);
        mSeek.append(entry);
    }
    mSeek[11]->setChecked(true);
}

void FrmMenu::BuildSpeedMenu()
{
    mSpeed = mPopup->addMenu("播放速度");
    mSpeed->addAction("播放速度")->setEnabled(false);
    mSpeed->addSeparator();
    for (int k = 0; k < 22; ++k) {
        QAction* entry = mSpeed->addAction(QString::number((k + 1) * 10) + "%");
        entry->setCheckable(true);
        mSpeed1.append(entry);
    }
    SpeedEntry = 9;
    mSpeed1[SpeedEntry]->setChecked(true);
}

QAction* FrmMenu::DiskElement(int i)
{
    while (mDiskC.size() <= i)
        mDiskC.append(mDisk->addAction(QString()));
    return mDiskC[i];
}

QAction* FrmMenu::SkinElement(int i)
{
    while (mDeskFile.size() <= i)
        mDeskFile.append(mDesk->addAction(QString()));
    return mDeskFile[i];
}

} // namespace tolvane
