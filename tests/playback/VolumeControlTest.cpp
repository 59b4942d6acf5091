#include "playback/VolumeControl.h"
#include "MediaRig.h"
#include "fakes/FakeSystemVolume.h"
#include "fakes/SilentView.h"
#include "forms/FrmMenu.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"

namespace tolvane {
namespace {

class VolumeControlTest : public MediaRig<SilentView>
{
protected:
    VolumeControlTest()
    {
        mainWnd.deviceName = "MPEGVideo";
        mainWnd.volume = -1;
        playWnd.volume = -1;
    }

    // The level as the item line, the settings' bar and its label show it.
    QStringList Shown() const
    {
        return {vcd.Label2[2]->text(), QString::number(set.ProgressBar1->value()),
                set.Label4->text()};
    }

    // The indexes of the checked entries of the volume menu.
    QList<int> Checked() const
    {
        QList<int> checked;
        for (int i = 0; i < menu.mVolume.size(); ++i)
            if (menu.mVolume[i]->isChecked())
                checked.append(i);
        return checked;
    }

    FrmVCD vcd;
    FrmSet set;
    FrmMenu menu;
    FakeSystemVolume system;
    VolumeControl volume{context, vcd, set, menu, system};
};

TEST(SystemVolumeValue, LevelsToBothChannelsAndChannelsToTheMixerRange)
{
    const std::pair<int, quint32> values[] = {
        {500, 0x7FFF7FFFu},  {800, 0xCCCCCCCCu}, {1000, 0xFFFFFFFFu}, {0, 0u}, {100, 0x19991999u},
        {1200, 0xFFFFFFFFu}, {-30, 0u}};
    for (auto [level, value] : values)
        EXPECT_EQ(DeviceVolumeValue(level), value) << level;
    const std::tuple<quint16, long, long, long> ranges[] = {{0, -6400, 0, -6400},
                                                            {65535, -6400, 0, 0},
                                                            {32767, 0, 100, 49},
                                                            {65535, 0, 31, 31},
                                                            {40000, 5, 5, 5}};
    for (auto [channel, min, max, value] : ranges)
        EXPECT_EQ(ChannelToRange(channel, min, max), value) << channel << " " << min << " " << max;
}

TEST_F(VolumeControlTest, SetVolumeReachesTheControlAndTheSystem)
{
    playback.Volume = 800;
    volume.SetVolume();
    EXPECT_EQ(std::tuple(mainWnd.volume, playWnd.volume, system.values),
              std::tuple(800, -1, QList<quint32>{0xCCCCCCCCu}));
    // Wave and MIDI devices have no volume of their own.
    mainWnd.volume = -1;
    for (const char* name : {"waveaudio", "Sequencer", "MidiSeq"}) {
        mainWnd.deviceName = name;
        volume.SetVolume();
        EXPECT_EQ(mainWnd.volume, -1) << name;
    }
    EXPECT_EQ(system.values.size(), 4);
    mainWnd.deviceName = "WaveAudio";
    volume.SetVolume();
    EXPECT_EQ(mainWnd.volume, 800);
    // The separate window's control when it is the one in use.
    playback.ActiveMci = 1;
    playWnd.deviceName = "AVIVideo";
    playback.Volume = 500;
    volume.SetVolume();
    EXPECT_EQ(std::tuple(playWnd.volume, system.values.last()), std::tuple(500, 0x7FFF7FFFu));
}

TEST_F(VolumeControlTest, StepsStopAtBothEndsAndShowTheLevel)
{
    // Start, presses (down when negative) and the level after them.
    const std::tuple<int, int, int> steps[] = {{800, -1, 700}, {50, -2, 0}, {950, 2, 1000}};
    for (auto [start, presses, level] : steps) {
        SCOPED_TRACE(start);
        playback.Volume = start;
        for (int i = 0; i < std::abs(presses); ++i)
            presses < 0 ? volume.VolumeDown() : volume.VolumeUp();
        EXPECT_EQ(std::tuple(playback.Volume, mainWnd.volume, system.values.last()),
                  std::tuple(level, level, DeviceVolumeValue(level)));
        const QString percent = QString::number(level / 10);
        EXPECT_EQ(Shown(), QStringList({"Volume=" + percent + "%", percent, percent + "%"}));
    }
    EXPECT_EQ(system.values.size(), 5);
}

TEST_F(VolumeControlTest, MenuEntriesSetTheLevelButNotAPlayingMidiSong)
{
    volume.mVolume_Click(2);
    EXPECT_EQ(std::tuple(playback.Volume, mainWnd.volume, system.values, Checked()),
              std::tuple(800, 800, QList<quint32>{0xCCCCCCCCu}, QList<int>{2}));
    EXPECT_EQ(Shown(), QStringList({"Volume=80%", "80", "80%"}));
    volume.mVolume_Click(0);
    EXPECT_EQ(std::tuple(playback.Volume, Checked()), std::tuple(1000, QList<int>{0}));
    // The sequencer plays at the system's volume: only the level changes.
    playback.ActiveMci = 1;
    playWnd.deviceName = "Sequencer";
    volume.mVolume_Click(3);
    EXPECT_EQ(Shown(), QStringList({"Volume=70%", "70", "70%"}));
    EXPECT_EQ(std::tuple(playback.Volume, playWnd.volume, mainWnd.volume, system.values.size()),
              std::tuple(700, -1, 1000, 2));
}

TEST_F(VolumeControlTest, OpeningTheMenuChecksTheCurrentLevel)
{
    menu.mVolume[9]->setChecked(true);
    // A level between entries goes to the nearer one, a half to the even one.
    for (auto [level, entry] : {std::pair{700, 3}, {1000, 0}, {750, 2}, {640, 4}}) {
        playback.Volume = level;
        volume.OpenVolumeMenu(QPoint(10, 10));
        EXPECT_EQ(Checked(), QList<int>{entry}) << level;
        EXPECT_TRUE(menu.mVolumex->isVisible());
        menu.mVolumex->hide();
    }
    EXPECT_TRUE(system.values.isEmpty());
}

} // namespace
} // namespace tolvane
