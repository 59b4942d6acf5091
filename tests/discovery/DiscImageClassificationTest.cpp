#include "discovery/DeviceHandlers.h"
#include "fixtures/RawNames.h"
#include "fixtures/RealEngine.h"
#include "forms/FrmVCD.h"
#include "platform/DeviceEvents.h"
#include "platform/MediaFixtures.h"
#include "playback/MediaProcedures.h"

#include <QFile>
#include <QListWidget>
#include <functional>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The generated discs in an image drive E:, classified with the real audio CD device
// and the real video controls (no picture, no sound).
class ImageDrive : public RealEngineTest
{
protected:
    ImageDrive() { player.forms.Set().Check5->setChecked(false); }

    void Classify() { player.detection.CheckCdrom(true); }

    QString Mode() const { return ModeTag(player.context.playback.PlayMode); }
};

// Each kind of generated disc, put in after the one before.
TEST_F(ImageDrive, EachDiscIsClassifiedByWhatItHolds)
{
    // Breadth first on the disc, each folder's subfolders by name.
    const QStringList albums = {"E:\\", "E:\\Pop\\Album 1", "E:\\Pop", "E:\\Jazz\\Live\\Set 1"};
    const QString question = "找到混合光碟\r\n是否要播放音軌 ? ",
                  nothing = "在E:上找不到可供播放的媒體";
    const struct Disc
    {
        const char* image;
        int answer; // to the question before a mixed disc's audio tracks; 0: not asked
        QString mode;
        int tracks;
        QString title;        // the audio track that starts, if one does
        QStringList playList; // the albums in the order the scan found them
        QString lastLog;
        QStringList prompts = {};
    } discs[] = {
        {"audio12.cue", 0, "CDAudio", 12, "Track1", {}, "找到音樂光碟 "},
        // Unasked, or told no, a mixed disc plays the music of its data track.
        {"mixed.cue", 0, "MP3", 1, "", {"E:\\MUSIC"}, "在E:找到 1目錄下有音樂檔"},
        {"mixed.cue", 7, "MP3", 1, "", {"E:\\MUSIC"}, "在E:找到 1目錄下有音樂檔", {question}},
        {"mixed.cue", 6, "CDAudio", 3, "Track2", {}, "找到混合光碟", {question}},
        {"music.cue", 0, "MP3", 4, "", albums, "在E:找到 4目錄下有音樂檔"},
        // A plain ISO image is a data disc, its Joliet names as the system shows them.
        {"music.iso", 0, "MP3", 4, "", albums, "在E:找到 4目錄下有音樂檔"},
        // A CD-Extra goes by its data session: no question when it holds music.
        {"extra.cue", 6, "MP3", 1, "", {"E:\\MUSIC"}, "在E:找到 1目錄下有音樂檔"},
        {"extra-plain.cue", 6, "CDAudio", 2, "Track1", {}, "找到音樂光碟 "},
        {"empty.cue", 0, "CDROM", 0, "", {}, nothing, {nothing + "!"}},
        {"vcd.cue", 0, "VCD", 3, "", {}, "找到VCD"},
    };
    for (const Disc& d : discs) {
        SCOPED_TRACE(d.image);
        const qsizetype logged = fake.LogTexts().size();
        fake.prompter.shown.clear();
        fake.prompter.answers = {d.answer};
        player.forms.Set().Check7->setChecked(d.answer != 0);
        Insert(d.image);
        Classify();
        EXPECT_EQ(Mode(), d.mode);
        EXPECT_EQ(player.context.device.TrackCount, d.tracks);
        EXPECT_EQ(player.context.device.MixedDisc, d.title == "Track2"); // track 1 holds its data
        if (!d.title.isEmpty()) {
            EXPECT_EQ(player.context.playback.CurTitle, d.title);
        }
        if (!d.playList.isEmpty()) {
            QStringList shown, sorted = d.playList;
            for (int i = 0; i < player.forms.Vcd().PlayList->count(); ++i)
                shown.append(player.forms.Vcd().PlayList->item(i)->text());
            EXPECT_EQ(shown, d.playList);
            sorted.sort(Qt::CaseInsensitive);
            EXPECT_EQ(player.context.device.AlbumDirs, sorted);
        }
        // A real volume serial, or one made from the audio tracks, is read first.
        const QStringList log = fake.LogTexts().mid(logged);
        EXPECT_EQ(log.mid(0, 3), QStringList({"讀取裝置資訊中...",
                                              "找到裝置序號" + player.context.device.DiscSerial,
                                              "檢查是否是VCD"}));
        EXPECT_EQ(log.value(log.size() - 1), d.lastLog);
        QStringList prompts;
        for (const auto& shown : fake.prompter.shown)
            prompts.append(shown.prompt);
        EXPECT_EQ(prompts, d.prompts);
        player.services.Media().StopAllMedia();
    }
    // The Video CD waits for a choice of its sequences; its code comes from its serial.
    EXPECT_EQ(player.context.device.VcdFiles,
              QStringList({"E:\\Mpegav\\AVSEQ01.DAT", "E:\\Mpegav\\AVSEQ02.DAT",
                           "E:\\Mpegav\\AVSEQ03.DAT"}));
    EXPECT_EQ(player.forms.Vcd().Label1->text(), "請選擇播放曲目 1~3");
    EXPECT_EQ(player.context.device.DiscSerial[4], '-');
    EXPECT_TRUE(player.context.device.DiscCode[0].isUpper());
    EXPECT_TRUE(player.context.device.DiscCode.mid(1).isLower());
}

