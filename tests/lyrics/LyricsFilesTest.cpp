#include "fakes/FakePlatform.h"
#include "lyrics/LyricsLoader.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// Text files are read item by item in either encoding; the tags of an .lrc file become
// sorted lines of the same form.
TEST(LyricsFiles, TextItemsAndLrcTagsBecomeTheSameLines)
{
    const struct
    {
        const char* what;
        QByteArray bytes;
        QStringList lines;
        const char* ext = ".txt";
    } cases[] = {
        {"comma", "Song\r\n00:01:00 a,00:02:00 b\r\n", {"Song", "00:01:00 a", "00:02:00 b"}},
        {"quotes, blanks",
         "  \"Song\" \r\n\t00:01:00 a \r\n\"00:02:00 b, c\"",
         {"Song", "00:01:00 a", "00:02:00 b, c"}},
        {"empty items", "Song\r\n\r\n,,00:01:00 a,\r\n  \r\n", {"Song", "00:01:00 a"}},
        {"CP950", "\xA4\xEB\xAB\x47\r\n00:01:00 \xBA\x71\r\n", {"月亮", "00:01:00 歌"}},
        {"UTF-8", QString("月亮\n00:01:00 歌\n").toUtf8(), {"月亮", "00:01:00 歌"}},
        {"UTF-8 BOM",
         "\xEF\xBB\xBF" + QString("歌\r\n00:01:00 月").toUtf8(),
         {"歌", "00:01:00 月"}},
        {"empty", "", {}},
        {"sorted",
         "[00:20.50][00:05.00]c\n[00:10.00]v\n",
         {"Song", "00:05:00 c", "00:10:00 v", "00:20:50 c"},
         ".lrc"},
        {"heading, a comma kept in the line",
         "[ar:Singer]\r\n[ti: Moon ]\r\n[al:A]\r\n[00:01.00]a, b",
         {"Moon - Singer", "00:01:00 a, b"},
         ".lrc"},
        {"offset",
         "[offset:+1500]\n[00:01.00]a\n[01:02.25]b\n",
         {"Song", "00:00:00 a", "01:00:75 b"},
         ".lrc"},
        {"negative offset", "[offset:-250]\n[00:01.00]a\n", {"Song", "00:01:25 a"}, ".lrc"},
        {"untagged",
         "plain\n[00:03.00]x\nnot [00:04.00]\n[00:03.00]y\n",
         {"Song", "00:03:00 x", "00:03:00 y"},
         ".lrc"},
        {"fractions",
         "[00:01]a\n[00:02.5]b\n[00:03.456]c\n",
         {"Song", "00:01:00 a", "00:02:50 b", "00:03:45 c"},
         ".lrc"},
        {"bad tags",
         "[00:60.00]s\n[0a:01.00]t\n[00:01.0000]u\n[100:00.00]v\n[00:01.00\n[]w\n[00:02]ok\n",
         {"Song", "00:02:00 ok"},
         ".lrc"},
        {"no text, later tag",
         "[00:01.00]\n[00:02.00][x]a\n",
         {"Song", "00:01:00", "00:02:00 [x]a"},
         ".lrc"},
        {"only headers", "[ti:Moon]\n[ar:Singer]\n", {}, ".lrc"},
    };
    FakePlatform fake;
    for (const auto& c : cases) {
        ASSERT_TRUE(fake.files.WriteAll(QString("C:\\Song") + c.ext, c.bytes));
        EXPECT_EQ(LyricsLoader::Load(fake.files, QString("C:\\Song") + c.ext), c.lines) << c.what;
    }
    EXPECT_TRUE(LyricsLoader::Load(fake.files, "C:\\Missing.txt").isEmpty());
    EXPECT_TRUE(LyricsLoader::Load(fake.files, QString()).isEmpty());
}

} // namespace
