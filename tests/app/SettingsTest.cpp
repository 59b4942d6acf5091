#include "app/Settings.h"
#include "app/Ini.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

using namespace tolvane;

TEST(Settings, StoredFormsDefaultsAndKeysWithoutCase)
{
    FakePlatform fake;
    Settings settings(fake.registry);
    // A missing key gives the default, but an empty value stays empty.
    EXPECT_EQ(settings.GetUserSetting("SongTempDir", "C:\\Temp"), "C:\\Temp");
    settings.SaveUserSetting("SongTempDir", "");
    EXPECT_EQ(settings.GetUserSetting("SongTempDir", "C:\\Temp"), "");
    settings.SaveUserSetting("Volume", 800);
    settings.SaveUserSetting("ScanType1", true);
    settings.SaveUserSetting("CutDelay", 1.5);
    EXPECT_EQ(settings.GetUserSetting("VOLUME", 1000), "800");
    EXPECT_EQ(settings.GetUserSetting("scantype1", false), "True");
    EXPECT_EQ(settings.GetUserSetting("ScanType2", false), "False");
    EXPECT_EQ(settings.GetUserSetting("CutDelay"), "1.5");
    QString raw;
    EXPECT_TRUE(
        fake.registry.Query(HKey::CurrentUser, "Software\\Ostrana\\Tolvane99 V1.1", "Volume", raw));
}

TEST(Ini, ReadsTrimTrailingBlanksAndMissingGivesEmpty)
{
    FakePlatform fake;
    Ini ini(fake.files);
    ini.IniFile = "C:\\Tolvane99\\Skin\\Button.ini";
    EXPECT_EQ(ini.ReadIni("Button", "Left"), "");
    ini.WriteIni("Button", "Left", "12   ");
    EXPECT_EQ(ini.ReadIni("BUTTON", "left"), "12");
    ini.IniFile = "C:\\Tolvane99\\Skin\\Other.ini";
    EXPECT_EQ(ini.ReadIni("Button", "Left"), "");
    // A file in a folder that does not exist is not created and nothing fails.
    ini.IniFile = "C:\\No\\Such\\x.ini";
    ini.WriteIni("a", "b", "c");
    EXPECT_FALSE(fake.files.FileExists("C:\\No\\Such\\x.ini"));
}
