#include "platform/CdAudioMci.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

class CdAudioMciTest : public ::testing::Test
{
public:
    CdAudioMciTest()
        : mci(std::make_unique<CdDrive>(MediaFixtures() + "/tones.cue", true), Headless())
    {
    }

    // Sends a command with a 20-character reply buffer; the reply is the text up to
    // the terminating zero.
    QString Ask(const QString& command, int* code = nullptr)
    {
        QChar buffer[20];
        std::fill(std::begin(buffer), std::end(buffer), QChar(' '));
        int rc = mci.SendString(command, buffer, 20);
        if (code)
            *code = rc;
        int end = 0;
        while (end < 20 && buffer[end] != QChar(0))
            ++end;
        return QString(buffer, end);
    }
    int Send(const QString& command) { return mci.SendString(command, nullptr, 0); }

    bool WaitForTrack(int track)
    {
        return RunEventsUntil(
            [&] { return Ask("Status CDAudio Current Track Wait").toInt() == track; });
    }

    CdAudioMci mci;
};

TEST_F(CdAudioMciTest, TableOfContentsOfTheImage)
{
    EXPECT_EQ(Send("Open CDAudio Shareable"), 0);
    EXPECT_EQ(Ask("Status CDAudio number of tracks"), "3");
    EXPECT_EQ(Ask("status cdaudio MEDIA PRESENT  "), "true");
    EXPECT_EQ(Ask("Status CDAudio mode"), "stopped");
    EXPECT_EQ(Send("Set CDAudio time format tmsf "), 0);
    EXPECT_EQ(Ask("Status CDAudio length Track 1"), "00:02:00");
    EXPECT_EQ(Ask("Status CDAudio length Track 2"), "00:03:00");
    EXPECT_EQ(Ask("Status CDAudio length track 3"), "00:04:00");
    EXPECT_EQ(Ask("Status CDAudio length"), "00:09:00");
    EXPECT_EQ(Ask("Status CDAudio position Wait"), "01:00:00:00");
    EXPECT_EQ(Ask("Status CDAudio position track 3"), "03:00:00:00");
    int code = 0;
    Ask("Status CDAudio length Track 4", &code);
    EXPECT_EQ(code, kMciErrOutOfRange);
    // The absolute form counts the two seconds before the first sector.
    Send("Set CDAudio time format msf");
    EXPECT_EQ(Ask("Status CDAudio position track 2"), "00:04:00");
    Send("Set CDAudio time format milliseconds");
    EXPECT_EQ(Ask("Status CDAudio length Track 2"), "3000");
}

TEST_F(CdAudioMciTest, ErrorsAndRecording)
{
    int code = 0;
    EXPECT_EQ(Send("Close CDAudio"), kMciErrInvalidDeviceName);
    EXPECT_EQ(Send("Open Waveaudio"), kMciErrInvalidDeviceName);
    EXPECT_EQ(Send("Frobnicate CDAudio"), kMciErrUnrecognizedCommand);
    EXPECT_EQ(Send("Set CDAudio time format hours"), kMciErrBadTimeFormat);
    Ask("Status CDAudio colour", &code);
    EXPECT_EQ(code, kMciErrUnrecognizedKeyword);
    // A reply longer than the buffer is cut and reported.
    QChar small[3];
    EXPECT_EQ(mci.SendString("Status CDAudio mode", small, 3), kMciErrParamOverflow);
    EXPECT_EQ(QString(small, 2), "st");
    EXPECT_EQ(small[2], QChar(0));
    EXPECT_EQ(mci.Sent(), (QStringList{"Close CDAudio", "Open Waveaudio", "Frobnicate CDAudio",
                                       "Set CDAudio time format hours", "Status CDAudio colour",
                                       "Status CDAudio mode"}));
}

TEST_F(CdAudioMciTest, SeekToTracksAndTmsfTargets)
{
    Send("Open CDAudio Shareable");
    Send("Set CDAudio Time format tmsf");
    EXPECT_EQ(Send("Seek CDAudio to 3"), 0);
    EXPECT_EQ(Ask("Status CDAudio Current Track Wait"), "3");
    EXPECT_EQ(Ask("Status CDAudio position"), "03:00:00:00");
    EXPECT_EQ(Send("Seek CDAudio to 02:00:01:30 Wait"), 0);
    EXPECT_EQ(Ask("Status CDAudio position Wait"), "02:00:01:30");
    EXPECT_EQ(Ask("Status CDAudio mode"), "stopped");
    EXPECT_EQ(Send("Seek CDAudio to 02:00:05:00"), kMciErrOutOfRange);
    EXPECT_EQ(Send("Seek CDAudio to 07:01:23:30"), kMciErrOutOfRange);
    EXPECT_EQ(Ask("Status CDAudio position"), "02:00:01:30");
}

TEST_F(CdAudioMciTest, PlaysOnAcrossTracksPausesAndStops)
{
    Send("Open CDAudio Shareable");
    Send("Set CDAudio time format tmsf");
    Send("Seek CDAudio to 01:00:01:60");
    EXPECT_EQ(Send("Play CDAudio"), 0);
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
    // Play goes on past the end of track 1 into track 2.
    ASSERT_TRUE(WaitForTrack(2));
    QString position = Ask("Status CDAudio position Wait");
    EXPECT_TRUE(position.startsWith("02:00:00:")) << position.toStdString();

    EXPECT_EQ(Send("Pause CDAudio"), 0);
    EXPECT_EQ(Ask("Status CDAudio mode"), "paused");
    QString paused = Ask("Status CDAudio position");
    RunEventsFor(300);
    EXPECT_EQ(Ask("Status CDAudio position"), paused);

    EXPECT_EQ(Send("Play CDAudio"), 0);
    EXPECT_TRUE(RunEventsUntil([&] { return Ask("Status CDAudio position") > paused; }));
    EXPECT_EQ(Send("Stop CDAudio"), 0);
    EXPECT_EQ(Ask("Status CDAudio mode"), "stopped");
    QString stopped = Ask("Status CDAudio position");
    RunEventsFor(200);
    EXPECT_EQ(Ask("Status CDAudio position"), stopped);
}

