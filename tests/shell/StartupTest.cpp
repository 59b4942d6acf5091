#include "shell/Startup.h"
#include "app/PlaybackState.h"
#include "fakes/FakePlatform.h"
#include "forms/FrmMenu.h"
#include "forms/FrmReadme.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "platform/ProfileFile.h"
#include "playback/TimeDisplay.h"
#include "shell/Player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QString kLog = "C:\\Tolvane99\\TL99.log";

// Songs in two albums on E:, scanned at the start, and a video control that opens them.
void MusicOnE(FakePlatform& fake, FakeMciWindow& video)
{
    const QString music = fake.dir.path() + "/music";
    for (const char* name : {"/album/a.mp3", "/album/b.mp3", "/other/c.mp3"}) {
        QDir().mkpath(QFileInfo(music + name).path());
        QFile(music + name).open(QIODevice::WriteOnly);
    }
    fake.drives.Add({'E', music, kDriveFixed});
    Settings settings(fake.registry);
    settings.SaveUserSetting("DiskName", "E:");
    settings.SaveUserSetting("ScanType2", "True");
    settings.SaveUserSetting("ScanType3", "False");
    video.deviceName = "MPEGVideo";
    video.onFileName = [&video](const QString& path) {
        video.mode = path.isEmpty() ? "stopped" : "playing";
        video.length = 5000;
    };
}

class StartupTest : public ::testing::Test
{
protected:
    void Run(MciWindow* video = nullptr, const QStringList& paths = {})
    {
        // The user closes the read-me window with "do not show again" ticked.
        fake.clock.onWait = [this] {
            player->forms.Readme().Check1->setChecked(true);
            player->forms.Readme().Command1Click();
        };
        player = std::make_unique<Player>(fake.platform);
        if (video)
            player->services.UseVideoControls(*video, *video);
        startup = std::make_unique<Startup>(*player, paths);
        startup->Main();
    }
    // The autoplay command in use, or the one saved to be given back.
    QString AutoPlay(bool saved = false)
    {
        QString value = "<missing>";
        if (saved)
            fake.registry.Query(HKey::LocalMachine, Startup::SavedAutoPlayKey(), "AudioCD", value);
        else
            fake.registry.Query(HKey::ClassesRoot, Startup::AutoPlayKey(), "", value);
        return value;
    }

    FakePlatform fake;
    std::unique_ptr<Player> player;
    std::unique_ptr<Startup> startup;
};

TEST_F(StartupTest, NormalStartAndExitLeaveTheLogInOrderAndCloseTheAudioCd)
{
    Run();
    ASSERT_FALSE(player->context.Ended());
    fake.mci.ClearSent();
    startup->CloseForm();
    // The orderly exit's stop, then the taskbar window's reset, which lays the number
    // pad out again.
    EXPECT_EQ(fake.mci.Sent(),
              QStringList({"Stop CDAudio wait", "close CDAudio wait", "Stop CDAudio wait",
                           "close CDAudio wait", "Set CDAudio time format tmsf "}));
    EXPECT_EQ(
        std::tuple(player->context.device.TrackCount, player->context.Ended(), fake.process.ends),
        std::tuple(0, true, QList<int>{0}));
    const QStringList texts = fake.LogTexts();
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(fake.ReadLines(kLog)[1], "09:05:03 進入Tolvane99 V1.1.400");
    // The start-up lines in their order; skin loading adds its own lines in between, and
    // the exit's lines end the log.
    const QStringList spine =
        QString("設定參數|開啟說明畫面|結束說明畫面|檢查面板目錄|設定面板選單|讀取設定|物件初始化|"
                "開始載入面板及按鈕|面板及按鈕載入完成|參數設定|進入主程式|儲存個人參數|"
                "關閉媒體控制介面|釋放所有物件|退出Tolvane99 V1.1.400|不正常關閉Tolvane99 V1.1.400")
            .split('|');
    QStringList found;
    std::copy_if(texts.begin() + 2, texts.end(), std::back_inserter(found),
                 [&](const QString& text) { return spine.contains(text); });
    EXPECT_EQ(found, spine);
    EXPECT_EQ(texts.mid(texts.size() - 6), spine.mid(10));
    // Between the skin lines stand the loading of the default skin and its buttons.
    EXPECT_EQ(texts.value(texts.indexOf("開始載入面板及按鈕") + 1),
              "開始載入面板-C:\\Tolvane99\\Desk\\Tolvan.JPG");
    EXPECT_EQ(texts.indexOf("面板及按鈕載入完成") - texts.indexOf("開始載入按鈕"), 31);
    // The log is Big5, not UTF-8: 進入主程式 in Big5.
    EXPECT_TRUE(fake.ReadBytes(kLog).contains("\xB6\x69\xA4\x4A\xA5\x44\xB5\x7B\xA6\xA1"));
}