// An image whose data was cut short is told as damaged, not played as silence.
TEST_F(ImageDrive, AnImageCutShortIsDamaged)
{
    auto local = [](const char* name) { return QFile::encodeName(Image(name)); };
    const QByteArray whole = ReadRaw(local("audio12.bin"));
    ASSERT_FALSE(whole.isEmpty());
    ASSERT_TRUE(WriteRaw(local("cut.bin"), whole.left(whole.size() / 3)));
    ASSERT_TRUE(WriteRaw(local("cut.cue"),
                         ReadRaw(local("audio12.cue")).replace("audio12.bin", "cut.bin")));
    Insert("cut.cue");
    Classify();
    EXPECT_EQ(Mode(), "CDROM");
    const QString damaged = "在E:上的光碟映像檔已損壞:" + Image("cut.cue");
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, damaged);
    EXPECT_EQ(fake.LogTexts().last(), damaged);
    EXPECT_FALSE(cdAudio.Sounding());
}

TEST_F(ImageDrive, EjectingTheImageEmptiesTheStateAndClosingClassifiesAgain)
{
    Insert("audio12.cue");
    DeviceHandlers& handlers = player.devices;
    QObject::connect(&fake.events, &DeviceEvents::DeviceRemoveComplete, &player.forms.Vcd(),
                     std::bind_front(&DeviceHandlers::DeviceRemoveComplete, &handlers));
    QObject::connect(&fake.events, &DeviceEvents::DeviceArrival, &player.forms.Vcd(),
                     std::bind_front(&DeviceHandlers::DeviceArrival, &handlers));
    Classify();
    ASSERT_EQ(Mode(), "CDAudio");
    cdAudio.SendString("Set CDAudio Door Open", nullptr, 0);
    ASSERT_TRUE(RunEventsUntil([this] { return Mode().isEmpty(); }));
    EXPECT_EQ(player.forms.Vcd().Label1->text(), "-請放入光碟片-");
    EXPECT_EQ(player.context.device.TrackCount, 0);
    cdAudio.SendString("Set CDAudio Door Closed", nullptr, 0);
    ASSERT_TRUE(RunEventsUntil([this] { return Mode() == "CDAudio"; }));
    EXPECT_EQ(player.context.device.TrackCount, 12);
    player.services.Media().StopAllMedia();
}

} // namespace
} // namespace tolvane
