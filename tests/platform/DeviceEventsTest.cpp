#include "platform/DeviceEvents.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/CdAudioMci.h"
#include "platform/DiscTrays.h"
#include "platform/DosFiles.h"
#include "platform/DriveFileWatcher.h"
#include "platform/DriveMap.h"
#include "platform/OpticalWatcher.h"
#include "platform/VolumeSerial.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The events as "arrival 16" / "removal 16", with the device id the handlers decode.
struct EventLog
{
    explicit EventLog(DeviceEvents& events)
    {
        QObject::connect(&events, &DeviceEvents::DeviceArrival, &events,
                         [this](int type, qint64 id, const QString&, qint64) {
                             lines.append(QString("arrival %1").arg(id));
                             types.append(type);
                         });
        QObject::connect(&events, &DeviceEvents::DeviceRemoveComplete, &events,
                         [this](int type, qint64 id, const QString&, qint64) {
                             lines.append(QString("removal %1").arg(id));
                             types.append(type);
                         });
    }
    bool WaitFor(int count)
    {
        return RunEventsUntil([&] { return lines.size() >= count; }, 3000);
    }
    QStringList lines;
    QList<int> types;
};

TEST(DeviceEvents, DeviceIdsAreDriveBits)
{
    EXPECT_EQ(DeviceEvents::DeviceId('A'), 1);
    EXPECT_EQ(DeviceEvents::DeviceId('d'), 8);
    EXPECT_EQ(DeviceEvents::DeviceId('Z'), qint64(1) << 25);
    EXPECT_EQ(DeviceEvents::DeviceId('1'), 0);
}

TEST(DeviceEvents, AnImageDrivesTrayMovesThroughMciAndEveryoneSeesIt)
{
    QString cue = MediaFixtures() + "/tones.cue";
    DiscTrays trays;
    // Two letters on the same image share its tray.
    DriveMap drives({{'E', cue, kDriveCdrom}, {'G', cue, kDriveCdrom}});
    drives.SetTrays(&trays);
    DeviceEvents events(drives, trays);
    EventLog log(events);
    DosFiles files(drives);
    CdAudioMci mci(std::make_unique<CdDrive>(cue, true, &trays), Headless());

    EXPECT_EQ(mci.SendString("Set CDAudio Door Open", nullptr, 0), 0);
    EXPECT_TRUE(log.lines.isEmpty()); // posted, as the system does, not sent
    ASSERT_TRUE(log.WaitFor(2));
    EXPECT_EQ(log.lines, QStringList({"removal 16", "removal 64"}));
    EXPECT_EQ(log.types, QList<int>({2, 2}));
    EXPECT_FALSE(files.FolderExists("E:\\"));
    EXPECT_TRUE(files.ListFiles("G:\\", "*.cda").isEmpty());
    EXPECT_EQ(files.FileLen("E:\\Track01.cda"), -1);
    EXPECT_FALSE(VolumeSerial::Read(drives, "E:\\").ok);

    log.lines.clear();
    EXPECT_EQ(mci.SendString("Set CDAudio Door Closed", nullptr, 0), 0);
    ASSERT_TRUE(log.WaitFor(2));
    EXPECT_EQ(log.lines, QStringList({"arrival 16", "arrival 64"}));
    EXPECT_EQ(files.ListFiles("E:\\", "*.cda").size(), 3);
    EXPECT_TRUE(VolumeSerial::Read(drives, "G:\\").ok);
    // A tray that does not move reports nothing.
    mci.SendString("Set CDAudio Door Closed", nullptr, 0);
    RunEventsFor(100);
    EXPECT_EQ(log.lines.size(), 2);
}

TEST(DeviceEvents, AnEmptyImageDriveReportsNothing)
{
    DiscTrays trays;
    DriveMap drives({{'F', "/no/such/disc.cue", kDriveCdrom}});
    drives.SetTrays(&trays);
    DeviceEvents events(drives, trays);
    EventLog log(events);
    trays.SetOpen("/no/such/disc.cue", true);
    trays.SetOpen("/no/such/disc.cue", false);
    RunEventsFor(100);
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST(DeviceEvents, ARealDriveThatCannotBeOpenedStaysQuiet)
{
    EXPECT_FALSE(OpticalPoller::MediumPresent("/dev/tolvane-no-such-drive"));
    DiscTrays trays;
    DriveMap drives({{'D', "/dev/tolvane-no-such-drive", kDriveCdrom}});
    DeviceEvents events(drives, trays);
    EventLog log(events);
    {
        OpticalWatcher watcher(drives, events);
        RunEventsFor(3 * OpticalPoller::kIntervalMs);
    }
    RunEventsFor(50);
    EXPECT_TRUE(log.lines.isEmpty());
}

class DriveFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qunsetenv("TOLVANE99_DRIVES");
        QDir().mkpath(home.path() + "/.local/share/tolvane99");
        VcdDisc disc;
        disc.mpeg = QByteArray(2 * kForm2Bytes, 'm');
        disc.readme = "hi";
        ASSERT_TRUE(disc.Write(home.filePath("vcd.cue"), home.filePath("vcd.bin")));
        WriteMap("E=cdrom:" + MediaFixtures() + "/tones.cue\n");
        drives = DriveMap::FromUser(home.path());
        drives.SetTrays(&trays);
    }
    void WriteMap(const QString& text)
    {
        ASSERT_TRUE(WriteFile(DriveMap::ConfigFile(home.path()), text.toUtf8()));
    }

    QTemporaryDir home;
    DiscTrays trays;
    DriveMap drives;
};

TEST_F(DriveFileTest, PointingALetterAtAnotherImageSwapsTheDiscs)
{
    DeviceEvents events(drives, trays);
    EventLog log(events);
    DriveFileWatcher watcher(drives, trays, events, DriveMap::ConfigFile(home.path()));
    // Another file in the folder changes nothing.
    WriteFile(home.filePath(".local/share/tolvane99/other.ini"), "x");
    RunEventsFor(200);
    EXPECT_TRUE(log.lines.isEmpty());

    WriteMap("E=cdrom:" + home.filePath("vcd.cue") + "\nM=" + home.path() + "\n");
    ASSERT_TRUE(log.WaitFor(2));
    EXPECT_EQ(log.lines, QStringList({"removal 16", "arrival 16"}));
    EXPECT_EQ(drives.Find('E')->root, home.filePath("vcd.cue"));
    EXPECT_EQ(drives.GetDriveType("M:"), kDriveFixed);
    DosFiles files(drives);
    EXPECT_EQ(files.ListFiles("E:\\MPEGAV", "*.dat"), QStringList({"AVSEQ01.DAT"}));
    // With its tray open the new image is no disc in the drive: only the removal.
    trays.SetOpen(home.filePath("vcd.cue"), true);
    RunEventsUntil([&] { return log.lines.size() == 3; });
    log.lines.clear();
    WriteMap("E=cdrom:" + MediaFixtures() + "/tones.cue\n");
    ASSERT_TRUE(log.WaitFor(1));
    RunEventsFor(100);
    EXPECT_EQ(log.lines, QStringList({"arrival 16"}));
}

} // namespace
} // namespace tolvane