TEST_F(StartupTest, ReadMeIsShownOnceUntilTheUserAsksNotTo)
{
    Run();
    EXPECT_EQ(std::tuple(fake.clock.waits, player->context.settings.GetUserSetting("ReadMe")),
              std::tuple(1, QString("1")));
    startup->CloseForm();

    fake.clock.waits = 0;
    Run();
    // The second start truncated the first run's log.
    EXPECT_EQ(std::tuple(fake.clock.waits, fake.LogTexts().contains("開啟說明畫面"),
                         fake.LogTexts().count("設定參數")),
              std::tuple(0, false, 1));
}

TEST_F(StartupTest, MciEntriesAreWrittenIntoTheWindowsFolder)
{
    Run();
    for (auto [file, section, key, value] :
         {std::tuple{"SYSTEM.INI", "mci", "MPEGVideo", "mciqtz.drv"},
          {"SYSTEM.INI", "mci", "CDIVideo", "mciqtz.drv"},
          {"WIN.INI", "mci extensions", "dat", "MPEGVideo"},
          {"WIN.INI", "mci extensions", "mpg", "MPEGVideo"}}) {
        const QString path =
            fake.LocalPath("C:\\.local\\share\\tolvane99\\WINDOWS\\" + QString(file));
        EXPECT_EQ(ProfileFile().GetString(path, section, key, ""), value) << key;
    }
}

TEST_F(StartupTest, NoSkinEndsTheProgramWithAMessageNamingTheFolder)
{
    QFile::remove(fake.LocalPath("C:\\Tolvane99\\Skin\\Ocean.jpg"));
    Run();
    EXPECT_TRUE(player->context.Ended());
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(std::tuple(fake.prompter.shown[0].prompt, fake.prompter.shown[0].caption,
                         fake.prompter.beeps),
              std::tuple(QString("找不到任何面板,請將面板放在\r\nC:\\Tolvane99\\Skin目錄下"),
                         QString("Error Message"), 1));
    EXPECT_EQ(fake.LogTexts().mid(fake.LogTexts().size() - 2),
              QStringList({"檢查面板目錄", "找不到面板?"}));
    EXPECT_FALSE(player->forms.Vcd().isVisible());
}

