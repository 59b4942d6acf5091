#include "playback/TimeDisplay.h"
#include "MediaRig.h"
#include "fakes/SilentView.h"
#include "forms/FrmVCD.h"

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

class TimeDisplayTest : public MediaRig<PollView>
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

    // The position, length and item labels; "-" marks a disabled time label.
    QStringList Shown() const
    {
        QStringList shown;
        for (int i = 0; i < 3; ++i)
            shown.append((i < 2 && !vcd.Label2[i]->isEnabled() ? "-" : "") + vcd.Label2[i]->text());
        return shown;
    }
    int KnobOffset() const { return vcd.PicCtl[13]->x() - vcd.PicCtl[9]->x(); }
    int KnobTravel() const { return vcd.PicCtl[9]->width() - vcd.PicCtl[13]->width(); }

    void PlayFile(FakeMciWindow& window, MediaMode mode, double position, double length)
    {
        playback.PlayMode = mode;
        playback.TimeUnits = playback.PlayMode == MediaMode::Vcd ? 30 : 10;
        window.mode = "playing";
        window.position = position;
        window.length = length;
    }

    void ScriptDisc(const QString& track, const QString& position, const QString& length)
    {
        playback.PlayMode = MediaMode::CdAudio;
        mci.replies["status cdaudio mode"] = "playing";
        mci.replies["status cdaudio current track wait"] = track;
        mci.replies["status cdaudio position wait"] = position;
        mci.replies["status cdaudio length track " + track] = length;
    }

    MediaProcedures media{context};
    FrmVCD vcd;
    TimeDisplay display{context, media, vcd};
    int itemEnds = 0;
    QStringList lyrics;
};

TEST(TimeFormats, FieldsRoundingAndParse)
{
    // The last field is rounded, halves to the even neighbour, before the modulo.
    const std::pair<double, const char*> hundredths[] = {
        {18550, "03:05:50"},   {0, "00:00:00"},       {18550.5, "03:05:50"},
        {18551.5, "03:05:52"}, {18599.6, "03:05:00"}, {6000 * 125 + 99, "125:00:99"}};
    for (auto [value, text] : hundredths)
        EXPECT_EQ(MinutesSecondsHundredths(value), text) << value;
    const std::pair<double, const char*> seconds[] = {
        {3723, "01:02:03"}, {83.5 * 60, "01:23:30"}, {0, "00:00:00"},      {2.5, "00:00:02"},
        {3.5, "00:00:04"},  {59.6, "00:00:00"},      {360000, "100:00:00"}};
    for (auto [value, text] : seconds)
        EXPECT_EQ(HoursMinutesSeconds(value), text) << value;
    // Not a time of day (an audio CD track of an hour or more, blanks, nothing) or
    // beyond 16 bits reads as 0.
    const std::pair<const char*, int> parsed[] = {{"00:03:20", 200}, {"01:02:03 and more", 3723},
                                                  {"00:4:5", 245},   {"00:60:00", 0},
                                                  {"00:     ", 0},   {"", 0},
                                                  {"09:06:08", 0},   {"09:06:07", 32767}};
    for (auto [text, value] : parsed)
        EXPECT_EQ(ParseTime(text), value) << text;
}

TEST_F(TimeDisplayTest, SkippedBusyAndNestedPollsDoNotAskTheDevice)
{
    ScriptDisc("5", "05:03:20:37", "04:10:05");
    // The poll right after a start only clears the flag.
    playback.SkipPoll = true;
    display.ShowTime();
    EXPECT_FALSE(playback.SkipPoll);
    EXPECT_EQ(Shown(), QStringList({"x", "x", "x"}));
    EXPECT_EQ(Sent() + view.calls + lyrics, QStringList()); // nothing asked nor followed
    // The timer waits while the display is busy, then asks the device.
    playback.TimeBusy = true;
    display.Timer1_Timer();
    EXPECT_TRUE(Sent().isEmpty());
    playback.TimeBusy = false;
    display.Timer1_Timer();
    EXPECT_EQ(Sent(),
              (QStringList{"Status CDAudio mode", "Set CDAudio time format tmsf Wait",
                           "Status CDAudio Current Track Wait", "Status CDAudio position Wait",
                           "Status CDAudio length Track 5"}));
    // A poll started inside a poll returns at once.
    int nested = 0;
    mci.onCommand = [&](const QString& key) {
        if (key.startsWith("status cdaudio position")) {
            ++nested;
            display.ShowTime();
            display.ShowTime();
        }
    };
    display.ShowTime();
    EXPECT_EQ(std::tuple(nested, Sent().size(), playback.SkipPoll), std::tuple(1, 5, false));
}

