#include "discovery/DiscDetection.h"
#include "app/FrmSet.h"
#include "app/Player.h"
#include "discovery/DeviceHandlers.h"
#include "fakes/PlayerFixture.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A player whose drive E: is a CD-ROM drive holding the files of a fresh folder;
// nothing plays unless a test turns auto-play on.
class DetectionTest : public PlayerFixture
{
protected:
    DetectionTest() : PlayerFixture(kDriveCdrom)
    {
        UseDiscTypes(player);
        player.Set().Check5->setChecked(false);
        player.Set().Check7->setChecked(false);
        DiscDetection(player).SetDevice("E:");
    }

    void McTracks(const QString& count)
    {
        fake.mci.replies[FakeMci::Key("Status CDAudio number of tracks")] = count;
    }

    void Check() { DiscDetection(player).CheckCdrom(true); }

    QString Status() { return player.Vcd().Label1->text(); }
    QString Mode() { return player.playback.PlayMode; }
};

TEST_F(DetectionTest, VideoCdTracksAreSortedAndWaitForAChoice)
{
    for (const char* name : {"MPEGAV/AVSEQ03.DAT", "MPEGAV/avseq01.dat", "MPEGAV/AVSEQ02.DAT"})
        File(name);
    Check();
    EXPECT_EQ(Mode(), "VCD");
    EXPECT_EQ(player.device.TrackCount, 3);
    ASSERT_EQ(player.device.VcdFiles.size(), 3);
    EXPECT_TRUE(player.device.VcdFiles[0].endsWith("avseq01.dat", Qt::CaseInsensitive));
    EXPECT_TRUE(player.device.VcdFiles[2].endsWith("AVSEQ03.DAT"));
    EXPECT_TRUE(player.device.VcdFiles[1].startsWith("E:\\Mpegav\\", Qt::CaseInsensitive));
    EXPECT_EQ(Status(), "請選擇播放曲目 1~3");
    EXPECT_EQ(player.Vcd().PicCtl[11]->toolTip(), "加速");
    EXPECT_EQ(player.Vcd().PicCtl[10]->toolTip(), "減速");
    EXPECT_TRUE(player.Vcd().isEnabled());
    EXPECT_FALSE(player.Menu().mCutBmp->isEnabled());
    const QStringList log = fake.LogTexts();
    const qsizetype reading = log.indexOf("讀取裝置資訊中...");
    ASSERT_GE(reading, 0);
    EXPECT_TRUE(log[reading + 1].startsWith("找到裝置序號"));
    EXPECT_EQ(log.mid(reading + 2), QStringList({"檢查是否是VCD", "找到VCD"}));
    EXPECT_TRUE(separate.fileName.isEmpty());
    // The serial names the captures.
    EXPECT_EQ(player.device.DiscSerial.size(), 9);
    EXPECT_EQ(player.app.CaptureFileName.right(7), "000.BMP");
    EXPECT_EQ(player.app.CaptureFileName.right(11).left(4), player.device.DiscCode);
}

TEST_F(DetectionTest, VideoCdWithAutoPlayPlaysTrackOne)
{
    File("MPEGAV/AVSEQ02.DAT");
    File("MPEGAV/AVSEQ01.DAT");
    player.Set().Check5->setChecked(true);
    Check();
    EXPECT_EQ(Mode(), "VCD");
    EXPECT_TRUE(separate.fileName.endsWith("AVSEQ01.DAT"));
    EXPECT_EQ(separate.calls.last(), "Command:Play");
}

TEST_F(DetectionTest, VideoCdNotLookedForWhenItsTypeIsNotSelected)
{
    File("MPEGAV/AVSEQ01.DAT");
    player.Set().List1->item(1)->setSelected(false);
    player.app.SearchPattern = "MP3";
    Check();
    EXPECT_EQ(Mode(), "CDROM");
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "在E:上找不到可供播放的媒體!");
    EXPECT_EQ(fake.LogTexts().last(), "在E:上找不到可供播放的媒體");
}

TEST_F(DetectionTest, AudioCdOfTwelveTracksPlaysTrackOne)
{
    for (int i = 1; i <= 12; ++i)
        File(QString("Track%1.cda").arg(i, 2, 10, QChar('0')));
    McTracks("12");
    Check();
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_EQ(player.device.TrackCount, 12);
    EXPECT_EQ(Status(), ""); // the caption gives way to the track that starts
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 1"));
    EXPECT_TRUE(fake.mci.Sent().contains("Status CDAudio number of tracks"));
    EXPECT_EQ(fake.LogTexts().mid(fake.LogTexts().indexOf("檢查是否是音樂光碟")),
              QStringList({"檢查是否是音樂光碟", "找到音樂光碟 "}));
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
    for (int i = 1; i <= 9; ++i)
        EXPECT_TRUE(player.Vcd().LabNum[i]->isEnabled()) << i;
}