// A second copy leaves the running copy's log and autoplay command as they are, also
// when a logout ends it while it says why it leaves: it has nothing of its own to save.
TEST_F(StartupTest, ASecondCopyLeavesTheFirstItsStateAndSaysSoWhenItDoesNotAnswer)
{
    const char* silent = "執行中的Tolvane99 V1.1.400沒有回應";
    const char* busy =
        "Tolvane99 V1.1.400 已在執行中,但沒有回應。\r\n請先結束執行中的程式,再重新啟動。";
    // What the running copy does, the message and log line the new copy leaves, whether
    // an end signal comes while the message is up, and the new copy's first end.
    for (auto [running, message, logLine, signal, end] :
         {std::tuple{InstanceGuard::Running::Activated, "", "", false, 0},
          {InstanceGuard::Running::NoAnswer, busy, silent, false, 1},
          {InstanceGuard::Running::NoAnswer, busy, silent, true, 0}}) {
        SCOPED_TRACE(std::string(message) + (signal ? " signal" : ""));
        fake.files.Remove(kLog);
        fake.prompter.shown.clear();
        fake.process.ends.clear();
        fake.prompter.onShown = [this, signal] {
            if (signal)
                startup->EndRequested("SIGTERM");
        };
        fake.instance.running = running;
        fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", "cdplay %1");
        fake.registry.Set(HKey::LocalMachine, Startup::SavedAutoPlayKey(), "AudioCD", "saved %1");
        fake.registry.writes.clear();
        Run();
        EXPECT_EQ(std::tuple(player->context.Ended(), fake.instance.activated,
                             fake.instance.claimed, fake.registry.writes, AutoPlay()),
                  std::tuple(true, true, false, QStringList(), QString("cdplay %1")));
        EXPECT_EQ(fake.process.ends.value(0, -1), end);
        EXPECT_TRUE(fake.files.FileExists("C:\\.local\\share\\tolvane99\\WINDOWS\\WIN.INI"));
        QStringList shown;
        for (const auto& box : fake.prompter.shown)
            shown << box.prompt;
        EXPECT_EQ(shown, *message ? QStringList{message} : QStringList());
        // The running copy's log is never started over; a copy that did not answer gets
        // a line of why the new one left.
        EXPECT_EQ(fake.LogTexts(), *logLine ? QStringList{logLine} : QStringList());
    }
}

// What a copy is started with goes to the copy running; the first copy plays it in
// place of the start's search, on the device the settings name.
TEST_F(StartupTest, PathsGivenAtStartGoToTheRunningCopyOrArePlayedInsteadOfTheSearch)
{
    const QStringList paths = {fake.dir.path() + "/music/other/c.mp3"};
    fake.instance.running = InstanceGuard::Running::Activated;
    Run(nullptr, paths);
    EXPECT_EQ(std::tuple(player->context.Ended(), fake.instance.handed), std::tuple(true, paths));

    fake.instance.running = InstanceGuard::Running::None;
    FakeMciWindow video;
    MusicOnE(fake, video);
    Settings(fake.registry).SaveUserSetting("AutoPlay", "1");
    Run(&video, paths);
    ASSERT_FALSE(player->context.Ended());
    const QStringList texts = fake.LogTexts();
    EXPECT_TRUE(texts.contains("播放-E:\\other\\c.mp3"));
    EXPECT_FALSE(texts.contains("檢查是否是VCD"));
    EXPECT_EQ(
        std::tuple(player->context.device.CdromDrive.toUpper(), player->context.device.AlbumDirs),
        std::tuple(QString("E:"), QStringList{"E:\\other\\c.mp3"}));
    // Without paths the start searches as before.
    startup->CloseForm();
    Run(&video);
    EXPECT_TRUE(fake.LogTexts().contains("檢查是否是VCD"));
}

TEST_F(StartupTest, AutoPlayIsSuspendedAndGivenBackAndAnEmptyOneKeepsTheSavedCommand)
{
    // The saved command before the start, the autoplay one, and what the exit gives back.
    for (auto [savedBefore, before, given] :
         {std::tuple{"", "cdplay /play %1", "cdplay /play %1"}, {"saved %1", "", "saved %1"}}) {
        SCOPED_TRACE(before);
        if (*savedBefore)
            fake.registry.Set(HKey::LocalMachine, Startup::SavedAutoPlayKey(), "AudioCD",
                              savedBefore);
        fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", before);
        Run();
        EXPECT_EQ(std::tuple(fake.instance.claimed, AutoPlay(), AutoPlay(true)),
                  std::tuple(true, QString(""), QString(given)));
        startup->CloseForm();
        EXPECT_EQ(AutoPlay(), given);
    }
}

TEST_F(StartupTest, TheTaskbarWindowsCloseIsTheAbnormalExit)
{
    fake.registry.Set(HKey::ClassesRoot, Startup::AutoPlayKey(), "", "cdplay %1");
    Run();
    player->forms.Temp().close();
    EXPECT_EQ(std::tuple(player->context.Ended(), fake.LogTexts().last(),
                         fake.LogTexts().contains("儲存個人參數")),
              std::tuple(true, QString("不正常關閉Tolvane99 V1.1.400"), false));
    // No settings saved, autoplay not given back.
    EXPECT_EQ(std::tuple(player->context.settings.GetUserSetting("Width", "none"), AutoPlay()),
              std::tuple(QString("none"), QString("")));
}

