#include "platform/Registry.h"
#include "VcdFixtures.h"
#include "fakes/FullDisk.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QString kKey = "Software\\Ostrana\\Tolvane99 V1.1";

QString Read(const Registry& registry, HKey root, const QString& key, const QString& name)
{
    QString value = "<missing>";
    registry.Query(root, key, name, value);
    return value;
}

TEST(FileRegistry, ValuesSurviveARestartAsRegTextAndIgnoreCase)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/registry.reg";
    const QString command = "AudioCD\\shell\\play\\command";
    {
        FileRegistry registry(path);
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "SongTempDir", "C:\\Temp"));
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Empty", ""));
        ASSERT_TRUE(registry.Set(HKey::ClassesRoot, command, "", "player.exe /play \"%1\""));
    }
    EXPECT_TRUE(ReadFile(path).contains("[HKEY_CURRENT_USER\\Software\\Ostrana\\Tolvane99 V1.1]\n"
                                        "\"SongTempDir\"=\"C:\\\\Temp\"\n\"Empty\"=\"\"\n"));
    FileRegistry again(path);
    EXPECT_EQ(Read(again, HKey::CurrentUser, "software\\OSTRANA\\tolvane99 v1.1", "SONGTEMPDIR"),
              "C:\\Temp");
    EXPECT_EQ(Read(again, HKey::CurrentUser, kKey, "Empty"), "");
    EXPECT_EQ(Read(again, HKey::ClassesRoot, command, ""), "player.exe /play \"%1\"");
    EXPECT_EQ(Read(again, HKey::LocalMachine, command, ""), "<missing>");
    // The system's values are seeded only where missing.
    const QString version = "Software\\Microsoft\\Windows\\CurrentVersion";
    again.Set(HKey::LocalMachine, version, "Version", "Windows 95");
    Registry::SeedSystemValues(again);
    EXPECT_EQ(Read(again, HKey::LocalMachine, version, "Version"), "Windows 95");
}

QByteArray Utf16(const QString& text, QStringConverter::Encoding encoding, bool bom)
{
    QStringEncoder encoder(encoding, bom ? QStringConverter::Flag::WriteBom
                                         : QStringConverter::Flag::Default);
    return encoder.encode(text);
}

class FileRegistryTest : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath("registry.reg"); }
    QString value(const QString& name) const
    {
        return Read(FileRegistry(path()), HKey::CurrentUser, kKey, name);
    }
    // Records what the registry tells, as "failed <path>" / "aside <path> <kept as>".
    void Listen(Registry& registry)
    {
        registry.notices.Listen(
            [this](const QString& file, const QString& reason) {
                told.append("failed " + file);
                EXPECT_FALSE(reason.isEmpty());
            },
            [this](const QString& file, const QString& keptAs) {
                told.append("aside " + file + " " + keptAs);
            });
    }
    QTemporaryDir dir;
    QStringList told;
};

// A full disk leaves the file as it was; the value lives on in memory and is saved
// by the next save that succeeds.
TEST_F(FileRegistryTest, AFailedSaveKeepsTheFileAndTheValueInMemory)
{
    FileRegistry registry(path());
    Listen(registry);
    ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Volume", "1000"));
    const QByteArray before = ReadFile(path());
    {
        FullDisk full;
        EXPECT_FALSE(registry.Set(HKey::CurrentUser, kKey, "Volume", "300"));
        EXPECT_FALSE(registry.Set(HKey::CurrentUser, kKey, "SongTempDir", "C:\\Temp"));
    }
    EXPECT_EQ(told, QStringList({"failed " + path()}));
    EXPECT_EQ(ReadFile(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"registry.reg"}));
    EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Volume"), "300");
    EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "SongTempDir"), "C:\\Temp");
    // An edit from outside is seen, but not over the values still to be saved.
    QThread::msleep(20);
    ASSERT_TRUE(WriteFile(path(), "[HKEY_CURRENT_USER\\" + kKey.toUtf8() +
                                      "]\n\"Volume\"=\"5\"\n\"Other\"=\"o\"\n"));
    EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Volume"), "300");
    EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Other"), "o");

    ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Mode", "1"));
    EXPECT_EQ(value("Other"), "o");
    EXPECT_EQ(value("Volume"), "300");
    EXPECT_EQ(value("SongTempDir"), "C:\\Temp");
    EXPECT_EQ(value("Mode"), "1");

    // After a save that succeeded, the next failure is told again.
    {
        FullDisk full;
        EXPECT_FALSE(registry.Set(HKey::CurrentUser, kKey, "Mode", "2"));
    }
    EXPECT_EQ(told.size(), 2);
    EXPECT_EQ(value("Mode"), "1");
}

