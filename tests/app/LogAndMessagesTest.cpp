#include "app/Log.h"
#include "app/Messages.h"
#include "fakes/FakePlatform.h"
#include "shell/Player.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QString kLog = "C:\\Tolvane99\\TL99.log";

class LogTest : public ::testing::Test
{
protected:
    QStringList Lines() const { return fake.ReadLines(kLog); }
    bool Utf8() const { return fake.ReadBytes(kLog).startsWith("\xEF\xBB\xBF"); }

    FakePlatform fake;
    Log log{fake.platform};
};

TEST_F(LogTest, EachOpenAndADeletedLogStartTheFileAgain)
{
    log.LogWrite("早到的一行"); // before any open: no header
    EXPECT_EQ(Lines(), QStringList({"09:05:03 早到的一行"}));
    log.LogOpen();
    log.LogWrite("first run");
    log.LogOpen();
    log.LogWrite("second run");
    ASSERT_EQ(Lines().size(), 3);
    EXPECT_EQ(Lines()[2], "09:05:03 second run");
    // Deleted while running; the time follows the clock.
    ASSERT_TRUE(QFile::remove(fake.LocalPath(kLog)));
    fake.clock.now = fake.clock.now.addSecs(61);
    log.LogWrite("two");
    log.LogWrite("三");
    EXPECT_EQ(Lines(), QStringList({"09:06:04 two", "09:06:04 三"}));
}

TEST_F(LogTest, ABatchHoldsLinesUntilFlushedOrEnded)
{
    {
        Log::Batch batch(log);
        log.LogWrite("a");
        log.LogWrite("b");
        EXPECT_TRUE(Lines().isEmpty());
        log.Flush();
        EXPECT_EQ(Lines().size(), 2);
        log.LogWrite("c");
        {
            Log::Batch inner(log);
            log.LogWrite("d");
        }
        EXPECT_EQ(Lines().size(), 2); // the outer batch still holds them
    }
    EXPECT_EQ(Lines(), QStringList({"09:05:03 a", "09:05:03 b", "09:05:03 c", "09:05:03 d"}));
    log.LogWrite("e");
    EXPECT_EQ(Lines().size(), 5);
}

TEST_F(LogTest, ALineBig5CannotCarryTurnsTheLogToUtf8AndKeepsEveryLine)
{
    log.LogOpen();
    log.LogWrite("中文歌名");
    log.LogWrite("Ærø 😀");
    log.LogWrite("之後");
    EXPECT_TRUE(Utf8());
    EXPECT_EQ(Lines().mid(1), QStringList({"09:05:03 進入Tolvane99 V1.1.400", "09:05:03 中文歌名",
                                           "09:05:03 Ærø 😀", "09:05:03 之後"}));
    // The next start is Big5 again.
    log.LogOpen();
    EXPECT_FALSE(Utf8());
}

TEST_F(LogTest, ControlCharactersInANameAreShownAndSplitNoLine)
{
    log.LogWrite("播放-F:\\a\r\nb\nc\td\x1b\x7f.mp3");
    log.LogWrite("next");
    EXPECT_EQ(Lines(), QStringList({"09:05:03 播放-F:\\a??b?c?d??.mp3", "09:05:03 next"}));
    EXPECT_EQ(fake.ReadBytes(kLog).count('\n'), 2);
}

} // namespace

// Trouble with a file reaches the user in the log and a message box, once a file until
// it saves again; what happened before the log was opened follows its opening lines.
TEST(FileTrouble, IsLoggedAndShownOnceAFileUntilItSavesAgain)
{
    FakePlatform fake;
    fake.registry.notices.SetAside("/u/registry.reg", "/u/registry.reg.unreadable");
    fake.registry.notices.SaveFailed("/u/registry.reg", "File too large");
    Player player(fake.platform);
    ASSERT_EQ(fake.prompter.shown.size(), 2);
    EXPECT_EQ(fake.prompter.shown[0].prompt,
              "無法讀取設定檔 /u/registry.reg 的內容。\r\n原來的檔案保留為 "
              "/u/registry.reg.unreadable,讀不到的設定改用預設值。");
    EXPECT_EQ(fake.prompter.shown[1].prompt, "無法儲存 /u/registry.reg\r\nFile too large\r\n"
                                             "原來的檔案沒有改變,下次儲存時會再試一次。");
    player.context.log.LogOpen();
    EXPECT_EQ(fake.LogTexts().mid(1),
              QStringList({"進入Tolvane99 V1.1.400",
                           "無法讀取/u/registry.reg,原檔保留為/u/registry.reg.unreadable",
                           "無法儲存/u/registry.reg:File too large"}));

    FileNotices& registry = fake.registry.notices;
    FileNotices& ini = player.context.ini.Notices();
    FileNotices& cache = player.context.skin.CacheSaves;
    // Which notices, what had saved before, and the messages shown by then.
    const std::tuple<FileNotices*, const char*, bool, int> steps[] = {
        {&registry, "/u/registry.reg", false, 2},
        {&ini, "/u/WIN.INI", false, 3},
        {&ini, "/u/WIN.INI", false, 3},
        {&ini, "/u/SYSTEM.INI", false, 4},
        {&ini, "/u/WIN.INI", true, 5},
        {&registry, "/u/registry.reg", true, 6},
        {&cache, "/u/cache", false, 7},
        {&cache, "/u/cache", false, 7}};
    for (const auto& [notices, path, savedBefore, shown] : steps) {
        if (savedBefore)
            notices->Saved(path);
        notices->SaveFailed(path, "No space left on device");
        EXPECT_EQ(fake.prompter.shown.size(), shown) << path;
    }
    EXPECT_EQ(fake.LogTexts().filter("無法儲存").size(), 6);
}

TEST(Messages, KindsMatchWithoutCaseAndAnswersComeBackAsButtonCodes)
{
    FakePlatform fake;
    fake.prompter.answers = {kIdYes, kIdNo};
    EXPECT_EQ(ShowMessage(fake.prompter, "刪除?\r\n確定", "YESNO"), "6");
    EXPECT_EQ(ShowMessage(fake.prompter, "again", "yesno"), "7");
    EXPECT_EQ(ShowMessage(fake.prompter, "done", "ok"), "1");
    EXPECT_EQ(fake.prompter.shown[0].prompt, "刪除?\r\n確定");
    // Yes and No with the question icon, whatever the case.
    EXPECT_EQ(fake.prompter.shown[0].style, 36);
    EXPECT_EQ(fake.prompter.shown[1].style, 36);
    EXPECT_EQ(fake.prompter.shown[1].caption, "Question");
    // An unknown kind is a plain OK box.
    ShowMessage(fake.prompter, "text", "strange");
    EXPECT_EQ(fake.prompter.shown.last().style, 0);
}
