#include "app/Startup.h"
#include "app/FrmReadme.h"
#include "app/FrmTemp.h"
#include "app/Player.h"
#include "fakes/FakePlatform.h"
#include "platform/ProfileFile.h"
#include "playback/PlaybackState.h"
#include "playback/TimeDisplay.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"
#include "ui/MenuActions.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QString kLog = "C:\\Tolvane99\\TL99.log";

// Log lines without their time stamps; the date line and the entry line go first.
QStringList LogTexts(const FakePlatform& fake)
{
    QStringList texts;
    for (const QString& line : fake.ReadLines(kLog))
        texts.append(line.mid(9));
    return texts;
}

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The user closes the read-me window with "do not show again" ticked.
        fake.clock.onWait = [this] {
            player->Readme().Check1->setChecked(true);
            player->Readme().Command1Click();
        };
    }
    void Run(MciWindow* video = nullptr)
    {
        player = std::make_unique<Player>(fake.platform);
        if (video)
            player->UseVideoControls(*video, *video);
        startup = std::make_unique<Startup>(*player);
        startup->Main();
    }
    QString Registry(HKey root, const QString& key, const QString& name)
    {
        QString value = "<missing>";
        fake.registry.Query(root, key, name, value);
        return value;
    }

    FakePlatform fake;
    std::unique_ptr<Player> player;
    std::unique_ptr<Startup> startup;
};

TEST_F(StartupTest, NormalStartAndExitLeaveTheLogInOrder)
{
    Run();
    ASSERT_FALSE(player->Ended());
    startup->CloseForm();
    EXPECT_TRUE(player->Ended());
    EXPECT_EQ(fake.process.ends, QList<int>({0}));
    QStringList texts = LogTexts(fake);
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(fake.ReadLines(kLog)[1], "09:05:03 進入Tolvane99 V1.1.400");
    // The start-up lines in their order; skin loading adds its own lines in between.
    QStringList spine = {"設定參數",
                         "開啟說明畫面",
                         "結束說明畫面",
                         "檢查面板目錄",
                         "設定面板選單",
                         "讀取設定",
                         "物件初始化",
                         "開始載入面板及按鈕",
                         "面板及按鈕載入完成",
                         "參數設定",
                         "進入主程式",
                         "儲存個人參數",
                         "關閉媒體控制介面",
                         "釋放所有物件",
                         "退出Tolvane99 V1.1.400",
                         "不正常關閉Tolvane99 V1.1.400"};
    QStringList found;
    for (const QString& text : texts.mid(2)) {
        if (spine.contains(text))
            found.append(text);
    }
    EXPECT_EQ(found, spine);
    EXPECT_EQ(texts.mid(texts.size() - 6),
              QStringList({"進入主程式", "儲存個人參數", "關閉媒體控制介面", "釋放所有物件",
                           "退出Tolvane99 V1.1.400", "不正常關閉Tolvane99 V1.1.400"}));
    // Between the skin lines stand the loading of the default skin and its buttons.
    qsizetype from = texts.indexOf("開始載入面板及按鈕");
    ASSERT_GE(from, 0);
    EXPECT_EQ(texts[from + 1], "開始載入面板-C:\\Tolvane99\\Desk\\Tolvan.JPG");
    EXPECT_EQ(texts.indexOf("面板及按鈕載入完成") - texts.indexOf("開始載入按鈕"), 31);
    // The log is Big5, not UTF-8.
    QByteArray bytes = fake.ReadBytes(kLog);
    QByteArray big5;
    ASSERT_TRUE(CodePage(950).TryEncode("進入主程式", big5));
    EXPECT_TRUE(bytes.contains(big5));
    EXPECT_FALSE(bytes.contains(QString("進入主程式").toUtf8()));
}

TEST_F(StartupTest, ExitStopsAndClosesTheAudioCdAndAbnormalCloseDoesItAgain)
{
    Run();
    fake.mci.ClearSent();
    startup->CloseForm();
    // The orderly exit's stop, then the taskbar window's reset, which lays the number
    // pad out again.
    EXPECT_EQ(fake.mci.Sent(),
              QStringList({"Stop CDAudio wait", "close CDAudio wait", "Stop CDAudio wait",
                           "close CDAudio wait", "Set CDAudio time format tmsf "}));
    EXPECT_EQ(player->device.TrackCount, 0);
}

TEST_F(StartupTest, ReadMeIsShownOnceUntilTheUserAsksNotTo)
{
    Run();
    EXPECT_EQ(fake.clock.waits, 1);
    EXPECT_EQ(player->settings.GetUserSetting("ReadMe"), "1");
    startup->CloseForm();

    FakeClock& clock = fake.clock;
    clock.waits = 0;
    Run();
    EXPECT_EQ(clock.waits, 0);
    EXPECT_FALSE(LogTexts(fake).contains("開啟說明畫面"));
    // The second start truncated the first run's log.
    EXPECT_EQ(LogTexts(fake).count("設定參數"), 1);
}

