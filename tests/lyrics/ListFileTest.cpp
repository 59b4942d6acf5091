#include "lyrics/ListFile.h"
#include "fakes/FakePlatform.h"
#include "fakes/FullDisk.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// A list file at C:\Lists\my.m3u read as the program reads it.
QStringList ReadList(FakePlatform& fake, const QByteArray& bytes)
{
    fake.files.MakeFolder("C:\\Lists");
    EXPECT_TRUE(fake.files.WriteAll("C:\\Lists\\my.m3u", bytes));
    QByteArray read;
    EXPECT_TRUE(fake.files.ReadAll("C:\\Lists\\my.m3u", read));
    return ListFile::Parse(fake.drives, "C:\\Lists\\my.m3u", read);
}

TEST(ListFile, EntriesOfListsFromThisAndOtherPrograms)
{
    FakePlatform fake;
    const QByteArray home = fake.home.toUtf8();
    const struct
    {
        const char* what;
        QByteArray bytes;
        QStringList paths;
    } cases[] = {
        {"full paths", "E:\\Music\\a.mp3\r\nD:\\b.mp3\r\n", {"E:\\Music\\a.mp3", "D:\\b.mp3"}},
        {"a comma makes two, the second in the list's folder",
         "E:\\Songs\\Hello, World.mp3\r\n",
         {"E:\\Songs\\Hello", "C:\\Lists\\World.mp3"}},
        {"comments skipped, relative names taken from the list's folder",
         "#EXTM3U\n#EXTINF:123,Singer - Song\nmusic/a.mp3\n..\\b.mp3\n\\Top\\c.mp3\n",
         {"C:\\Lists\\music\\a.mp3", "C:\\b.mp3", "C:\\Top\\c.mp3"}},
        {"local paths through the drive map",
         home + "/Music/x.mp3\nfile://" + home + "/My%20Songs/y.mp3\n",
         {"C:\\Music\\x.mp3", "C:\\My Songs\\y.mp3"}},
        {"blanks, quotes, empty lines, streams and bare drives",
         "  \"E:\\a b.mp3\"  \r\n\r\n\"E:\\c,d.mp3\"\r\nhttp://radio/x.mp3\r\nE:\\\r\n",
         {"E:\\a b.mp3", "E:\\c,d.mp3"}},
        {"CP950", "E:\\\xBA\x71\\\xA4\xEB.mp3\r\n", {"E:\\歌\\月.mp3"}},
        {"UTF-8 with its mark", kBom + QString("#EXTM3U\r\nE:\\歌.mp3").toUtf8(), {"E:\\歌.mp3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadList(fake, c.bytes), c.paths) << c.what;
}

TEST(ListFile, SavesOneFullPathALineAndReadsItBack)
{
    FakePlatform fake;
    fake.files.MakeFolder("C:\\Lists");
    const struct
    {
        const char* what;
        QStringList paths;
        QByteArray bytes;
    } cases[] = {
        {"three rows",
         {"E:\\Music\\a.mp3", "E:\\歌\\b.mp3", "C:\\c.wav"},
         "E:\\Music\\a.mp3\r\nE:\\\xBA\x71\\b.mp3\r\nC:\\c.wav\r\n"},
        {"beyond CP950", {"E:\\🎵.mp3"}, kBom + QString("E:\\🎵.mp3\r\n").toUtf8()},
        // In CP950 this name is two bytes that also read as UTF-8.
        {"CP950 that reads as UTF-8", {"E:\\价.mp3"}, kBom + QString("E:\\价.mp3\r\n").toUtf8()},
        {"nothing", {}, ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ListFile::Save(fake.files, "C:\\Lists\\out.m3u", c.paths)) << c.what;
        EXPECT_EQ(fake.ReadBytes("C:\\Lists\\out.m3u"), c.bytes) << c.what;
        EXPECT_EQ(ListFile::Parse(fake.drives, "C:\\Lists\\out.m3u", c.bytes), c.paths) << c.what;
    }
    // A write that fails leaves the old list whole; nowhere to write makes nothing.
    ASSERT_TRUE(ListFile::Save(fake.files, "C:\\Lists\\out.m3u", {"E:\\a.mp3"}));
    {
        FullDisk full;
        EXPECT_FALSE(ListFile::Save(fake.files, "C:\\Lists\\out.m3u", {"E:\\b.mp3"}));
    }
    EXPECT_EQ(fake.ReadBytes("C:\\Lists\\out.m3u"), "E:\\a.mp3\r\n");
    EXPECT_FALSE(ListFile::Save(fake.files, "C:\\Missing\\out.m3u", {"E:\\a.mp3"}));
    EXPECT_FALSE(ListFile::Save(fake.files, "Q:\\out.m3u", {"E:\\a.mp3"}));
    EXPECT_FALSE(QDir(fake.home + "/Missing").exists());
}

} // namespace