TEST_F(DetectionTest, MixedDiscAsksOnlyWithGameCdOn)
{
    File("readme.txt");
    File("Music/song.mp3");
    McTracks("3");
    Check();
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
    EXPECT_EQ(Mode(), "MP3"); // the scan found the data track's music
    EXPECT_EQ(player.device.TrackCount, 1);
    EXPECT_TRUE(fake.LogTexts().contains("在E:找到 1目錄下有音樂檔"));
}

TEST_F(DetectionTest, MixedDiscAnswers)
{
    File("Music/song.mp3");
    McTracks("3");
    player.Set().Check7->setChecked(true);
    fake.prompter.answers = {7};
    Check();
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找到混合光碟\r\n是否要播放音軌 ? ");
    EXPECT_EQ(Mode(), "MP3");
    EXPECT_FALSE(player.device.MixedDisc);

    fake.mci.ClearSent();
    fake.prompter.answers = {6};
    Check();
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_TRUE(player.device.MixedDisc);
    EXPECT_EQ(player.device.TrackCount, 3);
    EXPECT_EQ(fake.LogTexts().last(), "找到混合光碟");
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 2"));
}

TEST_F(DetectionTest, FixedFolderReadsNoSerialButStillAsksForAMixedDisc)
{
    const QString folder = fake.dir.path() + "/fixed";
    QDir().mkpath(folder + "/MPEGAV");
    QFile(folder + "/MPEGAV/AVSEQ01.DAT").open(QIODevice::WriteOnly);
    fake.drives.Add({'F', folder, kDriveFixed});
    DiscDetection(player).SetDevice("F:");
    McTracks("2");
    player.app.SearchPattern = "MP3";
    player.Set().Check7->setChecked(true);
    fake.prompter.answers = {7};
    Check();
    EXPECT_FALSE(fake.LogTexts().contains("讀取裝置資訊中..."));
    EXPECT_NE(Mode(), "VCD");
    ASSERT_EQ(fake.prompter.shown.size(), 2); // the question, then nothing playable
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找到混合光碟\r\n是否要播放音軌 ? ");
    EXPECT_EQ(Mode(), "CDROM");
}

TEST_F(DetectionTest, OneTrackNonNumericRepliesFindNoAudio)
{
    File("Track01.cda");
    McTracks("1");
    player.app.SearchPattern = "MP3";
    Check();
    EXPECT_EQ(Mode(), "CDROM");
    McTracks("x");
    Check();
    EXPECT_EQ(Mode(), "CDROM");
}

TEST_F(DetectionTest, LaterCdromDriveWins)
{
    fake.drives.Add({'G', fake.dir.path(), kDriveCdrom});
    FrmSet& set = player.Set();
    set.Drive1.List = {"a:", "c: [HOME]", "e:", "f:", "g:"};
    player.device.CdromDrive = "C:";
    DiscDetection(player).FindCDROM();
    EXPECT_EQ(player.device.CdromDrive, "G:");
    EXPECT_EQ(player.device.VcdFolder, "G:\\Mpegav");
    EXPECT_EQ(Status(), "光碟機=G:");
    // The first entry is never looked at; no CD-ROM drive leaves the device alone.
    set.Drive1.List = {"e:", "c:"};
    DiscDetection(player).FindCDROM();
    EXPECT_EQ(player.device.CdromDrive, "G:");
}

TEST_F(DetectionTest, DeviceIdsNameDrives)
{
    EXPECT_EQ(DeviceHandlers::DriveOf(1), "a:");
    EXPECT_EQ(DeviceHandlers::DriveOf(1 << 4), "e:");
    EXPECT_EQ(DeviceHandlers::DriveOf((1 << 4) | 1), "e:");
    EXPECT_EQ(DeviceHandlers::DriveOf(qint64(1) << 26), "{:");
    EXPECT_EQ(DeviceHandlers::DriveOf(0), "");
    EXPECT_EQ(DeviceHandlers::DriveOf((qint64(1) << 26) + 1), "");
}

TEST_F(DetectionTest, DiscsComingAndGoing)
{
    for (int i = 1; i <= 3; ++i)
        File(QString("Track%1.cda").arg(i, 2, 10, QChar('0')));
    McTracks("3");
    DeviceHandlers handlers(player);
    handlers.DeviceArrival(2, 1 << 5, QString(), 0); // F: is not the current device
    EXPECT_EQ(Mode(), "");
    EXPECT_TRUE(fake.mci.Sent().isEmpty());
    handlers.DeviceArrival(2, 1 << 4, QString(), 0);
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_EQ(player.device.TrackCount, 3);

    player.playback.IsPlaying = true;
    handlers.DeviceRemoveComplete(2, 1 << 3, QString(), 0);
    EXPECT_EQ(Mode(), "CDAudio");
    handlers.DeviceRemoveComplete(2, 1 << 4, QString(), 0);
    EXPECT_EQ(Mode(), "");
    EXPECT_EQ(player.device.TrackCount, 0);
    EXPECT_EQ(Status(), "-請放入光碟片-");
    EXPECT_FALSE(player.playback.IsPlaying);
}

} // namespace
} // namespace tolvane
