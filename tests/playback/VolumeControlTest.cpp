#include "playback/VolumeControl.h"
#include "app/FrmSet.h"
#include "app/Log.h"
#include "discovery/DeviceState.h"
#include "fakes/FakeMci.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystemVolume.h"
#include "fakes/SilentView.h"
#include "platform/SystemVolume.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackState.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

class VolumeControlTest : public ::testing::Test
{
protected:
    VolumeControlTest()
    {
        mainWnd.deviceName = "MPEGVideo";
        mainWnd.volume = -1;
        playWnd.volume = -1;
    }

    QString ItemLine() const { return vcd.Label2[2]->text(); }

    // The indexes of the checked entries of the volume menu.
    QList<int> Checked() const
    {
        QList<int> checked;
        for (int i = 0; i < menu.mVolume.size(); ++i)
            if (menu.mVolume[i]->isChecked())
                checked.append(i);
        return checked;
    }

    FakePlatform fake;
    FakeMci mci;
    FakeMciWindow mainWnd;
    FakeMciWindow playWnd;
    SilentView view;
    PlaybackState playback;
    DeviceState device;
    Log log{fake.platform};
    MediaContext context{mci,           mainWnd,    playWnd,  view,   fake.clock,
                         fake.prompter, fake.files, playback, device, log};
    FrmVCD vcd;
    FrmSet set;
    FrmMenu menu;
    FakeSystemVolume system;
    VolumeControl volume{context, vcd, set, menu, system};
};

TEST(SystemVolumeValue, BothChannelsCarryTheLevel)
{
    EXPECT_EQ(DeviceVolumeValue(500), 0x7FFF7FFFu);
    EXPECT_EQ(DeviceVolumeValue(800), 0xCCCCCCCCu);
    EXPECT_EQ(DeviceVolumeValue(1000), 0xFFFFFFFFu);
    EXPECT_EQ(DeviceVolumeValue(0), 0u);
    EXPECT_EQ(DeviceVolumeValue(100), 0x19991999u);
    EXPECT_EQ(DeviceVolumeValue(1200), 0xFFFFFFFFu);
    EXPECT_EQ(DeviceVolumeValue(-30), 0u);

    FakeSystemVolume outputs;
    outputs.SetLevel(800);
    EXPECT_EQ(outputs.values, QList<quint32>{0xCCCCCCCCu});
}

TEST(SystemVolumeValue, ChannelSpreadsOverTheMixerRange)
{
    EXPECT_EQ(ChannelToRange(0, -6400, 0), -6400);
    EXPECT_EQ(ChannelToRange(65535, -6400, 0), 0);
    EXPECT_EQ(ChannelToRange(32767, 0, 100), 49);
    EXPECT_EQ(ChannelToRange(65535, 0, 31), 31);
    EXPECT_EQ(ChannelToRange(40000, 5, 5), 5);
}

TEST_F(VolumeControlTest, SetVolumeReachesTheControlAndTheSystem)
{
    playback.Volume = 800;
    volume.SetVolume();
    EXPECT_EQ(mainWnd.volume, 800);
    EXPECT_EQ(playWnd.volume, -1);
    EXPECT_EQ(system.values, QList<quint32>{0xCCCCCCCCu});

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
    EXPECT_EQ(playWnd.volume, 500);
    EXPECT_EQ(system.values.last(), 0x7FFF7FFFu);
}

TEST_F(VolumeControlTest, StepsStopAtBothEndsAndShowTheLevel)
{
    playback.Volume = 800;
    volume.VolumeDown();
    EXPECT_EQ(playback.Volume, 700);
    EXPECT_EQ(ItemLine(), "Volume=70%");
    EXPECT_EQ(set.ProgressBar1->value(), 70);
    EXPECT_EQ(set.Label4->text(), "70%");
    EXPECT_EQ(mainWnd.volume, 700);

    playback.Volume = 50;
    volume.VolumeDown();
    volume.VolumeDown();
    EXPECT_EQ(playback.Volume, 0);
    EXPECT_EQ(ItemLine(), "Volume=0%");
    EXPECT_EQ(set.ProgressBar1->value(), 0);
    EXPECT_EQ(set.Label4->text(), "0%");
    EXPECT_EQ(system.values.last(), 0u);

    playback.Volume = 950;
    volume.VolumeUp();
    volume.VolumeUp();
    EXPECT_EQ(playback.Volume, 1000);
    EXPECT_EQ(ItemLine(), "Volume=100%");
    EXPECT_EQ(set.ProgressBar1->value(), 100);
    EXPECT_EQ(set.Label4->text(), "100%");
    EXPECT_EQ(mainWnd.volume, 1000);
    EXPECT_EQ(system.values.last(), 0xFFFFFFFFu);
    EXPECT_EQ(system.values.size(), 5);
}

TEST_F(VolumeControlTest, MenuEntriesSetTheLevel)
{
    ASSERT_EQ(menu.mVolume.size(), 11);
    EXPECT_EQ(menu.mVolume[0]->text(), "100%");
    EXPECT_EQ(menu.mVolume[3]->text(), "70%");
    EXPECT_EQ(menu.mVolume[10]->text(), "0%");

    volume.mVolume_Click(2);
    EXPECT_EQ(playback.Volume, 800);
    EXPECT_EQ(mainWnd.volume, 800);
    EXPECT_EQ(system.values, QList<quint32>{0xCCCCCCCCu});
    EXPECT_EQ(ItemLine(), "Volume=80%");
    EXPECT_EQ(Checked(), QList<int>{2});

    volume.mVolume_Click(0);
    EXPECT_EQ(playback.Volume, 1000);
    EXPECT_EQ(Checked(), QList<int>{0});
}

TEST_F(VolumeControlTest, MenuWithMidiPlayingChangesOnlyTheLevel)
{
    playback.ActiveMci = 1;
    playWnd.deviceName = "Sequencer";
    volume.mVolume_Click(3);
    EXPECT_EQ(playback.Volume, 700);
    EXPECT_EQ(ItemLine(), "Volume=70%");
    EXPECT_EQ(set.Label4->text(), "70%");
    EXPECT_EQ(playWnd.volume, -1);
    EXPECT_EQ(mainWnd.volume, -1);
    EXPECT_TRUE(system.values.isEmpty());
}

TEST_F(VolumeControlTest, OpeningTheMenuChecksTheCurrentLevel)
{
    menu.mVolume[9]->setChecked(true);
    playback.Volume = 700;
    volume.OpenVolumeMenu(QPoint(10, 10));
    EXPECT_EQ(Checked(), QList<int>{3});
    EXPECT_TRUE(menu.mVolumex->isVisible());
    menu.mVolumex->hide();

    playback.Volume = 1000;
    volume.OpenVolumeMenu(QPoint(10, 10));
    EXPECT_EQ(Checked(), QList<int>{0});
    menu.mVolumex->hide();
    // A level between entries goes to the nearer one, a half to the even one.
    playback.Volume = 750;
    volume.OpenVolumeMenu(QPoint(10, 10));
    EXPECT_EQ(Checked(), QList<int>{2});
    menu.mVolumex->hide();
    playback.Volume = 640;
    volume.OpenVolumeMenu(QPoint(10, 10));
    EXPECT_EQ(Checked(), QList<int>{4});
    menu.mVolumex->hide();
    EXPECT_TRUE(system.values.isEmpty());
}

} // namespace
} // namespace tolvane