TEST_F(StartupTest, MciEntriesAreWrittenIntoTheWindowsFolder)
{
    Run();
    QString system = fake.LocalPath("C:\\.local\\share\\tolvane99\\WINDOWS\\SYSTEM.INI");
    QString win = fake.LocalPath("C:\\.local\\share\\tolvane99\\WINDOWS\\WIN.INI");
    EXPECT_EQ(ProfileFile().GetString(system, "mci", "MPEGVideo", ""), "mciqtz.drv");
    EXPECT_EQ(ProfileFile().GetString(system, "mci", "CDIVideo", ""), "mciqtz.drv");
    EXPECT_EQ(ProfileFile().GetString(win, "mci extensions", "dat", ""), "MPEGVideo");
    EXPECT_EQ(ProfileFile().GetString(win, "mci extensions", "mpg", ""), "MPEGVideo");
}

TEST_F(StartupTest, NoSkinEndsTheProgramWithAMessageNamingTheFolder)
{
    QFile::remove(fake.LocalPath("C:\\Tolvane99\\Skin\\Ocean.jpg"));
    Run();
    EXPECT_TRUE(player->Ended());
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt,
              "找不到任何面板,請將面板放在\r\nC:\\Tolvane99\\Skin目錄下");
    EXPECT_EQ(fake.prompter.shown[0].caption, "Error Message");
    EXPECT_EQ(fake.prompter.beeps, 1);
    EXPECT_EQ(LogTexts(fake).mid(LogTexts(fake).size() - 2),
              QStringList({"檢查面板目錄", "找不到面板?"}));
    EXPECT_FALSE(player->Vcd().isVisible());
}

TEST_F(StartupTest, ASecondCopyActivatesTheFirstAndLeavesOnlyTheMciEntries)
{
    fake.instance.otherRunning = true;
    fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", "cdplay %1");
    fake.registry.writes.clear();
    Run();
    EXPECT_TRUE(player->Ended());
    EXPECT_TRUE(fake.instance.activated);
    EXPECT_FALSE(fake.instance.claimed);
    EXPECT_TRUE(fake.registry.writes.isEmpty());
    EXPECT_FALSE(fake.files.FileExists(kLog));
    EXPECT_TRUE(fake.files.FileExists("C:\\.local\\share\\tolvane99\\WINDOWS\\WIN.INI"));
    EXPECT_EQ(Registry(HKey::ClassesRoot, Startup::AutoPlayKey(), ""), "cdplay %1");
}

TEST_F(StartupTest, AutoPlayIsSuspendedAndGivenBack)
{
    fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", "cdplay /play %1");
    Run();
    EXPECT_TRUE(fake.instance.claimed);
    EXPECT_EQ(Registry(HKey::ClassesRoot, Startup::AutoPlayKey(), ""), "");
    EXPECT_EQ(Registry(HKey::LocalMachine, Startup::SavedAutoPlayKey(), "AudioCD"),
              "cdplay /play %1");
    startup->CloseForm();
    EXPECT_EQ(Registry(HKey::ClassesRoot, Startup::AutoPlayKey(), ""), "cdplay /play %1");
}

TEST_F(StartupTest, AnEmptyAutoPlayKeepsTheCommandSavedEarlier)
{
    fake.registry.Set(HKey::LocalMachine, Startup::SavedAutoPlayKey(), "AudioCD", "saved %1");
    fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", "");
    Run();
    EXPECT_EQ(Registry(HKey::LocalMachine, Startup::SavedAutoPlayKey(), "AudioCD"), "saved %1");
    startup->CloseForm();
    EXPECT_EQ(Registry(HKey::ClassesRoot, Startup::AutoPlayKey(), ""), "saved %1");
}

TEST_F(StartupTest, TheTaskbarWindowsCloseIsTheAbnormalExit)
{
    fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", "cdplay %1");
    Run();
    player->Temp().close();
    EXPECT_TRUE(player->Ended());
    EXPECT_EQ(LogTexts(fake).last(), "不正常關閉Tolvane99 V1.1.400");
    EXPECT_FALSE(LogTexts(fake).contains("儲存個人參數"));
    // No settings saved, autoplay not given back.
    EXPECT_EQ(player->settings.GetUserSetting("Width", "none"), "none");
    EXPECT_EQ(Registry(HKey::ClassesRoot, Startup::AutoPlayKey(), ""), "");
}

