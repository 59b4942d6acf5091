#include "app/Text.h"

#include <gtest/gtest.h>

using namespace tolvane;

TEST(PathHelpers, JoinPutsExactlyOneBackslashAndTakesTheNamePart)
{
    EXPECT_EQ(PathJoin("C:\\Temp", "a.txt"), "C:\\Temp\\a.txt");
    EXPECT_EQ(PathJoin("C:\\Temp\\", "a.txt"), "C:\\Temp\\a.txt");
    EXPECT_EQ(PathJoin("C:\\Temp", "D:\\Lyrics\\a.txt"), "C:\\Temp\\a.txt");
    EXPECT_EQ(PathJoin("C:\\", "unknow.m3u"), "C:\\unknow.m3u");
}

TEST(PathHelpers, FolderPartFollowsTheDotRule)
{
    EXPECT_EQ(FolderPart("D:\\MPEGAV\\AVSEQ01.DAT"), "D:\\MPEGAV");
    EXPECT_EQ(FolderPart("D:\\MPEGAV"), "D:\\MPEGAV");
    // A dot anywhere counts, even in a folder name.
    EXPECT_EQ(FolderPart("C:\\My.Music\\Album"), "C:\\My.Music");
    EXPECT_EQ(FileNamePart("C:\\a\\b.mp3"), "b.mp3");
    EXPECT_EQ(FileNamePart("b.mp3"), "b.mp3");
}

TEST(PathHelpers, ExtensionComesFromTheLastFiveCharacters)
{
    EXPECT_EQ(ExtName("C:\\Song.MP3"), "mp3");
    EXPECT_EQ(ExtName("C:\\Clip.mpeg"), "mpe");
    EXPECT_EQ(ExtName("C:\\a.b\\noext"), "");
    EXPECT_EQ(ExtName("x.rm"), "rm");
    EXPECT_EQ(ExtName(".mp3"), "");
    EXPECT_EQ(ExtName("C:\\a\\.mp3"), "");
    EXPECT_EQ(ExtName("C:\\Song.MP3x"), "mp3");
}

TEST(PathHelpers, ZeroPadKeepsTheRightmostDigits)
{
    EXPECT_EQ(ZeroPad(7, 3), "007");
    EXPECT_EQ(ZeroPad(12345, 4), "2345");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
}

TEST(Numbers, LenientParseTakesTheLeadingNumber)
{
    EXPECT_EQ(LenientNumber("80"), 80);
    EXPECT_EQ(LenientNumber("  12.5abc"), 12.5);
    EXPECT_EQ(LenientNumber("-3"), -3);
    EXPECT_EQ(LenientNumber("abc"), 0);
    EXPECT_EQ(LenientNumber(""), 0);
    EXPECT_EQ(LenientNumber("1e2x"), 100);
    EXPECT_EQ(LenientNumber("7e"), 7);
    EXPECT_EQ(LenientNumber(".5"), 0.5);
}

TEST(Numbers, RoundingHalvesGoesToEven)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

TEST(Numbers, SixteenBitAndBooleanConversions)
{
    int value = -1;
    EXPECT_TRUE(ToInt16("1000", value));
    EXPECT_EQ(value, 1000);
    EXPECT_TRUE(ToInt16("10.5", value));
    EXPECT_EQ(value, 10);
    EXPECT_FALSE(ToInt16("40000", value));
    EXPECT_FALSE(ToInt16("loud", value));
    EXPECT_EQ(value, 10);
    bool flag = false;
    EXPECT_TRUE(ToBool("TRUE", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(ToBool("0", flag));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(ToBool("-1", flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(ToBool("yes", flag));
    EXPECT_EQ(BoolText(false), "False");
}

TEST(ItemReader, ItemsEndAtCommasAndLineEnds)
{
    ItemReader reader("  first , \"second, with comma\" ,third\r\n\"quoted\"\r\nlast");
    QStringList items;
    while (!reader.AtEnd())
        items.append(reader.Next());
    EXPECT_EQ(items, QStringList({"first", "second, with comma", "third", "quoted", "last"}));
}

TEST(ItemReader, EmptyItemsAndLineReads)
{
    ItemReader reader("a,,b\r\n\r\n00:01:02 line, with comma\r\n");
    EXPECT_EQ(reader.Next(), "a");
    EXPECT_EQ(reader.Next(), "");
    EXPECT_EQ(reader.Next(), "b");
    EXPECT_EQ(reader.Next(), "");
    EXPECT_EQ(reader.NextLine(), "00:01:02 line, with comma");
    EXPECT_TRUE(reader.AtEnd());
}
