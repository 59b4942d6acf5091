#include "app/FrmSet.h"
#include "app/Player.h"
#include "discovery/DeviceHandlers.h"
#include "discovery/DiscDetection.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystemVolume.h"
#include "fixtures/RealEngine.h"
#include "platform/CdAudioMci.h"
#include "platform/DeviceEvents.h"
#include "platform/MediaFixtures.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "playback/TimeDisplay.h"
#include "ui/FrmVCD.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The generated discs in an image drive E:, classified with the real audio CD device
// and the real video controls (no picture, no sound).
class ImageDrive : public RealEngineTest
{
protected:
    ImageDrive() { player.Set().Check5->setChecked(false); }

    void Classify() { DiscDetection(player).CheckCdrom(true); }

    QString Mode() const { return player.playback.PlayMode; }
};

TEST_F(ImageDrive, VideoCdOfThreeTracks)
{
    Insert("vcd.cue");
    Classify();
    EXPECT_EQ(Mode(), "VCD");
    EXPECT_EQ(player.device.TrackCount, 3);
    ASSERT_EQ(player.device.VcdFiles.size(), 3);
    EXPECT_TRUE(player.device.VcdFiles[0].endsWith("AVSEQ01.DAT", Qt::CaseInsensitive));
    EXPECT_TRUE(player.device.VcdFiles[2].endsWith("AVSEQ03.DAT", Qt::CaseInsensitive));
    EXPECT_EQ(player.Vcd().Label1->text(), "請選擇播放曲目 1~3");
    // A real volume serial and the code made from it.
    EXPECT_NE(player.device.DiscSerial, "0000-0000");
    EXPECT_EQ(player.device.DiscSerial[4], '-');
    EXPECT_TRUE(player.device.DiscCode[0].isUpper());
    EXPECT_TRUE(player.device.DiscCode.mid(1).isLower());
    const QStringList log = fake.LogTexts();
    const qsizetype from = log.indexOf("讀取裝置資訊中...");
    ASSERT_GE(from, 0);
    EXPECT_EQ(log.mid(from),
              QStringList({"讀取裝置資訊中...", "找到裝置序號" + player.device.DiscSerial,
                           "檢查是否是VCD", "找到VCD"}));
}

TEST_F(ImageDrive, AudioCdOfTwelveTracks)
{
    Insert("audio12.cue");
    Classify();
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_EQ(player.device.TrackCount, 12);
    EXPECT_TRUE(fake.LogTexts().contains("找到音樂光碟 "));
    EXPECT_EQ(player.playback.CurTitle, "Track1");
    player.Media().StopAllMedia();
}

TEST_F(ImageDrive, MixedDiscWithAndWithoutTheQuestion)
{
    Insert("mixed.cue");
    Classify();
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
    EXPECT_EQ(Mode(), "MP3"); // the data track's music
    player.Set().Check7->setChecked(true);
    fake.prompter.answers = {6};
    Classify();
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_TRUE(player.device.MixedDisc);
    EXPECT_EQ(player.device.TrackCount, 3);
    EXPECT_EQ(player.playback.CurTitle, "Track2");
    player.Media().StopAllMedia();
}

TEST_F(ImageDrive, MusicDiscAlbumsAndEmptyDisc)
{
    Insert("music.cue");
    Classify();
    EXPECT_EQ(Mode(), "MP3");
    EXPECT_GE(player.device.TrackCount, 3);
    EXPECT_EQ(player.device.TrackCount, player.device.AlbumDirs.size());
    EXPECT_EQ(player.Vcd().PlayList->count(), player.device.TrackCount);
    EXPECT_TRUE(fake.LogTexts().contains("在E:找到 " + QString::number(player.device.TrackCount) +
                                         "目錄下有音樂檔"));
}

TEST_F(ImageDrive, PlainIsoImageIsADataDisc)
{
    Insert("music.iso");
    Classify();
    EXPECT_EQ(Mode(), "MP3");
    EXPECT_EQ(player.device.AlbumDirs.size(), 4);
    EXPECT_NE(player.device.DiscSerial, "0000-0000");
    // Joliet names, as the system shows them.
    EXPECT_TRUE(player.device.AlbumDirs.contains("E:\\Pop\\Album 1"))
        << player.device.AlbumDirs.join(' ').toStdString();
}

TEST_F(ImageDrive, CdExtraGoesByItsDataSession)
{
    player.Set().Check7->setChecked(true); // no mixed-disc question for music first
    Insert("extra.cue");
    Classify();
    EXPECT_EQ(Mode(), "MP3");
    EXPECT_EQ(player.device.AlbumDirs, QStringList{"E:\\MUSIC"});
    Insert("extra-plain.cue");
    Classify();
    EXPECT_EQ(Mode(), "CDAudio");
    EXPECT_EQ(player.device.TrackCount, 2);
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
    EXPECT_TRUE(fake.LogTexts().endsWith("找到音樂光碟 "));
}

TEST_F(ImageDrive, EmptyDiscHasNothingToPlay)
{
    Insert("empty.cue");
    Classify();
    EXPECT_EQ(Mode(), "CDROM");
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "在E:上找不到可供播放的媒體!");
}

TEST_F(ImageDrive, EjectingTheImageEmptiesTheStateAndClosingClassifiesAgain)
{
    Insert("audio12.cue");
    QObject::connect(&fake.events, &DeviceEvents::DeviceRemoveComplete, &player.Vcd(),
                     [this](int t, qint64 id, const QString& n, qint64 d) {
                         DeviceHandlers(player).DeviceRemoveComplete(t, id, n, d);
                     });
    QObject::connect(&fake.events, &DeviceEvents::DeviceArrival, &player.Vcd(),
                     [this](int t, qint64 id, const QString& n, qint64 d) {
                         DeviceHandlers(player).DeviceArrival(t, id, n, d);
                     });
    Classify();
    ASSERT_EQ(Mode(), "CDAudio");
    cdAudio.SendString("Set CDAudio Door Open", nullptr, 0);
    ASSERT_TRUE(RunEventsUntil([this] { return Mode().isEmpty(); }));
    EXPECT_EQ(player.Vcd().Label1->text(), "-請放入光碟片-");
    EXPECT_EQ(player.device.TrackCount, 0);
    cdAudio.SendString("Set CDAudio Door Closed", nullptr, 0);
    ASSERT_TRUE(RunEventsUntil([this] { return Mode() == "CDAudio"; }));
    EXPECT_EQ(player.device.TrackCount, 12);
    player.Media().StopAllMedia();
}

} // namespace
} // namespace tolvane
