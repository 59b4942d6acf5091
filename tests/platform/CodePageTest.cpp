#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace tolvane;

TEST(CodePage, EncodesChineseAsBig5Bytes)
{
    CodePage cp(950);
    QByteArray bytes;
    ASSERT_TRUE(cp.TryEncode("中文 ok", bytes));
    EXPECT_EQ(bytes, QByteArray("\xA4\xA4\xA4\xE5 ok"));
    EXPECT_EQ(cp.Decode(bytes), "中文 ok");
}

TEST(CodePage, FileEncodingFallsBackToUtf8WithBom)
{
    CodePage cp(950);
    EXPECT_EQ(cp.EncodeFile("進入"), QByteArray("\xB6\x69\xA4\x4A"));
    EXPECT_EQ(cp.EncodeFile("ü😀"), QByteArray("\xEF\xBB\xBF") + QString("ü😀").toUtf8());
    QByteArray out;
    EXPECT_FALSE(cp.TryEncode("a😀b", out));
}

TEST(CodePage, ReadingAcceptsBomUtf8AndBig5)
{
    CodePage cp(950);
    EXPECT_EQ(cp.DecodeFile(QByteArray("\xEF\xBB\xBF") + QString("歌詞").toUtf8()), "歌詞");
    EXPECT_EQ(cp.DecodeFile(QString("歌詞").toUtf8()), "歌詞");
    EXPECT_EQ(cp.DecodeFile(cp.EncodeFile("歌詞")), "歌詞");
    // A truncated double-byte character does not stop the rest.
    EXPECT_EQ(cp.Decode(QByteArray("\xA4")).size(), 1);
}