TEST_F(StartupTest, TheWindowShowsTheSkinAndTheStartState)
{
    Run();
    FrmVCD& vcd = player->forms.Vcd();
    // No skin chosen yet: the default picture, at its own size.
    EXPECT_EQ(std::tuple(vcd.isVisible(), vcd.size(), player->context.app.CurrentSkinPicture),
              std::tuple(true, QSize(64, 48), QString("C:\\Tolvane99\\Desk\\Tolvan.JPG")));
    EXPECT_EQ(vcd.Label1->text(), "c:自動搜尋關閉中,請按光碟鈕開始搜尋");
    EXPECT_EQ(vcd.Label3[1]->pos(), vcd.Label3[0]->pos() + QPoint(1, 1));
    // Only the taskbar window's button shows, and the main window stays as it is.
    FrmTemp& temp = player->forms.Temp();
    EXPECT_EQ(std::tuple(temp.isVisible(), temp.pos(), temp.isMinimized(), vcd.isMinimized()),
              std::tuple(true, QPoint(-temp.width() - 2, -temp.height() - 2), true, false));
    // Restored from the taskbar, it shows the main window and goes back.
    vcd.hide();
    temp.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(vcd.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(temp.isMinimized(), vcd.isMinimized()), std::tuple(true, false));
    const FrmMenu& menu = player->forms.Menu();
    EXPECT_EQ(std::tuple(menu.mCutBmp->isEnabled(), menu.mCutBmp1->isEnabled(),
                         player->context.app.CaptureFileName, player->context.playback.TimeBusy),
              std::tuple(false, false, QString("c:\\Temp\\Cut0000.BMP"), false));
    // A display change measures the screen again.
    player->context.skin.ScreenWidth = 1;
    Q_EMIT fake.events.DisplayChanged();
    EXPECT_EQ(player->context.skin.ScreenHeight, vcd.screen()->geometry().height());
    EXPECT_GT(player->context.skin.ScreenWidth, 1);
}

TEST_F(StartupTest, SongsPlayedAtStartLeaveTheNumberKeysTheirOwnColours)
{
    FakeMciWindow video;
    MusicOnE(fake, video);
    Run(&video);
    ASSERT_TRUE(fake.LogTexts().contains("播放-e:\\album\\a.mp3"));
    player->services.Time().ShowTime();
    const QColor green(0, 255, 0);
    EXPECT_EQ(player->forms.Vcd().LabNum[0]->palette().color(QPalette::WindowText), green);
    EXPECT_NE(player->context.app.LabNumColors[0], green);
}

TEST_F(StartupTest, DriveMenuHasOneEntryPerDrive)
{
    QDir().mkpath(fake.dir.path() + "/floppy");
    fake.drives.Add({'A', fake.dir.path() + "/floppy", kDriveFixed});
    fake.drives.Add({'D', fake.dir.path() + "/no-disc", kDriveCdrom});
    Run();
    QStringList captions;
    for (const QAction* drive : player->forms.Menu().mDiskC)
        captions << drive->text();
    EXPECT_EQ(captions, QStringList({"a:", "c:", "d:", "z:"}));
}

// An end asked for while the read-me window waits, before the start has read the
// settings: the exit must not save the windows' defaults over them.
TEST_F(StartupTest, AnExitBeforeTheSettingsAreReadKeepsThem)
{
    Settings(fake.registry).SaveUserSetting("Width", "420");
    player = std::make_unique<Player>(fake.platform);
    startup = std::make_unique<Startup>(*player);
    fake.clock.onWait = [this] { startup->CloseForm(); };
    startup->Main();
    EXPECT_TRUE(player->context.Ended());
    EXPECT_EQ(fake.process.ends, QList<int>({0}));
    EXPECT_EQ(Settings(fake.registry).GetUserSetting("Width"), "420");
    EXPECT_FALSE(fake.LogTexts().contains("儲存個人參數"));
    EXPECT_TRUE(fake.LogTexts().contains("退出Tolvane99 V1.1.400"));
}

