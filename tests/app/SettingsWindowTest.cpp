#include "app/SettingsWindow.h"
#include "app/FormData.h"
#include "app/FrmSet.h"
#include "app/Player.h"
#include "capture/FrmCutSet.h"
#include "discovery/FrmFindMusic.h"
#include "fakes/FakePlatform.h"
#include "skins/FrmColor.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

QList<int> SelectedRows(const FrmSet& set)
{
    QList<int> rows;
    for (int i = 0; i < set.List1->count(); ++i) {
        if (set.List1->item(i)->isSelected())
            rows.append(i);
    }
    return rows;
}

class SettingsWindowTest : public ::testing::Test
{
protected:
    void Load() { SettingsWindow(player).Load(); }
    void Store(const QString& key, const QString& value)
    {
        player.settings.SaveUserSetting(key, value);
    }
    FakePlatform fake;
    Player player{fake.platform};
};

TEST_F(SettingsWindowTest, FirstRunDefaults)
{
    Load();
    FrmSet& set = player.Set();
    EXPECT_TRUE(set.Option1[2]->isChecked()); // do not search
    EXPECT_TRUE(set.Option2[0]->isChecked()); // repeat
    EXPECT_TRUE(set.Option3[0]->isChecked());
    EXPECT_TRUE(set.Option4[0]->isChecked());
    ASSERT_EQ(set.List1->count(), 8);
    // Quick Time and WAV are off; MPEG stays off because reading stops at entry 7.
    EXPECT_EQ(SelectedRows(set), QList<int>({0, 1, 2, 4, 5}));
    EXPECT_EQ(set.List1->currentRow(), -1);
    EXPECT_EQ(player.app.SearchPattern, "CDA;DAT;AVI;MP3;MID");
    EXPECT_EQ(player.app.SongFolder, "C:\\Temp");
    EXPECT_EQ(player.app.ButtonCacheFolder,
              "C:\\.local\\share\\tolvane99\\WINDOWS\\Temp\\Tolvane Temp");
    EXPECT_TRUE(fake.files.FolderExists(player.app.ButtonCacheFolder));
    EXPECT_EQ(player.app.CaptureFolder, "c:\\Temp");
    EXPECT_EQ(set.Text7->text(), "c:\\Temp");
    EXPECT_EQ(set.Label4->text(), "100%");
    EXPECT_TRUE(set.Check1->isChecked());
    EXPECT_FALSE(set.Check7->isChecked());
    EXPECT_TRUE(player.FindMusic().Check1->isChecked());
    EXPECT_EQ(set.VScroll1->value(), 5);
    EXPECT_EQ(player.Vcd().TimerBMP->interval(), 5000);
    EXPECT_EQ(player.CutSet().VScroll3->value(), -10);
    EXPECT_EQ(player.app.ListFile, "C:\\Temp\\unknow.m3u");
    EXPECT_EQ(player.app.SongBookIndexFile, "C:\\Temp\\CDROMLib.TXT");
    EXPECT_EQ(set.Combo1->currentText().left(2), "c:");
}

TEST_F(SettingsWindowTest, AfterOneConfirmationTheMpegEntryFollowsItsStoredValue)
{
    Load();
    player.Set().List1->item(7)->setSelected(true);
    SettingsWindow(player).SaveSetData();
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(player.settings.GetUserSetting("FileTypeText" + QString::number(i)).isEmpty());
    EXPECT_EQ(player.settings.GetUserSetting("FileTypeText8", "missing"), "");
    EXPECT_EQ(player.settings.GetUserSetting("FileType7"), "True");

    Player next(fake.platform);
    SettingsWindow(next).Load();
    EXPECT_EQ(SelectedRows(next.Set()), QList<int>({0, 1, 2, 4, 5, 7}));
    EXPECT_EQ(next.app.SearchPattern, "CDA;DAT;AVI;MP3;MID;MPG");
}

TEST_F(SettingsWindowTest, OneUserFileTypeFromIndexEight)
{
    for (int i = 0; i < 8; ++i)
        Store("FileTypeText" + QString::number(i), FrmSet::BuiltInFileTypes()[i]);
    Store("FileTypeText8", "Real (*.rm)");
    Store("FileType8", "True");
    Store("FileTypeText9", "");
    Store("FileTypeText10", "never read (*.xx)");
    Load();
    ASSERT_EQ(player.Set().List1->count(), 9);
    EXPECT_EQ(player.Set().List1->item(8)->text(), "Real (*.rm)");
    EXPECT_TRUE(player.app.SearchPattern.endsWith(";RM"));
}

TEST_F(SettingsWindowTest, ShowTimeAboveThirtyLeavesTheBarAndTimerAlone)
{
    Store("ShowTime", "45");
    Load();
    EXPECT_EQ(player.Set().VScroll1->value(), FrmSet::kShowTimeDesign);
    EXPECT_EQ(player.Vcd().TimerBMP->interval(), 5000);

    Player other(fake.platform);
    other.settings.SaveUserSetting("ShowTime", "12");
    SettingsWindow(other).Load();
    EXPECT_EQ(other.Set().VScroll1->value(), 12);
    EXPECT_EQ(other.Set().Text3->text(), "12");
    EXPECT_EQ(other.Vcd().TimerBMP->interval(), 12000);
}

