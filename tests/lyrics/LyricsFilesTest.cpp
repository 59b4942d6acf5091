#include "fakes/FakePlatform.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LyricsLoader.h"
#include "lyrics/LyricsReader.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

struct FileCase
{
    const char* what;
    QByteArray bytes;
    QStringList lines;
};

TEST(LyricsReader, ItemsOfTextFilesInEitherEncoding)
{
    const QByteArray big5Heading("\xA4\xEB\xAB\x47\xA5\x4E\xAA\xED"); // 月亮代表
    const FileCase cases[] = {
        {"a comma splits a line",
         "Song\r\n00:01:00 one,00:02:00 two\r\n",
         {"Song", "00:01:00 one", "00:02:00 two"}},
        {"quotes and blanks dropped",
         "  \"Song\"  \r\n\t00:01:00 la \r\n\"00:02:00 a, b\"\r\n",
         {"Song", "00:01:00 la", "00:02:00 a, b"}},
        {"empty items skipped", "Song\r\n\r\n,,00:01:00 la,\r\n  \r\n", {"Song", "00:01:00 la"}},
        {"CP950", big5Heading + "\r\n00:01:00 \xBA\x71\r\n", {"月亮代表", "00:01:00 歌"}},
        {"UTF-8 without a mark",
         QString("月亮代表\n00:01:00 歌\n").toUtf8(),
         {"月亮代表", "00:01:00 歌"}},
        {"UTF-8 with a mark",
         "\xEF\xBB\xBF" + QString("歌詞\r\n00:01:00 月\r\n").toUtf8(),
         {"歌詞", "00:01:00 月"}},
        {"no line end at the end", "Song\r\n00:01:00 last", {"Song", "00:01:00 last"}},
    };
    FakePlatform fake;
    for (const FileCase& c : cases) {
        ASSERT_TRUE(fake.files.WriteAll("C:\\Song.txt", c.bytes));
        EXPECT_EQ(LyricsReader::Read(fake.files, "C:\\Song.txt"), c.lines) << c.what;
        EXPECT_EQ(LyricsLoader::Load(fake.files, "C:\\SONG.TXT"), c.lines) << c.what;
    }
    ASSERT_TRUE(fake.files.WriteAll("C:\\Empty.txt", QByteArray()));
    EXPECT_TRUE(LyricsLoader::Load(fake.files, "C:\\Empty.txt").isEmpty());
    EXPECT_TRUE(LyricsLoader::Load(fake.files, "C:\\Missing.txt").isEmpty());
    EXPECT_TRUE(LyricsLoader::Load(fake.files, QString()).isEmpty());
}

TEST(LrcReader, TagsBecomeSortedLinesOfTheTextForm)
{
    const FileCase cases[] = {
        {"several tags on a line, sorted by time",
         "[00:20.50][00:05.00]chorus\n[00:10.00]verse\n",
         {"Song", "00:05:00 chorus", "00:10:00 verse", "00:20:50 chorus"}},
        {"title and artist make the heading",
         "[ar:Singer]\r\n[ti: Moon ]\r\n[al:Album]\r\n[00:01.00]la\r\n",
         {"Moon - Singer", "00:01:00 la"}},
        {"the offset moves every tag earlier, never before 0",
         "[offset:+1500]\n[00:01.00]a\n[01:02.25]b\n",
         {"Song", "00:00:00 a", "01:00:75 b"}},
        {"a negative offset moves them later",
         "[offset:-250]\n[00:01.00]a\n",
         {"Song", "00:01:25 a"}},
        {"untagged lines dropped, equal times keep their order",
         "plain\n[00:03.00]x\nnot [00:04.00]\n[00:03.00]y\n",
         {"Song", "00:03:00 x", "00:03:00 y"}},
        {"fractions of one to three digits, or none",
         "[00:01]a\n[00:02.5]b\n[00:03.456]c\n",
         {"Song", "00:01:00 a", "00:02:50 b", "00:03:45 c"}},
        {"bad tags drop their line",
         "[00:60.00]s\n[0a:01.00]t\n[00:01.0000]u\n[100:00.00]v\n[00:01.00\n[]w\n[00:02.00]ok\n",
         {"Song", "00:02:00 ok"}},
        {"a tag with no text is a line", "[00:01.00]\n", {"Song", "00:01:00"}},
        {"a later bracket is text", "[00:01.00][xx]la\n", {"Song", "00:01:00 [xx]la"}},
        {"only headers: nothing", "[ti:Moon]\n[ar:Singer]\n", {}},
    };
    FakePlatform fake;
    for (const FileCase& c : cases) {
        ASSERT_TRUE(fake.files.WriteAll("C:\\Song.lrc", c.bytes));
        EXPECT_EQ(LyricsLoader::Load(fake.files, "C:\\Song.lrc"), c.lines) << c.what;
    }
    // CP950 as the text files are.
    EXPECT_EQ(LrcReader::Parse("[ti:\xBA\x71]\n[00:01.00]\xB5\xFC\n"),
              QStringList({"歌", "00:01:00 詞"}));
}

} // namespace
