#include "playback/MediaProcedures.h"
#include "app/Log.h"
#include "discovery/DeviceState.h"
#include "fakes/FakeMci.h"
#include "fakes/FakePlatform.h"
#include "playback/PlaybackState.h"

#include <QFile>
#include <gtest/gtest.h>

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
        return lyricsPath;
    }
    void ClearLyricsPath() override { calls.append("ClearLyrics"); }

    QStringList calls;
    QString lyricsPath = "C:\\Song\\Track03.txt";
};

class MediaProceduresTest : public ::testing::Test
{
protected:
    MediaProceduresTest()
    {
        device.CdromDrive = "D:";
        device.CdromDriveType = kDriveCdrom;
        device.TrackCount = 9;
        playback.PlayMode = "CDAudio";
    }

    // Commands sent since the last look.
    QStringList Sent()
    {
        QStringList sent = mci.Sent();
        mci.ClearSent();
        return sent;
    }

    FakePlatform fake;
    FakeMci mci;
    FakeMciWindow mainWnd;
    FakeMciWindow playWnd;
    RecordingView view;
    PlaybackState playback;
    DeviceState device;
    Log log{fake.platform};
    MediaContext context{mci,           mainWnd,    playWnd,  view,   fake.clock,
                         fake.prompter, fake.files, playback, device, log};
    MediaProcedures media{context};
};

TEST_F(MediaProceduresTest, PlayACDWhileStoppedReopensTheDevice)
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
}

TEST_F(MediaProceduresTest, PlayACDWhilePlayingKeepsTheDeviceOpen)
{
    mci.replies["status cdaudio mode"] = "playing";
    fake.files.MakeFolder("C:\\Song");
    fake.files.WriteAll("C:\\Song\\Track03.txt", "[00:01:00]la\r\n");
    media.PlayACD(12);
    EXPECT_EQ(Sent(),
              (QStringList{"Status CDAudio Mode", "Stop CDAudio", "Stop CDAudio ",
                           "Set CDAudio Time format tmsf", "Seek CDAudio to 12", "Play CDAudio"}));
    EXPECT_TRUE(view.calls.contains("Lyrics:D:\\Track12.cda"));
    EXPECT_TRUE(view.calls.contains("TimerBMP:0"));
    EXPECT_FALSE(view.calls.contains("ClearLyrics"));
}

TEST_F(MediaProceduresTest, PlayPauseAlternatesAfterAStart)
{
    playback.CdRunning = true;
    media.ChkACD(1);
    EXPECT_FALSE(playback.CdRunning);
    media.PlayACD(1);
    Sent();
    view.calls.clear();
    media.ChkACD(0);
    media.ChkACD(0);
    media.ChkACD(0);
    EXPECT_EQ(Sent(), (QStringList{"Play CDAudio", "Pause CDAudio", "Play CDAudio"}));
    EXPECT_EQ(view.calls, (QStringList{"Status:", "PlayPicture:1", "Status:", "PlayPicture:0",
                                       "Status:", "PlayPicture:1"}));
    EXPECT_TRUE(playback.CdRunning);
    media.ChkACD(1);
    EXPECT_EQ(Sent(), QStringList{"Stop CDAudio"});
    EXPECT_FALSE(playback.CdRunning);
    media.ChkACD(3);
    media.ChkACD(4);
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(MediaProceduresTest, StepsBackAndForwardStayInsideTheTrack)
{
    playback.IsPlaying = true;
    playback.PlayPos = 30;
    playback.PlayLen = 250.05;
    mci.replies["status cdaudio position"] = "05:00:30:00";
    media.ChkACD(2);
    EXPECT_DOUBLE_EQ(playback.SeekTarget, 0);
    EXPECT_EQ(Sent(), (QStringList{"Status CDAudio position", "Stop CDAudio",
                                   "Set CDAudio time format tmsf", "Status CDAudio position",
                                   "Seek CDAudio to 05:00:00:00 Wait", "Status CDAudio position",
                                   "play CDAudio"}));
    EXPECT_EQ(view.calls.last(), "ShowTime");

    // Within the last minute the step lands on the track's end.
    playback.IsPlaying = false;
    playback.PlayPos = 230;
    media.ChkACD(5);
    EXPECT_DOUBLE_EQ(playback.SeekTarget, 250.05);
    QStringList sent = Sent();
    EXPECT_EQ(sent.size(), 6);
    EXPECT_EQ(sent[4], "Seek CDAudio to 05:04:10:03 Wait");
}

TEST_F(MediaProceduresTest, SeekTargetBecomesTrackMinutesSecondsFrames)
{
    playback.SeekTarget = 83.5;
    mci.replies["status cdaudio position"] = "07:00:10:00";
    media.ChkSeek();
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio", "Set CDAudio time format tmsf",
                                   "Status CDAudio position", "Seek CDAudio to 07:01:23:30 Wait",
                                   "Status CDAudio position"}));
    // Other media are not the audio CD's business.
    playback.PlayMode = "VCD";
    media.ChkSeek();
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(MediaProceduresTest, EjectWithTheTrayOpenClosesIt)
{
    mci.replies["status cdaudio mode"] = "open";
    mci.replies["status cdaudio media present"] = "false";
    QDateTime before = fake.clock.now;
    media.EjectCd();
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio wait", "close CDAudio wait", "Status CDAudio Mode",
                                   "Status CDAudio media present", "Open CDAudio ",
                                   "Set CDAudio Door Closed", "Status CDAudio media present"}));
    EXPECT_EQ(playback.PlayMode, "");
    EXPECT_EQ(device.TrackCount, 9);
    EXPECT_TRUE(view.calls.contains("Status:進片中,請稍後..."));
    EXPECT_EQ(view.calls.first(), "Status:");
    EXPECT_EQ(view.calls[1], "Enabled:0");
    EXPECT_EQ(view.calls.last(), "Enabled:1");
    EXPECT_EQ(before.msecsTo(fake.clock.now), 300);
}

