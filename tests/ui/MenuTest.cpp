#include "forms/FrmSeleDir.h"
#include "ui/MenuActions.h"
#include "ui/UiFixture.h"

namespace tolvane {
namespace {

class MenuTest : public UiFixture
{
protected:
    FrmMenu& menu = player.forms.Menu();
    MenuActions& actions = player.menus;
};

TEST_F(MenuTest, PlayMenuChecksTheCurrentDriveAndADriveEntryClassifiesThatDrive)
{
    const QStringList drives{"a:", "c:", "d:"};
    for (int i = 0; i < drives.size(); ++i)
        menu.DiskElement(i)->setText(drives[i]);
    player.context.device.CdromDrive = "D:";
    actions.ChkMenu(0, QPoint(10, 10));
    EXPECT_EQ(Which(menu.mDiskC, &QAction::isChecked), QList<int>{2});
    EXPECT_EQ(Which(menu.mDiskC, &QAction::isVisible), QList<int>({0, 1, 2}));
    EXPECT_EQ(QApplication::activePopupWidget(), menu.mdisk);

    // A drive entry classifies that drive.
    Songs("Music", 2);
    player.context.app.SearchPattern = "MP3";
    player.forms.Set().Check5->setChecked(true);
    player.context.device.CdromDrive = "C:";
    player.context.device.ScanSubPath = "\\Old";
    menu.DiskElement(0)->setText("e:");
    menu.mDiskC[0]->trigger();
    EXPECT_EQ(player.context.device.CdromDrive, "e:");
    EXPECT_EQ(player.context.device.ScanSubPath, "");
    EXPECT_EQ(player.context.device.VcdFolder, "e:\\Mpegav");
    EXPECT_EQ(player.context.playback.PlayMode, MediaMode::Mp3);
    EXPECT_EQ(main.fileName, "e:\\Music\\a01.mp3");
}

TEST_F(MenuTest, QuickPickHidesWhatAShorterAlbumDoesNotNeed)
{
    Songs("Long", 12);
    Songs("Short", 3);
    player.context.app.SearchPattern = "MP3";
    player.forms.Vcd().File1.Path = "E:\\Long";
    player.context.playback.Mp3Index = 4;
    EXPECT_EQ(actions.UpdateMenu(), 12);
    EXPECT_EQ(menu.mSeleItem[0]->text(), "<01>a01.mp3");
    EXPECT_EQ(menu.mSeleItem[11]->text(), "<12>a12.mp3");
    EXPECT_EQ(Which(menu.mSeleItem, &QAction::isChecked), QList<int>{4});
    player.forms.Vcd().File1.Path = "E:\\Short";
    player.context.playback.Mp3Index = 1;
    EXPECT_EQ(actions.UpdateMenu(), 3);
    EXPECT_EQ(menu.mSeleItem.size(), 12);
    EXPECT_EQ(Which(menu.mSeleItem, &QAction::isVisible), QList<int>({0, 1, 2}));
    EXPECT_EQ(Which(menu.mSeleItem.mid(0, 3), &QAction::isChecked), QList<int>{1});
    EXPECT_EQ(player.forms.Set().File1.Path, "E:\\Short");
}

TEST_F(MenuTest, AlbumMenusPlayAnAlbumFromItsFirstSongOrOneOfItsSongs)
{
    Songs("A", 2);
    Songs("B", 4);
    player.context.app.SearchPattern = "MP3";
    player.context.device.AlbumDirs = {"E:\\A", "E:\\B"};
    player.context.device.TrackCount = 2;
    player.forms.Vcd().LabNum[1]->setText("2");
    // A number key's album menu only in music-file mode.
    actions.ChkMp3Menu(1, false, QPoint());
    EXPECT_EQ(menu.mSele2M->text(), "選擇播放清單");

    player.context.playback.PlayMode = MediaMode::Mp3;
    EXPECT_FALSE(menu.mSele1->menuAction()->isEnabled());
    actions.UpdateAlbumMenu();
    EXPECT_TRUE(menu.mSele1->menuAction()->isEnabled());
    Q_EMIT menu.mSele1->aboutToShow(); // filled when opened
    EXPECT_EQ(Which(menu.mSeleItem1, &QAction::isVisible), QList<int>({0, 1}));
    menu.mSeleItem1[1]->trigger();
    EXPECT_EQ(main.fileName, "E:\\B\\a01.mp3");
    EXPECT_EQ(player.context.playback.TrackIndex, 1);
    // The quick pick then plays a song of that album.
    menu.mSeleItem[2]->trigger();
    EXPECT_EQ(main.fileName, "E:\\B\\a03.mp3");

    player.context.playback.MediaPath = "E:\\B\\A03.MP3";
    player.context.playback.TrackIndex = 0;
    actions.ChkMp3Menu(1, true, QPoint(5, 5));
    EXPECT_EQ(player.context.playback.TrackIndex, 1);
    EXPECT_EQ(menu.mSele2M->text(), "E:\\B");
    EXPECT_EQ(menu.mSeleItem2.size(), 4);
    EXPECT_EQ(menu.mSeleItem2[3]->text(), "a04.mp3");
    EXPECT_EQ(Which(menu.mSeleItem2, &QAction::isChecked), QList<int>{2});
    EXPECT_EQ(QApplication::activePopupWidget(), menu.mSele2);
    EXPECT_FALSE(menu.mSele2->menuAction()->isVisible()); // popped up, not put in the menu
    // Choosing a song plays it from the album named in the header.
    player.context.playback.TrackIndex = 0;
    menu.mSeleItem2[3]->trigger();
    EXPECT_EQ(main.fileName, "E:\\B\\a04.mp3");
    EXPECT_EQ(player.context.playback.TrackIndex, 1);
    EXPECT_EQ(player.context.playback.Mp3Index, 3);
}

TEST_F(MenuTest, SearchAFolderThroughTheChooser)
{
    Songs("Music/Pop", 2);
    player.context.app.SearchPattern = "MP3";
    menu.mPath->setText("搜尋目錄      E:");
    player.context.device.MixedDisc = true;
    bool callerHeld = false;
    fake.clock.onWait = [&] {
        callerHeld = !player.forms.Vcd().isEnabled();
        player.forms.SeleDir().Dir1->SetPath("E:\\Music\\Pop");
        player.forms.SeleDir().Command5->click();
    };
    menu.mPath->trigger();
    EXPECT_TRUE(callerHeld);
    EXPECT_TRUE(player.forms.Vcd().isEnabled());
    EXPECT_EQ(player.context.app.Chooser.Pattern, "*.MP3");
    EXPECT_FALSE(player.context.device.MixedDisc);
    EXPECT_EQ(player.context.device.CdromDrive, "E:");
    EXPECT_EQ(player.context.device.ScanSubPath, "\\Music\\Pop");
    EXPECT_EQ(menu.mPath->text(), "搜尋目錄      E:\\Music\\Pop");
    EXPECT_EQ(player.context.device.AlbumDirs, QStringList{"E:\\Music\\Pop"});

    // Cancel changes nothing.
    fake.clock.onWait = [&] { player.forms.SeleDir().Command6->click(); };
    menu.mPath->trigger();
    EXPECT_EQ(menu.mPath->text(), "搜尋目錄      E:\\Music\\Pop");
    EXPECT_EQ(player.context.device.ScanSubPath, "\\Music\\Pop");

    // Before the first search the chooser starts on the current device.
    menu.mPath->setText("搜尋目錄      ");
    QString shown;
    fake.clock.onWait = [&] {
        shown = player.forms.SeleDir().Dir1->Path();
        player.forms.SeleDir().Command5->click();
    };
    menu.mPath->trigger();
    EXPECT_EQ(shown.toUpper(), "E:\\");
    EXPECT_EQ(player.context.device.AlbumDirs, QStringList{"E:\\Music\\Pop"});
}

TEST_F(MenuTest, ReadmeGoesToTheDesktopOrSaysItIsMissing)
{
    menu.mReadme->trigger();
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_TRUE(fake.process.opened.isEmpty());
    fake.files.WriteAll("C:\\Tolvane99\\readme.htm", "");
    menu.mReadme->trigger();
    EXPECT_EQ(fake.process.opened, QStringList{fake.LocalPath("C:\\Tolvane99\\readme.htm")});
}

TEST_F(MenuTest, SpeedVolumeAndSeekEntriesReachTheirProcedures)
{
    player.context.playback.PlayMode = MediaMode::Mp3;
    menu.mSpeed1[14]->trigger();
    EXPECT_EQ(main.speed, 1500);
    menu.mVolume[3]->trigger();
    EXPECT_EQ(player.context.playback.Volume, 700);
    menu.mSeek[8]->trigger();
    EXPECT_EQ(Which(menu.mSeek, &QAction::isChecked), QList<int>{8});
}

} // namespace
} // namespace tolvane
