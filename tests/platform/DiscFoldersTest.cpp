#include "platform/DiscFolders.h"
#include "MediaFixtures.h"
#include "VcdFixtures.h"
#include "platform/DosFiles.h"
#include "platform/IsoFileSystem.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// An audio CD shows its tracks, a Video CD its file system without case or versions;
// a missing image reads as an empty drive.
TEST(DiscFolders, ImagesShowTheirTracksOrTheirFileSystem)
{
    const ClipVcd& vcd = ClipVcd::Get();
    DriveMap drives({{'D', MediaFixtures() + "/tones.cue", kDriveCdrom},
                     {'E', vcd.cue, kDriveCdrom},
                     {'F', "/no/such/disc.cue", kDriveCdrom}});
    DosFiles files(drives);
    // The listings of every generated disc are checked with the disc images.
    const std::tuple<const char*, const char*, QStringList> listings[] = {
        {"D:\\MPEGAV", "*.dat", {}}, {"E:\\", "*.*", {"README.TXT"}}, {"F:\\", "*.*", {}}};
    for (const auto& [folder, pattern, names] : listings)
        EXPECT_EQ(files.ListFiles(folder, pattern), names) << folder << pattern;
    // The fixture disc records its files at 2000-01-01 00:00:00 UTC; tracks have no date.
    const QDateTime recorded = QDateTime::fromSecsSinceEpoch(946684800);
    const std::tuple<const char*, qint64, QDateTime> found[] = {
        {"d:\\TRACK03.CDA", 44, QDateTime()},
        {"E:\\readme.txt", vcd.readme.size(), recorded},
        // A Form 2 file counts its sectors at 2048 bytes, as the directory says.
        {"E:\\MPEGAV\\avseq01.dat", VcdDisc{vcd.mpeg, {}}.MpegSectors() * 2048, recorded}};
    for (const auto& [path, length, date] : found) {
        EXPECT_TRUE(files.FileExists(path) && !files.FolderExists(path)) << path;
        EXPECT_EQ(files.FileLen(path), length) << path;
        EXPECT_EQ(files.FileDateTime(path), date) << path;
    }
    for (const char* path : {"D:\\", "e:\\mpegav"}) {
        EXPECT_TRUE(files.FolderExists(path) && !files.FileExists(path)) << path;
        EXPECT_EQ(files.FileLen(path), -1) << path; // a folder is no file
    }
    for (const char* path :
         {"D:\\Track04.cda", "D:\\MPEGAV", "E:\\NOPE", "E:\\MPEGAV\\AVSEQ02.DAT", "F:\\"}) {
        EXPECT_FALSE(files.FileExists(path) || files.FolderExists(path)) << path;
        EXPECT_EQ(files.FileLen(path), -1) << path;
        EXPECT_FALSE(files.FileDateTime(path).isValid()) << path;
    }
    EXPECT_EQ(IsoFileSystem::ShownName("NOEXT.;1"), "NOEXT");
}

} // namespace