TEST_F(MediaProceduresTest, EjectWithTheTrayClosedOpensIt)
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
    EXPECT_EQ(device.TrackCount, 0);
    EXPECT_EQ(playback.TrackIndex, 0);
    EXPECT_DOUBLE_EQ(playback.PlayPos, 0);
    EXPECT_DOUBLE_EQ(playback.PlayLen, 0);
    int ejecting = view.calls.indexOf("Status:退片中,請稍後...");
    ASSERT_GT(ejecting, 0);
    EXPECT_EQ(view.calls[ejecting - 2], "ChkLab:1");
    EXPECT_EQ(view.calls[ejecting - 1], "ChkLabColor:-1");
    EXPECT_EQ(before.msecsTo(fake.clock.now), 400);
}

TEST_F(MediaProceduresTest, EjectOnAFixedDiskLeavesPlaybackAlone)
{
    device.CdromDriveType = kDriveFixed;
    playback.PlayMode = "MP3";
    mci.replies["status cdaudio mode"] = "open";
    media.EjectCd();
    EXPECT_EQ(playback.PlayMode, "MP3");
    EXPECT_EQ(Sent().first(), "Status CDAudio Mode");
    EXPECT_FALSE(view.calls.contains("Enabled:0"));
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
    EXPECT_EQ(device.TrackCount, 0);
    EXPECT_EQ(view.calls.last(), "ChkLab:1");
    EXPECT_EQ(Sent().size(), 2);
}

TEST_F(MediaProceduresTest, PollAndToolTipStrings)
{
    mci.replies["status cdaudio mode"] = "playing";
    mci.replies["status cdaudio current track wait"] = "5";
    mci.replies["status cdaudio position wait"] = "05:03:20:37";
    mci.replies["status cdaudio length track 5"] = "04:10:05";
    CdPollReplies replies = media.PollCdStatus();
    EXPECT_EQ(Sent(),
              (QStringList{"Status CDAudio mode", "Set CDAudio time format tmsf Wait",
                           "Status CDAudio Current Track Wait", "Status CDAudio position Wait",
                           "Status CDAudio length Track 5"}));
    EXPECT_EQ(replies.mode, "playing");
    EXPECT_EQ(replies.currentTrack, "5");
    EXPECT_EQ(replies.position, "05:03:20:37");
    EXPECT_EQ(replies.length, "04:10:05");

    mci.replies["status cdaudio length track 2"] = "03:00:00";
    EXPECT_EQ(media.TrackLengths(2), (QStringList{"", "03:00:00"}));
    EXPECT_EQ(Sent(), (QStringList{"Set CDAudio time format tmsf ", "Status CDAudio length track 1",
                                   "Status CDAudio length track 2"}));
}

TEST_F(MediaProceduresTest, ReplyBufferKeepsWhatFollowsTheAnswer)
{
    mci.replies["status cdaudio current track wait"] = "2";
    mci.replies["status cdaudio length track 2"] = "04:10:05";
    playback.MciReply.Fill(QChar('x'));
    media.PollCdStatus();
    const QChar* raw = playback.MciReply.Data();
    EXPECT_EQ(QString(raw, 8), "04:10:05");
    EXPECT_EQ(raw[8], QChar(0));
    // The poll refilled the buffer with blanks before it asked.
    EXPECT_EQ(raw[9], QChar(' '));
    EXPECT_EQ(raw[19], QChar(' '));
    EXPECT_EQ(playback.MciReply.Text(), "04:10:05");
}