// What the player sends to start a track: the device is reopened unless it plays.
void PlayTrack(CdAudioMciTest& t, int track)
{
    if (t.Ask("Status CDAudio Mode").toUpper() != "PLAYING") {
        t.Send("Close CDAudio");
        t.Send("Open CDAudio Shareable");
    }
    t.Send("Set CDAudio Time format tmsf");
    t.Send("Seek CDAudio to " + QString::number(track));
    t.Send("Play CDAudio");
}

TEST_F(CdAudioMciTest, StartsAgainAfterStopAndAtTheEndOfTheDisc)
{
    auto moving = [&] {
        const QString before = Ask("Status CDAudio position");
        return RunEventsUntil([&] { return Ask("Status CDAudio position") > before; });
    };
    PlayTrack(*this, 1);
    ASSERT_TRUE(moving());
    Send("Stop CDAudio");
    // The stopped stream's end must not stop the one started after it.
    PlayTrack(*this, 3);
    RunEventsFor(300);
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
    EXPECT_TRUE(Ask("Status CDAudio position").startsWith("03:00:0"));
    EXPECT_TRUE(moving());
    EXPECT_TRUE(mci.Sounding());
    Send("Stop CDAudio");
    EXPECT_FALSE(mci.Sounding());

    Send("Seek CDAudio to 03:00:03:60");
    Send("Play CDAudio");
    ASSERT_TRUE(RunEventsUntil([&] { return Ask("Status CDAudio mode") == "stopped"; }, 30000));
    EXPECT_EQ(Ask("Status CDAudio position"), "03:00:04:00");
    PlayTrack(*this, 1);
    RunEventsFor(300);
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
    EXPECT_EQ(Ask("Status CDAudio Current Track"), "1");
    EXPECT_TRUE(moving());
}

TEST_F(CdAudioMciTest, VirtualTrayOpensAndCloses)
{
    Send("Open CDAudio Shareable");
    Send("Play CDAudio");
    EXPECT_EQ(Send("Set CDAudio Door Open"), 0);
    EXPECT_EQ(Ask("Status CDAudio Mode"), "open");
    EXPECT_EQ(Ask("Status CDAudio media present"), "false");
    int code = 0;
    Ask("Status CDAudio number of tracks", &code);
    EXPECT_EQ(code, kMciErrDeviceNotReady);
    EXPECT_EQ(Send("Play CDAudio"), kMciErrDeviceNotReady);

    EXPECT_EQ(Send("Set CDAudio Door Closed"), 0);
    EXPECT_EQ(Ask("Status CDAudio media present"), "true");
    EXPECT_EQ(Ask("Status CDAudio Mode"), "stopped");
    EXPECT_EQ(Ask("Status CDAudio number of tracks"), "3");
}

TEST_F(CdAudioMciTest, FollowsTheSelectedDrive)
{
    QTemporaryDir dir;
    VcdDisc vcd;
    vcd.mpeg = QByteArray(2 * kForm2Bytes, 'm');
    ASSERT_TRUE(vcd.Write(dir.filePath("vcd.cue"), dir.filePath("vcd.bin")));
    const QString tones = MediaFixtures() + "/tones.cue";
    Send("Open CDAudio Shareable");
    Send("Set CDAudio time format tmsf");
    Send("Seek CDAudio to 3");
    // The drive in use already: nothing is opened again, the position stays.
    mci.SelectDrive({'D', tones, kDriveCdrom});
    EXPECT_EQ(Ask("Status CDAudio position"), "03:00:00:00");

    mci.SelectDrive({'E', dir.filePath("vcd.cue"), kDriveCdrom});
    EXPECT_EQ(Ask("Status CDAudio number of tracks"), "2");
    EXPECT_EQ(Ask("Status CDAudio type track 1"), "other");
    // A fixed disk cannot be the CD audio drive.
    mci.SelectDrive({'C', dir.path(), kDriveFixed});
    EXPECT_EQ(mci.Drive().Source(), dir.filePath("vcd.cue"));

    mci.SelectDrive({'D', tones, kDriveCdrom});
    EXPECT_EQ(Ask("Status CDAudio number of tracks"), "3");
    EXPECT_EQ(Ask("Status CDAudio position"), "01:00:00:00");
    EXPECT_EQ(Send("Play CDAudio"), 0);
    EXPECT_TRUE(WaitForTrack(1));
    EXPECT_EQ(Ask("Status CDAudio mode"), "playing");
}

TEST(CdAudioMciNoDisc, AMissingImageIsNotReady)
{
    CdAudioMci mci(std::make_unique<CdDrive>("/nonexistent/disc.cue", true), Headless());
    QChar reply[20];
    EXPECT_EQ(mci.SendString("Status CDAudio mode", reply, 20), 0);
    EXPECT_EQ(QString(reply), QString("not ready"));
    EXPECT_EQ(mci.SendString("Play CDAudio", nullptr, 0), kMciErrDeviceNotReady);
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
    QByteArray header = WavHeader(layout.DataBytes());
    ASSERT_EQ(header.size(), kWavHeaderBytes);
    EXPECT_TRUE(header.startsWith("RIFF"));
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 40), 450u * 2352u);
}

} // namespace
} // namespace tolvane
