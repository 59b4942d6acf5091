#include "lyrics/LyricsSync.h"
#include "fakes/QtPrinters.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(LyricsSync, SelectsTheLastLineWhoseTagIsReached)
{
    const QStringList song = {"Heading", "00:05:00 one", "00:10:00 two", "00:10:00 same",
                              "01:00:00 last"};
    struct Case
    {
        const char* what;
        QStringList lines;
        int selected;
        const char* pos;
        QList<int> selects;
        std::optional<int> line;
    };
    const Case cases[] = {
        {"before the first tag", song, 0, "00:04:99", {0}, std::nullopt},
        {"next line, then the line", song, 0, "00:05:00", {2, 1}, 1},
        {"the same line stays", song, 1, "00:09:99", {}, 1},
        {"only seven characters count", {"H", "00:10:05 a"}, 0, "00:10:01", {1}, 1},
        {"equal tags: the later wins", song, 1, "00:10:50", {4, 3}, 3},
        {"the last line has no next", song, 3, "59:00:00", {4}, 4},
        {"already selected", song, 4, "59:00:00", {}, 4},
        {"text compare, not numbers", {"H", "00:5:00 x"}, 0, "00:10:00", {0}, std::nullopt},
        {"untagged passed over", {"H", "00:01:00 a", "la la"}, 0, "05:00:00", {2, 1}, 1},
        {"heading never matched", {"00:00:00 H"}, -1, "05:00:00", {0}, std::nullopt},
        {"no lines: nothing", {}, -1, "05:00:00", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        LyricsStep step = LyricsSync::Follow(c.lines, c.selected, c.pos, false);
        EXPECT_EQ(step.selects, c.selects) << c.what;
        EXPECT_EQ(step.line, c.line) << c.what;
        EXPECT_TRUE(step.error.isEmpty()) << c.what;
    }
}

TEST(LyricsSync, UntaggedLinesAreAnErrorOnlyWhenChecked)
{
    // Lines too short to hold a tag are malformed too; the heading is never checked.
    for (const QStringList& bad :
         {QStringList{"H", "00:01:00 a", "la", "00:03:00 c"}, {"H", "00"}}) {
        EXPECT_EQ(LyricsSync::Follow(bad, 0, "00:02:00", true).error, "歌詞錯誤");
        EXPECT_TRUE(LyricsSync::Follow(bad, 0, "00:02:00", false).error.isEmpty());
    }
    LyricsStep good = LyricsSync::Follow({"no tag here", "00:01:00 a"}, 0, "00:02:00", true);
    EXPECT_TRUE(good.error.isEmpty());
    EXPECT_EQ(good.line, 1);
}

} // namespace
