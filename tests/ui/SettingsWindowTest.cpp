#include "ui/SettingsWindow.h"
#include "fakes/FakePlatform.h"
#include "forms/FrmColor.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmMenu.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "shell/Player.h"
#include "ui/FormData.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

QList<int> SelectedRows(const FrmSet& set)
{
    QList<int> rows;
    for (int i = 0; i < set.List1->count(); ++i)
        if (set.List1->item(i)->isSelected())
            rows.append(i);
    return rows;
}

class SettingsWindowTest : public ::testing::Test
{
protected:
    void Load() { player.settingsWindow.Load(); }
    void Store(const QStringList& values) // "key=value"
    {
        for (const QString& value : values)
            player.context.settings.SaveUserSetting(value.section('=', 0, 0),
                                                    value.section('=', 1));
    }
    FakePlatform fake;
    Player player{fake.platform};
};

TEST_F(SettingsWindowTest, FirstRunDefaults)
{
    Load();
    FrmSet& set = player.forms.Set();
    EXPECT_TRUE(set.Option1[2]->isChecked()); // do not search
    EXPECT_TRUE(set.Option2[0]->isChecked()); // repeat
    EXPECT_TRUE(set.Option3[0]->isChecked());
    EXPECT_TRUE(set.Option4[0]->isChecked());
    ASSERT_EQ(set.List1->count(), 8);
    // Quick Time and WAV are off; MPEG stays off because reading stops at entry 7.
    EXPECT_EQ(SelectedRows(set), QList<int>({0, 1, 2, 4, 5}));
    EXPECT_EQ(set.List1->currentRow(), -1);
    EXPECT_EQ(
        QStringList({player.context.app.SearchPattern, player.context.app.SongFolder,
                     player.context.app.CaptureFolder, set.Text7->text(), set.Label4->text(),
                     player.context.app.ListFile, player.context.app.SongBookIndexFile,
                     set.Combo1->currentText().left(2), player.context.app.ButtonCacheFolder}),
        QStringList({"CDA;DAT;AVI;MP3;MID", "C:\\Temp", "c:\\Temp", "c:\\Temp", "100%",
                     "C:\\Temp\\unknow.m3u", "C:\\Temp\\CDROMLib.TXT",
                     "c:", "C:\\.local\\share\\tolvane99\\WINDOWS\\Temp\\Tolvane Temp"}));
    EXPECT_TRUE(fake.files.FolderExists(player.context.app.ButtonCacheFolder));
    EXPECT_TRUE(set.Check1->isChecked());
    EXPECT_FALSE(set.Check7->isChecked());
    EXPECT_TRUE(player.forms.FindMusic().Check1->isChecked());
    EXPECT_EQ(set.VScroll1->value(), 5);
    EXPECT_EQ(player.forms.Vcd().TimerBMP->interval(), 5000);
    EXPECT_EQ(player.forms.CutSet().VScroll3->value(), -10);
}

TEST_F(SettingsWindowTest, StoredValuesAndConversions)
{
    Store({"Volume=555", "SongTempDir=", "CreatSongDir=1", "ScanType1=True", "ScanType3=False",
           "StopMode2=-1", "StopMode1=False", "GameCD=1", "CutDelay=2.5",
           "DiskName=Z:", "ShowPic=0"});
    Load();
    FrmSet& set = player.forms.Set();
    EXPECT_EQ(QList<int>({player.context.playback.Volume, set.ProgressBar1->value(),
                          player.forms.CutSet().VScroll3->value()}),
              QList<int>({555, 55, -25}));
    // An empty stored song folder also gives C:\Temp.
    EXPECT_EQ(QStringList({set.Label4->text(), player.context.app.SongFolder,
                           set.Combo1->currentText().left(2)}),
              QStringList({"55.5%", "C:\\Temp", "z:"}));
    EXPECT_TRUE(player.context.app.LyricsMapping);
    EXPECT_TRUE(set.Text5->isEnabled());
    EXPECT_TRUE(set.Option1[0]->isChecked());
    EXPECT_TRUE(set.Option2[1]->isChecked());
    EXPECT_TRUE(set.Check7->isChecked());
    EXPECT_FALSE(set.Text1->isEnabled());
    EXPECT_FALSE(player.context.app.BackgroundPictures);
}

TEST_F(SettingsWindowTest, ShowTimeAboveThirtyLeavesTheBarAndTimerAlone)
{
    for (auto [stored, bar, interval] :
         {std::tuple{"45", FrmSet::kShowTimeDesign, 5000}, {"12", 12, 12000}}) {
        Player next(fake.platform);
        next.context.settings.SaveUserSetting("ShowTime", stored);
        next.settingsWindow.Load();
        EXPECT_EQ(next.forms.Set().VScroll1->value(), bar) << stored;
        EXPECT_EQ(next.forms.Set().Text3->text(), QString::number(bar)) << stored;
        EXPECT_EQ(next.forms.Vcd().TimerBMP->interval(), interval) << stored;
    }
}

