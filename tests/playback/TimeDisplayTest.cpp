#include "playback/TimeDisplay.h"
#include "app/Log.h"
#include "discovery/DeviceState.h"
#include "fakes/FakeMci.h"
#include "fakes/FakePlatform.h"
#include "fakes/SilentView.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackState.h"
#include "ui/FrmVCD.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The main window's neighbours as a list of what was asked of them; the poll that
// the media procedures run goes back to the display under test.
class PollView : public SilentView
{
public:
    void SetStatus(const QString& text) override { calls.append("Status:" + text); }
    void ChkLabColor(int index) override { calls.append(QString("ChkLabColor:%1").arg(index)); }
    void ShowTime() override
    {
        calls.append("ShowTime");
        if (display)
            display->ShowTime();
    }
    QString LookUpLyrics(const QString& path) override
    {
        calls.append("Lyrics:" + path);
        return QString();
    }

    QStringList calls;
    TimeDisplay* display = nullptr;
};

// Counts the paints of a label, which follow every change of its text.

class TimeDisplayTest : public ::testing::Test
{
protected:
    TimeDisplayTest()
    {
        view.display = &display;
        device.CdromDrive = "D:";
        device.CdromDriveType = kDriveCdrom;
        for (QLabel* label : vcd.Label2)
            label->setText("x");
        display.hooks.endOfItem = [this] { ++itemEnds; };
        display.hooks.followLyrics = [this](const QString& pos, double len) {
            lyrics.append(pos + "/" + QString::number(len));
        };
    }

    QStringList Sent()
    {
        QStringList sent = mci.Sent();
        mci.ClearSent();
        return sent;
    }

    QString Text(int i) const { return vcd.Label2[i]->text(); }
    bool Enabled(int i) const { return vcd.Label2[i]->isEnabled(); }
    int KnobOffset() const { return vcd.PicCtl[13]->x() - vcd.PicCtl[9]->x(); }
    int KnobTravel() const { return vcd.PicCtl[9]->width() - vcd.PicCtl[13]->width(); }

    void PlayFile(FakeMciWindow& window, double position, double length)
    {
        window.mode = "playing";
        window.position = position;
        window.length = length;
    }

    void ScriptDisc(const QString& track, const QString& position, const QString& length)
    {
        mci.replies["status cdaudio mode"] = "playing";
        mci.replies["status cdaudio current track wait"] = track;
        mci.replies["status cdaudio position wait"] = position;
        mci.replies["status cdaudio length track " + track] = length;
    }

    FakePlatform fake;
    FakeMci mci;
    FakeMciWindow mainWnd;
    FakeMciWindow playWnd;
    PollView view;
    PlaybackState playback;
    DeviceState device;
    Log log{fake.platform};
    MediaContext context{mci,           mainWnd,    playWnd,  view,   fake.clock,
                         fake.prompter, fake.files, playback, device, log};
    MediaProcedures media{context};
    FrmVCD vcd;
    TimeDisplay display{context, media, vcd};
    int itemEnds = 0;
    QStringList lyrics;
};

TEST(TimeFormats, FieldsRoundingAndParse)
{
    EXPECT_EQ(MinutesSecondsHundredths(18550), "03:05:50");
    EXPECT_EQ(MinutesSecondsHundredths(0), "00:00:00");
    // The last field is rounded, halves to the even neighbour, before the modulo.
    EXPECT_EQ(MinutesSecondsHundredths(18550.5), "03:05:50");
    EXPECT_EQ(MinutesSecondsHundredths(18551.5), "03:05:52");
    EXPECT_EQ(MinutesSecondsHundredths(18599.6), "03:05:00");
    EXPECT_EQ(MinutesSecondsHundredths(6000 * 125 + 99), "125:00:99");
    EXPECT_EQ(HoursMinutesSeconds(3723), "01:02:03");

    EXPECT_EQ(ParseTime("00:03:20"), 200);
    EXPECT_EQ(ParseTime("01:02:03 and more"), 3723);
    EXPECT_EQ(ParseTime("00:4:5"), 245);
    // Not a time of day: an audio CD track of an hour or more, blanks, nothing.
    EXPECT_EQ(ParseTime("00:60:00"), 0);
    EXPECT_EQ(ParseTime("00:     "), 0);
    EXPECT_EQ(ParseTime(""), 0);
    // Beyond 16 bits.
    EXPECT_EQ(ParseTime("09:06:08"), 0);
    EXPECT_EQ(ParseTime("09:06:07"), 32767);
}

TEST_F(TimeDisplayTest, PollRightAfterAStartOnlyClearsTheSkipFlag)
{
    playback.PlayMode = "CDAudio";
    ScriptDisc("5", "05:03:20:37", "04:10:05");
    playback.SkipPoll = true;
    display.ShowTime();
    EXPECT_FALSE(playback.SkipPoll);
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(Text(0), "x");
    EXPECT_EQ(Text(2), "x");
    EXPECT_TRUE(view.calls.isEmpty());
    EXPECT_TRUE(lyrics.isEmpty());

    // The next poll asks the device.
    display.ShowTime();
    EXPECT_EQ(Sent(),
              (QStringList{"Status CDAudio mode", "Set CDAudio time format tmsf Wait",
                           "Status CDAudio Current Track Wait", "Status CDAudio position Wait",
                           "Status CDAudio length Track 5"}));
}

