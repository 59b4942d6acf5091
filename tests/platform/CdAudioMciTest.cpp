#include "platform/CdAudioMci.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace tolvane;
using ::testing::StartsWith;

namespace {

class CdAudioMciTest : public ::testing::Test
{
public:
    // Sends a command with a 20-character reply buffer; the reply is the text up to
    // the terminating zero.
    QString Ask(const QString& command, int* code = nullptr)
    {
        QChar buffer[20];
        std::fill(std::begin(buffer), std::end(buffer), QChar(' '));
        const int rc = mci.SendString(command, buffer, 20);
        if (code)
            *code = rc;
        return QString(buffer, std::find(buffer, buffer + 20, QChar(0)) - buffer);
    }
    int Send(const QString& command) { return mci.SendString(command, nullptr, 0); }

    // Commands in order, each with its exact reply and return code; each is recorded.
    void Run(std::initializer_list<std::tuple<const char*, const char*, int>> steps)
    {
        mci.ClearSent();
        QStringList sent;
        for (const auto& [command, reply, code] : steps) {
            int rc = -1;
            EXPECT_EQ(Ask(command, &rc), reply) << command;
            EXPECT_EQ(rc, code) << command;
            sent.append(command);
        }
        EXPECT_EQ(mci.Sent(), sent);
    }

    bool Moving()
    {
        const QString before = Ask("Status CDAudio position");
        return RunEventsUntil([&] { return Ask("Status CDAudio position") > before; });
    }

    // What the player sends to start a track: the device is reopened unless it plays.
    void PlayTrack(int track)
    {
        if (Ask("Status CDAudio Mode").toUpper() != "PLAYING") {
            Send("Close CDAudio");
            Send("Open CDAudio Shareable");
        }
        Send("Set CDAudio Time format tmsf");
        Send("Seek CDAudio to " + QString::number(track));
        Send("Play CDAudio");
    }

