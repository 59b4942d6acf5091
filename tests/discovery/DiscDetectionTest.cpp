#include "discovery/DiscDetection.h"
#include "discovery/DeviceHandlers.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmVCD.h"

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
        player.forms.Set().Check5->setChecked(false);
        player.forms.Set().Check7->setChecked(false);
        player.detection.SetDevice("E:");
    }

    void McTracks(const QString& count)
    {
        fake.mci.replies[FakeMci::Key("Status CDAudio number of tracks")] = count;
    }

    void Check() { player.detection.CheckCdrom(true); }

    QString Status() { return player.forms.Vcd().Label1->text(); }
    QString Mode() { return ModeTag(player.context.playback.PlayMode); }
};

TEST_F(DetectionTest, VideoCdTracksAreSortedAndWaitForAChoiceUnlessAutoPlayIsOn)
{
    for (const char* name : {"MPEGAV/AVSEQ03.DAT", "MPEGAV/avseq01.dat", "MPEGAV/AVSEQ02.DAT"})
        File(name);
    Check();
    EXPECT_EQ(Mode(), "VCD");
    EXPECT_EQ(player.context.device.VcdFiles,
              QStringList({"E:\\Mpegav\\avseq01.dat", "E:\\Mpegav\\AVSEQ02.DAT",
                           "E:\\Mpegav\\AVSEQ03.DAT"}));
    EXPECT_EQ(Status(), "請選擇播放曲目 1~3");
    EXPECT_TRUE(player.forms.Vcd().isEnabled());
    EXPECT_TRUE(separate.fileName.isEmpty());
    // The serial names the captures.
    EXPECT_EQ(player.context.app.CaptureFileName.right(11),
              player.context.device.DiscCode + "000.BMP");

    player.forms.Set().Check5->setChecked(true);
    Check();
    EXPECT_TRUE(separate.fileName.endsWith("avseq01.dat"));
    EXPECT_EQ(separate.calls.last(), "Command:Play");
}

// A Video CD whose type is not selected, and a CD whose drive answers one track or
// no number, leave nothing to play.
TEST_F(DetectionTest, NothingPlayableIsToldAndLogged)
{
    File("MPEGAV/AVSEQ01.DAT");
    File("Track01.cda");
    player.forms.Set().List1->item(1)->setSelected(false);
    player.context.app.SearchPattern = "MP3";
    for (const char* tracks : {"1", "x"}) {
        SCOPED_TRACE(tracks);
        fake.prompter.shown.clear();
        McTracks(tracks);
        Check();
        EXPECT_EQ(Mode(), "CDROM");
        ASSERT_EQ(fake.prompter.shown.size(), 1);
        EXPECT_EQ(fake.prompter.shown[0].prompt, "在E:上找不到可供播放的媒體!");
        EXPECT_EQ(fake.LogTexts().last(), "在E:上找不到可供播放的媒體");
    }
}

// A fixed folder has no serial to read and is no Video CD, but its audio tracks still
// make a mixed disc.
TEST_F(DetectionTest, FixedFolderReadsNoSerialButStillAsksForAMixedDisc)
{
    File("MPEGAV/AVSEQ01.DAT");
    fake.drives.Add({'F', root, kDriveFixed});
    player.detection.SetDevice("F:");
    McTracks("2");
    player.context.app.SearchPattern = "MP3";
    player.forms.Set().Check7->setChecked(true);
    fake.prompter.answers = {7};
    Check();
    EXPECT_FALSE(fake.LogTexts().contains("讀取裝置資訊中..."));
    ASSERT_EQ(fake.prompter.shown.size(), 2); // the question, then nothing playable
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找到混合光碟\r\n是否要播放音軌 ? ");
    EXPECT_EQ(fake.prompter.shown[1].prompt, "在F:上找不到可供播放的媒體!");
    EXPECT_EQ(Mode(), "CDROM");
}

TEST_F(DetectionTest, LaterCdromDriveWins)
{
    fake.drives.Add({'G', fake.dir.path(), kDriveCdrom});
    player.forms.Set().Drive1.List = {"a:", "c: [HOME]", "e:", "f:", "g:"};
    player.context.device.CdromDrive = "C:";
    player.detection.FindCDROM();
    EXPECT_EQ(player.context.device.CdromDrive, "G:");
    EXPECT_EQ(player.context.device.VcdFolder, "G:\\Mpegav");
    EXPECT_EQ(Status(), "光碟機=G:");
    // The first entry is never looked at; no CD-ROM drive leaves the device alone.
    player.forms.Set().Drive1.List = {"e:", "c:"};
    player.detection.FindCDROM();
    EXPECT_EQ(player.context.device.CdromDrive, "G:");
}

TEST(DeviceIds, NameTheHighestDriveOfTheirMask)
{
    EXPECT_EQ(DeviceHandlers::DriveOf(1), "a:");
    EXPECT_EQ(DeviceHandlers::DriveOf(1 << 4), "e:");
    EXPECT_EQ(DeviceHandlers::DriveOf((1 << 4) | 1), "e:");
    EXPECT_EQ(DeviceHandlers::DriveOf(qint64(1) << 26), "{:");
    EXPECT_EQ(DeviceHandlers::DriveOf(0), "");
    EXPECT_EQ(DeviceHandlers::DriveOf((qint64(1) << 26) + 1), "");
}

TEST_F(DetectionTest, AnAudioCdArrivingPlaysTrackOneAndLeavingEmptiesTheState)
{
    for (int i = 1; i <= 12; ++i)
        File(QString("Track%1.cda").arg(i, 2, 10, QChar('0')));
    McTracks("12");
    DeviceHandlers& handlers = player.devices;
    handlers.DeviceArrival(2, 1 << 5, QString(), 0); // F: is not the current device
    EXPECT_EQ(Mode(), "");
    EXPECT_TRUE(fake.mci.Sent().isEmpty());
    handlers.DeviceArrival(2, 1 << 4, QString(), 0);
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_EQ(player.context.device.TrackCount, 12);
    EXPECT_EQ(Status(), ""); // the caption gives way to the track that starts
    EXPECT_TRUE(fake.mci.Sent().contains("Seek CDAudio to 1"));

    player.context.playback.IsPlaying = true;
    handlers.DeviceRemoveComplete(2, 1 << 3, QString(), 0);
    EXPECT_EQ(Mode(), "CDAudio");
    handlers.DeviceRemoveComplete(2, 1 << 4, QString(), 0);
    EXPECT_EQ(Mode(), "");
    EXPECT_EQ(player.context.device.TrackCount, 0);
    EXPECT_EQ(Status(), "-請放入光碟片-");
    EXPECT_FALSE(player.context.playback.IsPlaying);
}

} // namespace
} // namespace tolvane
