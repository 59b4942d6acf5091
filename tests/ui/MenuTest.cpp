#include "app/FrmSeleDir.h"
#include "playback/FrmPlay.h"
#include "ui/MenuActions.h"
#include "ui/UiFixture.h"

#include <QApplication>

namespace tolvane {
namespace {

// The captions of a menu's entries in order, "-" for a separator.
QStringList Captions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* entry : menu->actions())
        captions.append(entry->isSeparator() ? "-" : entry->text());
    return captions;
}

QList<int> Checked(const QList<QAction*>& entries)
{
    QList<int> checked;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i]->isChecked())
            checked.append(i);
    return checked;
}

QList<int> Visible(const QList<QAction*>& entries)
{
    QList<int> shown;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i]->isVisible())
            shown.append(i);
    return shown;
}

class MenuTest : public UiFixture
{
protected:
    ~MenuTest() override
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
    FrmMenu& menu = player.Menu();
    MenuActions actions{player};
};

TEST_F(MenuTest, TreeAndCaptionsAsDesigned)
{
    EXPECT_EQ(Captions(menu.mMain), QStringList({"播放選單", "畫面尺寸", "更換面版", "設定參數",
                                                 "前進/後退", "播放速度", "音量控制", "播放清單"}));
    EXPECT_EQ(Captions(menu.mdisk), QStringList({"搜尋裝置", "搜尋目錄", "-", "清單檔播放(m3u)",
                                                 "-", "選擇播放清單", "快速選曲", "選擇播放清單",
                                                 "-", "歌詞列印", "歌本管理", "-", "說明文件"}));
    EXPECT_EQ(Captions(menu.mReSize), QStringList({"畫面尺寸", "-", "單張抓圖", "連續抓圖", "-",
                                                   "原始畫面一半", "原始畫面大小", "原始畫面 1.5倍",
                                                   "原始畫面 2 倍", "全      螢      幕"}));
    EXPECT_EQ(Captions(menu.mList), QStringList({"播放清單", "-", "加入清單中", "由清單中刪除"}));
    EXPECT_EQ(Captions(menu.mSele), QStringList({"快速選曲", "-", "[1]"}));
    QStringList seek = Captions(menu.mSeekM);
    EXPECT_EQ(seek.mid(0, 4), QStringList({"前進/後退", "-", "1   Frame", "5   Frame"}));
    EXPECT_EQ(seek.last(), "10  Min");
    EXPECT_EQ(Checked(menu.mSeek), QList<int>{11});
    // Speeds 10% to 220% with 100% checked; eleven volume levels.
    EXPECT_EQ(menu.mSpeed1.size(), 22);
    EXPECT_EQ(menu.mSpeed1.last()->text(), "220%");
    EXPECT_EQ(Checked(menu.mSpeed1), QList<int>{9});
    EXPECT_EQ(menu.mSpeed1[9]->text(), "100%");
    EXPECT_EQ(menu.mVolume.size(), 11);
    EXPECT_EQ(menu.mVolume.first()->text(), "100%");
    EXPECT_EQ(menu.mVolume.last()->text(), "0%");
    // Song menus wait for music files.
    EXPECT_FALSE(menu.mSele->menuAction()->isEnabled());
    EXPECT_FALSE(menu.mSele1->menuAction()->isEnabled());
    EXPECT_FALSE(menu.mSele2->menuAction()->isVisible());
}

TEST_F(MenuTest, PlayMenuChecksTheCurrentDrive)
{
    const QStringList drives{"a:", "c:", "d:"};
    for (int i = 0; i < drives.size(); ++i)
        menu.DiskElement(i)->setText(drives[i]);
    player.device.CdromDrive = "D:";
    actions.ChkMenu(0, QPoint(10, 10));
    EXPECT_EQ(Checked(menu.mDiskC), QList<int>{2});
    EXPECT_EQ(Visible(menu.mDiskC), QList<int>({0, 1, 2}));
    EXPECT_EQ(QApplication::activePopupWidget(), menu.mdisk);
}

