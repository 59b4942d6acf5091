#include "platform/ProfileFile.h"
#include "VcdFixtures.h"
#include "fakes/FullDisk.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tolvane;

namespace {

// Unreadable bytes, a line without "=" and an overlong value around a good section.
const QByteArray kDamaged = "[a]\r\n" + QByteArray("\x00\x01\xff\xfe\x80garbage\x00", 13) +
                            "\r\nno equals sign here\r\nk=" + QByteArray(5000, 'v') +
                            "\r\n[b]\r\nkeep=me\n";

class ProfileFileTest : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath("test.ini"); }
    // A null `bytes` leaves no file.
    void writeRaw(const QByteArray& bytes) const
    {
        QFile::remove(path());
        ASSERT_TRUE(bytes.isNull() || WriteFile(path(), bytes));
    }
    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, ReadsTheFirstMatchWithoutCaseOrTheDefault)
{
    const QByteArray mci = "[mci]\r\nMPEGVideo=mciqtz.drv\r\n";
    const QByteArray twice = "[Mci]\r\n  mpegvideo =  first  \r\nMPEGVIDEO=second\r\n"
                             "[MCI]\r\nCDIVideo=late\r\n";
    const QByteArray longValue = "[a]\r\nk=" + QByteArray(5000, 'x') + "\r\nnext=1\r\n";
    // Names ignore case and blanks, and the first match wins: a key only in the second
    // section of the same name is not seen. Quotes go, comments are skipped, values are
    // cut at 1023 characters, and damaged lines are stepped over.
    const std::tuple<QByteArray, const char*, const char*, QString> cases[] = {
        {{}, "mci", "MPEGVideo", "dflt"},
        {mci, "other", "MPEGVideo", "dflt"},
        {mci, "mci", "CDIVideo", "dflt"},
        {mci, "mci", "MPEGVideo", "mciqtz.drv"},
        {twice, "mCI", "MPEGVideo", "first"},
        {twice, "mci", "CDIVideo", "dflt"},
        {"[a]\r\n;k=comment\r\nk=\"quoted value\"\r\n", "a", "k", "quoted value"},
        {longValue, "a", "k", QString(1023, 'x')},
        {longValue, "a", "next", "1"},
        {kDamaged, "a", "no equals sign here", "dflt"},
        {kDamaged, "a", "k", QString(1023, 'v')},
        {kDamaged, "b", "keep", "me"},
        // A byte-order mark inside the file (files joined together) is no part of a name.
        {"[a]\r\nk=1\r\n\xEF\xBB\xBF[b]\r\n \xEF\xBB\xBFk=2\r\n", "b", "k", "2"},
        {"[a]\r\nk=1\r\n\xEF\xBB\xBF[b]\r\n \xEF\xBB\xBFk=2\r\n", "b", "\uFEFFk", "2"}};
    for (const auto& [file, section, key, value] : cases) {
        writeRaw(file);
        EXPECT_EQ(ProfileFile().GetString(path(), section, key, "dflt"), value)
            << file.left(40).toStdString() << " " << section << "/" << key;
    }
}

