#include "playback/MediaProcedures.h"
#include "MediaRig.h"

#include <QFile>

namespace tolvane {
namespace {

// The main window as a list of what was done to it.
class RecordingView : public MediaView
{
public:
    void SetStatus(const QString& text) override { calls.append("Status:" + text); }
    void SetScanLabel(const QString& text) override { calls.append("Scan:" + text); }
    void SetLyricsTip(const QString& text) override { calls.append("Tip:" + text); }
    void SetPlayPicture(int index) override { calls.append(QString("PlayPicture:%1").arg(index)); }
    void SetPollTimer(bool on) override { calls.append(QString("Timer1:%1").arg(on)); }
    void SetPictureTimer(bool on) override { calls.append(QString("TimerBMP:%1").arg(on)); }
    void SetSongMenus(bool on) override { calls.append(QString("mSele:%1").arg(on)); }
    void SetMainEnabled(bool on) override { calls.append(QString("Enabled:%1").arg(on)); }
    void HideSeparateWindow() override { calls.append("HideFrmPlay"); }
    void HideBackImage() override { calls.append("HideImageBack"); }
    void HideVideoPicture() override { calls.append("HideVcdPic"); }
    void ChkLab(bool empty) override { calls.append(QString("ChkLab:%1").arg(empty)); }
    void ChkLabColor(int index) override { calls.append(QString("ChkLabColor:%1").arg(index)); }
    void ShowTime() override { calls.append("ShowTime"); }
    QString LookUpLyrics(const QString& path) override
    {
        calls.append("Lyrics:" + path);
        return "C:\\Song\\Track03.txt";
    }
    void ClearLyricsPath() override { calls.append("ClearLyrics"); }