// The window closed again while the exit stops the media (events run inside the
// engine's close): one exit, one save.
TEST_F(StartupTest, ACloseDuringTheExitIsTheSameExit)
{
    FakeMciWindow video;
    int closes = 0;
    Run(&video);
    video.onFileName = [&](const QString& path) {
        if (path.isEmpty() && closes < 2) {
            ++closes;
            startup->CloseForm();
        }
    };
    startup->CloseForm();
    EXPECT_EQ(std::tuple(closes, fake.LogTexts().count("儲存個人參數"),
                         fake.LogTexts().count("退出Tolvane99 V1.1.400"), fake.process.ends),
              std::tuple(2, 1, 1, QList<int>{0}));
}

TEST_F(StartupTest, SettingsWrittenAtExitComeBackAtTheNextStart)
{
    fake.registry.Set(HKey::LocalMachine, Startup::VersionKey(), "Version", "Windows 98");
    player = std::make_unique<Player>(fake.platform);
    player->context.settings.SaveUserSetting("DeskPic", "C:\\Tolvane99\\Skin\\Ocean.jpg");
    player->context.settings.SaveUserSetting("Volume", "640");
    Run();
    EXPECT_EQ(std::tuple(player->context.app.WindowsVersion, player->forms.Vcd().size()),
              std::tuple(QString("Windows 98"), QSize(80, 60)));
    player->context.app.VideoWidth = 420;
    startup->CloseForm();
    EXPECT_EQ(player->context.settings.GetUserSetting("Width"), "420");
    Run();
    EXPECT_EQ(std::tuple(player->context.app.VideoWidth, player->context.playback.Volume,
                         player->context.app.CurrentSkinPicture),
              std::tuple(420, 640, QString("C:\\Tolvane99\\Skin\\Ocean.jpg")));
}

} // namespace

namespace {

// The windows the orderly exit unloads before the taskbar window's close ends the run.
QList<Window> UnloadedByTheExit()
{
    const QList<Window>& order = Forms::UnloadOrder();
    return order.mid(0, order.indexOf(Window::Temp));
}

// A start that scans E: and plays its first song, with the main window closed inside
// the `exitAt`-th wait of it (none when negative). Returns the number of waits met.
struct ExitInsideAWait
{
    explicit ExitInsideAWait(int exitAt)
    {
        MusicOnE(fake, video);
        Settings(fake.registry).SaveUserSetting("ReadMe", "1");
        player.services.UseVideoControls(video, video);
        fake.clock.onDelay = [this, exitAt](double) {
            if (waits++ != exitAt)
                return;
            startup.CloseForm();
            for (Window window : UnloadedByTheExit())
                unloadedButLoaded += player.forms.IsLoaded(window) ? 1 : 0;
        };
        startup.Main();
    }

    FakePlatform fake;
    FakeMciWindow video;
    Player player{fake.platform};
    Startup startup{player};
    int waits = 0;
    int unloadedButLoaded = 0; // windows the exit unloaded that still count as loaded
};

// The window closed while the start scans, chooses or opens the first song: the
// procedure that waited goes on over the windows and services it holds, which must
// still be there (run under AddressSanitizer to see it).
TEST(ExitInsideAWait, TheProcedureThatWaitedFindsItsWindowsAndServicesStillThere)
{
    const int waits = ExitInsideAWait(-1).waits;
    ASSERT_GE(waits, 3);
    for (int exitAt = 0; exitAt < waits; ++exitAt) {
        SCOPED_TRACE(exitAt);
        ExitInsideAWait run(exitAt);
        EXPECT_EQ(
            std::tuple(run.player.context.Ended(), run.fake.process.ends, run.unloadedButLoaded),
            std::tuple(true, QList<int>{0}, 0));
        // Windows that were unloaded stay so for the rest of the run.
        for (Window window : UnloadedByTheExit())
            EXPECT_FALSE(run.player.forms.IsLoaded(window)) << int(window);
        EXPECT_TRUE(run.fake.LogTexts().contains("退出Tolvane99 V1.1.400"));
    }
}

} // namespace