    CdAudioMci mci{std::make_unique<CdDrive>(MediaFixtures() + "/tones.cue", true), Headless()};
};

TEST_F(CdAudioMciTest, ErrorsTableOfContentsSeeksAndTheVirtualTray)
{
    Run({
        {"Close CDAudio", "", kMciErrInvalidDeviceName},
        {"Open Waveaudio", "", kMciErrInvalidDeviceName},
        {"Frobnicate CDAudio", "", kMciErrUnrecognizedCommand},
        {"Set CDAudio time format hours", "", kMciErrBadTimeFormat},
        {"Status CDAudio colour", "", kMciErrUnrecognizedKeyword},
        {"Open CDAudio Shareable", "", 0},
        {"Status CDAudio number of tracks", "3", 0},
        {"status cdaudio MEDIA PRESENT  ", "true", 0},
        {"Status CDAudio mode", "stopped", 0},
        {"Set CDAudio time format tmsf ", "", 0},
        {"Status CDAudio length Track 1", "00:02:00", 0},
        {"Status CDAudio length Track 2", "00:03:00", 0},
        {"Status CDAudio length track 3", "00:04:00", 0},
        {"Status CDAudio length", "00:09:00", 0},
        {"Status CDAudio position Wait", "01:00:00:00", 0},
        {"Status CDAudio position track 3", "03:00:00:00", 0},
        {"Status CDAudio length Track 4", "", kMciErrOutOfRange},
        // The absolute form counts the two seconds before the first sector.
        {"Set CDAudio time format msf", "", 0},
        {"Status CDAudio position track 2", "00:04:00", 0},
        {"Set CDAudio time format milliseconds", "", 0},
        {"Status CDAudio length Track 2", "3000", 0},
        // Seeks to a track and to positions inside it; none past a track's end.
        {"Set CDAudio Time format tmsf", "", 0},
        {"Seek CDAudio to 3", "", 0},
        {"Status CDAudio Current Track Wait", "3", 0},
        {"Status CDAudio position", "03:00:00:00", 0},
        {"Seek CDAudio to 02:00:01:30 Wait", "", 0},
        {"Status CDAudio position Wait", "02:00:01:30", 0},
        {"Status CDAudio mode", "stopped", 0},
        {"Seek CDAudio to 02:00:05:00", "", kMciErrOutOfRange},
        {"Seek CDAudio to 07:01:23:30", "", kMciErrOutOfRange},
        {"Status CDAudio position", "02:00:01:30", 0},
        // An open tray holds no disc, even while playing.
        {"Play CDAudio", "", 0},
        {"Set CDAudio Door Open", "", 0},
        {"Status CDAudio Mode", "open", 0},
        {"Status CDAudio media present", "false", 0},
        {"Status CDAudio number of tracks", "", kMciErrDeviceNotReady},
        {"Play CDAudio", "", kMciErrDeviceNotReady},
        {"Set CDAudio Door Closed", "", 0},
        {"Status CDAudio media present", "true", 0},
        {"Status CDAudio Mode", "stopped", 0},
        {"Status CDAudio number of tracks", "3", 0},
    });
    // A reply longer than the buffer is cut and reported.
    QChar small[3];
    EXPECT_EQ(mci.SendString("Status CDAudio mode", small, 3), kMciErrParamOverflow);
    EXPECT_EQ(QString(small, 3), QString("st") + QChar(0));
}

// Pausing, stopping and playing on are checked through the player with the real engine.
TEST_F(CdAudioMciTest, PlaysOnAcrossTracksAndStartsAgainAfterStopAndAtTheEndOfTheDisc)
{
    Send("Open CDAudio Shareable");
    Send("Set CDAudio time format tmsf");
    Send("Seek CDAudio to 01:00:01:60");
    EXPECT_EQ(Send("Play CDAudio"), 0);
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
    // Play goes on past the end of track 1 into track 2.
    ASSERT_TRUE(RunEventsUntil([&] { return Ask("Status CDAudio Current Track Wait") == "2"; }));
    EXPECT_THAT(Ask("Status CDAudio position Wait").toStdString(), StartsWith("02:00:00:"));
    Send("Stop CDAudio");
    // The stopped stream's end must not stop the one started after it.
    PlayTrack(3);
    RunEventsFor(300);
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
    EXPECT_THAT(Ask("Status CDAudio position").toStdString(), StartsWith("03:00:0"));
    EXPECT_TRUE(Moving());
    EXPECT_TRUE(mci.Sounding());
    Send("Stop CDAudio");
    EXPECT_FALSE(mci.Sounding());

    Send("Seek CDAudio to 03:00:03:60");
    Send("Play CDAudio");
    ASSERT_TRUE(RunEventsUntil([&] { return Ask("Status CDAudio mode") == "stopped"; }, 30000));
    EXPECT_EQ(Ask("Status CDAudio position"), "03:00:04:00");
    PlayTrack(1);
    RunEventsFor(300);
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
    EXPECT_EQ(Ask("Status CDAudio Current Track"), "1");
    EXPECT_TRUE(Moving());
}

TEST_F(CdAudioMciTest, FollowsTheSelectedDrive)
{
    const QString vcd = ClipVcd::Get().cue;
    const QString tones = MediaFixtures() + "/tones.cue";
    Send("Open CDAudio Shareable");
    Send("Set CDAudio time format tmsf");
    Send("Seek CDAudio to 3");
    // The drive in use already: nothing is opened again, the position stays.
    mci.SelectDrive({'D', tones, kDriveCdrom});
    EXPECT_EQ(Ask("Status CDAudio position"), "03:00:00:00");

    mci.SelectDrive({'E', vcd, kDriveCdrom});
    EXPECT_EQ(Ask("Status CDAudio number of tracks"), "2");
    EXPECT_EQ(Ask("Status CDAudio type track 1"), "other");
    // A fixed disk cannot be the CD audio drive.
    mci.SelectDrive({'C', ClipVcd::Get().dir.path(), kDriveFixed});
    EXPECT_EQ(mci.Drive().Source(), vcd);
    // A drive whose image is missing holds no disc.
    mci.SelectDrive({'F', "/nonexistent/disc.cue", kDriveCdrom});
    Run({{"Status CDAudio mode", "not ready", 0}, {"Play CDAudio", "", kMciErrDeviceNotReady}});

    mci.SelectDrive({'D', tones, kDriveCdrom});
    EXPECT_EQ(Ask("Status CDAudio number of tracks"), "3");
    EXPECT_EQ(Ask("Status CDAudio position"), "01:00:00:00");
    EXPECT_EQ(Send("Play CDAudio"), 0);
    EXPECT_TRUE(RunEventsUntil([&] { return Ask("Status CDAudio Current Track Wait") == "1"; }));
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
}

TEST(CdAudioLayoutTest, DataTracksAreLeftOutOfTheStream)
{
    CdAudioLayout layout;
    layout.tracks = {{2, 1000, 300, true}, {3, 1300, 150, true}};
    EXPECT_EQ(layout.TotalFrames(), 450);
    EXPECT_EQ(layout.Locate(0), std::make_pair(2, 0));
    EXPECT_EQ(layout.Locate(299), std::make_pair(2, 299));
    EXPECT_EQ(layout.Locate(300), std::make_pair(3, 0));
    EXPECT_EQ(layout.Locate(450), std::make_pair(3, 150));
    EXPECT_EQ(layout.StreamFrame(3, 10), 310);
    EXPECT_FALSE(layout.StreamFrame(1, 0).has_value());
}

} // namespace