TEST_F(TimeDisplayTest, AudioCdTracksAndTheEndOfTheDisc)
{
    ScriptDisc("5", "05:03:20:37", "04:10:05");
    display.ShowTime();
    EXPECT_EQ(Shown(), QStringList({"03:20:37", "04:10:05", "<5>"}));
    EXPECT_DOUBLE_EQ(playback.PlayPos, 200.37);
    EXPECT_DOUBLE_EQ(playback.PlayLen, 250.05);
    EXPECT_EQ(
        std::tuple(playback.IsPlaying, playback.TrackIndex, playback.CurTitle, playback.SkipPoll),
        std::tuple(true, 4, QString("Track5"), false));
    EXPECT_EQ(KnobOffset(), qRound(200.37 / 250.05 * KnobTravel()));
    EXPECT_EQ(view.calls, (QStringList{"Lyrics:D:\\Track05.cda", "ChkLabColor:4"}));
    EXPECT_EQ(lyrics, QStringList{"03:20:37/250.05"});
    // The same track again: no new title nor lyrics; a new track looks its lyrics up.
    view.calls.clear();
    playback.CurTitle = "kept";
    mci.replies["status cdaudio mode"] = "paused";
    display.ShowTime();
    EXPECT_EQ(std::tuple(view.calls, playback.CurTitle, playback.IsPlaying),
              std::tuple(QStringList{"ChkLabColor:4"}, QString("kept"), false));
    ScriptDisc("12", "12:00:01:00", "03:00:00");
    view.calls.clear();
    display.ShowTime();
    EXPECT_EQ(std::tuple(view.calls, playback.CurTitle, Shown()[2]),
              std::tuple(QStringList({"Lyrics:D:\\Track12.cda", "ChkLabColor:11"}),
                         QString("Track12"), QString("<12>")));

    // At the end of the last track the disc starts again; the start's own poll comes
    // inside this one and does nothing.
    ScriptDisc("12", "12:03:00:00", "03:00:00");
    Sent();
    view.calls.clear();
    display.ShowTime();
    const QStringList sent = Sent();
    EXPECT_EQ(sent.mid(5),
              (QStringList{"Status CDAudio Mode", "Stop CDAudio", "Stop CDAudio ",
                           "Set CDAudio Time format tmsf", "Seek CDAudio to 1", "Play CDAudio"}));
    EXPECT_EQ(std::tuple(sent.size(), view.calls.contains("ShowTime"), playback.SkipPoll),
              std::tuple(11, true, false));
    // Unreadable replies are no end: zeros.
    mci.replies.clear();
    display.ShowTime();
    EXPECT_EQ(std::tuple(Sent().size(), playback.PlayLen), std::tuple(5, 0.0));
    EXPECT_EQ(Shown(), QStringList({"-00:00:00", "-00:00:00", ""}));
}

