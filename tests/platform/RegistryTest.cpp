#include "platform/Registry.h"
#include "VcdFixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

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
    const QString key = "Software\\Ostrana\\Tolvane99 V1.1";
    const QString command = "AudioCD\\shell\\play\\command";
    {
        FileRegistry registry(path);
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, key, "SongTempDir", "C:\\Temp"));
        ASSERT_TRUE(registry.Set(HKey::CurrentUser, key, "Empty", ""));
        ASSERT_TRUE(registry.Set(HKey::ClassesRoot, command, "", "player.exe /play \"%1\""));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll())
                    .contains("[HKEY_CURRENT_USER\\Software\\Ostrana\\Tolvane99 V1.1]\n"
                              "\"SongTempDir\"=\"C:\\\\Temp\"\n\"Empty\"=\"\"\n"));
    FileRegistry again(path);
    EXPECT_EQ(Read(again, HKey::CurrentUser, "software\\OSTRANA\\tolvane99 v1.1", "SONGTEMPDIR"),
              "C:\\Temp");
    EXPECT_EQ(Read(again, HKey::CurrentUser, key, "Empty"), "");
    EXPECT_EQ(Read(again, HKey::ClassesRoot, command, ""), "player.exe /play \"%1\"");
    EXPECT_EQ(Read(again, HKey::LocalMachine, command, ""), "<missing>");
}

TEST(FileRegistry, EditsFromOutsideAreSeenAndBadLinesSkipped)
{
    QTemporaryDir dir;
    QString path = dir.path() + "/registry.reg";
    FileRegistry registry(path);
    registry.Set(HKey::CurrentUser, "K", "a", "1");
    QThread::msleep(20);
    ASSERT_TRUE(WriteFile(path,
                          "[HKEY_CURRENT_USER\\K]\n\"a\"=\"2\"\ngarbage line\n\"b\"=unquoted\n"
                          "\"c\" = \"x\\\"y\\nz\"\n@=\"dflt\"\n"));
    EXPECT_EQ(Read(registry, HKey::CurrentUser, "K", "a"), "2");
    EXPECT_EQ(Read(registry, HKey::CurrentUser, "K", "b"), "<missing>");
    EXPECT_EQ(Read(registry, HKey::CurrentUser, "K", "c"), "x\"y\nz");
    EXPECT_EQ(Read(registry, HKey::CurrentUser, "K", ""), "dflt");
}

TEST(Registry, SeedsTheWindowsVersionOnlyWhenMissing)
{
    QTemporaryDir dir;
    FileRegistry registry(dir.path() + "/r.reg");
    const QString key = "Software\\Microsoft\\Windows\\CurrentVersion";
    Registry::SeedSystemValues(registry);
    EXPECT_EQ(Read(registry, HKey::LocalMachine, key, "Version"), "Windows 98");
    registry.Set(HKey::LocalMachine, key, "Version", "Windows 95");
    Registry::SeedSystemValues(registry);
    EXPECT_EQ(Read(registry, HKey::LocalMachine, key, "Version"), "Windows 95");
}

} // namespace
