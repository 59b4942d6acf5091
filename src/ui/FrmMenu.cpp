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