TEST_F(TimeDisplayTest, PollStartedInsideAPollReturnsAtOnce)
{
    playback.PlayMode = "CDAudio";
    ScriptDisc("5", "05:03:20:37", "04:10:05");
    int nested = 0;
    mci.onCommand = [&](const QString& key) {
        if (key.startsWith("status cdaudio position")) {
            ++nested;
            display.ShowTime();
            display.ShowTime();
        }
    };
    display.ShowTime();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(Sent().size(), 5);
    EXPECT_EQ(Text(0), "03:20:37");
    EXPECT_FALSE(playback.SkipPoll);
}

TEST_F(TimeDisplayTest, AudioCdTrackFive)
{
    playback.PlayMode = "CDAudio";
    ScriptDisc("5", "05:03:20:37", "04:10:05");
    display.ShowTime();
    EXPECT_EQ(Text(0), "03:20:37");
    EXPECT_EQ(Text(1), "04:10:05");
    EXPECT_EQ(Text(2), "<5>");
    EXPECT_DOUBLE_EQ(playback.PlayPos, 200.37);
    EXPECT_DOUBLE_EQ(playback.PlayLen, 250.05);
    EXPECT_TRUE(playback.IsPlaying);
    EXPECT_EQ(playback.TrackIndex, 4);
    EXPECT_EQ(playback.CurTitle, "Track5");
    EXPECT_TRUE(Enabled(0) && Enabled(1));
    EXPECT_EQ(KnobOffset(), qRound(200.37 / 250.05 * KnobTravel()));
    EXPECT_EQ(view.calls, (QStringList{"Lyrics:D:\\Track05.cda", "ChkLabColor:4"}));
    EXPECT_EQ(lyrics, QStringList{"03:20:37/250.05"});
    EXPECT_FALSE(playback.SkipPoll);

    // The same track again: no new title nor lyrics; a new track looks its lyrics up.
    view.calls.clear();
    playback.CurTitle = "kept";
    mci.replies["status cdaudio mode"] = "paused";
    display.ShowTime();
    EXPECT_EQ(view.calls, QStringList{"ChkLabColor:4"});
    EXPECT_EQ(playback.CurTitle, "kept");
    EXPECT_FALSE(playback.IsPlaying);
    ScriptDisc("12", "12:00:01:00", "03:00:00");
    view.calls.clear();
    display.ShowTime();
    EXPECT_EQ(view.calls, (QStringList{"Lyrics:D:\\Track12.cda", "ChkLabColor:11"}));
    EXPECT_EQ(playback.CurTitle, "Track12");
    EXPECT_EQ(Text(2), "<12>");
}

TEST_F(TimeDisplayTest, AudioCdEndStartsTheDiscAgainAndUnreadableRepliesShowZero)
{
    playback.PlayMode = "CDAudio";
    ScriptDisc("9", "09:04:10:05", "04:10:05");
    display.ShowTime();
    QStringList sent = Sent();
    ASSERT_EQ(sent.size(), 11);
    EXPECT_EQ(sent.mid(5),
              (QStringList{"Status CDAudio Mode", "Stop CDAudio", "Stop CDAudio ",
                           "Set CDAudio Time format tmsf", "Seek CDAudio to 1", "Play CDAudio"}));
    // The start's own poll came inside this one and did nothing.
    EXPECT_TRUE(view.calls.contains("ShowTime"));
    EXPECT_FALSE(playback.SkipPoll);

    mci.replies.clear();
    display.ShowTime();
    EXPECT_EQ(Sent().size(), 5);
    EXPECT_EQ(playback.PlayLen, 0);
    EXPECT_EQ(Text(0), "00:00:00");
    EXPECT_EQ(Text(1), "00:00:00");
    EXPECT_EQ(Text(2), "");
    EXPECT_FALSE(Enabled(0) || Enabled(1));
}

TEST_F(TimeDisplayTest, PausedVideoShowsZerosWithTheKnobAtTheLeft)
{
    playback.PlayMode = "VCD";
    playback.TimeUnits = 30;
    PlayFile(mainWnd, 1800 * 30, 3600 * 30);
    display.ShowTime();
    EXPECT_EQ(KnobOffset(), KnobTravel() / 2);
    EXPECT_EQ(Text(0), "00:30:00");

    mainWnd.mode = "paused";
    display.ShowTime();
    EXPECT_EQ(playback.PlayPos, 0);
    EXPECT_EQ(playback.PlayLen, 0);
    EXPECT_EQ(Text(0), "00:00:00");
    EXPECT_EQ(Text(1), "00:00:00");
    EXPECT_EQ(Text(2), "");
    EXPECT_FALSE(Enabled(0) || Enabled(1));
    EXPECT_EQ(KnobOffset(), 0);
    EXPECT_EQ(itemEnds, 1);

    // Stopped at its end the item still counts, so the controller can move on.
    mainWnd.mode = "stopped";
    mainWnd.position = mainWnd.length;
    display.ShowTime();
    EXPECT_EQ(itemEnds, 2);
    EXPECT_EQ(KnobOffset(), KnobTravel());
}