class ExtendedErrorTest : public MediaProceduresTest
{
protected:
    ExtendedErrorTest()
    {
        fake.files.MakeFolder("C:\\Music");
        fake.files.WriteAll("C:\\Music\\bad.mpg", "not a video");
        playback.MediaPath = "C:\\Music\\bad.mpg";
        playback.PlayMode = "MP3";
    }
};

struct ErrorCase
{
    int code;
    int driveType;
    QList<int> answers;
    const char* status;
    int boxes;
    bool trashed;
};

TEST_F(ExtendedErrorTest, EachCodeLabelsAsksAndStops)
{
    const ErrorCase cases[] = {
        {296, kDriveFixed, {kIdOk, kIdYes}, "bad.mpg錯誤", 2, true},
        {296, kDriveFixed, {kIdOk, kIdNo}, "bad.mpg錯誤", 2, false},
        {296, kDriveCdrom, {}, "bad.mpg錯誤", 1, false},
        {275, kDriveFixed, {}, "bad.mpg格式錯誤", 0, false},
        {277, kDriveFixed, {}, "ERROR:277", 0, false},
        // An engine that cannot start is told of once where it is made.
        {266, kDriveFixed, {}, "ERROR:266", 0, false},
        {343, kDriveFixed, {}, "ERROR:343", 1, false},
    };
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/bad.mpg";
    for (const ErrorCase& c : cases) {
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
        EXPECT_EQ(view.calls.first(), QString("Status:") + c.status);
        EXPECT_EQ(fake.prompter.shown.size(), c.boxes);
        EXPECT_EQ(fake.files.FileExists("C:\\Music\\bad.mpg"), !c.trashed);
        EXPECT_EQ(QFile::exists(trash), c.trashed);
        EXPECT_EQ(mainWnd.calls, (QStringList{"Command:Stop", "FileName:", "Command:Close"}));
    }
}

TEST_F(ExtendedErrorTest, TheTextsOfTheQuestions)
{
    device.CdromDriveType = kDriveFixed;
    media.MCIWnd1_ExtendedError(296);
    ASSERT_EQ(fake.prompter.shown.size(), 2);
    EXPECT_TRUE(
        fake.prompter.shown[0].prompt.startsWith("找不到可供播放MP3的驅動程式\r\n強烈建議"));
    EXPECT_TRUE(fake.prompter.shown[0].prompt.endsWith(
        "\r\n若您安裝的是其它的驅動程是可能導致部份功能喪失或當機!"));
    EXPECT_EQ(fake.prompter.shown[0].style, kMbOk | kMbIconStop);
    EXPECT_EQ(fake.prompter.shown[1].prompt,
              "C:\\Music\\bad.mpg\r\n若您已安裝驅動程式表式此檔以損壞!\r\n是否要刪除此檔?");
    media.MCIWnd1_ExtendedError(kMciErrNoMidiSynth);
    EXPECT_TRUE(fake.prompter.shown.last().prompt.contains("timgm6mb-soundfont"));
}

TEST_F(MediaProceduresTest, VideoControlEventsReachTheHandlers)
{
    media.Connect(mainWnd);
    mainWnd.onExtendedModeChange(kMciModeStop);
    EXPECT_FALSE(playback.IsPlaying);
    mainWnd.onExtendedModeChange(kMciModePlay);
    EXPECT_TRUE(playback.IsPlaying);
    mainWnd.onExtendedModeChange(kMciModeStop);
    EXPECT_TRUE(playback.IsPlaying);
    mainWnd.onPositionChange();
    EXPECT_EQ(view.calls, QStringList{"ShowTime"});
    mainWnd.onExtendedError(300);
    EXPECT_TRUE(playback.MediaError);
}

TEST(HoursMinutesSecondsTest, FieldsAndRounding)
{
    EXPECT_EQ(HoursMinutesSeconds(3723), "01:02:03");
    EXPECT_EQ(HoursMinutesSeconds(83.5 * 60), "01:23:30");
    EXPECT_EQ(HoursMinutesSeconds(0), "00:00:00");
    // Halves go to the even neighbour.
    EXPECT_EQ(HoursMinutesSeconds(2.5), "00:00:02");
    EXPECT_EQ(HoursMinutesSeconds(3.5), "00:00:04");
    EXPECT_EQ(HoursMinutesSeconds(59.6), "00:00:00");
    EXPECT_EQ(HoursMinutesSeconds(360000), "100:00:00");
}

} // namespace
} // namespace tolvane