TEST_F(MenuTest, EntriesWithoutAnActionStayDisabled)
{
    player.Play().show();
    actions.ChkMenu(1, QPoint(10, 10));
    for (QAction* entry : menu.mSize + QList<QAction*>{menu.mCutBmp, menu.mPath1, menu.mSongText,
                                                       menu.mFindMusic, menu.mADDList})
        EXPECT_FALSE(entry->isEnabled()) << entry->text().toStdString();
    EXPECT_TRUE(menu.mPath->isEnabled());
}

TEST_F(MenuTest, QuickPickHidesWhatAShorterAlbumDoesNotNeed)
{
    Songs("Long", 12);
    Songs("Short", 3);
    player.app.SearchPattern = "MP3";
    FrmVCD& vcd = player.Vcd();
    vcd.File1.Path = "E:\\Long";
    player.playback.Mp3Index = 4;
    EXPECT_EQ(actions.UpdateMenu(), 12);
    EXPECT_EQ(menu.mSeleItem[0]->text(), "<01>a01.mp3");
    EXPECT_EQ(menu.mSeleItem[11]->text(), "<12>a12.mp3");
    EXPECT_EQ(Checked(menu.mSeleItem), QList<int>{4});
    vcd.File1.Path = "E:\\Short";
    player.playback.Mp3Index = 1;
    EXPECT_EQ(actions.UpdateMenu(), 3);
    EXPECT_EQ(menu.mSeleItem.size(), 12);
    EXPECT_EQ(Visible(menu.mSeleItem), QList<int>({0, 1, 2}));
    EXPECT_EQ(Checked(menu.mSeleItem.mid(0, 3)), QList<int>{1});
    EXPECT_EQ(player.Set().File1.Path, "E:\\Short");
}

TEST_F(MenuTest, AlbumMenuOfANumberKeyAndItsSongs)
{
    Songs("A", 2);
    Songs("B", 4);
    player.app.SearchPattern = "MP3";
    player.device.AlbumDirs = {"E:\\A", "E:\\B"};
    player.device.TrackCount = 2;
    player.Vcd().LabNum[1]->setText("2");
    // Only in music-file mode.
    actions.ChkMp3Menu(1, false, QPoint());
    EXPECT_EQ(menu.mSele2M->text(), "選擇播放清單");

    player.playback.PlayMode = "MP3";
    player.playback.MediaPath = "E:\\B\\A03.MP3";
    actions.ChkMp3Menu(1, true, QPoint(5, 5));
    EXPECT_EQ(menu.mSele2M->text(), "E:\\B");
    EXPECT_EQ(menu.mSeleItem2.size(), 4);
    EXPECT_EQ(menu.mSeleItem2[3]->text(), "a04.mp3");
    EXPECT_EQ(Checked(menu.mSeleItem2), QList<int>{2});
    EXPECT_EQ(player.playback.TrackIndex, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), menu.mSele2);
    EXPECT_FALSE(menu.mSele2->menuAction()->isVisible()); // popped up, not put in the menu

    // Choosing a song plays it from the album named in the header.
    player.playback.TrackIndex = 0;
    menu.mSeleItem2[3]->trigger();
    EXPECT_EQ(main.fileName, "E:\\B\\a04.mp3");
    EXPECT_EQ(player.playback.TrackIndex, 1);
    EXPECT_EQ(player.playback.Mp3Index, 3);
}

TEST_F(MenuTest, AlbumListPlaysAnAlbumFromItsFirstSong)
{
    Songs("A", 2);
    Songs("B", 3);
    player.app.SearchPattern = "MP3";
    player.playback.PlayMode = "MP3";
    player.device.AlbumDirs = {"E:\\A", "E:\\B"};
    EXPECT_FALSE(menu.mSele1->menuAction()->isEnabled());
    actions.UpdateAlbumMenu();
    EXPECT_TRUE(menu.mSele1->menuAction()->isEnabled());
    EXPECT_EQ(Visible(menu.mSeleItem1), QList<int>({0, 1}));
    menu.mSeleItem1[1]->trigger();
    EXPECT_EQ(main.fileName, "E:\\B\\a01.mp3");
    EXPECT_EQ(player.playback.TrackIndex, 1);
    // The quick pick then plays a song of that album.
    menu.mSeleItem[2]->trigger();
    EXPECT_EQ(main.fileName, "E:\\B\\a03.mp3");
}

