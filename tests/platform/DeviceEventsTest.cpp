#include "platform/DeviceEvents.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/CdAudioMci.h"
#include "platform/CdDisc.h"
#include "platform/DiscTrays.h"
#include "platform/DosFiles.h"
#include "platform/DriveFileWatcher.h"
#include "platform/DriveMap.h"
#include "platform/OpticalWatcher.h"
#include "platform/VolumeSerial.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// The events as "arrival 16" / "removal 16", with the device id the handlers decode.
struct EventLog
{
    explicit EventLog(DeviceEvents& events)
    {
        auto record = [this](const char* what) {
            return [this, what](int type, qint64 id, const QString&, qint64) {
                EXPECT_EQ(type, DeviceEvents::kDeviceTypeVolume);
                lines.append(QString("%1 %2").arg(what).arg(id));
            };
        };
        QObject::connect(&events, &DeviceEvents::DeviceArrival, &events, record("arrival"));
        QObject::connect(&events, &DeviceEvents::DeviceRemoveComplete, &events, record("removal"));
    }
    bool WaitFor(int count)
    {
        return RunEventsUntil([&] { return lines.size() >= count; }, 3000);
    }
    QStringList lines;
};

// Two letters on the same image share its tray. An image drive without its image and a
// real drive that cannot be opened stay quiet.
TEST(DeviceEvents, AnImageDrivesTrayMovesThroughMciAndEveryoneSeesIt)
{
    const QString cue = MediaFixtures() + "/tones.cue";
    DiscTrays trays;
    DriveMap drives({{'D', "/dev/tolvane-no-such-drive", kDriveCdrom},
                     {'E', cue, kDriveCdrom},
                     {'F', "/no/such/disc.cue", kDriveCdrom},
                     {'G', cue, kDriveCdrom}});
    drives.SetTrays(&trays);
    DeviceEvents events(drives, trays);
    EventLog log(events);
    OpticalWatcher watcher(drives, events);
    DosFiles files(drives);
    CdAudioMci mci(std::make_unique<CdDrive>(cue, true, &trays), Headless());
    trays.SetOpen("/no/such/disc.cue", true);
    trays.SetOpen("/no/such/disc.cue", false);
    RunEventsFor(3 * OpticalPoller::kIntervalMs);
    EXPECT_TRUE(log.lines.isEmpty());

    EXPECT_EQ(mci.SendString("Set CDAudio Door Open", nullptr, 0), 0);
    EXPECT_TRUE(log.lines.isEmpty()); // posted, as the system does, not sent
    ASSERT_TRUE(log.WaitFor(2));
    EXPECT_EQ(log.lines, QStringList({"removal 16", "removal 64"}));
    EXPECT_FALSE(files.FolderExists("G:\\"));
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

// An image deleted or emptied while it is in a drive is a disc taken out; its return is
// one put in. A damaged image is told apart from a missing one.
TEST(DeviceEvents, AnImageFileThatGoesAndComesBackIsADiscTakenOutAndPutIn)
{
    QTemporaryDir dir;
    const QString cue = dir.filePath("tones.cue");
    const QString bin = dir.filePath("tones.bin");
    ASSERT_TRUE(QFile::copy(MediaFixtures() + "/tones.cue", cue));
    ASSERT_TRUE(QFile::copy(MediaFixtures() + "/tones.bin", bin));
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(DiscImageFiles(cue), QStringList({cue, bin}));
    DiscTrays trays;
    DriveMap drives({{'E', cue, kDriveCdrom}});
    drives.SetTrays(&trays);
    DeviceEvents events(drives, trays);
    EventLog log(events);
    events.LookAtImages();
    EXPECT_TRUE(log.lines.isEmpty());
    EXPECT_FALSE(DiscImageDamaged(cue));

    ASSERT_TRUE(QFile::rename(bin, bin + ".away"));
    events.LookAtImages();
    ASSERT_TRUE(QFile::rename(bin + ".away", bin));
    events.LookAtImages();
    QFile cut(bin);
    ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
    const QByteArray whole = cut.readAll();
    ASSERT_TRUE(cut.resize(0));
    events.LookAtImages();
    EXPECT_TRUE(DiscImageDamaged(cue));
    // Cut inside the first track, the later tracks have no sectors left.
    cut.write(whole.left(2352 * 10));
    cut.flush();
    events.LookAtImages();
    EXPECT_TRUE(DiscImageDamaged(cue));
    EXPECT_FALSE(CdDrive(cue, true).ReadToc().has_value());
    EXPECT_EQ(log.lines, QStringList({"removal 16", "arrival 16", "removal 16", "arrival 16"}));
}

TEST(DriveFileTest, PointingALetterAtAnotherImageSwapsTheDiscs)
{
    qunsetenv("TOLVANE99_DRIVES");
    QTemporaryDir home;
    QDir().mkpath(home.path() + "/.local/share/tolvane99");
    const QString vcd = ClipVcd::Get().cue;
    const QString tones = MediaFixtures() + "/tones.cue";
    auto writeMap = [&](const QString& text) {
        ASSERT_TRUE(WriteFile(DriveMap::ConfigFile(home.path()), text.toUtf8()));
    };
    writeMap("E=cdrom:" + tones + "\n");
    DiscTrays trays;
    DriveMap drives = DriveMap::FromUser(home.path());
    drives.SetTrays(&trays);
    DeviceEvents events(drives, trays);
    EventLog log(events);
    DriveFileWatcher watcher(drives, trays, events, DriveMap::ConfigFile(home.path()));
    // Another file in the folder changes nothing.
    WriteFile(home.filePath(".local/share/tolvane99/other.context.ini"), "x");
    RunEventsFor(200);
    EXPECT_TRUE(log.lines.isEmpty());

    writeMap("E=cdrom:" + vcd + "\nM=" + home.path() + "\n");
    ASSERT_TRUE(log.WaitFor(2));
    EXPECT_EQ(log.lines, QStringList({"removal 16", "arrival 16"}));
    EXPECT_EQ(drives.GetDriveType("M:"), kDriveFixed);
    DosFiles files(drives);
    EXPECT_EQ(files.ListFiles("E:\\MPEGAV", "*.dat"), QStringList({"AVSEQ01.DAT"}));
    // With its tray open the new image is no disc in the drive: only the removal.
    trays.SetOpen(vcd, true);
    RunEventsUntil([&] { return log.lines.size() == 3; });
    log.lines.clear();
    writeMap("E=cdrom:" + tones + "\n");
    ASSERT_TRUE(log.WaitFor(1));
    RunEventsFor(100);
    EXPECT_EQ(log.lines, QStringList({"arrival 16"}));
}

} // namespace