TEST_F(StartupTest, TheWindowShowsTheSkinAndTheStartState)
{
    Run();
    FrmVCD& vcd = player->Vcd();
    EXPECT_TRUE(vcd.isVisible());
    // No skin chosen yet: the default picture, at its own size.
    EXPECT_EQ(vcd.size(), QSize(64, 48));
    EXPECT_EQ(player->app.CurrentSkinPicture, "C:\\Tolvane99\\Desk\\Tolvan.JPG");
    EXPECT_EQ(vcd.Label1->text(), "c:自動搜尋關閉中,請按光碟鈕開始搜尋");
    EXPECT_EQ(vcd.Label3[1]->pos(), vcd.Label3[0]->pos() + QPoint(1, 1));
    FrmTemp& temp = player->Temp();
    EXPECT_TRUE(temp.isVisible());
    EXPECT_EQ(temp.pos(), QPoint(-temp.width() - 2, -temp.height() - 2));
    // Only its taskbar button shows, and the main window stays as it is.
    EXPECT_TRUE(temp.isMinimized());
    EXPECT_FALSE(vcd.isMinimized());
    // Restored from the taskbar, it shows the main window and goes back.
    vcd.hide();
    temp.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(vcd.isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(temp.isMinimized());
    EXPECT_FALSE(vcd.isMinimized());
    EXPECT_FALSE(player->Menu().mCutBmp->isEnabled());
    EXPECT_FALSE(player->Menu().mCutBmp1->isEnabled());
    EXPECT_EQ(player->Menu().mDiskC.size(), 2);
    EXPECT_EQ(player->Menu().mDiskC[1]->text(), "z:");
    EXPECT_EQ(player->app.CaptureFileName, "c:\\Temp\\Cut0000.BMP");
    EXPECT_FALSE(player->playback.TimeBusy);
    EXPECT_EQ(player->app.WindowsVersion, "");
}

TEST_F(StartupTest, SongsPlayedAtStartLeaveTheNumberKeysTheirOwnColours)
{
    const QString music = fake.dir.path() + "/music";
    QDir().mkpath(music + "/album");
    for (const char* name : {"/album/a.mp3", "/album/b.mp3"}) {
        QFile song(music + name);
        ASSERT_TRUE(song.open(QIODevice::WriteOnly));
    }
    fake.drives.Add({'E', music, kDriveFixed});
    Settings settings(fake.registry);
    settings.SaveUserSetting("DiskName", "E:");
    settings.SaveUserSetting("ScanType2", "True");
    settings.SaveUserSetting("ScanType3", "False");
    FakeMciWindow video;
    video.deviceName = "MPEGVideo";
    video.onFileName = [&](const QString&) {
        video.mode = "playing";
        video.length = 5000;
    };
    Run(&video);
    ASSERT_TRUE(LogTexts(fake).contains("播放-e:\\album\\a.mp3"));
    player->Time().ShowTime();
    const QColor green(0, 255, 0);
    EXPECT_EQ(player->Vcd().LabNum[0]->palette().color(QPalette::WindowText), green);
    EXPECT_NE(player->app.LabNumColors[0], green);
}

TEST_F(StartupTest, DriveMenuHasOneEntryPerDriveAndChecksTheCurrentOne)
{
    QDir().mkpath(fake.dir.path() + "/floppy");
    fake.drives.Add({'A', fake.dir.path() + "/floppy", kDriveFixed});
    fake.drives.Add({'D', fake.dir.path() + "/no-disc", kDriveCdrom});
    Run();
    const FrmMenu& menu = player->Menu();
    QStringList captions;
    for (const QAction* drive : menu.mDiskC)
        captions.append(drive->text());
    EXPECT_EQ(captions, QStringList({"a:", "c:", "d:", "z:"}));
    player->device.CdromDrive = "D:";
    MenuActions(*player).ChkMenu(0, QPoint(10, 10));
    QStringList checked;
    for (const QAction* drive : menu.mDiskC)
        if (drive->isChecked())
            checked.append(drive->text());
    EXPECT_EQ(checked, QStringList{"d:"});
    menu.mdisk->close();
}

TEST_F(StartupTest, SettingsWrittenAtExitComeBackAtTheNextStart)
{
    fake.registry.Set(HKey::LocalMachine, Startup::VersionKey(), "Version", "Windows 98");
    player = std::make_unique<Player>(fake.platform);
    player->settings.SaveUserSetting("DeskPic", "C:\\Tolvane99\\Skin\\Ocean.jpg");
    player->settings.SaveUserSetting("Volume", "640");
    Run();
    EXPECT_EQ(player->app.WindowsVersion, "Windows 98");
    EXPECT_EQ(player->Vcd().size(), QSize(80, 60));
    player->app.VideoWidth = 420;
    startup->CloseForm();
    EXPECT_EQ(player->settings.GetUserSetting("Width"), "420");
    Run();
    EXPECT_EQ(player->app.VideoWidth, 420);
    EXPECT_EQ(player->playback.Volume, 640);
    EXPECT_EQ(player->app.CurrentSkinPicture, "C:\\Tolvane99\\Skin\\Ocean.jpg");
}

} // namespace
