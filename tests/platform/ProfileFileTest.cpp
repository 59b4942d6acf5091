#include "platform/ProfileFile.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

class ProfileFileTest : public ::testing::Test
{
protected:
    QString path() const { return dir.path() + "/test.ini"; }
    void writeRaw(const QByteArray& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readRaw() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString get(const QString& section, const QString& key, const QString& fallback = "dflt")
    {
        return ProfileFile().GetString(path(), section, key, fallback);
    }
    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, MissingFileSectionOrKeyReadsTheDefault)
{
    EXPECT_EQ(get("mci", "MPEGVideo"), "dflt");
    writeRaw("[mci]\r\nMPEGVideo=mciqtz.drv\r\n");
    EXPECT_EQ(get("other", "MPEGVideo"), "dflt");
    EXPECT_EQ(get("mci", "CDIVideo"), "dflt");
    EXPECT_EQ(get("mci", "MPEGVideo"), "mciqtz.drv");
}

TEST_F(ProfileFileTest, NamesIgnoreCaseAndBlanksAndTheFirstMatchWins)
{
    writeRaw("[Mci]\r\n  mpegvideo =  first  \r\nMPEGVIDEO=second\r\n[MCI]\r\nCDIVideo=late\r\n");
    EXPECT_EQ(get("mCI", "MPEGVideo"), "first");
    // A key only in the second section of the same name is not seen.
    EXPECT_EQ(get("mci", "CDIVideo"), "dflt");
}

TEST_F(ProfileFileTest, SurroundingQuotesAreDroppedAndCommentsSkipped)
{
    writeRaw("[a]\r\n;k=comment\r\nk=\"quoted value\"\r\n");
    EXPECT_EQ(get("a", "k"), "quoted value");
}

TEST_F(ProfileFileTest, ValuesAreCutAt1023Characters)
{
    QByteArray longValue(5000, 'x');
    writeRaw("[a]\r\nk=" + longValue + "\r\nnext=1\r\n");
    EXPECT_EQ(get("a", "k").size(), 1023);
    EXPECT_EQ(get("a", "next"), "1");
}

TEST_F(ProfileFileTest, WritingCreatesTheFileAndSectionWithCrLf)
{
    ASSERT_TRUE(ProfileFile().WriteString(path(), "mci", "MPEGVideo", "mciqtz.drv"));
    ASSERT_TRUE(ProfileFile().WriteString(path(), "mci", "CDIVideo", "mciqtz.drv"));
    ASSERT_TRUE(ProfileFile().WriteString(path(), "mci extensions", "dat", "MPEGVideo"));
    EXPECT_EQ(readRaw(), "[mci]\r\nMPEGVideo=mciqtz.drv\r\nCDIVideo=mciqtz.drv\r\n"
                         "[mci extensions]\r\ndat=MPEGVideo\r\n");
}

TEST_F(ProfileFileTest, RewritingAKeyKeepsEveryOtherLineAsItWas)
{
    writeRaw("; top comment\r\n[boot]\r\nshell=x\r\n\r\n[mci]\r\nWaveAudio=mciwave.drv\r\n"
             "mpegvideo=old\r\n\r\n[drivers]\r\nwave=y\r\n");
    ASSERT_TRUE(ProfileFile().WriteString(path(), "MCI", "MPEGVideo", "mciqtz.drv"));
    EXPECT_EQ(readRaw(),
              "; top comment\r\n[boot]\r\nshell=x\r\n\r\n[mci]\r\nWaveAudio=mciwave.drv\r\n"
              "MPEGVideo=mciqtz.drv\r\n\r\n[drivers]\r\nwave=y\r\n");
}

TEST_F(ProfileFileTest, NewKeyGoesAfterTheSectionsLastLineNotAfterTheBlankLine)
{
    writeRaw("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    ASSERT_TRUE(ProfileFile().WriteString(path(), "a", "z", "3"));
    EXPECT_EQ(readRaw(), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, DamagedFileNeitherCrashesNorLosesLines)
{
    QByteArray binary("\x00\x01\xff\xfe\x80garbage\x00", 13);
    QByteArray damaged = "[a]\r\n" + binary +
                         "\r\nno equals sign here\r\nk=" + QByteArray(5000, 'v') +
                         "\r\n[b]\r\nkeep=me\n";
    writeRaw(damaged);
    EXPECT_EQ(get("a", "no equals sign here"), "dflt");
    EXPECT_EQ(get("b", "keep"), "me");
    ASSERT_TRUE(ProfileFile().WriteString(path(), "b", "added", "new"));
    QByteArray after = readRaw();
    EXPECT_TRUE(after.contains(binary));
    EXPECT_TRUE(after.contains("no equals sign here\r\n"));
    EXPECT_TRUE(after.contains("k=" + QByteArray(5000, 'v') + "\r\n"));
    EXPECT_TRUE(after.contains("[b]\r\nkeep=me\r\nadded=new\r\n"));
    EXPECT_EQ(get("a", "k").size(), 1023);
}

TEST_F(ProfileFileTest, ChineseTextIsWrittenInBig5AndReadBack)
{
    ASSERT_TRUE(ProfileFile().WriteString(path(), "歌本", "標籤", "中文光碟"));
    QByteArray expected;
    ASSERT_TRUE(CodePage(950).TryEncode("[歌本]\r\n標籤=中文光碟\r\n", expected));
    EXPECT_EQ(readRaw(), expected);
    EXPECT_EQ(get("歌本", "標籤"), "中文光碟");
}

TEST_F(ProfileFileTest, TextBig5CannotCarryTurnsTheFileToUtf8WithBom)
{
    ASSERT_TRUE(ProfileFile().WriteString(path(), "a", "x", "plain"));
    ASSERT_TRUE(ProfileFile().WriteString(path(), "a", "name", "😀 Grüße"));
    EXPECT_TRUE(readRaw().startsWith("\xEF\xBB\xBF[a]\r\nx=plain\r\n"));
    EXPECT_EQ(get("a", "name"), "😀 Grüße");
    EXPECT_EQ(get("a", "x"), "plain");
}

TEST_F(ProfileFileTest, Big5LinesStayBig5WhenAnotherLineNeedsUtf8)
{
    ASSERT_TRUE(ProfileFile().WriteString(path(), "a", "cn", "中文"));
    QByteArray big5Line = readRaw();
    ASSERT_TRUE(ProfileFile().WriteString(path(), "a", "emoji", "😀"));
    EXPECT_TRUE(readRaw().startsWith(big5Line));
    EXPECT_EQ(get("a", "cn"), "中文");
    EXPECT_EQ(get("a", "emoji"), "😀");
}

TEST_F(ProfileFileTest, WritingIntoAMissingFolderFails)
{
    EXPECT_FALSE(ProfileFile().WriteString(dir.path() + "/no/such/x.ini", "a", "b", "c"));
}

} // namespace

namespace {

TEST_F(ProfileFileTest, ABatchOfWritesKeepsTheirOrderAndAnOutsideEditIsSeen)
{
    ProfileFile profile;
    ASSERT_TRUE(profile.WriteStrings(path(), {{"控制台", "X0", "1"},
                                              {"控制台", "Y0", "2"},
                                              {"功能", "X0", "3"},
                                              {"控制台", "X0", "4"}}));
    QByteArray expected;
    ASSERT_TRUE(
        CodePage(950).TryEncode("[控制台]\r\nX0=4\r\nY0=2\r\n[功能]\r\nX0=3\r\n", expected));
    EXPECT_EQ(readRaw(), expected);
    EXPECT_EQ(profile.GetString(path(), "控制台", "x0", ""), "4");
    // Another writer changes the file behind the cached copy.
    writeRaw("[控制台]\r\nX0=99999\r\n");
    EXPECT_EQ(profile.GetString(path(), "控制台", "X0", ""), "99999");
}

} // namespace