TEST_F(SettingsWindowTest, FileTypesAfterOneConfirmationAndOneUserTypeFromIndexEight)
{
    Load();
    player.forms.Set().List1->item(7)->setSelected(true);
    player.settingsWindow.SaveSetData();
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(
            player.context.settings.GetUserSetting("FileTypeText" + QString::number(i)).isEmpty());
    EXPECT_EQ(player.context.settings.GetUserSetting("FileTypeText8", "missing"), "");
    EXPECT_EQ(player.context.settings.GetUserSetting("FileType7"), "True");
    Player next(fake.platform);
    next.settingsWindow.Load();
    // The MPEG entry now follows its stored value.
    EXPECT_EQ(SelectedRows(next.forms.Set()), QList<int>({0, 1, 2, 4, 5, 7}));
    EXPECT_EQ(next.context.app.SearchPattern, "CDA;DAT;AVI;MP3;MID;MPG");

    Store({"FileTypeText8=Real (*.rm)", "FileType8=True",
           "FileTypeText9=", "FileTypeText10=never read (*.xx)"});
    Player user(fake.platform);
    user.settingsWindow.Load();
    ASSERT_EQ(user.forms.Set().List1->count(), 9);
    EXPECT_EQ(user.forms.Set().List1->item(8)->text(), "Real (*.rm)");
    EXPECT_EQ(user.context.app.SearchPattern, "CDA;DAT;AVI;MP3;MID;MPG;RM");

    // The MPEG entry deleted: the user's type saved in its place survives a restart.
    user.forms.Set().List1->setCurrentRow(7, QItemSelectionModel::NoUpdate);
    fake.prompter.answers = {kIdYes};
    user.forms.Set().Command5[1]->click();
    user.settingsWindow.SaveSetData();
    Player after(fake.platform);
    after.settingsWindow.Load();
    ASSERT_EQ(after.forms.Set().List1->count(), 8);
    EXPECT_EQ(after.forms.Set().List1->item(7)->text(), "Real (*.rm)");
    EXPECT_EQ(after.context.app.SearchPattern, "CDA;DAT;AVI;MP3;MID;WAV;RM");
    EXPECT_EQ(SettingsWindow::ChkExtName("rm"), "rm");
    EXPECT_EQ(SettingsWindow::ChkExtName("broken (*.rm"), "broken (*.rm");
}

TEST_F(SettingsWindowTest, SaveWritesEveryKeyAndAppliesTheDevice)
{
    Load();
    FrmSet& set = player.forms.Set();
    set.Text5->setText("C:\\Songs");
    set.Text7->setText("C:\\Shots");
    set.Combo1->setCurrentIndex(1);
    set.Option1[1]->setChecked(true);
    set.VScroll1->setValue(9);
    fake.registry.writes.clear();
    player.settingsWindow.SaveSetData();
    EXPECT_TRUE(fake.files.FolderExists("C:\\Songs"));
    EXPECT_TRUE(fake.files.FolderExists("C:\\Shots"));
    EXPECT_EQ(player.context.device.CdromDrive, "z:");
    EXPECT_EQ(player.context.device.VcdFolder, "z:\\Mpegav");
    EXPECT_EQ(player.context.device.CdromDriveType, kDriveFixed);
    EXPECT_EQ(player.forms.Vcd().TimerBMP->interval(), 9000);
    EXPECT_EQ(player.context.settings.GetUserSetting("ScanType2"), "True");
    EXPECT_EQ(player.context.settings.GetUserSetting("ScanType3"), "False");
    const QStringList& w = fake.registry.writes;
    ASSERT_GE(w.size(), 10);
    EXPECT_EQ(w.mid(0, 8), QStringList({"DeskPic", "CreatSongDir", "SongTempDir", "ButtonTempDir",
                                        "CutDir", "ScanType1", "ScanType2", "ScanType3"}));
    EXPECT_EQ(w.mid(w.size() - 3), QStringList({"ShowTime", "DiskName", "CutDelay"}));
}

using FormDataTest = SettingsWindowTest;

TEST_F(FormDataTest, SmallOrBadSizesFallBackAndTheMenuShowsTheLastDrive)
{
    Store({"Width=80", "Height=abc", "CutWidtht=400", "CDROMDISK=E:", "CDROMPATH=\\music"});
    player.forms.Color().VScroll1[2]->setValue(7);
    player.formData.ReadFormData();
    EXPECT_EQ(QList<int>({player.context.app.VideoWidth, player.context.app.VideoHeight,
                          player.context.app.CaptureWidth, player.context.app.CaptureHeight}),
              QList<int>({354, 242, 400, 242}));
    EXPECT_EQ(player.forms.Color().VScroll1[2]->value(), 0);
    EXPECT_EQ(player.context.app.CapturePicture, "C:\\Tolvane99\\Cut\\cut-000.bmp");
    // The search starts from the root again; only the drive is shown.
    EXPECT_EQ(player.context.device.ScanSubPath, "");
    EXPECT_EQ(player.forms.Menu().mPath->text(), "搜尋目錄      E:");
}

// What the keys read back as is the start-up tests' business.
TEST_F(FormDataTest, SaveWritesItsKeysInOrder)
{
    fake.registry.writes.clear();
    player.formData.SaveFormData();
    EXPECT_EQ(fake.registry.writes,
              QStringList({"DeskPic", "CutPic", "Width", "Height", "CutHeight", "CutWidtht", "R",
                           "G", "B", "Light", "Volume", "CDROMPATH", "CDROMDISK"}));
}

} // namespace
