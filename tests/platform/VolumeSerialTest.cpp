#include "platform/VolumeSerial.h"
#include "discovery/DiscIdentity.h"
#include "platform/DriveMap.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

QByteArray Descriptor(unsigned char type, const QByteArray& volumeId = QByteArray())
{
    QByteArray d(VolumeSerial::kDescriptorSize, '\0');
    d[0] = static_cast<char>(type);
    d.replace(1, 5, "CD001");
    if (!volumeId.isEmpty())
        d.replace(40, 32, volumeId.leftJustified(32, ' '));
    return d;
}

TEST(VolumeSerial, DataDiscSumsTheBestDescriptorInFourLanes)
{
    QByteArray primary = Descriptor(1, "MY_DISC");
    primary[2048 - 4] = 1; // lane 0
    primary[2048 - 3] = 2; // lane 1
    QByteArray supplementary = Descriptor(2);
    supplementary[100] = 7; // lane 0
    supplementary[103] = 9; // lane 3
    supplementary[107] = 1; // lane 3
    QByteArray terminator = Descriptor(255);
    terminator[8] = 50; // past the terminator: never read
    QByteArray disc = primary + supplementary + terminator + Descriptor(3);
    // The supplementary descriptor has the highest type before the terminator. Lane 0:
    // its type, the second "0" of CD001 and byte 100; lane 3: "0", bytes 103 and 107.
    EXPECT_EQ(VolumeSerial::OfDescriptors(disc),
              (2u + '0' + 7) | ('C' + '1') << 8 | 'D' << 16 | ('0' + 9u + 1) << 24);
    EXPECT_EQ(VolumeSerial::LabelOfDescriptors(disc), "MY_DISC");
    EXPECT_EQ(VolumeSerial::OfDescriptors(QByteArray(4096, 'x')), 0u);
}

TEST(VolumeSerial, AudioDiscSumsTrackStartsAndShortDiscsAddTheirLength)
{
    CdToc toc;
    // Starts at 0 and 9000 sectors: 00:02:00 and 02:02:00 with the lead-in.
    toc.tracks = {{1, 0, 9000, true}, {2, 9000, 4537, true}};
    toc.leadout = 13537;
    std::uint32_t starts = (0u << 16) + (2u << 8) + 0u + (2u << 16) + (2u << 8) + 0u;
    EXPECT_EQ(VolumeSerial::OfAudioToc(toc), starts + 0u + 13537u);
    toc.tracks.append({3, 13537, 75, true});
    toc.leadout = 13612;
    // 13537 + 150 = 13687 = 3:02:37
    EXPECT_EQ(VolumeSerial::OfAudioToc(toc), starts + (3u << 16) + (2u << 8) + 37u);
}

// Folder labels are checked with the drive list.
TEST(VolumeSerial, FoldersHaveAStableSerial)
{
    QTemporaryDir dir;
    DriveMap drives({{'C', dir.path(), kDriveFixed}});
    VolumeInformation first = VolumeSerial::Read(drives, "C:\\");
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(VolumeSerial::Read(drives, "c:\\").serial, first.serial);
    EXPECT_FALSE(VolumeSerial::Read(drives, "Q:\\").ok);
    // The identity reads it as eight upper-case hex digits, zeros when unreadable.
    EXPECT_EQ(DiscIdentity::ReadSerial(drives, "C:"),
              QString("%1").arg(first.serial, 8, 16, QChar('0')).toUpper());
    EXPECT_EQ(DiscIdentity::ReadSerial(drives, "Q:"), "00000000");
}

TEST(DiscIdentity, SerialTextAndCode)
{
    EXPECT_EQ(DiscIdentity::SerialText("1A2B3C4D"), "1A2B-3C4D");
    // An unreadable volume gives an upper-case A and three lower-case a.
    EXPECT_EQ(DiscIdentity::DiscCode(0), "Aaaa");
    // 0x01020304: 1, 258, 66051, 16909060, each as a letter modulo 26.
    EXPECT_EQ(DiscIdentity::DiscCode(0x01020304), "Bylm");
    // Negative serials divide with floor before the absolute value.
    EXPECT_EQ(DiscIdentity::DiscCode(-1), "Bbbb");
}

} // namespace