TEST_F(SettingsWindowTest, StoredValuesAndConversions)
{
    Store("Volume", "555");
    Store("SongTempDir", "");
    Store("CreatSongDir", "1");
    Store("ScanType1", "True");
    Store("ScanType3", "False");
    Store("StopMode2", "-1");
    Store("StopMode1", "False");
    Store("GameCD", "1");
    Store("CutDelay", "2.5");
    Store("DiskName", "Z:");
    Store("ShowPic", "0");
    Load();
    FrmSet& set = player.Set();
    EXPECT_EQ(player.playback.Volume, 555);
    EXPECT_EQ(set.ProgressBar1->value(), 55);
    EXPECT_EQ(set.Label4->text(), "55.5%");
    EXPECT_EQ(player.app.SongFolder, "C:\\Temp"); // an empty stored folder also gives C:\Temp
    EXPECT_TRUE(player.app.LyricsMapping);
    EXPECT_TRUE(set.Text5->isEnabled());
    EXPECT_TRUE(set.Option1[0]->isChecked());
    EXPECT_TRUE(set.Option2[1]->isChecked());
    EXPECT_TRUE(set.Check7->isChecked());
    EXPECT_EQ(player.CutSet().VScroll3->value(), -25);
    EXPECT_EQ(set.Combo1->currentText().left(2), "z:");
    EXPECT_FALSE(set.Text1->isEnabled());
    EXPECT_FALSE(player.app.BackgroundPictures);
}

TEST_F(SettingsWindowTest, SaveWritesEveryKeyAndAppliesTheDevice)
{
    Load();
    FrmSet& set = player.Set();
    set.Text5->setText("C:\\Songs");
    set.Text7->setText("C:\\Shots");
    set.Combo1->setCurrentIndex(1);
    set.Option1[1]->setChecked(true);
    set.VScroll1->setValue(9);
    fake.registry.writes.clear();
    SettingsWindow(player).SaveSetData();
    EXPECT_TRUE(fake.files.FolderExists("C:\\Songs"));
    EXPECT_TRUE(fake.files.FolderExists("C:\\Shots"));
    EXPECT_EQ(player.device.CdromDrive, "z:");
    EXPECT_EQ(player.device.VcdFolder, "z:\\Mpegav");
    EXPECT_EQ(player.device.CdromDriveType, kDriveFixed);
    EXPECT_EQ(player.Vcd().TimerBMP->interval(), 9000);
    EXPECT_EQ(player.settings.GetUserSetting("ScanType2"), "True");
    EXPECT_EQ(player.settings.GetUserSetting("ScanType3"), "False");
    const QStringList& w = fake.registry.writes;
    ASSERT_GE(w.size(), 10);
    EXPECT_EQ(w.mid(0, 5),
              QStringList({"DeskPic", "CreatSongDir", "SongTempDir", "ButtonTempDir", "CutDir"}));
    EXPECT_EQ(w.mid(5, 3), QStringList({"ScanType1", "ScanType2", "ScanType3"}));
    EXPECT_EQ(w.last(), "CutDelay");
    EXPECT_EQ(w[w.size() - 3], "ShowTime");
    EXPECT_EQ(w[w.size() - 2], "DiskName");
}

TEST(ChkExtName, TakesTheTextBetweenTheMarks)
{
    EXPECT_EQ(SettingsWindow::ChkExtName("MP3 (*.mp3)"), "mp3");
    EXPECT_EQ(SettingsWindow::ChkExtName("rm"), "rm");
    EXPECT_EQ(SettingsWindow::ChkExtName("broken (*.rm"), "broken (*.rm");
}

class FormDataTest : public SettingsWindowTest
{
};

TEST_F(FormDataTest, SmallOrBadSizesFallBackAndTheMenuShowsTheLastDrive)
{
    Store("Width", "80");
    Store("Height", "abc");
    Store("CutWidtht", "400");
    Store("CDROMDISK", "E:");
    Store("CDROMPATH", "\\music");
    player.Color().VScroll1[2]->setValue(7);
    FormData(player).ReadFormData();
    EXPECT_EQ(player.app.VideoWidth, 354);
    EXPECT_EQ(player.app.VideoHeight, 242);
    EXPECT_EQ(player.app.CaptureWidth, 400);
    EXPECT_EQ(player.app.CaptureHeight, 242);
    EXPECT_EQ(player.Color().VScroll1[2]->value(), 0);
    EXPECT_EQ(player.app.CapturePicture, "C:\\Tolvane99\\Cut\\cut-000.bmp");
    // The search starts from the root again; only the drive is shown.
    EXPECT_EQ(player.device.ScanSubPath, "");
    EXPECT_EQ(player.Menu().mPath->text(), "搜尋目錄      E:");
}

TEST_F(FormDataTest, SaveWritesItsKeysInOrderAndTheyReadBack)
{
    player.app.VideoWidth = 500;
    player.app.CurrentSkinPicture = "C:\\Tolvane99\\Skin\\Ocean.jpg";
    player.playback.Volume = 700;
    player.device.LastSearchDrive = "D:";
    fake.registry.writes.clear();
    FormData(player).SaveFormData();
    EXPECT_EQ(fake.registry.writes,
              QStringList({"DeskPic", "CutPic", "Width", "Height", "CutHeight", "CutWidtht", "R",
                           "G", "B", "Light", "Volume", "CDROMPATH", "CDROMDISK"}));
    Player next(fake.platform);
    next.app.VideoWidth = 354;
    FormData(next).ReadFormData();
    EXPECT_EQ(next.app.VideoWidth, 500);
    EXPECT_EQ(next.playback.Volume, 700);
    EXPECT_EQ(next.app.CurrentSkinPicture, "C:\\Tolvane99\\Skin\\Ocean.jpg");
}

} // namespace