// Writes keep every other line byte for byte; each value written reads back.
TEST_F(ProfileFileTest, WritingKeepsEveryOtherLineAndPicksTheEncoding)
{
    const QByteArray emoji = QString("😀").toUtf8();
    // The file before, the writes, and the file after them.
    const std::tuple<QByteArray, QList<ProfileFile::Entry>, QByteArray> cases[] = {
        // A new file and new sections.
        {{},
         {{"mci", "MPEGVideo", "mciqtz.drv"},
          {"mci", "CDIVideo", "mciqtz.drv"},
          {"mci extensions", "dat", "MPEGVideo"}},
         "[mci]\r\nMPEGVideo=mciqtz.drv\r\nCDIVideo=mciqtz.drv\r\n"
         "[mci extensions]\r\ndat=MPEGVideo\r\n"},
        // A key rewritten in place.
        {"; top comment\r\n[boot]\r\nshell=x\r\n\r\n[mci]\r\nWaveAudio=mciwave.drv\r\n"
         "mpegvideo=old\r\n\r\n[drivers]\r\nwave=y\r\n",
         {{"MCI", "MPEGVideo", "mciqtz.drv"}},
         "; top comment\r\n[boot]\r\nshell=x\r\n\r\n[mci]\r\nWaveAudio=mciwave.drv\r\n"
         "MPEGVideo=mciqtz.drv\r\n\r\n[drivers]\r\nwave=y\r\n"},
        // A new key goes after the section's last line, not after the blank line.
        {"[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
         {{"a", "z", "3"}},
         "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        {kDamaged, {{"b", "added", "new"}}, kDamaged.chopped(1) + "\r\nadded=new\r\n"},
        // Chinese text is written in Big5.
        {{},
         {{"歌本", "標籤", "中文光碟"}},
         CodePage(950).EncodeFile("[歌本]\r\n標籤=中文光碟\r\n")},
        // Text Big5 cannot carry turns the file to UTF-8 with a byte-order mark...
        {{},
         {{"a", "x", "plain"}, {"a", "name", "😀 Grüße"}},
         "\xEF\xBB\xBF" + QString("[a]\r\nx=plain\r\nname=😀 Grüße\r\n").toUtf8()},
        // ...but lines already in Big5 stay so.
        {{},
         {{"a", "cn", "中文"}, {"a", "emoji", "😀"}},
         CodePage(950).EncodeFile("[a]\r\ncn=中文\r\n") + "emoji=" + emoji + "\r\n"},
        // Big5 bytes that also form UTF-8 (犰狳 is C9 A6 D2 A8) would read back as other
        // text, so such a line is written as Big5 cannot carry it.
        {{},
         {{"a", "animal", "犰狳"}},
         "\xEF\xBB\xBF" + QString("[a]\r\nanimal=犰狳\r\n").toUtf8()},
        {CodePage(950).EncodeFile("[a]\r\ncn=中文\r\n"),
         {{"a", "animal", "犰狳"}},
         CodePage(950).EncodeFile("[a]\r\ncn=中文\r\n") + QString("animal=犰狳\r\n").toUtf8()},
        // A byte-order mark in a name is dropped, and the name reads back with or without it.
        {"[a]\r\nx=\xFF\r\n",
         {{"", "\uFEFF[k", "1"}, {"a", "\uFEFFk", "2"}},
         "[a]\r\nx=\xFF\r\nk=2\r\n[]\r\n[k=1\r\n"}};
    for (const auto& [before, writes, after] : cases) {
        SCOPED_TRACE(after.left(40).toStdString());
        writeRaw(before);
        for (const ProfileFile::Entry& entry : writes)
            ASSERT_TRUE(ProfileFile().WriteString(path(), entry.section, entry.key, entry.value));
        EXPECT_EQ(ReadFile(path()), after);
        for (const ProfileFile::Entry& entry : writes)
            EXPECT_EQ(ProfileFile().GetString(path(), entry.section, entry.key, ""), entry.value);
    }
    EXPECT_FALSE(ProfileFile().WriteString(dir.filePath("no/such/x.ini"), "a", "b", "c"));
}

TEST_F(ProfileFileTest, ABatchOfWritesKeepsTheirOrderAndAnOutsideEditIsSeen)
{
    ProfileFile profile;
    ASSERT_TRUE(profile.WriteStrings(path(), {{"控制台", "X0", "1"},
                                              {"控制台", "Y0", "2"},
                                              {"功能", "X0", "3"},
                                              {"控制台", "X0", "4"}}));
    EXPECT_EQ(ReadFile(path()),
              CodePage(950).EncodeFile("[控制台]\r\nX0=4\r\nY0=2\r\n[功能]\r\nX0=3\r\n"));
    EXPECT_EQ(profile.GetString(path(), "控制台", "x0", ""), "4");
    // Values the file already holds leave it untouched: a save would be a new file.
    auto inode = [&] {
        struct stat info
        {
        };
        return ::stat(QFile::encodeName(path()).constData(), &info) == 0 ? info.st_ino : 0;
    };
    const auto before = inode();
    ASSERT_TRUE(profile.WriteStrings(path(), {{"功能", "X0", "3"}, {"控制台", "Y0", "2"}}));
    EXPECT_EQ(inode(), before);
    ASSERT_TRUE(profile.WriteString(path(), "功能", "X0", "5"));
    EXPECT_NE(inode(), before);
    // Another writer changes the file behind the cached copy.
    writeRaw("[控制台]\r\nX0=99999\r\n");
    EXPECT_EQ(profile.GetString(path(), "控制台", "X0", ""), "99999");
}

// A full disk leaves the file as it was, or absent; the edits stay in memory, are read
// back even after another file was read, and go to disk with the next save that succeeds.
TEST_F(ProfileFileTest, AFailedSaveKeepsTheFileAndTheEditsForTheNextTry)
{
    const QByteArray layout = "[控制台]\r\nX0=1\r\n";
    for (const QByteArray& before : {QByteArray(), CodePage(950).EncodeFile(layout)}) {
        SCOPED_TRACE(before.isNull() ? "no file" : "a file");
        writeRaw(before);
        const QString other = dir.filePath("other.context.ini");
        ProfileFile profile;
        QStringList failed;
        profile.notices.Listen([&](const QString& file, const QString&) { failed.append(file); },
                               nullptr);
        {
            FullDisk full;
            EXPECT_FALSE(profile.WriteString(path(), "控制台", "X0", "250"));
            EXPECT_FALSE(profile.WriteStrings(path(), {{"功能", "Y1", "3"}}));
        }
        EXPECT_EQ(failed, QStringList({path()}));
        EXPECT_EQ(ReadFile(path()), before);
        EXPECT_EQ(QFile::exists(path()), !before.isNull());
        EXPECT_EQ(profile.GetString(path(), "控制台", "X0", ""), "250");
        EXPECT_EQ(profile.GetString(other, "a", "b", "none"), "none");
        EXPECT_EQ(profile.GetString(path(), "功能", "Y1", ""), "3");

        ASSERT_TRUE(profile.WriteString(path(), "控制台", "Y0", "9"));
        EXPECT_EQ(ReadFile(path()),
                  CodePage(950).EncodeFile("[控制台]\r\nX0=250\r\nY0=9\r\n[功能]\r\nY1=3\r\n"));
    }
}

// A file written afresh stays whole until the new one is saved, and the lines it had
// do not come back into the new one, even when it is read anew in between.
TEST_F(ProfileFileTest, AFileWrittenAfreshStaysWholeUntilTheNewOneIsSaved)
{
    const QByteArray before = "[old]\r\nstale=1\r\n[a]\r\nx=0\r\n";
    writeRaw(before);
    ProfileFile profile;
    {
        FullDisk full;
        EXPECT_FALSE(profile.RewriteStrings(path(), {{"a", "x", "1"}}));
    }
    EXPECT_EQ(ReadFile(path()), before);
    EXPECT_EQ(profile.GetString(dir.filePath("other.context.ini"), "a", "x", "none"), "none");
    EXPECT_EQ(profile.GetString(path(), "a", "x", ""), "1");
    EXPECT_EQ(profile.GetString(path(), "old", "stale", "gone"), "gone");
    ASSERT_TRUE(profile.WriteString(path(), "a", "y", "2"));
    EXPECT_EQ(ReadFile(path()), "[a]\r\nx=1\r\ny=2\r\n");
}

} // namespace
