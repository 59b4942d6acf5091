#include "platform/CommandLine.h"
#include "VcdFixtures.h"
#include "platform/DriveMap.h"
#include "platform/LocalNames.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(CommandLinePaths, PathsAndDesktopAddressesBecomeAbsoluteLocalPaths)
{
    // "歌" in Big5: a name that is no UTF-8, kept as its bytes.
    const QByteArray big5 = "/music/\xBA\x71.mp3";
    const std::pair<QByteArray, QString> cases[] = {
        {"song.mp3", "/work/dir/song.mp3"},
        {"../up/./a.m3u", "/work/up/a.m3u"},
        {"/abs/folder/", "/abs/folder"},
        {"file:///music/a%20b%23.mp3", "/music/a b#.mp3"},
        {"file://localhost/music/x.mp3", "/music/x.mp3"},
        {"file:///music/%BA%71.mp3", LocalName(big5)},
        {big5, LocalName(big5)},
        {"cdda://sr1/", "/dev/sr1"},
        {"file://otherhost/music/x.mp3", ""}, // not on this machine
        {"http://example.invalid/stream.mp3", ""},
        {"cdda://", ""},
    };
    for (const auto& [word, expected] : cases) {
        const QStringList paths = CommandLinePaths({word}, "/work/dir");
        EXPECT_EQ(paths, expected.isEmpty() ? QStringList() : QStringList{expected})
            << word.toStdString();
    }
    EXPECT_EQ(LocalBytes(CommandLinePaths({"file:///music/%BA%71.mp3"}, "/").value(0)), big5);
}

TEST(DiscRootOf, DevicesImagesAndMountedDiscsAreDiscsOtherPathsAreNot)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    for (const char* folder : {"/vcd", "/iso mount", "/home", "/plain"})
        QDir().mkpath(d + folder);
    ASSERT_TRUE(WriteFile(d + "/disc.cue", "FILE \"disc.bin\" BINARY\n"));
    ASSERT_TRUE(WriteFile(d + "/song.mp3", "x"));
    // The mount table writes a blank in a mount point as \040.
    const QString table = d + "/mounts";
    ASSERT_TRUE(WriteFile(table, QString("/dev/sr0 %1/vcd iso9660 ro 0 0\n"
                                         "/dev/loop3 %1/iso\\040mount udf ro 0 0\n"
                                         "/dev/sda2 %1/home ext4 rw 0 0\n"
                                         "/dev/sr1 %1/plain iso9660 ro 0 0\n"
                                         "tmpfs %1/plain tmpfs rw 0 0\n")
                                     .arg(d)
                                     .toUtf8()));
    const std::pair<QString, QString> cases[] = {
        {d + "/disc.cue", d + "/disc.cue"},
        {d + "/vcd", "/dev/sr0"},
        {d + "/vcd/", "/dev/sr0"},
        {d + "/iso mount", d + "/iso mount"}, // no optical drive under it: the folder
        {d + "/home", ""},
        {d + "/plain", ""}, // another file system mounted over the disc hides it
        {d + "/song.mp3", ""},
        {d + "/missing.cue", ""},
        {"/run/user/1000/gvfs/cdda:host=sr2", "/dev/sr2"},
        {"/run/user/1000/gvfs/cdda:host=sr2/Track 1.wav", "/dev/sr2"},
    };
    for (const auto& [local, root] : cases)
        EXPECT_EQ(DiscRootOf(local, table), root) << local.toStdString();

    // A device, and a link to it as /dev/cdrom is, stand for the device itself.
    const QFileInfoList devices =
        QDir("/dev").entryInfoList({"sr*", "loop[0-9]*"}, QDir::System | QDir::NoSymLinks);
    if (!devices.isEmpty()) {
        const QString device = devices.first().absoluteFilePath();
        ASSERT_TRUE(QFile::link(device, d + "/cdrom"));
        EXPECT_EQ(DiscRootOf(device, table), device);
        EXPECT_EQ(DiscRootOf(d + "/cdrom", table), device);
    }
}

TEST(DriveMapDiscDrive, ADiscGetsTheFirstFreeLetterOnceAndKeepsItThroughAReload)
{
    QTemporaryDir home;
    QDir().mkpath(home.path() + "/.local/share/tolvane99");
    ASSERT_TRUE(WriteFile(DriveMap::ConfigFile(home.path()), "D=/music\n"));
    DriveMap map = DriveMap::FromUser(home.path());
    // Letters the machine's optical drives took come before.
    const QList<Drive> before = map.Drives();
    const QChar first = map.DiscDrive("/discs/a.cue");
    ASSERT_FALSE(first.isNull());
    EXPECT_GT(first, QChar('D'));
    EXPECT_EQ(map.Find(first)->type, kDriveCdrom);
    EXPECT_EQ(map.Drives().size(), before.size() + 1);
    EXPECT_EQ(map.DiscDrive("/discs/a.cue/"), first);
    const QChar second = map.DiscDrive("/discs/b.cue");
    EXPECT_NE(second, first);

    map.Reload();
    EXPECT_EQ(map.DiscDrive("/discs/a.cue"), first);
    // The user's own map wins a letter back.
    ASSERT_TRUE(WriteFile(DriveMap::ConfigFile(home.path()),
                          QString("D=/music\n%1=/other\n").arg(first).toUtf8()));
    map.Reload();
    EXPECT_EQ(map.Find(first)->root, "/other");
    EXPECT_EQ(map.Find(second)->root, "/discs/b.cue");
}

} // namespace