TEST_F(TimeDisplayTest, VideoKnobHeldPausedAndAtTheEnd)
{
    PlayFile(mainWnd, MediaMode::Vcd, 1800 * 30, 3600 * 30);
    display.ShowTime();
    const int half = KnobTravel() / 2;
    EXPECT_EQ(std::tuple(KnobOffset(), Shown()[0]), std::tuple(half, QString("00:30:00")));
    // A held knob leaves labels and knob alone until the point is shown again.
    playback.ButtonHeld = true;
    mainWnd.position = 0;
    display.ShowTime();
    EXPECT_EQ(std::tuple(KnobOffset(), Shown()[0], playback.PlayPos),
              std::tuple(half, QString("00:30:00"), 0.0));
    playback.ButtonHeld = false;
    display.ShowPoint();
    EXPECT_EQ(std::tuple(KnobOffset(), Shown()[0]), std::tuple(0, QString("00:00:00")));
    // Paused video shows zeros with the knob at the left.
    mainWnd.position = 1800 * 30;
    display.ShowTime();
    mainWnd.mode = "paused";
    display.ShowTime();
    EXPECT_EQ(std::tuple(playback.PlayPos, playback.PlayLen, KnobOffset(), itemEnds),
              std::tuple(0.0, 0.0, 0, 3));
    EXPECT_EQ(Shown(), QStringList({"-00:00:00", "-00:00:00", ""}));
    // Stopped at its end the item still counts, so the controller can move on.
    mainWnd.mode = "stopped";
    mainWnd.position = mainWnd.length;
    display.ShowTime();
    EXPECT_EQ(std::tuple(itemEnds, KnobOffset()), std::tuple(4, KnobTravel()));
}

TEST_F(TimeDisplayTest, VideoCdAndSongLabels)
{
    playback.TrackIndex = 1;
    playback.CurFile = "D:\\MPEGAV\\AVSEQ02.DAT";
    PlayFile(mainWnd, MediaMode::Vcd, 3723 * 30, 4000 * 30);
    display.ShowTime();
    EXPECT_EQ(Shown(), QStringList({"01:02:03", "01:06:40", "AVSEQ02.DAT"}));
    EXPECT_EQ(std::tuple(playback.PlayPos, itemEnds), std::tuple(3723.0, 1));
    EXPECT_EQ(std::tuple(view.calls, lyrics),
              std::tuple(QStringList{"ChkLabColor:1"}, QStringList{"01:02:03/4000"}));

    // Songs show hundredths for MP3, here on the separate window's control.
    playback.MediaKind = "MP3";
    device.TrackCount = 3;
    playback.ActiveMci = 1;
    playWnd.fileName = "C:\\Music\\Blue\\Song.mp3";
    PlayFile(playWnd, MediaMode::Mp3, 185500, 240000);
    display.ShowTime();
    EXPECT_EQ(Shown(), QStringList({"03:05:50", "04:00:00", "02/03 Song.mp3"}));
    EXPECT_DOUBLE_EQ(playback.PlayPos, 18550);
    // An album folder numbers its songs.
    playback.AlbumSongCount = 12;
    playback.Mp3Index = 10;
    display.ShowTime();
    EXPECT_EQ(Shown()[2], "02-11 Song.mp3");
    // A MIDI song of an album counts whole seconds.
    playback.MediaKind = "MID";
    playWnd.position = 12340;
    display.ShowTime();
    EXPECT_EQ(std::tuple(Shown()[0], itemEnds), std::tuple(QString("00:20:34"), 4));
}

TEST_F(TimeDisplayTest, NoMediaAsksForADisc)
{
    playback.PlayMode = MediaMode::None;
    playback.IsPlaying = true;
    mainWnd.mode = "playing";
    display.ShowTime();
    EXPECT_EQ(std::tuple(vcd.Label1->text(), playback.IsPlaying, Shown()[0]),
              std::tuple(QString("請放入光碟片"), false, QString("-00:00:00")));
    EXPECT_EQ(Sent(), (QStringList{"Stop CDAudio wait", "close CDAudio wait", "Stop CDAudio wait",
                                   "close CDAudio wait"}));
    EXPECT_EQ(mainWnd.calls.count("Command:Stop"), 2);
    // With the number pad disabled nothing is stopped.
    vcd.Label1->clear();
    for (QLabel* digit : vcd.LabNum)
        digit->setEnabled(false);
    display.ShowTime();
    EXPECT_EQ(Sent(), QStringList());
    EXPECT_EQ(vcd.Label1->text(), "");
    // A disc with nothing playable reads nothing.
    playback.PlayMode = MediaMode::Cdrom;
    display.ShowTime();
    EXPECT_EQ(std::tuple(Sent().size(), itemEnds), std::tuple(0, 0));
}

} // namespace
} // namespace tolvane