    QStringList calls;
};

class MediaProceduresTest : public MediaRig<RecordingView>
{
protected:
    MediaProceduresTest()
    {
        device.CdromDrive = "D:";
        device.CdromDriveType = kDriveCdrom;
        device.TrackCount = 9;
        playback.PlayMode = MediaMode::CdAudio;
    }
    MediaProcedures media{context};
};

TEST_F(MediaProceduresTest, PlayACDReopensAStoppedDeviceAndShowsLyricsOrPictures)
{
    mci.replies["status cdaudio mode"] = "stopped";
    media.PlayACD(3);
    EXPECT_EQ(Sent(),
              (QStringList{"Status CDAudio Mode", "Stop CDAudio", "Close CDAudio",
                           "Open CDAudio Shareable", "Stop CDAudio ",
                           "Set CDAudio Time format tmsf", "Seek CDAudio to 3", "Play CDAudio"}));
    EXPECT_EQ(playback.CurTitle, "Track3");
    EXPECT_EQ(playback.MediaPath, "");
    // No lyrics file: the tip says where it belongs and the picture show runs.
    EXPECT_EQ(view.calls, (QStringList{"HideFrmPlay", "Status:", "Scan:STOPPED", "Scan:3",
                                       "Lyrics:D:\\Track03.cda", "ShowTime", "Timer1:1",
                                       "Tip:歌詞須放在:C:\\Song\\Track03.txt", "ClearLyrics",
                                       "TimerBMP:1", "mSele:0"}));

    // A playing device stays open; a lyrics file stops the picture show.
    mci.replies["status cdaudio mode"] = "playing";
    fake.files.MakeFolder("C:\\Song");
    fake.files.WriteAll("C:\\Song\\Track03.txt", "[00:01:00]la\r\n");
    view.calls.clear();
    media.PlayACD(12);
    EXPECT_EQ(Sent(),
              (QStringList{"Status CDAudio Mode", "Stop CDAudio", "Stop CDAudio ",
                           "Set CDAudio Time format tmsf", "Seek CDAudio to 12", "Play CDAudio"}));
    EXPECT_EQ(view.calls.mid(4), (QStringList{"Lyrics:D:\\Track12.cda", "ShowTime", "Timer1:1",
                                              "TimerBMP:0", "mSele:0"}));
}

TEST_F(MediaProceduresTest, PlayPauseAlternatesAfterAStart)
{
    playback.CdRunning = true;
    media.ChkACD(PanelAction::Stop);
    EXPECT_FALSE(playback.CdRunning);
    media.PlayACD(1);
    Sent();
    view.calls.clear();
    media.ChkACD(PanelAction::Play);
    media.ChkACD(PanelAction::Play);
    media.ChkACD(PanelAction::Play);
    EXPECT_EQ(Sent(), (QStringList{"Play CDAudio", "Pause CDAudio", "Play CDAudio"}));
    EXPECT_EQ(view.calls, (QStringList{"Status:", "PlayPicture:1", "Status:", "PlayPicture:0",
                                       "Status:", "PlayPicture:1"}));
    EXPECT_TRUE(playback.CdRunning);
    media.ChkACD(PanelAction::Stop);
    EXPECT_EQ(std::tuple(Sent(), playback.CdRunning),
              std::tuple(QStringList{"Stop CDAudio"}, false));
    media.ChkACD(PanelAction::Quieter);
    media.ChkACD(PanelAction::Louder);
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(MediaProceduresTest, StepsAndSeeksGoToTrackMinutesSecondsFrames)
{
    playback.IsPlaying = true;
    playback.PlayPos = 30;
    playback.PlayLen = 250.05;
    mci.replies["status cdaudio position"] = "05:00:30:00";
    media.ChkACD(PanelAction::Back);
    EXPECT_DOUBLE_EQ(playback.SeekTarget, 0);
    EXPECT_EQ(Sent(), (QStringList{"Status CDAudio position", "Stop CDAudio",
                                   "Set CDAudio time format tmsf", "Status CDAudio position",
                                   "Seek CDAudio to 05:00:00:00 Wait", "Status CDAudio position",
                                   "play CDAudio"}));
    EXPECT_EQ(view.calls.last(), "ShowTime");
    // Within the last minute the step lands on the track's end.
    playback.IsPlaying = false;
    playback.PlayPos = 230;
    media.ChkACD(PanelAction::Forward);
    EXPECT_DOUBLE_EQ(playback.SeekTarget, 250.05);
    const QStringList sent = Sent();
    EXPECT_EQ(std::tuple(sent.size(), sent.value(4)),
              std::tuple(6, QString("Seek CDAudio to 05:04:10:03 Wait")));

    playback.SeekTarget = 83.5;
    mci.replies["status cdaudio position"] = "07:00:10:00";
    media.ChkSeek();
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio", "Set CDAudio time format tmsf",
                                   "Status CDAudio position", "Seek CDAudio to 07:01:23:30 Wait",
                                   "Status CDAudio position"}));
    // Other media are not the audio CD's business.
    playback.PlayMode = MediaMode::Vcd;
    media.ChkSeek();
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(MediaProceduresTest, EjectOpensAClosedTrayAndClosesAnOpenOne)
{
    mci.replies["status cdaudio mode"] = "  stopped";
    mci.replies["status cdaudio media present"] = "true";
    playback.PlayPos = 12;
    playback.PlayLen = 100;
    playback.TrackIndex = 4;
    QDateTime before = fake.clock.now;
    media.EjectCd();
    EXPECT_EQ(Sent(),
              (QStringList{"Stop CDAudio wait", "close CDAudio wait", "Status CDAudio Mode",
                           "Status CDAudio media present", "Stop CDAudio wait",
                           "close CDAudio wait", "Open CDAudio ", "Set CDAudio Door Open"}));
    EXPECT_EQ(
        std::tuple(device.TrackCount, playback.TrackIndex, playback.PlayPos, playback.PlayLen),
        std::tuple(0, 0, 0.0, 0.0));
    const QString ejecting = "Status:退片中,請稍後...";
    EXPECT_EQ(view.calls.mid(view.calls.indexOf(ejecting) - 2, 3),
              QStringList({"ChkLab:1", "ChkLabColor:-1", ejecting}));
    EXPECT_EQ(before.msecsTo(fake.clock.now), 400);

    mci.replies["status cdaudio mode"] = "open";
    mci.replies["status cdaudio media present"] = "false";
    device.TrackCount = 9;
    playback.PlayMode = MediaMode::CdAudio;
    view.calls.clear();
    before = fake.clock.now;
    media.EjectCd();
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio wait", "close CDAudio wait", "Status CDAudio Mode",
                                   "Status CDAudio media present", "Open CDAudio ",
                                   "Set CDAudio Door Closed", "Status CDAudio media present"}));
    EXPECT_EQ(std::tuple(playback.PlayMode, device.TrackCount), std::tuple(MediaMode::None, 9));
    EXPECT_TRUE(view.calls.contains("Status:進片中,請稍後..."));
    EXPECT_EQ(view.calls.mid(0, 2), QStringList({"Status:", "Enabled:0"}));
    EXPECT_EQ(view.calls.last(), "Enabled:1");
    EXPECT_EQ(before.msecsTo(fake.clock.now), 300);

    // A fixed disk leaves playback alone.
    device.CdromDriveType = kDriveFixed;
    playback.PlayMode = MediaMode::Mp3;
    view.calls.clear();
    media.EjectCd();
    EXPECT_EQ(std::tuple(playback.PlayMode, Sent().value(0), view.calls.contains("Enabled:0")),
              std::tuple(MediaMode::Mp3, QString("Status CDAudio Mode"), false));
}