TEST_F(TimeDisplayTest, VideoCdTrackShowsHoursMinutesSecondsAndItsFile)
{
    playback.PlayMode = "VCD";
    playback.TimeUnits = 30;
    playback.TrackIndex = 1;
    playback.CurFile = "D:\\MPEGAV\\AVSEQ02.DAT";
    PlayFile(mainWnd, 3723 * 30, 4000 * 30);
    display.ShowTime();
    EXPECT_EQ(Text(0), "01:02:03");
    EXPECT_EQ(Text(1), "01:06:40");
    EXPECT_EQ(Text(2), "AVSEQ02.DAT");
    EXPECT_DOUBLE_EQ(playback.PlayPos, 3723);
    EXPECT_TRUE(Enabled(0) && Enabled(1));
    EXPECT_EQ(view.calls, QStringList{"ChkLabColor:1"});
    EXPECT_EQ(itemEnds, 1);
    EXPECT_EQ(lyrics, QStringList{"01:02:03/4000"});
}

TEST_F(TimeDisplayTest, SongsShowHundredthsForMp3AndTheAlbumLine)
{
    playback.PlayMode = "MP3";
    playback.MediaKind = "MP3";
    playback.TimeUnits = 10;
    playback.TrackIndex = 1;
    device.TrackCount = 3;
    // The separate window's control plays.
    playback.ActiveMci = 1;
    playWnd.fileName = "C:\\Music\\Blue\\Song.mp3";
    PlayFile(playWnd, 185500, 240000);
    display.ShowTime();
    EXPECT_EQ(Text(0), "03:05:50");
    EXPECT_EQ(Text(1), "04:00:00");
    EXPECT_EQ(Text(2), "02/03 Song.mp3");
    EXPECT_DOUBLE_EQ(playback.PlayPos, 18550);

    // An album folder numbers its songs.
    playback.AlbumSongCount = 12;
    playback.Mp3Index = 10;
    display.ShowTime();
    EXPECT_EQ(Text(2), "02-11 Song.mp3");

    // A MIDI song of an album counts whole seconds.
    playback.MediaKind = "MID";
    playWnd.position = 12340;
    display.ShowTime();
    EXPECT_EQ(Text(0), "00:20:34");
    EXPECT_EQ(itemEnds, 3);
}

TEST_F(TimeDisplayTest, NoMediaAsksForADisc)
{
    playback.PlayMode = "";
    playback.IsPlaying = true;
    mainWnd.mode = "playing";
    display.ShowTime();
    EXPECT_EQ(vcd.Label1->text(), "請放入光碟片");
    EXPECT_FALSE(playback.IsPlaying);
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio wait", "close CDAudio wait", "Stop CDAudio wait",
                                   "close CDAudio wait"}));
    EXPECT_EQ(mainWnd.calls.count("Command:Stop"), 2);
    EXPECT_EQ(Text(0), "00:00:00");

    // With the number pad disabled nothing is stopped.
    vcd.Label1->clear();
    for (QLabel* digit : vcd.LabNum)
        digit->setEnabled(false);
    display.ShowTime();
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(vcd.Label1->text(), "");

    // A disc with nothing playable reads nothing.
    playback.PlayMode = "CDROM";
    display.ShowTime();
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(itemEnds, 0);
}

TEST_F(TimeDisplayTest, HeldKnobLeavesLabelsAndKnobAlone)
{
    playback.PlayMode = "VCD";
    playback.TimeUnits = 30;
    PlayFile(mainWnd, 1800 * 30, 3600 * 30);
    display.ShowTime();
    playback.ButtonHeld = true;
    mainWnd.position = 0;
    display.ShowTime();
    EXPECT_EQ(Text(0), "00:30:00");
    EXPECT_EQ(KnobOffset(), KnobTravel() / 2);
    EXPECT_DOUBLE_EQ(playback.PlayPos, 0);
    playback.ButtonHeld = false;
    display.ShowPoint();
    EXPECT_EQ(Text(0), "00:00:00");
    EXPECT_EQ(KnobOffset(), 0);
}

TEST_F(TimeDisplayTest, TimerTickWaitsWhileTheDisplayIsBusy)
{
    playback.PlayMode = "CDAudio";
    ScriptDisc("5", "05:03:20:37", "04:10:05");
    playback.TimeBusy = true;
    display.Timer1_Timer();
    EXPECT_TRUE(Sent().isEmpty());
    playback.TimeBusy = false;
    display.Timer1_Timer();
    EXPECT_EQ(Sent().size(), 5);
}

} // namespace
} // namespace tolvane