// What the Windows registry editor exports (UTF-16 with a byte-order mark and CR LF),
// UTF-8 with or without the mark, and lines in Big5 among UTF-8 ones all read; a save
// writes UTF-8 again.
TEST_F(FileRegistryTest, ReadsUtf16Utf8AndBig5LinesAndSavesUtf8)
{
    const QString text = "Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\" +
                         kKey +
                         "]\r\n"
                         "\"SongTempDir\"=\"C:\\\\Temp\"\r\n"
                         "\"Title\"=\"中文光碟\"\r\n"
                         "@=\"預設\"\r\n";
    QByteArray big5Title;
    ASSERT_TRUE(CodePage(950).TryEncode("\"Title\"=\"中文光碟\"", big5Title));
    QByteArray mixed = text.toUtf8();
    mixed.replace(QString("\"Title\"=\"中文光碟\"").toUtf8(), big5Title);
    const std::pair<const char*, QByteArray> cases[] = {
        {"UTF-16 LE", Utf16(text, QStringConverter::Utf16LE, true)},
        {"UTF-16 BE", Utf16(text, QStringConverter::Utf16BE, true)},
        {"UTF-16 LE without a mark", Utf16(text, QStringConverter::Utf16LE, false)},
        {"UTF-8", text.toUtf8()},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + text.toUtf8()},
        {"Big5 line", mixed}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteFile(path(), bytes));
        FileRegistry registry(path());
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "SongTempDir"), "C:\\Temp");
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Title"), "中文光碟");
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, ""), "預設");
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Volume", "500"));
        const QByteArray saved = ReadFile(path());
        EXPECT_TRUE(CodePage::IsValidUtf8(saved));
        EXPECT_TRUE(saved.contains(QString("\"Title\"=\"中文光碟\"").toUtf8()));
        EXPECT_EQ(value("SongTempDir"), "C:\\Temp");
        EXPECT_EQ(value("Title"), "中文光碟");
        EXPECT_EQ(value("Volume"), "500");
        EXPECT_FALSE(QFile::exists(path() + ".unreadable"));
    }
}

// A quote left open or a path ending in a backslash, as typed by hand, keeps its
// text up to the end of the line; single backslashes stay.
TEST_F(FileRegistryTest, HandTypedValuesKeepTheirText)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"\"SongTempDir\"=\"C:\\Temp\\\"", "C:\\Temp\\"},
        {"\"SongTempDir\"=\"C:\\Temp\\\"\r", "C:\\Temp\\"},
        {"\"SongTempDir\"=\"C:\\Temp", "C:\\Temp"},
        {"\"SongTempDir\" = \"D:\\Songs\\Old", "D:\\Songs\\Old"},
        {"\"SongTempDir\"=\"C:\\Temp\\Music\"", "C:\\Temp\\Music"},
        {"\"SongTempDir\"=\"C:\\\\Temp\"", "C:\\Temp"},
        {"\"SongTempDir\"=\"say \\\"hi\\\"\"", "say \"hi\""},
        {"\"SongTempDir\" = \"x\\\"y\\nz\"", "x\"y\nz"}};
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_TRUE(WriteFile(path(), "[HKEY_CURRENT_USER\\" + kKey.toUtf8() + "]\n" + line +
                                          "\n\"Next\"=\"1\"\n"));
        FileRegistry registry(path());
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "SongTempDir"), expected);
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Next"), "1");
        // Saved in the program's own form, the value reads back the same.
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Next", "2"));
        EXPECT_EQ(value("SongTempDir"), expected);
    }
}

