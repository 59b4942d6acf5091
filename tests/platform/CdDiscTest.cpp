#include "platform/CdDisc.h"
#include "VcdFixtures.h"
#include "platform/DiscSectors.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// libcdio 2.1 takes a cue sheet without a track for a disc of none, writing its lead-out
// outside the table of tracks and leaking what it parsed, and reads outside that table
// for tracks out of order: such a sheet is no disc.
TEST(CueSheet, OnlyASheetWithTracksInOrderOpens)
{
    QTemporaryDir dir;
    const QString cue = dir.filePath("disc.cue");
    ASSERT_TRUE(WriteFile(dir.filePath("disc.bin"), QByteArray(20 * 2352, '\0')));
    const QByteArray file = "FILE \"disc.bin\" BINARY\r\n";
    const std::pair<QByteArray, bool> sheets[] = {
        {file + "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n", true},
        {"REM a remark\r\n" + file + "\tTRACK\t01\tMODE1/2352\r\nINDEX 01 00:00:00", true},
        {file, false},
        {file + "  TRACK\r\n    INDEX 01 00:00:00\r\n", false},
        {"REM TRACK 01 AUDIO\r\n" + file + "    INDEX 01 00:00:00\r\n", false},
        {file + "  track 01 audio\r\n    INDEX 01 00:00:00\r\n", false},
        {QByteArray(), false},
        {file + "  TRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\nINDEX 01 00:00:10",
         true},
        {file +
             "  TRACK 82 MODE1/2352\r\nINDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\nINDEX 01 00:00:10",
         false},
        {file + "  TRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n  TRACK 03 AUDIO\r\nINDEX 01 00:00:10",
         false},
        {file + "  TRACK 00 AUDIO\r\nINDEX 01 00:00:00\r\n", false},
        {file + "  TRACK 69 AUDIO\r\nINDEX 01 00:00:00\r\n", false},
        {file + "  TRACK 02 AUDIO\r\nINDEX 01 00:00:00\r\n", false}};
    for (const auto& [sheet, opens] : sheets) {
        SCOPED_TRACE(sheet.toStdString());
        ASSERT_TRUE(WriteFile(cue, sheet));
        EXPECT_EQ(DiscSectors::Open(cue, true) != nullptr, opens);
        EXPECT_EQ(DiscImageDamaged(cue), !opens);
    }
}

} // namespace