TEST_F(MenuTest, DriveEntryClassifiesThatDrive)
{
    Songs("Music", 2);
    player.app.SearchPattern = "MP3";
    player.Set().Check5->setChecked(true);
    player.device.CdromDrive = "C:";
    player.device.ScanSubPath = "\\Old";
    menu.DiskElement(0)->setText("e:");
    menu.mDiskC[0]->trigger();
    EXPECT_EQ(player.device.CdromDrive, "e:");
    EXPECT_EQ(player.device.ScanSubPath, "");
    EXPECT_EQ(player.device.VcdFolder, "e:\\Mpegav");
    EXPECT_EQ(player.playback.PlayMode, "MP3");
    EXPECT_EQ(main.fileName, "e:\\Music\\a01.mp3");
}

TEST_F(MenuTest, SearchAFolderThroughTheChooser)
{
    Songs("Music/Pop", 2);
    player.app.SearchPattern = "MP3";
    menu.mPath->setText("搜尋目錄      E:");
    player.device.MixedDisc = true;
    bool callerHeld = false;
    fake.clock.onWait = [&] {
        FrmSeleDir& chooser = player.SeleDir();
        callerHeld = !player.Vcd().isEnabled();
        chooser.Dir1->SetPath("E:\\Music\\Pop");
        chooser.Command5->click();
    };
    menu.mPath->trigger();
    EXPECT_TRUE(callerHeld);
    EXPECT_TRUE(player.Vcd().isEnabled());
    EXPECT_EQ(player.app.Chooser.Pattern, "*.MP3");
    EXPECT_FALSE(player.device.MixedDisc);
    EXPECT_EQ(player.device.CdromDrive, "E:");
    EXPECT_EQ(player.device.ScanSubPath, "\\Music\\Pop");
    EXPECT_EQ(menu.mPath->text(), "搜尋目錄      E:\\Music\\Pop");
    EXPECT_EQ(player.device.AlbumDirs, QStringList{"E:\\Music\\Pop"});

    // Cancel changes nothing.
    fake.clock.onWait = [&] { player.SeleDir().Command6->click(); };
    menu.mPath->trigger();
    EXPECT_EQ(menu.mPath->text(), "搜尋目錄      E:\\Music\\Pop");
    EXPECT_EQ(player.device.ScanSubPath, "\\Music\\Pop");

    // Before the first search the chooser starts on the current device.
    menu.mPath->setText("搜尋目錄      ");
    QString shown;
    fake.clock.onWait = [&] {
        shown = player.SeleDir().Dir1->Path();
        player.SeleDir().Command5->click();
    };
    menu.mPath->trigger();
    EXPECT_EQ(shown.toUpper(), "E:\\");
    EXPECT_EQ(player.device.AlbumDirs, QStringList{"E:\\Music\\Pop"});
}

TEST_F(MenuTest, ReadmeGoesToTheDesktopOrSaysItIsMissing)
{
    menu.mReadme->trigger();
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_TRUE(fake.process.opened.isEmpty());
    QFile readme(fake.LocalPath("C:\\Tolvane99\\readme.htm"));
    ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
    readme.close();
    menu.mReadme->trigger();
    EXPECT_EQ(fake.process.opened, QStringList{readme.fileName()});
}

TEST_F(MenuTest, SpeedVolumeAndSeekEntriesReachTheirProcedures)
{
    player.playback.PlayMode = "MP3";
    menu.mSpeed1[14]->trigger();
    EXPECT_EQ(main.speed, 1500);
    EXPECT_EQ(separate.speed, 1500);
    EXPECT_EQ(Checked(menu.mSpeed1), QList<int>{14});
    menu.mVolume[3]->trigger();
    EXPECT_EQ(player.playback.Volume, 700);
    EXPECT_EQ(Checked(menu.mVolume), QList<int>{3});
    menu.mSeek[8]->trigger();
    EXPECT_EQ(Checked(menu.mSeek), QList<int>{8});
}

} // namespace
} // namespace tolvane