// A file of which not one key or value reads is set aside, never overwritten; the
// ones set aside before stay.
TEST_F(FileRegistryTest, AnUnreadableFileIsSetAsideBeforeDefaultsAreWritten)
{
    const QByteArray garbage("\x00\x01\xff\xfe\x80\x81garbage\x00\xa0", 13);
    const QByteArray words = "this is not a registry file\nnor is this\n";
    ASSERT_TRUE(WriteFile(path(), garbage));
    {
        // Told when the program listens, which is after the first read.
        FileRegistry registry(path());
        Registry::SeedSystemValues(registry);
        EXPECT_TRUE(told.isEmpty());
        Listen(registry);
    }
    EXPECT_EQ(told, QStringList({"aside " + path() + " " + path() + ".unreadable"}));
    EXPECT_EQ(ReadFile(path() + ".unreadable"), garbage);
    EXPECT_TRUE(ReadFile(path()).contains("\"Version\"=\"Windows 98\""));

    ASSERT_TRUE(WriteFile(path(), words));
    {
        FileRegistry registry(path());
        Listen(registry);
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Volume", "700"));
    }
    EXPECT_EQ(told.last(), "aside " + path() + " " + path() + ".unreadable2");
    EXPECT_EQ(ReadFile(path() + ".unreadable"), garbage);
    EXPECT_EQ(ReadFile(path() + ".unreadable2"), words);
    EXPECT_EQ(value("Volume"), "700");

    // A folder in the file's place cannot be read either.
    QFile::remove(path());
    ASSERT_TRUE(QDir(dir.path()).mkdir("registry.reg"));
    {
        FileRegistry registry(path());
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Volume", "800"));
    }
    EXPECT_TRUE(QFileInfo(path() + ".unreadable3").isDir());
    EXPECT_EQ(value("Volume"), "800");

    // Empty files and files of comments alone are not unreadable.
    told.clear();
    for (const QByteArray& bytes : {QByteArray(""), QByteArray("; only a comment\r\n\r\n")}) {
        ASSERT_TRUE(WriteFile(path(), bytes));
        FileRegistry registry(path());
        Listen(registry);
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Volume", "900"));
        EXPECT_FALSE(QFile::exists(path() + ".unreadable4"));
    }
    EXPECT_TRUE(told.isEmpty());
}

// Lines the program cannot read are never written back; the file as it was is kept
// beside it before the first save drops them. On a full disk that copy cannot be made:
// nothing is saved over them, and the copy is made with the next save that can.
TEST_F(FileRegistryTest, UnreadableLinesAreKeptInACopyAndNotWrittenBack)
{
    const QByteArray before = "[HKEY_CURRENT_USER\\" + kKey.toUtf8() +
                              "]\r\n\"Volume\"=dword:000003e8\r\n\"Bad\"=\"\x80\xff\"\r\n"
                              "garbage line\r\n\"Mode\"=\"1\"\r\n";
    for (bool fullFirst : {false, true}) {
        SCOPED_TRACE(fullFirst ? "full disk first" : "saved at once");
        QFile::remove(path() + ".unreadable");
        told.clear();
        ASSERT_TRUE(WriteFile(path(), before));
        FileRegistry registry(path());
        Listen(registry);
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Mode"), "1");
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Volume"), "<missing>");
        EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Bad"), "<missing>");
        EXPECT_EQ(ReadFile(path()), before); // reading alone changes nothing
        EXPECT_TRUE(told.isEmpty());
        if (fullFirst) {
            {
                FullDisk full;
                EXPECT_FALSE(registry.Set(HKey::CurrentUser, kKey, "Mode", "2"));
            }
            EXPECT_EQ(ReadFile(path()), before);
            EXPECT_FALSE(QFile::exists(path() + ".unreadable"));
            EXPECT_EQ(told, QStringList({"failed " + path()}));
            EXPECT_EQ(Read(registry, HKey::CurrentUser, kKey, "Mode"), "2");
            told.clear();
        }
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, fullFirst ? "Other" : "Mode", "2"));
        EXPECT_EQ(told, QStringList({"aside " + path() + " " + path() + ".unreadable"}));
        EXPECT_EQ(ReadFile(path() + ".unreadable"), before);
        const QByteArray saved = ReadFile(path());
        for (const char* dropped : {"Volume", "Bad", "garbage"})
            EXPECT_FALSE(saved.contains(dropped)) << dropped;
        EXPECT_EQ(value("Mode"), "2");
        // Once the copy is made, later saves make no more.
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, kKey, "Mode", "3"));
        EXPECT_FALSE(QFile::exists(path() + ".unreadable2"));
        EXPECT_EQ(told.size(), 1);
    }
}

} // namespace
