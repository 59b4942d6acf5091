#include "forms/FrmMenu.h"

namespace tolvane {

namespace {

QAction* Checkable(QAction* entry)
{
    entry->setCheckable(true);
    return entry;
}

} // namespace

FrmMenu::FrmMenu(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmMenu");
    mMain = new QMenu("主清單", this);
    BuildPlayMenu();
    BuildSizeMenu();
    QAction* header = nullptr;
    mDesk = TitledMenu(mMain, "更換面版", header);
    mDeskM = header;
    mDeskPic.append(mDesk->addAction("(1)"));
    mTool = mMain->addAction("設定參數");
    mToolPopup = new QMenu(this);
    mToolPopup->addAction(mTool);
    BuildSeekMenu();
    BuildSpeedMenu();
    BuildVolumeMenu();
    BuildListMenu();
    // Usable once music files are loaded.
    mSele1->menuAction()->setEnabled(false);
    mSele->menuAction()->setEnabled(false);
    mSele2->menuAction()->setVisible(false);
}

QMenu* FrmMenu::TitledMenu(QMenu* parent, const QString& title, QAction*& header)
{
    QMenu* menu = parent->addMenu(title);
    header = menu->addAction(title);
    menu->addSeparator();
    return menu;
}

void FrmMenu::BuildPlayMenu()
{
    mdisk = mMain->addMenu("播放選單");
    mDrive = mdisk->addMenu("搜尋裝置");
    mDiskC.append(Checkable(mDrive->addAction("C:")));
    mPath = mdisk->addAction("搜尋目錄");
    mdisk->addSeparator();
    mPath1 = mdisk->addAction("清單檔播放(m3u)");
    mdisk->addSeparator();
    mSele1 = TitledMenu(mdisk, "選擇播放清單", mSele1M);
    mSeleItem1.append(mSele1->addAction("(1)"));
    mSele = TitledMenu(mdisk, "快速選曲", mSeleM);
    mSeleItem.append(Checkable(mSele->addAction("[1]")));
    mSele2 = TitledMenu(mdisk, "選擇播放清單", mSele2M);
    mSeleItem2.append(Checkable(mSele2->addAction("<1>")));
    mdisk->addSeparator();
    mSongText = mdisk->addAction("歌詞列印");
    mFindMusic = mdisk->addAction("歌本管理");
    mdisk->addSeparator();
    mReadme = mdisk->addAction("說明文件");
}

void FrmMenu::BuildSizeMenu()
{
    mReSize = TitledMenu(mMain, "畫面尺寸", mReSizeM);
    mCutBmp1 = mReSize->addAction("單張抓圖");
    mCutBmp = mReSize->addAction("連續抓圖");
    mReSize->addSeparator();
    static const char* const kSizes[] = {"原始畫面一半", "原始畫面大小", "原始畫面 1.5倍",
                                         "原始畫面 2 倍", "全      螢      幕"};
    for (const char* size : kSizes)
        mSize.append(mReSize->addAction(QString::fromUtf8(size)));
}

void FrmMenu::BuildSeekMenu()
{
    static const char* const kSteps[] = {
        "1   Frame", "5   Frame", "10 Frame", "0.5 Sec", "1  Sec", "2  Sec", "3  Sec", "5 Sec",
        "10 Sec",    "20 Sec",    "30 Sec",   "1  Min",  "2  Min", "3  Min", "5  Min", "10  Min"};
    mSeekM = TitledMenu(mMain, "前進/後退", mSeekM1);
    for (const char* step : kSteps)
        mSeek.append(Checkable(mSeekM->addAction(QString::fromUtf8(step))));
    mSeek[11]->setChecked(true);
}

void FrmMenu::BuildSpeedMenu()
{
    mSpeed = TitledMenu(mMain, "播放速度", mSpeedM);
    for (int k = 0; k < 22; ++k)
        mSpeed1.append(Checkable(mSpeed->addAction(QString::number((k + 1) * 10) + "%")));
    SpeedEntry = 9;
    mSpeed1[SpeedEntry]->setChecked(true);
}

void FrmMenu::BuildVolumeMenu()
{
    mVolumex = TitledMenu(mMain, "音量控制", mVolumeM);
    for (int percent = 100; percent >= 0; percent -= 10)
        mVolume.append(Checkable(mVolumex->addAction(QString::number(percent) + "%")));
}

void FrmMenu::BuildListMenu()
{
    mList = TitledMenu(mMain, "播放清單", mListM);
    mADDList = mList->addAction("加入清單中");
    mDelList = mList->addAction("由清單中刪除");
}

QAction* FrmMenu::Element(QMenu* menu, QList<QAction*>& array, int i)
{
    while (array.size() <= i) {
        QAction* entry = menu->addAction(QString());
        entry->setCheckable(array.first()->isCheckable());
        array.append(entry);
    }
    return array[i];
}

void FrmMenu::SetPathCaption(const QString& place)
{
    const QString caption = (mPath->text() + QString(9, ' ')).left(9);
    mPath->setText(caption + " " + place);
}

int FrmMenu::IndexOf(const QList<QAction*>& array, const QAction* entry)
{
    for (int i = 0; i < array.size(); ++i) {
        if (array[i] == entry)
            return i;
    }
    return -1;
}

} // namespace tolvane