TEST_F(MediaProceduresTest, StopAndResetReleaseEveryChannel)
{
    media.StopAllMedia();
    QStringList released{"Command:Stop", "FileName:", "Command:Close"};
    EXPECT_EQ(playWnd.calls, released);
    EXPECT_EQ(mainWnd.calls, released);
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio wait", "close CDAudio wait"}));
    EXPECT_EQ(view.calls, (QStringList{"TimerBMP:0", "HideImageBack", "HideFrmPlay", "HideVcdPic",
                                       "HideFrmPlay"}));
    view.calls.clear();
    media.ResetAllMedia();
    EXPECT_EQ(std::tuple(device.TrackCount, view.calls.last(), Sent().size()),
              std::tuple(0, QString("ChkLab:1"), 2));
}

TEST_F(MediaProceduresTest, ReplyBufferAndTrackLengths)
{
    mci.replies["status cdaudio current track wait"] = "2";
    mci.replies["status cdaudio length track 2"] = "04:10:05";
    playback.MciReply.Fill(QChar('x'));
    media.PollCdStatus();
    // The answer ends in a null; the blanks the poll refilled the buffer with follow.
    const QChar* raw = playback.MciReply.Data();
    EXPECT_EQ(QString(raw, 8), "04:10:05");
    EXPECT_EQ(raw[8], QChar(0));
    EXPECT_EQ(raw[9], QChar(' '));
    EXPECT_EQ(raw[19], QChar(' '));
    EXPECT_EQ(playback.MciReply.Text(), "04:10:05");

    Sent();
    mci.replies["status cdaudio length track 2"] = "03:00:00";
    EXPECT_EQ(media.TrackLengths(2), (QStringList{"", "03:00:00"}));
    EXPECT_EQ(Sent(), (QStringList{"Set CDAudio time format tmsf ", "Status CDAudio length track 1",
                                   "Status CDAudio length track 2"}));
}

TEST_F(MediaProceduresTest, ExtendedErrorsLabelAskAndStop)
{
    fake.files.MakeFolder("C:\\Music");
    playback.MediaPath = "C:\\Music\\bad.mpg";
    playback.PlayMode = MediaMode::Mp3;
    const QString damaged =
        "C:\\Music\\bad.mpg\r\n若您已安裝驅動程式表式此檔以損壞!\r\n是否要刪除此檔?";
    const QString driver = "找不到可供播放MP3的驅動程式\r\n強烈建議";
    struct Case
    {
        int code;
        int driveType;
        QList<int> answers;
        const char* status;
        QStringList prompts; // a part of each box's text
        bool trashed;
    };
    const Case cases[] = {
        {296, kDriveFixed, {kIdOk, kIdYes}, "bad.mpg錯誤", {driver, damaged}, true},
        {296, kDriveFixed, {kIdOk, kIdNo}, "bad.mpg錯誤", {driver, damaged}, false},
        {296, kDriveCdrom, {}, "bad.mpg錯誤", {driver}, false},
        {275, kDriveFixed, {}, "bad.mpg格式錯誤", {}, false},
        {277, kDriveFixed, {}, "ERROR:277", {}, false},
        // An engine that cannot start is told of once where it is made.
        {266, kDriveFixed, {}, "ERROR:266", {}, false},
        {kMciErrNoMidiSynth, kDriveFixed, {}, "ERROR:343", {"timgm6mb-soundfont"}, false},
    };
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/bad.mpg";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        QFile::remove(trash);
        fake.files.WriteAll("C:\\Music\\bad.mpg", "not a video");
        device.CdromDriveType = c.driveType;
        fake.prompter.answers = c.answers;
        fake.prompter.shown.clear();
        view.calls.clear();
        mainWnd.calls.clear();
        playback.MediaError = false;
        media.MCIWnd1_ExtendedError(c.code);
        EXPECT_TRUE(playback.MediaError);
        EXPECT_EQ(view.calls.value(0), QString("Status:") + c.status);
        ASSERT_EQ(fake.prompter.shown.size(), c.prompts.size());
        // Enter on the question keeps the file: No is its default button.
        const int styles[] = {kMbOk | kMbIconStop, kMbYesNo | kMbIconQuestion | kMbDefButton2};
        for (int i = 0; i < c.prompts.size(); ++i) {
            EXPECT_TRUE(fake.prompter.shown[i].prompt.contains(c.prompts[i])) << i;
            EXPECT_EQ(fake.prompter.shown[i].style, styles[i]) << i;
        }
        EXPECT_EQ(fake.files.FileExists("C:\\Music\\bad.mpg"), !c.trashed);
        EXPECT_EQ(QFile::exists(trash), c.trashed);
        EXPECT_EQ(mainWnd.calls, (QStringList{"Command:Stop", "FileName:", "Command:Close"}));
    }
}

} // namespace
} // namespace tolvane
